#include "GalleryDlg.h"

#include <memory>
#include <optional>
#include <string>

#include "base/Language.h"
#include "base/Text.h"
#include "platform/Platform.h"
#include "ui/AttentionDlg.h"
#include "ui/Battery.h"
#include "ui/BulletNumberButton.h"
#include "ui/CheckButton.h"
#include "ui/ColorSelectButton.h"
#include "ui/ColorSelectCheckButton.h"
#include "ui/ComboButton.h"
#include "ui/DPIRadioButton.h"
#include "ui/DialRegions.h"
#include "ui/EditBox.h"
#include "ui/HScrollBar.h"
#include "ui/ImageButton.h"
#include "ui/LinkButton.h"
#include "ui/PollingRate1000Button.h"
#include "ui/PollingRate2000Button.h"
#include "ui/PollingRate250Button.h"
#include "ui/PollingRate4000Button.h"
#include "ui/PollingRate8000Button.h"
#include "ui/PowerManageButton.h"
#include "ui/RadioButton.h"
#include "ui/SharedSelection.h"
#include "ui/SkinImage.h"
#include "ui/SliderControl.h"
#include "ui/StaticImage.h"
#include "ui/StaticProgressBar.h"
#include "ui/StaticText.h"
#include "ui/TabControl.h"
#include "ui/VScrollBar.h"
#include "ui/VerticalSliderControl.h"

namespace {

constexpr platform::Colour kLabel = 0xB4B4B4;
constexpr platform::Colour kTitle = 0xFE9252;
constexpr int kComboSlot = 0;

platform::Rect R(int l, int t, int r, int b) {
  return {ui::Scaled(l), ui::Scaled(t), ui::Scaled(r), ui::Scaled(b)};
}

// The menu field's rows; rows 2 and 3 open the submenus below.
std::vector<MenuItem> MainMenuItems() {
  return {{u"Left button", 11},
          {u"Right button", 12},
          {u"DPI functions", 0, true},
          {u"Multimedia", 0, true},
          {u"Macro (none recorded)", 15, false, false},
          {u"Off", 16}};
}
std::vector<MenuItem> SubmenuItems(int row) {
  if (row == 2) return {{u"DPI up", 21}, {u"DPI down", 22}, {u"DPI cycle", 23}};
  return {{u"Play / pause", 31},
          {u"Next track", 32},
          {u"Volume up", 33},
          {u"Volume down", 34},
          {u"Mute", 35}};
}
std::u16string MenuText(platform::LParam value) {
  std::vector<MenuItem> all = MainMenuItems();
  for (int row : {2, 3}) {
    for (MenuItem& item : SubmenuItems(row)) all.push_back(std::move(item));
  }
  for (const MenuItem& item : all) {
    if (!item.submenu && item.value == value) return item.text;
  }
  return u"";
}

}  // namespace

// --- menu ---

CGalleryMenu::CGalleryMenu() : CMenuPopup(kKind, MainMenuItems()) {}

void CGalleryMenu::OnHotItemChanged(int index) {
  if (index >= 0 && m_items[static_cast<size_t>(index)].submenu) {
    SendToParent(kOpenSubmenu, static_cast<platform::WParam>(index), 0);
  } else {
    SendToParent(kCloseSubmenu, 0, 0);
  }
}

// --- popup ---

int CGalleryPopup::RowAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_sizeWindow.cx || y >= kRows * kRowHeight) return -1;
  return y / kRowHeight;
}

void CGalleryPopup::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  canvas.FillRect(client, 0x302C2A);
  static constexpr const char16_t* kRowsText[kRows] = {u"Left button", u"Right button",
                                                       u"Middle button"};
  for (int i = 0; i < kRows; ++i) {
    const platform::Rect row{0, i * kRowHeight, client.right, (i + 1) * kRowHeight};
    if (i == m_nHover) canvas.FillRect(row, 0x5A5450);
    if (m_font) {
      canvas.DrawText(kRowsText[i], *m_font, i == m_nHover ? 0xFFFFFF : kLabel, row.Offset(8, 0),
                      platform::dt::kLeft | platform::dt::kVCenter | platform::dt::kSingleLine);
    }
  }
  canvas.FrameRect(client, 0x6E6A68);
}

