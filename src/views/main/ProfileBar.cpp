#include "views/main/ProfileBar.h"

#include <algorithm>

#include "base/Language.h"
#include "base/TextNumbers.h"
#include "platform/Platform.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileOperations.h"
#include "profiles/ProfileStore.h"
#include "ui/ComboButton.h"
#include "ui/DlgBase.h"
#include "ui/ImageButton.h"
#include "ui/SharedSelection.h"
#include "ui/SkinImage.h"
#include "ui/TabControl.h"
#include "views/ViewServices.h"
#include "views/companion/GamesDlg.h"
#include "views/main/PageLayout.h"
#include "views/profiles/ProfileMenus.h"
#include "views/profiles/ProfileNameDlg.h"

namespace {

constexpr int kListButtonText = 1;
constexpr int kImportText = common_text::kImportProfile;
constexpr int kExportText = 91;
constexpr int kRenameText = common_text::kRenameProfile;
constexpr int kAddText = common_text::kNew;
constexpr int kImportTitle = 142;
constexpr int kExportTitle = 143;
constexpr int kExportFailed = 345;
constexpr int kMinimumRows = 3;
// The selector uses the button fields' artwork: the same caption margins (the arrow at the right).
constexpr int kComboCaptionLeft = 10;
constexpr int kComboCaptionRight = 24;
constexpr int kSmallButtonWidth = 46;
constexpr int kSmallButtonHeight = 20;
constexpr int kSmallButtonStep = 56;
constexpr int kSmallestCaption = 9;
constexpr int kCaptionMargin = 2;  // both sides together
constexpr std::u16string_view kFilter = u"psf file(*.psf)|*.psf||";
constexpr std::u16string_view kExtension = u"psf";

platform::Rect ScaledRect(const platform::Rect& rc) {
  return {ui::Scaled(rc.left), ui::Scaled(rc.top), ui::Scaled(rc.right), ui::Scaled(rc.bottom)};
}

// The small buttons keep the width of their artwork; a caption wider than that (English
// "Rename") is set in a smaller font rather than cut to an ellipsis.
void FitCaption(CImageButton& button) {
  auto measure = platform::Gfx().CreateCanvas(1, 1);
  if (!measure) return;
  const uint32_t flags = platform::dt::kSingleLine | platform::dt::kNoPrefix;
  const int room = button.m_rc.Width() - ui::Scaled(kCaptionMargin);
  for (int height = g_nFontHeight; height > ui::Scaled(kSmallestCaption); --height) {
    const platform::Font* font = button.GetFont();
    if (!font || measure->MeasureText(button.m_strTitle, *font, flags, 0).cx <= room) return;
    button.SetFont(height - 1, g_strFontFace);
  }
}

}  // namespace

platform::Rect ProfileBar::RowRect(int row) {
  const int top = page::kProfileRowTop + page::kProfileRowStep * row;
  return {page::kProfileRowLeft, top, page::kProfileRowRight, top + page::kProfileRowHeight};
}

platform::Rect ProfileBar::AddButtonRect(int shownCount) {
  const int top = page::kAddButtonTop + page::kProfileRowStep * std::max(shownCount, kMinimumRows);
  return {page::kProfileRowLeft, top, page::kProfileRowLeft + kSmallButtonWidth,
          top + kSmallButtonHeight};
}

