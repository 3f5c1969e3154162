#include "views/buttons/ButtonFieldsPart.h"

#include <memory>

#include "base/Language.h"
#include "keys/ButtonAssignment.h"
#include "platform/Platform.h"
#include "profiles/ProfileSettings.h"
#include "ui/ComboButton.h"
#include "ui/DlgBase.h"
#include "ui/SkinImage.h"
#include "ui/StaticImage.h"
#include "views/ViewServices.h"
#include "views/buttons/ButtonTexts.h"
#include "views/buttons/ComboPopup.h"
#include "views/buttons/DPILockPopup.h"
#include "views/buttons/DPIPopup.h"
#include "views/buttons/FireKeyDlg.h"
#include "views/buttons/MultimediaPopup.h"
#include "views/buttons/OfficePopup.h"
#include "views/buttons/QuickLaunchDlg.h"
#include "views/buttons/ShortcutDlg.h"
#include "views/buttons/WindowsManagePopup.h"
#include "views/macros/MacroWindows.h"
#include "views/main/PageLayout.h"

namespace {

namespace msg = buttons::msg;
using buttons::Submenu;

constexpr int kFieldWidth = 170;
constexpr int kFieldHeight = 24;
constexpr int kBadgeLeft = 34;
constexpr int kBadgeSize = 22;
constexpr int kCaptionLeft = 10;
constexpr int kCaptionRight = 24;  // the arrow

std::unique_ptr<CAssignmentMenu> CreateSubmenu(Submenu which) {
  switch (which) {
    case Submenu::Dpi:
      return std::make_unique<CDPIPopup>();
    case Submenu::Multimedia:
      return std::make_unique<CMultimediaPopup>();
    case Submenu::Office:
      return std::make_unique<COfficePopup>();
    case Submenu::WindowsManage:
      return std::make_unique<CWindowsManagePopup>();
    case Submenu::DpiLock:
      return std::make_unique<CDPILockPopup>();
  }
  return nullptr;
}

// The item number a menu reports in lParam; 0 (no item) for anything a menu cannot send.
int ItemNumber(platform::LParam value) {
  return value >= 1 && value <= 64 ? static_cast<int>(value) : 0;
}

platform::Rect ScreenToClientRect(const platform::Rect& screen, const platform::Rect& window) {
  return screen.Offset(-window.left, -window.top);
}

}  // namespace

void ButtonFieldsPart::Build(CDlgBase& dialog, PartRegistry& registry) {
  m_dialog = &dialog;
  m_services = &registry.Services();
  const platform::WindowId w = dialog.GetSafeHwnd();
  for (int k = 0; k < kFieldCount; ++k) {
    const int top = page::kFieldTop + k * page::kFieldStep;
    // The field's number, as on the mouse picture.
    const int badgeTop = top + (kFieldHeight - kBadgeSize) / 2;
    auto* badge = dialog.AddControl(
        0,
        std::make_unique<CStaticImage>(w, 3400,
                                       platform::Rect{ui::Scaled(kBadgeLeft), ui::Scaled(badgeTop),
                                                      ui::Scaled(kBadgeLeft + kBadgeSize),
                                                      ui::Scaled(badgeTop + kBadgeSize)}));
    badge->SetImage(ui::SkinPath(u"mouse\\serial_number" +
                                 std::u16string(1, static_cast<char16_t>(u'1' + k)) + u".png"));

    const uint32_t id = kFirstField + static_cast<uint32_t>(k);
    const platform::Rect rc{ui::Scaled(page::kFieldLeft), ui::Scaled(top),
                            ui::Scaled(page::kFieldLeft + kFieldWidth),
                            ui::Scaled(top + kFieldHeight)};
    auto* field = dialog.AddControl(
        0, std::make_unique<CComboButton>(w, id, rc, msg::kButtonField,
                                          LangText(buttons::text::kDisable), u""));
    field->SetImageNormal(ui::SkinPath(u"combo2_nr.png"));
    field->SetImageHover(ui::SkinPath(u"combo2_ov.png"));
    field->SetTextOffset(kCaptionLeft, kCaptionRight);
    m_fields[static_cast<size_t>(k)] = field;
  }
  // 1028 with lParam 4 and 5 (the number highlight) stays with the main window.
  registry.RouteMessages(msg::kFunctionChosen, msg::kFunctionMenuClosed, *this);
  // The submenu closing, the shortcut and launch messages, the DPI and multimedia submenus.
  registry.RouteMessages(msg::kCloseSubmenu, 1045, *this);
  // 1067 between them is the on-screen display's.
  registry.RouteMessages(msg::kOpenRapidFire, msg::kMacroResult, *this);
  registry.RouteMessages(msg::kOpenShooting, msg::kShootingResult, *this);
  // The DPI-lock, window-management and office submenus.
  registry.RouteMessages(1154, 1162, *this);
}