bool CGalleryPopup::OnMouseMove(int x, int y) {
  const int row = RowAt(x, y);
  const bool changed = row != m_nHover;
  m_nHover = row;
  return changed;
}

bool CGalleryPopup::OnLButtonUp(int x, int y) {
  const int row = RowAt(x, y);
  if (row < 0) return false;
  SendToParent(m_uMessage, m_wParam, row);
  Close();
  return false;
}

// --- dialog ---

CGalleryDlg::CGalleryDlg() : CDlgBase(kDialogTemplate, 0) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
  m_strClassName = u"VantrelGallery";
}

void CGalleryDlg::InitUI(const platform::Rect&) {
  const platform::WindowId w = GetSafeHwnd();
  SetFrameBitmap(kFrameBitmap);
  auto label = [&](int l, int t, int r, int b, std::u16string_view text) {
    AddControl(
        0, std::make_unique<CStaticText>(w, 3400, R(l, t, r, b), kLabel,
                                         platform::dt::kLeft | platform::dt::kSingleLine, text));
  };
  AddControl(0, std::make_unique<CStaticText>(w, 2012, R(20, 10, 400, 34), kTitle,
                                              platform::dt::kLeft | platform::dt::kSingleLine,
                                              u"Toolkit gallery"));
  auto* close =
      AddControl(0, std::make_unique<CImageButton>(w, kCloseButton, R(770, 8, 790, 28), u""));
  close->SetImageNormal(ui::SkinPath(u"exit_nr.png"));
  close->SetImageHover(ui::SkinPath(u"exit_ov.png"));

  // Buttons.
  label(20, 44, 200, 62, u"Buttons");
  auto* push = AddControl(
      0, std::make_unique<CImageButton>(w, kAttentionButton, R(20, 66, 140, 92), u"Message box"));
  push->SetImageNormal(ui::SkinPath(u"button1_nr.png"));
  push->SetImageHover(ui::SkinPath(u"button1_ov.png"));
  auto* check = AddControl(0, std::make_unique<CCheckButton>(w, 3501, R(150, 68, 172, 90), u""));
  check->SetImageNormal(ui::SkinPath(u"check_nr.png"));
  check->SetImageHover(ui::SkinPath(u"check_ov.png"));
  check->SetImageDown(ui::SkinPath(u"check_dn.png"));
  label(176, 68, 260, 90, u"Check");
  for (uint32_t i = 0; i < 2; ++i) {
    const int x = 270 + static_cast<int>(i) * 100;
    auto* radio =
        AddControl(0, std::make_unique<CRadioButton>(w, 2009 + i, R(x, 68, x + 22, 90), u""));
    radio->SetImageNormal(ui::SkinPath(u"radio_nr.png"));
    radio->SetImageHover(ui::SkinPath(u"radio_ov.png"));
    radio->SetImageDown(ui::SkinPath(u"radio_dn.png"));
    label(x + 26, 68, x + 96, 90, i == 0 ? u"Radio 1" : u"Radio 2");
  }
  g_nRadioFlags |= 0x80;
  auto* combo = AddControl(0, std::make_unique<CComboButton>(w, kCombo, R(480, 67, 650, 91),
                                                             kComboMessage, u"Left button", u""));
  combo->SetImageNormal(ui::SkinPath(u"combo2_nr.png"));
  combo->SetImageHover(ui::SkinPath(u"combo2_ov.png"));
  combo->SetTextOffset(8, 24);
  AddControl(0, std::make_unique<CLinkButton>(w, R(650, 68, 790, 90), u"example.com"))
      ->SetFont(ui::Scaled(18), u"Tahoma");

  auto* colour = AddControl(0, std::make_unique<CColorSelectButton>(w, 3270, R(20, 104, 44, 128)));
  colour->SetColour(0x3050FF);
  auto* colourCheck =
      AddControl(0, std::make_unique<CColorSelectCheckButton>(w, 3180, R(54, 104, 78, 128)));
  colourCheck->LoadDefaultImages();
  colourCheck->SetCheck(true);
  for (uint32_t k = 0; k < 4; ++k) {
    const int x = 90 + static_cast<int>(k) * 56;
    auto* dpi =
        AddControl(0, std::make_unique<CDPIRadioButton>(w, 3290 + k, R(x, 104, x + 52, 128),
                                                        base::FromUtf8(std::to_string(400 << k))));
    dpi->SetImage(ui::SkinPath(u"dpi_value.png"));
  }
  g_nDpiLevelFlags = 0x3;
  // Buttons with separate state images take their images' size: the rectangles match them.
  auto* bullet = AddControl(0, std::make_unique<CBulletNumberButton>(
                                   w, 2300, R(330, 104, 420, 128), u"5",
                                   platform::Rect{0, 0, 24, 24}, platform::Rect{66, 0, 90, 24}));
  bullet->SetImageNormal(ui::SkinPath(u"bullet_number_nr.png"));
  bullet->SetImageFirst(ui::SkinPath(u"bullet_number_minus.png"));
  bullet->SetImageSecond(ui::SkinPath(u"bullet_number_plus.png"));
  for (uint32_t i = 0; i < 2; ++i) {
    const int x = 440 + static_cast<int>(i) * 170;
    auto* tab = AddControl(
        0, std::make_unique<CTabControl>(w, 2049 + i, R(x, 105, x + 162, 126),
                                         i == 0 ? u"Profile 1" : u"Profile 2",
                                         TabSlot{TabSlot::Group::Profile, static_cast<int>(i)}));
    tab->LoadDefaultImages();
  }

  // Dials.
  label(20, 140, 200, 158, u"Dials");
  const CDialRegions regions = CDialRegions::Load();
  // Each dial at its image's size, which its click regions are measured in.
  std::unique_ptr<CPollingRateButton> dials[] = {
      std::make_unique<CPollingRate250Button>(w, R(20, 162, 260, 242), regions),
      std::make_unique<CPollingRate1000Button>(w, R(280, 162, 520, 242), regions),
      std::make_unique<CPollingRate2000Button>(w, R(540, 162, 780, 242), regions),
      std::make_unique<CPollingRate4000Button>(w, R(20, 250, 260, 330), regions),
      std::make_unique<CPollingRate8000Button>(w, R(280, 250, 520, 330), regions)};
  for (auto& dial : dials) {
    dial->LoadDefaultImages();
    AddControl(0, std::move(dial));
  }
  AddControl(0, std::make_unique<CPowerManageButton>(w, R(560, 260, 710, 320), regions))
      ->LoadDefaultImages();

  // Sliders, bars and indicators.
  label(160, 340, 400, 358, u"Sliders and indicators");
  AddControl(0, std::make_unique<CStaticImage>(w, 3191, R(160, 366, 400, 386)))
      ->SetImage(ui::SkinPath(u"Slider_bar.png"));
  auto* slider = AddControl(
      0, std::make_unique<CSliderControl>(w, 3200, R(160, 364, 400, 388), 11, 10, 10, u""));
  slider->SetThumbImage(ui::SkinPath(u"Slider_Circle.png"));
  slider->SetValue(4);
  auto* bar = AddControl(
      0, std::make_unique<CVerticalSliderControl>(w, 3280, R(420, 340, 440, 460), 8, 0, 0, u""));
  bar->SetImageEmpty(ui::SkinPath(u"mouse\\dpi_bar_1.png"));
  bar->SetImageFilled(ui::SkinPath(u"mouse\\dpi_bar_2.png"));
  bar->SetValue(5);
  auto* vbar = AddControl(0, std::make_unique<CVScrollBar>(w, 2400, R(460, 340, 474, 460)));
  vbar->SetRange(20);
  vbar->SetPos(5);
  auto* hbar = AddControl(0, std::make_unique<CHScrollBar>(w, R(160, 408, 400, 422)));
  hbar->SetRange(10);
  auto* battery = AddControl(0, std::make_unique<CBattery>(w, R(490, 340, 520, 400)));
  battery->LoadDefaultImages();
  battery->SetLevel(60);
  auto* progress =
      AddControl(0, std::make_unique<CStaticProgressBar>(w, 2500, R(160, 438, 400, 450)));
  progress->SetImageBackground(ui::SkinPath(u"progress_bg.png"));
  progress->SetImageFill(ui::SkinPath(u"progress_fill.png"));
  progress->SetPos(40);
  // Text entry and menus.
  label(540, 340, 780, 358, u"Text entry and menus");
  auto* name =
      AddControl(0, std::make_unique<CEditBox>(w, kNameEntry, R(540, 362, 780, 386), u"Profile 1"));
  name->SetMaxLength(31);
  name->LoadDefaultImages();
  auto* number =
      AddControl(0, std::make_unique<CEditBox>(w, kNumberEntry, R(540, 396, 630, 420), u"1600"));
  number->SetNumeric(kNumberMin, kNumberMax);
  number->SetMaxLength(5);
  number->LoadDefaultImages();
  auto* menuField =
      AddControl(0, std::make_unique<CComboButton>(w, kMenuField, R(640, 396, 780, 420),
                                                   kComboMessage, u"Left button", u""));
  menuField->SetImageNormal(ui::SkinPath(u"combo2_nr.png"));
  menuField->SetImageHover(ui::SkinPath(u"combo2_ov.png"));
  menuField->SetTextOffset(8, 24);

  AddControl(0, std::make_unique<CStaticText>(w, 2013, R(20, 480, 780, 620), kLabel, 0x2015,
                                              u"A static text with a long message that wraps "
                                              u"inside its rectangle and stays centred, the way "
                                              u"the message box shows its messages."));
  platform::Windows().SetTimer(GetSafeHwnd(), kAnimationTimer, 500);
}

void CGalleryDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  canvas.FrameRect(client, 0x6E6A68);
  DrawControls(canvas, client);
}

void CGalleryDlg::OpenMenu() {
  CControlBase* field = GetControl(kMenuField);
  if (!field) return;
  auto& windows = platform::Windows();
  const platform::Rect window = windows.WindowRect(GetSafeHwnd());
  auto menu = std::make_unique<CGalleryMenu>();
  const platform::Rect screen = CMenuPopup::PlaceBelow(field->m_rc.Offset(window.left, window.top),
                                                       menu->MeasureSize(), windows.WorkArea());
  OpenPopup(kMenuSlot, std::move(menu), screen.Offset(-window.left, -window.top), kMenuResult,
            kMenuField);
  static_cast<CComboButton*>(field)->SetMenuOpen(true);
}

void CGalleryDlg::OpenSubmenu(int row) {
  auto* menu = static_cast<CMenuPopup*>(Popup(kMenuSlot));
  if (!menu || !menu->IsAlive()) return;
  if (row == m_nSubmenuRow && Popup(kSubmenuSlot) && Popup(kSubmenuSlot)->IsAlive()) return;
  auto& windows = platform::Windows();
  const platform::Rect window = windows.WindowRect(GetSafeHwnd());
  auto submenu = std::make_unique<CMenuPopup>(8, SubmenuItems(row));
  submenu->SetNoActivate(true);  // the menu keeps the keyboard and stays open
  const platform::Rect screen = menu->SubmenuRect(row, submenu->MeasureSize(), windows.WorkArea());
  OpenPopup(kSubmenuSlot, std::move(submenu), screen.Offset(-window.left, -window.top), kMenuResult,
            kMenuField);
  m_nSubmenuRow = row;
}

