#include "views/main/FixedArea.h"

#include <string>

#include "base/AppGlobals.h"
#include "base/Format.h"
#include "base/Language.h"
#include "base/TextNumbers.h"
#include "platform/Platform.h"
#include "ui/Battery.h"
#include "ui/CheckButton.h"
#include "ui/DialogParts.h"
#include "ui/DlgBase.h"
#include "ui/ImageButton.h"
#include "ui/LinkButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticImage.h"
#include "ui/StaticText.h"
#include "views/ViewServices.h"
#include "views/device/UpdateRules.h"
#include "views/main/PageLayout.h"

namespace {

constexpr platform::Colour kNotLinkedColour = 0x00FFFF;
constexpr int kVersionText = 3;
constexpr int kNotLinkedText = common_text::kNotLinked;
constexpr int kChargingText = 17;
constexpr int kLowBatteryText = 18;
constexpr int kInitialBatteryLevel = 100;

constexpr platform::Rect kCloseRect{1102, 10, 1117, 25};
constexpr platform::Rect kMinimizeRect{1080, 10, 1095, 25};
constexpr platform::Rect kLogoRect{12, 8, 52, 48};
constexpr platform::Rect kDeviceNameRect{60, 18, 240, 38};
constexpr platform::Rect kVersionRect{24, 700, 284, 720};
constexpr platform::Rect kWebLinkRect{730, 18, 1070, 38};

// Number n's point on the mouse picture; 8 and 9 share one.
constexpr std::array<platform::Point, 9> kNumberPoints = {{{495, 231},
                                                           {608, 231},
                                                           {553, 251},
                                                           {467, 311},
                                                           {471, 360},
                                                           {553, 333},
                                                           {616, 346},
                                                           {487, 284},
                                                           {487, 284}}};
constexpr int kBadgeSize = 22;

platform::Rect Sized(platform::Point at, int width, int height) {
  return {at.x, at.y, at.x + width, at.y + height};
}

platform::Rect ScaledRect(const platform::Rect& rc) {
  return {ui::Scaled(rc.left), ui::Scaled(rc.top), ui::Scaled(rc.right), ui::Scaled(rc.bottom)};
}

}  // namespace

std::optional<platform::Point> FixedArea::NumberPoint(int number) {
  if (number < 1 || number > 9) return std::nullopt;
  return kNumberPoints[static_cast<size_t>(number - 1)];
}