CComboButton* ButtonFieldsPart::Field(uint32_t fieldId) const {
  if (fieldId < kFirstField || fieldId > kLastField) return nullptr;
  return m_fields[fieldId - kFirstField];
}

void ButtonFieldsPart::Refresh() {
  if (!m_services) return;
  const ProfileSettings& profile = m_services->CurrentProfile();
  for (int slot = 0; slot < ButtonBank::kSlotCount; ++slot) {
    const ButtonSlot* button = profile.ButtonAt(slot);
    CComboButton* field = m_fields[static_cast<size_t>(slot)];
    if (!button || !field) continue;
    field->SetTitle(buttons::FieldCaption(button->KeyName, ButtonFunctionCode{button->KeyValue},
                                          button->KeyURL, button->macro.name));
  }
}

platform::LResult ButtonFieldsPart::OnMessage(uint32_t message, platform::WParam wParam,
                                              platform::LParam lParam) {
  if (!IsField(wParam)) return 0;
  const auto fieldId = static_cast<uint32_t>(wParam);
  switch (message) {
    case msg::kButtonField:
      if (lParam == Notify::kClicked) OpenFunctionMenu(fieldId);
      return 0;
    case msg::kFunctionChosen:
      if (auto choice = buttons::FunctionMenuChoice(ItemNumber(lParam))) {
        Assign(fieldId, *choice);
      }
      return 0;
    case msg::kFunctionMenuClosed:
      CloseMenus();
      return 0;
    case msg::kCloseSubmenu:
      CloseSubmenu();
      return 0;
    case msg::kRequestShortcut:
    case msg::kRequestLaunch:
    case msg::kRequestRapidFire:
    case msg::kRequestMacro:
    case msg::kRequestShooting:
      // The dialog opens once the menus are gone.
      CloseMenus();
      (void)platform::Windows().PostMessage(m_dialog->GetSafeHwnd(),
                                            buttons::OpenMessageFor(message), fieldId, 0);
      return 0;
    case msg::kOpenShortcut:
    case msg::kOpenLaunch:
    case msg::kOpenRapidFire:
      RunEditor(message, fieldId);
      return 0;
    case msg::kOpenMacro:
    case msg::kOpenShooting:
      OpenSelectDialog(message, fieldId);
      return 0;
    case msg::kShortcutResult:
    case msg::kLaunchResult:
    case msg::kRapidFireResult:
      TakeEditorResult(message, wParam);
      return 0;
    default:
      break;
  }
  if (const buttons::SubmenuInfo* info = buttons::SubmenuByOpenMessage(message)) {
    if (fieldId == m_uMenuField) ShowSubmenu(*info);
  } else if (const buttons::SubmenuInfo* chosen = buttons::SubmenuByChosenMessage(message)) {
    if (auto choice = buttons::SubmenuChoice(chosen->which, ItemNumber(lParam))) {
      Assign(fieldId, *choice);
    }
  } else if (buttons::SubmenuByClosedMessage(message)) {
    CloseMenus();
  }
  return 0;
}

void ButtonFieldsPart::OpenFunctionMenu(uint32_t fieldId) {
  CComboButton* field = Field(fieldId);
  if (!field || !m_dialog) return;
  CloseMenus();
  auto& windows = platform::Windows();
  const platform::Rect window = windows.WindowRect(m_dialog->GetSafeHwnd());
  auto menu = std::make_unique<CComboPopup>();
  const platform::Rect screen = CMenuPopup::PlaceBelow(field->m_rc.Offset(window.left, window.top),
                                                       menu->MeasureSize(), windows.WorkArea());
  m_uMenuField = fieldId;
  field->SetMenuOpen(true);
  m_dialog->OpenPopup(kMenuSlot, std::move(menu), ScreenToClientRect(screen, window),
                      msg::kFunctionChosen, fieldId);
}