void CGalleryDlg::CloseMenus() {
  ClosePopup(kSubmenuSlot);
  ClosePopup(kMenuSlot);
  m_nSubmenuRow = -1;
  if (auto* field = static_cast<CComboButton*>(GetControl(kMenuField))) field->SetMenuOpen(false);
}

void CGalleryDlg::WriteStateLog() {
  if (m_strStateLog.empty()) return;
  auto* name = static_cast<CEditBox*>(GetControl(kNameEntry));
  auto* number = static_cast<CEditBox*>(GetControl(kNumberEntry));
  if (!name || !number) return;
  const std::optional<int> value = number->Value();
  std::string text = "name=" + base::ToUtf8(name->GetText()) + "\n";
  text += "number=" + base::ToUtf8(number->GetText()) + (value ? "" : " (out of range)") + "\n";
  text += "menu=" + base::ToUtf8(MenuText(m_nLastMenuChoice)) + "\n";
  (void)platform::Files().WriteAll(m_strStateLog, text);
}

void CGalleryDlg::Animate() {
  ++m_nTick;
  auto* battery = static_cast<CBattery*>(GetControl(3406));
  auto* progress = static_cast<CStaticProgressBar*>(GetControl(2500));
  if (battery) {
    battery->SetState(1);
    battery->SetAnimLevel(25 * (m_nTick % 4 + 1));
    InvalidateRect(&battery->m_rc);
  }
  if (progress) {
    progress->SetPos((m_nTick * 5) % 101);
    InvalidateRect(&progress->m_rc);
  }
}