void FixedArea::Build(CDlgBase& dialog, PartRegistry& registry) {
  m_dialog = &dialog;
  m_services = &registry.Services();
  registry.ProvideHighlight(*this);
  const platform::WindowId w = dialog.GetSafeHwnd();
  const auto add = [&dialog](auto control) { return dialog.AddControl(0, std::move(control)); };
  const auto image = [&](uint32_t id, const platform::Rect& rc, const char16_t* file,
                         bool shown = true) {
    auto* control =
        add(std::make_unique<CStaticImage>(w, id, ScaledRect(rc), Visibility{.show = shown}));
    control->SetImage(ui::SkinPath(file));
    return control;
  };
  const auto label = [&](uint32_t id, const platform::Rect& rc, std::u16string_view text,
                         uint32_t format = platform::dt::kLeft | platform::dt::kVCenter |
                                           platform::dt::kSingleLine) {
    return add(
        std::make_unique<CStaticText>(w, id, ScaledRect(rc), ui::kLabelColour, format, text));
  };

  image(kMousePicture, page::kMouseStage, u"mouse\\mouse_nr.png");
  image(kMousePicture, kDeviceNameRect, u"device name.png");
  image(kMousePicture, kLogoRect, u"Logo pic.png");
  image(kStatusWired, page::kStatusImage, u"Status_Wired.png", false);
  image(kStatusWireless, page::kStatusImage, u"Status_Wireless.png", false);
  image(kStatusBle, page::kStatusImage, u"Status_BLE.png", false);
  auto* notLinked =
      label(kNotLinkedLabel, page::kNotLinkedLabel, LangText(kNotLinkedText),
            platform::dt::kCenter | platform::dt::kVCenter | platform::dt::kWordBreak);
  notLinked->SetColour(kNotLinkedColour);
  notLinked->SetShow(false);

  // The battery shows a full level until the mouse reports one.
  m_pBattery = add(std::make_unique<CBattery>(w, ScaledRect(page::kBatteryRect)));
  m_pBattery->m_uID = kBattery;
  m_pBattery->LoadDefaultImages();
  m_pBattery->SetLevel(kInitialBatteryLevel);
  m_pBatteryText =
      label(kBatteryText, page::kBatteryText, base::Format(u"%d%%", kInitialBatteryLevel));
  const struct {
    const char16_t* file;
    int text;
  } legend[] = {{u"battery_green.png", 0},
                {u"battery_orange.png", kChargingText},
                {u"battery_red.png", kLowBatteryText}};
  int top = page::kLegendTop;
  for (const auto& entry : legend) {
    image(3401, {692, top + 5, 702, top + 15}, entry.file);
    if (entry.text != 0) label(3402, {708, top, 834, top + 20}, LangText(entry.text));
    top += 20;
  }

  auto* close = add(std::make_unique<CImageButton>(w, kCloseButton, ScaledRect(kCloseRect), u""));
  close->SetImageNormal(ui::SkinPath(u"exit_nr.png"));
  close->SetImageHover(ui::SkinPath(u"exit_ov.png"));
  auto* minimize =
      add(std::make_unique<CImageButton>(w, kMinimizeButton, ScaledRect(kMinimizeRect), u""));
  minimize->SetImageNormal(ui::SkinPath(u"min_nr.png"));
  minimize->SetImageHover(ui::SkinPath(u"min_ov.png"));

  for (int n = 1; n <= 9; ++n) {
    image(kMousePicture, Sized(kNumberPoints[static_cast<size_t>(n - 1)], kBadgeSize, kBadgeSize),
          (u"mouse\\serial_number" + std::u16string(1, static_cast<char16_t>(u'0' + n)) + u".png")
              .c_str());
  }

  const struct {
    uint32_t id;
    platform::Rect rc;
    int text;
  } headings[] = {{kButtonsHeading, page::kButtonsHeading, 9},
                  {kBatteryHeading, page::kBatteryHeading, 15},
                  {kPowerHeading, page::kPowerHeading, 265},
                  {kProfilesHeading, page::kProfilesHeading, 10}};
  for (const auto& heading : headings) {
    auto* check = add(std::make_unique<CCheckButton>(w, heading.id, ScaledRect(heading.rc),
                                                     LangText(heading.text), false,
                                                     ControlOptions{.disabled = true}));
    check->SetImageNormal(ui::SkinPath(u"header2_nr.png"));
    check->SetImageHover(ui::SkinPath(u"header2_ov.png"));
    // A heading, disabled so that it takes no clicks.
    check->m_enDisabledLook = CControlBase::DisabledLook::AsEnabled;
  }

  for (size_t i = 0; i < page::kPageTabs.size(); ++i) {
    const page::PageTab& row = page::kPageTabs[i];
    const platform::Rect rc{page::kPagesLeft, 0, page::kPagesLeft + page::kTabWidth,
                            page::kTabHeight};
    auto* tab = add(std::make_unique<CCheckButton>(w, row.id, ScaledRect(rc), LangText(row.text),
                                                   row.openAtStart));
    tab->SetImageNormal(ui::SkinPath(u"header_nr.png"));
    tab->SetImageHover(ui::SkinPath(u"header_ov.png"));
    tab->SetImageDown(ui::SkinPath(u"header_dn.png"));
    tab->SetCheckedColour(kTextHover);  // an open page's tab reads white, not yellow
    m_tabs[i] = tab;
    registry.RouteMessage(row.id, *this);
  }

  auto* apply = add(
      std::make_unique<CImageButton>(w, kApplyButton, ScaledRect(page::kApplyButton), LangText(6)));
  apply->SetImageNormal(ui::SkinPath(u"button2_nr.png"));
  apply->SetImageHover(ui::SkinPath(u"button2_ov.png"));

  label(kVersionLabel, kVersionRect,
        LangText(kVersionText) + std::u16string(UpdateRules::kProgramVersion));
  auto* link = add(std::make_unique<CLinkButton>(w, ScaledRect(kWebLinkRect), kWebAddress));
  link->SetFont(ui::Scaled(18), u"Tahoma");
  for (uint32_t id : {kCloseButton, kMinimizeButton, kMinimizeMessage, kApplyButton, kWebLink}) {
    registry.RouteMessage(id, *this);
  }

  LoadNumbers();
}

void FixedArea::LoadNumbers() {
  for (int n = 1; n <= 9; ++n) {
    m_numbers[static_cast<size_t>(n - 1)] = ui::LoadSkinImage(ui::SkinPath(
        u"mouse\\number" + std::u16string(1, static_cast<char16_t>(u'0' + n)) + u".png"));
  }
}