void ButtonFieldsPart::ShowSubmenu(const buttons::SubmenuInfo& info) {
  auto* menu = dynamic_cast<CMenuPopup*>(m_dialog->Popup(kMenuSlot));
  if (!menu || !menu->IsAlive()) return;
  if (m_pSubmenu == &info && m_dialog->Popup(kSubmenuSlot)) return;
  auto submenu = CreateSubmenu(info.which);
  if (!submenu) return;
  auto& windows = platform::Windows();
  const platform::Rect screen =
      menu->SubmenuRect(info.parentItem - 1, submenu->MeasureSize(), windows.WorkArea());
  // The function menu keeps the activation, so a click elsewhere still closes both.
  submenu->SetNoActivate(true);
  m_pSubmenu = &info;
  m_dialog->OpenPopup(kSubmenuSlot, std::move(submenu),
                      ScreenToClientRect(screen, windows.WindowRect(m_dialog->GetSafeHwnd())),
                      info.chosenMessage, m_uMenuField);
}

void ButtonFieldsPart::CloseSubmenu() {
  if (m_dialog) m_dialog->ClosePopup(kSubmenuSlot);
  m_pSubmenu = nullptr;
}

void ButtonFieldsPart::CloseMenus() {
  CloseSubmenu();
  if (m_dialog) m_dialog->ClosePopup(kMenuSlot);
  const uint32_t fieldId = m_uMenuField;
  m_uMenuField = 0;
  CComboButton* field = Field(fieldId);
  if (!field) return;
  field->SetMenuOpen(false);
  // The field kept its number lit while its menu was open; the pointer may be gone since.
  auto& windows = platform::Windows();
  const platform::WindowId main = m_dialog->GetSafeHwnd();
  if (!field->m_rc.Contains(windows.ScreenToClient(main, windows.CursorPos()))) {
    windows.SendMessage(main, msg::kButtonField, fieldId, Notify::kLeft);
  }
}

void ButtonFieldsPart::OpenSelectDialog(uint32_t openMessage, uint32_t fieldId) {
  if (!m_services) return;
  std::optional<MacroChoice> choice;
  if (openMessage == msg::kOpenMacro) {
    choice = RunMacroSelect(*m_services);
  } else if (openMessage == msg::kOpenShooting) {
    choice = RunBulletSelect(*m_services);
  }
  if (choice) {
    Assign(fieldId, buttons::ButtonChoice{choice->name, choice->code, u""},
           choice->macro ? &*choice->macro : nullptr);
  }
}

void ButtonFieldsPart::Assign(uint32_t fieldId, const buttons::ButtonChoice& choice,
                              const MacroRecord* macro) {
  CComboButton* field = Field(fieldId);
  if (!field || !m_services) return;
  field->SetTitle(choice.name);
  ButtonBank& bank = m_services->CurrentButtons();
  (void)keys::AssignButtonFunction(bank, static_cast<int>(fieldId), choice.name,
                                   choice.code.bytes.data(), macro, choice.url);
  CloseMenus();
  switch (keys::RunLeftButtonGuard(bank, static_cast<int>(fieldId))) {
    case keys::LeftButtonGuard::WriteKeyTable:
      m_services->MarkPending(ViewServices::Group::Keys);
      break;
    case keys::LeftButtonGuard::LeftButtonRestored: {
      field->SetTitle(LangText(buttons::text::kLeftClick));
      ViewServices* services = m_services;
      services->RunAfterMenuClosed(ViewServices::kTimerDeferredMessage, [services] {
        (void)services->ShowMessage(buttons::text::kLeftButtonRestored, ViewServices::Box::Modal);
      });
      break;
    }
    case keys::LeftButtonGuard::NoSlot:
      break;
  }
}

void ButtonFieldsPart::RunEditor(uint32_t openMessage, uint32_t fieldId) {
  if (!m_dialog || m_pEditor) return;
  const platform::WindowId main = m_dialog->GetSafeHwnd();
  std::unique_ptr<CButtonEditorDlg> editor;
  switch (openMessage) {
    case msg::kOpenShortcut:
      editor = std::make_unique<CShortcutDlg>(main, fieldId);
      break;
    case msg::kOpenRapidFire:
      editor = std::make_unique<CFireKeyDlg>(main, fieldId);
      break;
    case msg::kOpenLaunch:
      editor = std::make_unique<CQuickLaunchDlg>(main, fieldId);
      break;
    default:
      return;
  }
  m_pEditor = editor.get();
  (void)editor->DoModal();
  m_pEditor = nullptr;
}

void ButtonFieldsPart::TakeEditorResult(uint32_t message, platform::WParam fieldId) {
  if (!m_pEditor || m_pEditor->ResultMessage() != message || m_pEditor->FieldId() != fieldId) {
    return;
  }
  if (const auto& result = m_pEditor->Result()) Assign(static_cast<uint32_t>(fieldId), *result);
}