platform::LResult CGalleryDlg::OnMessage(platform::WindowId window, uint32_t message,
                                         platform::WParam wParam, platform::LParam lParam,
                                         bool& handled) {
  handled = true;
  switch (message) {
    case kCloseButton:
      if (lParam == Notify::kClicked) EndDialog(kIdOk);
      return 0;
    case kAttentionButton:
      if (lParam == Notify::kClicked) {
        CAttentionDlg box(u"", u"This is the message box: OK returns IDOK, the cross IDCANCEL.",
                          GetSafeHwnd());
        m_nLastAttention = box.DoModal();
      }
      return 0;
    case kNameEntry:
    case kNumberEntry:
      if (lParam == Notify::kValueChanged) WriteStateLog();
      return 0;
    case CGalleryMenu::kOpenSubmenu:
      OpenSubmenu(static_cast<int>(wParam));
      return 0;
    case CGalleryMenu::kCloseSubmenu:
      ClosePopup(kSubmenuSlot);
      m_nSubmenuRow = -1;
      return 0;
    case kMenuResult:
      m_nLastMenuChoice = lParam;
      if (auto* field = GetControl(kMenuField)) field->SetTitle(MenuText(lParam));
      CloseMenus();
      WriteStateLog();
      return 0;
    case 1126:  // the menu lost activation (kind 7)
      CloseMenus();
      return 0;
    case kComboMessage:
      if (wParam == kMenuField && lParam == Notify::kClicked) {
        OpenMenu();
        return 0;
      }
      if (wParam == kCombo && lParam == Notify::kClicked) {
        const platform::Rect rc = GetControl(kCombo)->m_rc;
        OpenPopup(kComboSlot, std::make_unique<CGalleryPopup>(),
                  {rc.left, rc.bottom, rc.right,
                   rc.bottom + CGalleryPopup::kRows * CGalleryPopup::kRowHeight},
                  kComboResult, kCombo);
        if (auto* combo = static_cast<CComboButton*>(GetControl(kCombo))) combo->SetMenuOpen(true);
      }
      return 0;
    case kComboResult:
      m_nLastChoice = static_cast<int>(lParam);
      if (auto* combo = GetControl(kCombo)) {
        static constexpr const char16_t* kNames[] = {u"Left button", u"Right button",
                                                     u"Middle button"};
        if (lParam >= 0 && lParam < CGalleryPopup::kRows) combo->SetTitle(kNames[lParam]);
      }
      return 0;
    case 1029:  // the popup lost activation
    case CWndPopup::kClosedMessage:
      if (auto* combo = static_cast<CComboButton*>(GetControl(kCombo))) combo->SetMenuOpen(false);
      if (message == 1029) ClosePopup(kComboSlot);
      return 0;
    case platform::msg::kTimer:
      if (wParam == kAnimationTimer) Animate();
      break;
    default:
      break;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