void FixedArea::OnScaleChanged() {
  LoadNumbers();
}

platform::LResult FixedArea::OnMessage(uint32_t message, platform::WParam,
                                       platform::LParam lParam) {
  if (lParam != Notify::kClicked) return 0;
  switch (message) {
    case kCloseButton:
      m_services->ExitProgram();
      break;
    case kMinimizeButton:
    case kMinimizeMessage:
      m_services->HideMainWindow();
      break;
    case kApplyButton:
      // The apply command covers the button table and the DPI group only: power and sensor
      // options go out with the writes that mark them.
      m_services->MarkPending(ViewServices::Group::Keys);
      m_services->MarkPending(ViewServices::Group::Dpi);
      m_services->WriteNow();
      break;
    case kWebLink:
      (void)platform::ShellServices().Open(kWebAddress);
      break;
    default:
      if (page::LayerOfTab(message)) SwitchTab(message);
      break;
  }
  return 0;
}

void FixedArea::SwitchTab(uint32_t tabId) {
  // The click has toggled the tab already.
  page::TabStates states = Tabs();
  page::ApplyTabRule(tabId, states);
  for (size_t i = 0; i < m_tabs.size(); ++i) {
    if (m_tabs[i]) m_tabs[i]->SetCheck(states.IsOn(page::kTabIds[i]));
  }
  m_services->RefreshPage();
}

page::TabStates FixedArea::Tabs() const {
  page::TabStates states;
  for (size_t i = 0; i < m_tabs.size(); ++i) {
    if (m_tabs[i]) states.Set(page::kTabIds[i], m_tabs[i]->GetCheck());
  }
  return states;
}

void FixedArea::PlaceTab(uint32_t tabId, int top) {
  auto layer = page::LayerOfTab(tabId);
  if (!layer) return;
  CCheckButton* tab = m_tabs[static_cast<size_t>(*layer - 1)];
  if (!tab) return;
  tab->SetRect(ui::Scaled(page::kPagesLeft), ui::Scaled(top),
               ui::Scaled(page::kPagesLeft + page::kTabWidth), ui::Scaled(top + page::kTabHeight));
}

void FixedArea::Highlight(int number) {
  if (number == m_nHighlight) return;
  m_nHighlight = number;
  if (m_dialog) {
    const platform::Rect area = ScaledRect(page::kMouseStage);
    platform::Windows().Invalidate(m_dialog->GetSafeHwnd(), &area);
  }
}

void FixedArea::DrawHighlight(platform::Canvas& canvas, const platform::Rect& update) {
  auto at = NumberPoint(m_nHighlight);
  if (!at) return;
  const platform::Image* number = m_numbers[static_cast<size_t>(m_nHighlight - 1)].get();
  if (!number) return;
  const platform::Size size = ui::LayoutSize(*number);
  const platform::Rect dest = ScaledRect(Sized(*at, size.cx, size.cy));
  if (dest.Intersect(update).IsEmpty()) return;
  ui::DrawWhole(canvas, number, dest);
}

void FixedArea::ShowConnection(std::optional<ConnectionMode::Kind> mode) {
  const struct {
    uint32_t id;
    ConnectionMode::Kind kind;
  } images[] = {{kStatusWired, ConnectionMode::Wired},
                {kStatusWireless, ConnectionMode::Wireless},
                {kStatusBle, ConnectionMode::BLE}};
  for (const auto& entry : images) {
    if (CControlBase* control = m_dialog->GetControl(entry.id)) {
      control->SetShow(mode && *mode == entry.kind);
    }
  }
  const platform::Rect area = ScaledRect(page::kStatusImage);
  platform::Windows().Invalidate(m_dialog->GetSafeHwnd(), &area);
}

void FixedArea::ShowNotLinked(bool show) {
  CControlBase* label = m_dialog->GetControl(kNotLinkedLabel);
  if (!label || label->m_bShow == show) return;
  label->SetShow(show);
  platform::Windows().Invalidate(m_dialog->GetSafeHwnd(), &label->m_rc);
}

void FixedArea::ShowBattery(int level, int chargeState, int animation) {
  if (!m_pBattery) return;
  m_pBattery->SetShow(true);
  m_pBattery->SetLevel(level);
  m_pBattery->SetState(chargeState);
  m_pBattery->SetAnimLevel(animation);
  platform::Windows().Invalidate(m_dialog->GetSafeHwnd(), &m_pBattery->m_rc);
  // SetTitle repaints the text only when it changed.
  m_pBatteryText->SetTitle(base::Format(u"%d%%", level));
}