void ProfileBar::Build(CDlgBase& dialog, PartRegistry& registry) {
  m_dialog = &dialog;
  m_services = &registry.Services();
  m_highlight = registry.Highlight();
  const platform::WindowId w = dialog.GetSafeHwnd();
  for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
    auto* tab = dialog.AddControl(
        0, std::make_unique<CTabControl>(
               w, kFirstSlotTab + static_cast<uint32_t>(slot), ScaledRect(RowRect(slot)), u"",
               TabSlot{TabSlot::Group::Profile, slot}, ControlOptions{.show = false}));
    tab->LoadDefaultImages();
    m_tabs[static_cast<size_t>(slot)] = tab;
  }
  m_pAdd =
      dialog.AddControl(0, std::make_unique<CImageButton>(
                               w, kAddButton, ScaledRect(AddButtonRect(3)), LangText(kAddText)));
  const struct {
    uint32_t id;
    int text;
  } buttons[] = {
      {kRenameButton, kRenameText}, {kExportButton, kExportText}, {kImportButton, kImportText}};
  int left = page::kProfileRowLeft;
  for (const auto& b : buttons) {
    const platform::Rect rc{left, page::kProfileButtonsTop, left + kSmallButtonWidth,
                            page::kProfileButtonsTop + kSmallButtonHeight};
    auto* button = dialog.AddControl(
        0, std::make_unique<CImageButton>(w, b.id, ScaledRect(rc), LangText(b.text)));
    button->SetImageNormal(ui::SkinPath(u"add_nr.png"));
    button->SetImageHover(ui::SkinPath(u"add_ov.png"));
    FitCaption(*button);
    left += kSmallButtonStep;
  }
  m_pAdd->SetImageNormal(ui::SkinPath(u"add_nr.png"));
  m_pAdd->SetImageHover(ui::SkinPath(u"add_ov.png"));
  FitCaption(*m_pAdd);

  m_pCombo = dialog.AddControl(
      0, std::make_unique<CComboButton>(w, kProfileCombo, ScaledRect(page::kProfileCombo),
                                        kComboMessage, u"Disable", u""));
  m_pCombo->SetImageNormal(ui::SkinPath(u"combo2_nr.png"));
  m_pCombo->SetImageHover(ui::SkinPath(u"combo2_ov.png"));
  // Clear of the field's accent bar, as the other drop-downs' captions are.
  m_pCombo->SetTextOffset(kComboCaptionLeft, kComboCaptionRight);
  auto* list = dialog.AddControl(
      0, std::make_unique<CImageButton>(w, kListButton, ScaledRect(page::kProfileListButton),
                                        LangText(kListButtonText)));
  list->SetImageNormal(ui::SkinPath(u"button2_nr.png"));
  list->SetImageHover(ui::SkinPath(u"button2_ov.png"));

  m_nameDialog = [this](bool adding, std::u16string_view initial, const auto& check) {
    const platform::WindowId owner = m_dialog->GetSafeHwnd();
    const auto show = [this](int text) {
      (void)m_services->ShowMessage(text, ViewServices::Box::Modal);
    };
    std::unique_ptr<CProfileNameDlg> dlg;
    if (adding) {
      dlg = std::make_unique<CAddProfileDlg>(owner, check, show);
    } else {
      dlg = std::make_unique<CEditProfileDlg>(owner, std::u16string(initial), check, show);
    }
    if (dlg->DoModal() != CDlgBase::kIdOk) return std::optional<std::u16string>();
    return std::optional<std::u16string>(dlg->Name());
  };
  m_slotMenu = [this](uint32_t tabId, int) {
    OpenMenu(std::make_unique<CProfileRKeyPopup>(), tabId, kSlotMenuResult);
  };
  m_headerMenu = [this](uint32_t anchorId, int) {
    OpenMenu(std::make_unique<CComboProfilePopup>(m_services->Settings(), m_services->Profiles()),
             anchorId, kComboResult);
  };

  registry.RouteMessages(kFirstSlotTab, kFirstSlotTab + 4, *this);
  registry.RouteMessages(kRenameButton, kAddButton, *this);
  registry.RouteMessages(kComboMessage, kSlotMenuResult, *this);
  registry.RouteMessage(kListButton, *this);
}

void ProfileBar::Refresh() {
  const GlobalSettings& settings = m_services->Settings();
  const ProfileStore& store = m_services->Profiles();
  const std::vector<int> shown = settings.ShownSlots();
  for (CTabControl* tab : m_tabs) tab->SetShow(false);
  for (size_t row = 0; row < shown.size(); ++row) {
    const int slot = shown[row];
    if (slot < 0 || slot >= ProfileStore::kProfileCount) continue;
    CTabControl* tab = m_tabs[static_cast<size_t>(slot)];
    const platform::Rect rc = ScaledRect(RowRect(static_cast<int>(row)));
    tab->SetRect(rc.left, rc.top, rc.right, rc.bottom);
    tab->SetShow(true);
    tab->SetTitle(store.profiles[static_cast<size_t>(slot)].ProfileName());
  }
  g_nProfileTabIndex = settings.CurrentProfileIndex();
  const platform::Rect add = ScaledRect(AddButtonRect(static_cast<int>(shown.size())));
  m_pAdd->SetRect(add.left, add.top, add.right, add.bottom);
  m_pCombo->SetTitle(m_services->CurrentProfile().ProfileName());
}

platform::LResult ProfileBar::OnMessage(uint32_t message, platform::WParam wParam,
                                        platform::LParam lParam) {
  if (message >= kFirstSlotTab && message < kFirstSlotTab + 5) {
    const int slot = static_cast<int>(message - kFirstSlotTab);
    if (lParam == Notify::kClicked) SwitchTo(slot);
    if (lParam == Notify::kRightClicked && m_slotMenu) m_slotMenu(message, slot);
    return 0;
  }
  if (message == kSlotMenuResult) {
    // wParam: the tab the menu belongs to; lParam: the chosen entry 0..3.
    const int slot = static_cast<int>(wParam) - static_cast<int>(kFirstSlotTab);
    if ((lParam >= 0 && lParam <= static_cast<platform::LParam>(ProfileAction::Delete)) ||
        lParam == static_cast<platform::LParam>(ProfileAction::Games)) {
      Schedule(static_cast<int>(lParam), slot);
    }
    return 0;
  }
  if (message == kComboResult) {
    // lParam: list position 0..4 of a profile entry, or 5 for the add entry.
    const GlobalSettings& settings = m_services->Settings();
    if (lParam >= 0 && lParam < 5) {
      const int position = static_cast<int>(lParam);
      if (position < settings.ShowCount()) SwitchTo(settings.ShowList(position));
    } else if (lParam == 5) {
      Schedule(static_cast<int>(AddActionFor(settings)), -1);
    }
    return 0;
  }
  if (message == kComboClosed) {
    // The header menu lost activation (a click elsewhere): it closes.
    m_dialog->ClosePopup(CComboProfilePopup::kKind);
    return 0;
  }
  if (message == kComboMessage && (lParam == Notify::kEntered || lParam == Notify::kLeft)) {
    // The combo is no button field: its number (past 14) lights nothing but clears the
    // highlight, as the pointer leaves the fields for it.
    const int number = static_cast<int>(wParam) - static_cast<int>(kFirstButtonField) + 1;
    if (m_highlight) m_highlight->Highlight(lParam == Notify::kEntered ? number : 0);
    return 0;
  }
  if (lParam != Notify::kClicked) return 0;
  const int current = m_services->Settings().CurrentProfileIndex();
  switch (message) {
    case kComboMessage:
    case kListButton:
      if (m_headerMenu) m_headerMenu(message == kListButton ? kListButton : kProfileCombo, -1);
      break;
    case kAddButton:
      Add();
      break;
    case kRenameButton:
      Rename(current);
      break;
    case kExportButton:
      Export(current);
      break;
    case kImportButton:
      Import(current);
      break;
    default:
      break;
  }
  return 0;
}

void ProfileBar::Schedule(int action, int slot) {
  m_services->RunAfterMenuClosed(ViewServices::kTimerProfileAction,
                                 [this, action, slot] { RunAction(action, slot); });
}

void ProfileBar::RunAction(int action, int slot) {
  switch (static_cast<ProfileAction>(action)) {
    case ProfileAction::Import:
      Import(slot);
      break;
    case ProfileAction::Export:
      Export(slot);
      break;
    case ProfileAction::Rename:
      Rename(slot);
      break;
    case ProfileAction::Delete:
      Delete(slot);
      break;
    case ProfileAction::Add:
      Add();
      break;
    case ProfileAction::NoFreeSlot:
      (void)m_services->ShowMessage(kMsgNoFreeSlot, ViewServices::Box::Modal);
      break;
    case ProfileAction::Games:
      if (m_services->Profiles().At(slot)) (void)CGamesDlg(*m_services, slot).DoModal();
      break;
  }
}

void ProfileBar::SwitchTo(int slot) {
  const SwitchMarks marks = SwitchProfile(m_services->Settings(), slot);
  m_services->RefreshPage();
  if (marks.keys) m_services->MarkPending(ViewServices::Group::Keys);
  if (marks.dpi) m_services->MarkPending(ViewServices::Group::Dpi);
}

void ProfileBar::AfterProfileOperation(int message) {
  if (message == kMsgSaveFailed) {
    // Tried again by the main window, which tells a failed save once and keeps it pending.
    m_services->SaveNow();
  } else if (message != 0) {
    (void)m_services->ShowMessage(message, ViewServices::Box::Modal);
  }
  m_services->RefreshPage();
}

void ProfileBar::Add() {
  GlobalSettings& settings = m_services->Settings();
  if (int refused = CheckAddProfile(settings)) {
    (void)m_services->ShowMessage(refused, ViewServices::Box::Modal);
    return;
  }
  if (!m_nameDialog) return;
  ProfileStore& store = m_services->Profiles();
  const auto name = m_nameDialog(
      true, u"", [](std::u16string_view text) { return text.empty() ? kMsgEmptyName : 0; });
  if (!name) return;
  AfterProfileOperation(AddProfile(settings, store, *name));
}

void ProfileBar::Rename(int slot) {
  ProfileStore& store = m_services->Profiles();
  const ProfileSettings* profile = store.At(slot);
  if (!profile || !m_nameDialog) return;
  const auto name = m_nameDialog(false, profile->ProfileName(), [](std::u16string_view text) {
    return text.empty() ? kMsgEmptyName : 0;
  });
  if (!name) return;
  AfterProfileOperation(RenameProfile(m_services->Settings(), store, slot, *name));
}

void ProfileBar::Delete(int slot) {
  AfterProfileOperation(DeleteProfile(m_services->Settings(), m_services->Profiles(), slot));
}

void ProfileBar::Import(int slot) {
  if (!m_services->Profiles().At(slot)) return;
  platform::FileDialogDesc desc;
  desc.owner = m_dialog->GetSafeHwnd();
  desc.title = LangText(kImportTitle);
  desc.defaultExtension = kExtension;
  desc.filter = kFilter;
  desc.mustExist = true;
  const auto path = platform::ShellServices().OpenFileDialog(desc);
  if (!path) return;
  AfterProfileOperation(ImportProfile(m_services->Settings(), m_services->Profiles(), slot, *path));
}

void ProfileBar::Export(int slot) {
  if (!m_services->Profiles().At(slot)) return;
  // What the page shows is what goes into the file.
  if (slot == m_services->Settings().CurrentProfileIndex()) m_services->CollectPage();
  platform::FileDialogDesc desc;
  desc.owner = m_dialog->GetSafeHwnd();
  desc.title = LangText(kExportTitle);
  desc.defaultExtension = kExtension;
  desc.filter = kFilter;
  desc.overwritePrompt = true;
  const auto path = platform::ShellServices().SaveFileDialog(desc);
  if (!path) return;
  // A file the user asked for that was not written must not look like one that was.
  if (!ExportProfile(m_services->Profiles(), slot, *path)) {
    (void)m_services->ShowMessage(kExportFailed, ViewServices::Box::Modal);
  }
}

void ProfileBar::OpenMenu(std::unique_ptr<CMenuPopup> menu, uint32_t anchorId, uint32_t message) {
  const CControlBase* anchor = m_dialog->GetControl(anchorId);
  if (!anchor) return;
  auto& windows = platform::Windows();
  const platform::WindowId w = m_dialog->GetSafeHwnd();
  // Placed on screen below the control (above it near the bottom edge), then given back in
  // the window's client coordinates as OpenPopup takes them.
  const platform::Point origin = windows.ScreenToClient(w, {0, 0});
  const platform::Rect anchorOnScreen = anchor->m_rc.Offset(-origin.x, -origin.y);
  const platform::Rect onScreen =
      CMenuPopup::PlaceBelow(anchorOnScreen, menu->MeasureSize(), windows.WorkArea());
  const int slot = menu->Kind();
  m_dialog->OpenPopup(slot, std::move(menu), onScreen.Offset(origin.x, origin.y), message,
                      anchorId);
}
