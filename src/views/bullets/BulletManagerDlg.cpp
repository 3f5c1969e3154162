#include "views/bullets/BulletManagerDlg.h"

#include <algorithm>

#include "base/Format.h"
#include "base/Language.h"
#include "device/MacroDownload.h"
#include "keys/ButtonFunctionCode.h"
#include "macros/MacroExport.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "macros/bullets/BulletRules.h"
#include "platform/Platform.h"
#include "profiles/ProfileSettings.h"
#include "ui/BulletNumberButton.h"
#include "ui/CheckButton.h"
#include "ui/ComboButton.h"
#include "ui/HScrollBar.h"
#include "ui/ImageButton.h"
#include "ui/MenuPopup.h"
#include "ui/RadioButton.h"
#include "ui/SharedSelection.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "ui/VScrollBar.h"
#include "views/ViewServices.h"
#include "views/bullets/ActionBulletXYModifyDlg.h"
#include "views/bullets/BulletDelayDlg.h"
#include "views/bullets/BulletLibraryList.h"
#include "views/bullets/BulletTexts.h"
#include "views/bullets/DigitsEdit.h"
#include "views/bullets/ShootingActionList.h"
#include "views/profiles/ProfileNameDlg.h"

namespace {

namespace text = bullets::text;
using bullets::view_text::kConfirmDelete;
using bullets::view_text::kDigitsOnly;

constexpr platform::Colour kTitleColour = 0xFE9252;
constexpr platform::Colour kLabelColour = 0xB4B4B4;

platform::Rect ScaledRect(int l, int t, int r, int b) {
  return {ui::Scaled(l), ui::Scaled(t), ui::Scaled(r), ui::Scaled(b)};
}

// Context menu rows: text, command, and for which selections the row is offered.
struct MenuRowDef {
  int text;
  int command;
  bool none;
  bool macro;
  bool folder;
};
constexpr MenuRowDef kMenuRows[] = {
    {245, CBulletManagerDlg::kCmdNew, true, true, true},
    {246, CBulletManagerDlg::kCmdNewFolder, true, true, true},
    {247, CBulletManagerDlg::kCmdExport, false, true, false},
    {248, CBulletManagerDlg::kCmdImport, true, true, true},
    {249, CBulletManagerDlg::kCmdRename, false, true, true},
    {250, CBulletManagerDlg::kCmdDelete, false, true, true},
    {251, CBulletManagerDlg::kCmdImportEntries, true, true, true},
    {252, CBulletManagerDlg::kCmdExportEntries, true, true, true},
};

constexpr std::u16string_view kMacroFilter = u"mkf file(*.mkf)|*.mkf||";
constexpr std::u16string_view kEntriesFilter = u"mbf file(*.mbf)|*.mbf||";

}  // namespace

CBulletManagerDlg::CBulletManagerDlg(platform::WindowId parent, ViewServices& services,
                                     MacroLibrary& library, LibraryLocation& selection,
                                     MacroLibrary& scratch)
    : CDlgBase(kDialogTemplate, parent),
      m_services(services),
      m_library(library),
      m_selection(selection),
      m_scratch(scratch),
      m_editor(library, selection) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

CBulletManagerDlg::~CBulletManagerDlg() = default;

void CBulletManagerDlg::InitUI(const platform::Rect&) {
  const platform::WindowId hWnd = GetSafeHwnd();
  m_library.CloseAllFolders();

  auto label = [&](uint32_t id, platform::Rect rc, int textNumber, bool shown = true,
                   platform::Colour colour = kLabelColour) {
    AddControl(0, std::make_unique<CStaticText>(hWnd, id, rc, colour,
                                                platform::dt::kLeft | platform::dt::kVCenter,
                                                LangText(textNumber), true, shown));
  };
  auto button = [&](uint32_t id, platform::Rect rc, int textNumber, bool shown = true) {
    auto* b = AddControl(
        0, std::make_unique<CImageButton>(hWnd, id, rc, LangText(textNumber), true, shown));
    b->SetImageNormal(ui::SkinPath(u"button1_nr.png"));
    b->SetImageHover(ui::SkinPath(u"button1_ov.png"));
    return b;
  };
  auto radio = [&](uint32_t id, platform::Rect rc, bool shown = true) {
    auto* r = AddControl(0, std::make_unique<CRadioButton>(hWnd, id, rc, u"", true, shown));
    r->SetImageNormal(ui::SkinPath(u"radio_nr.png"));
    r->SetImageHover(ui::SkinPath(u"radio_ov.png"));
    r->SetImageDown(ui::SkinPath(u"radio_dn.png"));
  };

  auto* close = AddControl(
      0, std::make_unique<CImageButton>(hWnd, kCloseButton, ScaledRect(738, 7, 753, 22), u""));
  close->SetImageNormal(ui::SkinPath(u"exit_nr.png"));
  close->SetImageHover(ui::SkinPath(u"exit_ov.png"));
  label(kTitleLabel, ScaledRect(24, 4, 400, 28), bullets::view_text::kTitle, true, kTitleColour);

  // The library.
  label(kLibraryLabel, ScaledRect(20, 40, 262, 60), bullets::view_text::kLibraryHeading);
  m_pLibraryList =
      AddControl(0, std::make_unique<CBulletLibraryList>(
                        hWnd, kLibraryList, ScaledRect(20, 64, 248, 444), m_library, m_selection));
  auto* libraryBar = AddControl(
      0, std::make_unique<CVScrollBar>(hWnd, kLibraryScroll, ScaledRect(250, 64, 262, 444)));
  m_pLibraryList->AttachScrollBar(libraryBar);
  button(kNewButton, ScaledRect(20, 452, 140, 478), 200);
  button(kDeleteButton, ScaledRect(142, 452, 262, 478), 202);

  // The bullets.
  label(kActionLabel, ScaledRect(290, 40, 740, 60), bullets::view_text::kActionHeading);
  m_pActionList = AddControl(
      0, std::make_unique<CShootingActionList>(hWnd, kActionList, ScaledRect(290, 64, 740, 196)));
  auto* actionBar =
      AddControl(0, std::make_unique<CHScrollBar>(hWnd, ScaledRect(290, 200, 740, 212)));
  m_pActionList->AttachScrollBar(actionBar);
  label(kBulletLabel, ScaledRect(290, 228, 400, 252), bullets::view_text::kBulletCount);
  m_pBulletCount = AddControl(0, std::make_unique<CBulletNumberButton>(
                                     hWnd, kBulletCount, ScaledRect(404, 228, 494, 252), u"",
                                     platform::Rect{0, 0, 24, 24}, platform::Rect{66, 0, 90, 24}));
  m_pBulletCount->SetImageNormal(ui::SkinPath(u"bullet_number_nr.png"));
  m_pBulletCount->SetImageFirst(ui::SkinPath(u"bullet_number_minus.png"));
  m_pBulletCount->SetImageSecond(ui::SkinPath(u"bullet_number_plus.png"));
  button(kModifyButton, ScaledRect(620, 227, 740, 253), 201);

  // How the mouse repeats it: held (1) or a number of times (2); toggling (4) is not offered.
  radio(kLoopHeld, ScaledRect(290, 283, 304, 297));
  label(kHeldLabel, ScaledRect(312, 278, 600, 302), 194);
  radio(kLoopToggle, ScaledRect(290, 313, 304, 327), false);
  label(kToggleLabel, ScaledRect(312, 308, 600, 332), 195, false);
  radio(kLoopCount, ScaledRect(290, 313, 304, 327));
  label(kCountLabel, ScaledRect(312, 308, 460, 332), 196);
  m_pLoopEdit = AddControl(
      0, std::make_unique<CDigitsEdit>(hWnd, kLoopCountEdit, ScaledRect(470, 309, 560, 331)));
  m_pLoopEdit->LoadDefaultImages();
  m_pLoopEdit->SetMaxLength(3);

  // What the macro manager has and a shooting action must not reach.
  AddControl(0, std::make_unique<CCheckButton>(hWnd, kRecordDelays, ScaledRect(290, 360, 304, 374),
                                               u"", true, true, false));
  label(kRecordDelaysLabel, ScaledRect(312, 356, 500, 378), 193, false);
  auto* record = AddControl(
      0, std::make_unique<CCheckButton>(hWnd, kRecordButton, ScaledRect(290, 390, 410, 416),
                                        LangText(198), false, true, false));
  record->SetTexts(LangText(198), LangText(199));
  AddControl(0,
             std::make_unique<CComboButton>(hWnd, kInsertDropDown, ScaledRect(420, 390, 540, 416),
                                            kInsertDropDown, LangText(197), u"", true, false));
  label(kInsertLabel, ScaledRect(420, 360, 540, 380), 197, false);
  button(kDeleteAction, ScaledRect(550, 390, 670, 416), 202, false);
  AddControl(0, std::make_unique<CVScrollBar>(hWnd, kActionScrollV, ScaledRect(742, 64, 754, 196),
                                              true, false));
  for (uint32_t id : {kRecordDelays, kRecordButton, kInsertDropDown, kActionScrollV}) {
    if (CControlBase* c = GetControl(id)) c->SetShow(false);
  }

  SetFrameBitmapFile(ui::SkinPath(u"Frame_manager.bmp"));
  m_pLibraryList->ScrollTo(m_selection);
  LoadCurrent();
}

void CBulletManagerDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  DrawControls(canvas, client);
}

void CBulletManagerDlg::Show(int textNumber) {
  (void)m_services.ShowMessage(textNumber, ViewServices::Box::Modal);
}

void CBulletManagerDlg::LoadCurrent() {
  if (m_pActionList) m_pActionList->SetRecord(m_editor.Current());
  ShowLoop();
  ShowBulletCount();
}

void CBulletManagerDlg::ShowLoop() {
  const RadioGroupBits bits = RadioBitsOf(kLoopHeld);
  g_nRadioFlags &= ~bits.group;
  const MacroRecord* record = m_editor.Current();
  bool showCount = false;
  if (record) {
    switch (record->MacroKeyLoopType) {
      case 1:
        g_nRadioFlags |= RadioBitsOf(kLoopHeld).own;
        break;
      case 4:
        // Only from a file: neither visible radio is checked, the type stays until changed.
        g_nRadioFlags |= RadioBitsOf(kLoopToggle).own;
        break;
      case 2:
        g_nRadioFlags |= RadioBitsOf(kLoopCount).own;
        showCount = true;
        break;
      default:
        break;
    }
  }
  if (m_pLoopEdit) {
    m_pLoopEdit->SetShow(showCount);
    if (showCount) {
      m_pLoopEdit->SetText(base::Format(u"%u", record->MacroKeyLoopNum));
    }
  }
  InvalidateRect(nullptr);
}

void CBulletManagerDlg::ShowBulletCount() {
  if (!m_pBulletCount) return;
  const MacroRecord* record = m_editor.Current();
  m_pBulletCount->SetTitle(record ? base::Format(u"%u", bullets::BulletCount(*record)) : u"");
}

void CBulletManagerDlg::ReloadLists() {
  if (m_pLibraryList) m_pLibraryList->ScrollTo(m_selection);
  LoadCurrent();
}

std::vector<std::pair<int, int>> CBulletManagerDlg::MenuItems() const {
  const LibraryEntry* entry = m_library.EntryAt(m_selection);
  std::vector<std::pair<int, int>> items;
  for (const MenuRowDef& row : kMenuRows) {
    const bool offered = !entry ? row.none : entry->IsFolder() ? row.folder : row.macro;
    if (offered) items.emplace_back(row.text, row.command);
  }
  return items;
}

void CBulletManagerDlg::OpenContextMenu() {
  std::vector<MenuItem> items;
  for (const auto& [textNumber, command] : MenuItems()) {
    items.push_back({LangText(textNumber), command});
  }
  auto menu = std::make_unique<CMenuPopup>(kMenuKind, std::move(items));
  auto& windows = platform::Windows();
  const platform::Point cursor = windows.CursorPos();
  const platform::Rect screen = CMenuPopup::PlaceBelow(
      {cursor.x, cursor.y, cursor.x + 1, cursor.y + 1}, menu->MeasureSize(), windows.WorkArea());
  const platform::Rect window = windows.WindowRect(GetSafeHwnd());
  OpenPopup(kMenuSlot, std::move(menu), screen.Offset(-window.left, -window.top), kMenuResult,
            kLibraryList);
}

void CBulletManagerDlg::OnLibraryList(platform::WParam, platform::LParam lParam) {
  if (lParam == Notify::kClicked || lParam == Notify::kDoubleClicked ||
      lParam == Notify::kRightClicked) {
    LoadCurrent();
  }
  if (lParam == Notify::kRightClicked) OpenContextMenu();
}

void CBulletManagerDlg::OnBulletCount(platform::LParam lParam) {
  MacroRecord* record = m_editor.Current();
  if (!record || !m_pActionList) return;
  if (lParam == CBulletNumberButton::kPressedSecond) {
    const int last = bullets::AddBullet(*record);
    if (last < 0) return;
    m_pActionList->Reload();
    m_pActionList->SelectAction(last);
  } else if (lParam == CBulletNumberButton::kPressedFirst) {
    if (!bullets::RemoveBullet(*record)) return;
    m_pActionList->Reload();
  } else {
    return;
  }
  ShowBulletCount();
}

void CBulletManagerDlg::OnLoopCountEdit() {
  MacroRecord* record = m_editor.Current();
  if (!record || !m_pLoopEdit || record->MacroKeyLoopType != 2) return;
  const uint64_t typed = CDigitsEdit::ParseDigits(m_pLoopEdit->GetText());
  (void)m_editor.SetLoopCount(typed);
  if (typed != record->MacroKeyLoopNum) {
    m_pLoopEdit->SetText(base::Format(u"%u", record->MacroKeyLoopNum));
  }
}

void CBulletManagerDlg::ModifySelectedAction() {
  MacroRecord* record = m_editor.Current();
  if (!record || !m_pActionList) return;
  const int position = m_pActionList->SelectedAction();
  if (position < 0 || static_cast<uint32_t>(position) >= record->MacroActionNum) return;
  const MacroAction action = record->GetAction(static_cast<uint32_t>(position));
  if (action.IsDelay()) {
    CBulletDelayDlg dlg(GetSafeHwnd(), action, [this](int t) { Show(t); });
    if (dlg.DoModal() == kIdOk)
      (void)record->SetAction(static_cast<uint32_t>(position), dlg.Action());
  } else if (bullets::IsCursor(action)) {
    CActionBulletXYModifyDlg dlg(GetSafeHwnd(), action);
    if (dlg.DoModal() == kIdOk)
      (void)record->SetAction(static_cast<uint32_t>(position), dlg.Action());
  } else {
    return;
  }
  m_pActionList->Reload();
}

void CBulletManagerDlg::NewEntry(bool folder) {
  const auto check = [](std::u16string_view name) { return name.empty() ? text::kEnterName : 0; };
  CProfileNameDlg dlg(
      GetSafeHwnd(), u"",
      LangText(folder ? bullets::view_text::kNewFolderTitle : bullets::view_text::kNewEntryTitle),
      check, [this](int t) { Show(t); });
  if (dlg.DoModal() != kIdOk) return;
  ShowIf(folder ? m_editor.NewFolder(dlg.Name()) : m_editor.NewShootingAction(dlg.Name()));
  ReloadLists();
}

void CBulletManagerDlg::RenameEntry() {
  const LibraryEntry* entry = m_editor.SelectedEntry();
  if (!entry) return Show(text::kSelectEntry);
  const auto check = [this](std::u16string_view name) { return m_editor.CheckRename(name); };
  CProfileNameDlg dlg(GetSafeHwnd(), entry->name, LangText(bullets::view_text::kRenameTitle), check,
                      [this](int t) { Show(t); });
  if (dlg.DoModal() != kIdOk) return;
  ShowIf(m_editor.Rename(dlg.Name()));
  ReloadLists();
}

void CBulletManagerDlg::DeleteEntry() {
  if (const int refused = m_editor.CheckSelected()) return Show(refused);
  if (m_services.ShowMessage(kConfirmDelete, ViewServices::Box::Modal) != kIdOk) return;
  std::vector<bullets::AssignedButton> buttons;
  for (const ButtonSlot& button : m_services.CurrentProfile().buttons) {
    buttons.push_back({button.KeyValue[0], button.MacroKeyIndex});
  }
  ShowIf(m_editor.Delete(buttons));
  ReloadLists();
}

void CBulletManagerDlg::ExportEntry(bool entries) {
  if (!entries) {
    const LibraryEntry* entry = m_editor.SelectedEntry();
    if (!entry || !entry->IsMacro()) return;
  }
  platform::FileDialogDesc desc;
  desc.owner = GetSafeHwnd();
  desc.title = LangText(entries ? bullets::view_text::kExportEntriesTitle
                                : bullets::view_text::kExportTitle);
  desc.defaultExtension = entries ? u"mbf" : u"mkf";
  desc.defaultName = entries ? macros::DefaultEntriesExportName(m_library, m_selection)
                             : macros::DefaultMacroExportName(m_library, m_selection);
  desc.filter = entries ? kEntriesFilter : kMacroFilter;
  desc.overwritePrompt = true;
  const std::optional<std::u16string> path = platform::ShellServices().SaveFileDialog(desc);
  if (!path) return;
  const bool written = entries ? macros::ExportEntries(*path, m_library, m_selection)
                               : macros::ExportMacro(*path, m_library, m_selection);
  if (!written) Show(bullets::view_text::kFileNotWritten);
}

void CBulletManagerDlg::ImportEntry(bool entries) {
  platform::FileDialogDesc desc;
  desc.owner = GetSafeHwnd();
  desc.title = LangText(entries ? bullets::view_text::kImportEntriesTitle
                                : bullets::view_text::kImportTitle);
  desc.defaultExtension = entries ? u"mbf" : u"mkf";
  desc.defaultName = entries ? u".mbf" : u".mkf";
  desc.filter = entries ? kEntriesFilter : kMacroFilter;
  desc.mustExist = true;
  const std::optional<std::u16string> path = platform::ShellServices().OpenFileDialog(desc);
  if (!path) return;
  const macros::ImportResult result =
      entries ? macros::ImportEntries(*path, m_library, m_scratch, m_selection)
              : macros::ImportMacro(*path, m_library, m_scratch, m_selection);
  switch (result) {
    case macros::ImportResult::Imported:
    case macros::ImportResult::GroupFull:
      break;
    case macros::ImportResult::NameExists:
      Show(text::kNameExists);
      break;
    case macros::ImportResult::NothingToImport:
    case macros::ImportResult::Unreadable:
      Show(bullets::view_text::kNothingToImport);
      break;
  }
  ReloadLists();
}

void CBulletManagerDlg::RunCommand(int command) {
  switch (command) {
    case kCmdNew:
      return NewEntry(false);
    case kCmdNewFolder:
      return NewEntry(true);
    case kCmdExport:
      return ExportEntry(false);
    case kCmdImport:
      return ImportEntry(false);
    case kCmdRename:
      return RenameEntry();
    case kCmdDelete:
      return DeleteEntry();
    case kCmdImportEntries:
      return ImportEntry(true);
    case kCmdExportEntries:
      return ExportEntry(true);
    default:
      return;
  }
}

void CBulletManagerDlg::Close() {
  m_selection = LibraryLocation::None();
  m_bSaved = SaveLibraryFile(m_library);
  ResetControls();
  EndDialog(kIdOk);
}

platform::LResult CBulletManagerDlg::OnMessage(platform::WindowId window, uint32_t message,
                                               platform::WParam wParam, platform::LParam lParam,
                                               bool& handled) {
  if (message == platform::msg::kPaint) {
    // Menu choices run once the menu has gone and the window has repainted.
    const platform::LResult result = CDlgBase::OnMessage(window, message, wParam, lParam, handled);
    if (m_pendingCommand) {
      const int command = *m_pendingCommand;
      m_pendingCommand.reset();
      RunCommand(command);
    }
    return result;
  }
  if (message == platform::msg::kClose) {
    // Closed from outside (the program is ending): the edits are saved all the same.
    handled = true;
    Close();
    return 0;
  }
  auto done = [&handled]() {
    handled = true;
    return platform::LResult{0};
  };
  switch (message) {
    case kCloseButton:
      if (lParam == Notify::kClicked) {
        Close();
        return done();
      }
      break;
    case kNewButton:
      if (lParam == Notify::kClicked) {
        NewEntry(false);
        return done();
      }
      break;
    case kDeleteButton:
      if (lParam == Notify::kClicked) {
        DeleteEntry();
        return done();
      }
      break;
    case kLibraryList:
      OnLibraryList(wParam, lParam);
      return done();
    case kLibraryScroll:
      if (m_pLibraryList) m_pLibraryList->OnScrollBar(wParam, lParam);
      return done();
    case kActionScroll:
      if (m_pActionList) m_pActionList->OnScrollBar(wParam, lParam);
      return done();
    case kActionList:
      if (lParam == Notify::kDoubleClicked) ModifySelectedAction();
      return done();
    case kModifyButton:
      if (lParam == Notify::kClicked) {
        ModifySelectedAction();
        return done();
      }
      break;
    case kBulletCount:
      OnBulletCount(lParam);
      return done();
    case kLoopHeld:
    case kLoopCount:
      if (lParam == Notify::kClicked) {
        if (!m_editor.SetLoopType(message == kLoopHeld ? 1 : 2)) {
          ShowLoop();  // no entry: every radio stays unchecked
          return done();
        }
        ShowLoop();
        if (message == kLoopCount && m_pLoopEdit) {
          m_pLoopEdit->SelectAll();
          SetFocusControl(m_pLoopEdit);
        }
        return done();
      }
      break;
    case kLoopCountEdit:
      if (lParam == CDigitsEdit::kRefusedCharacter) {
        Show(kDigitsOnly);
      } else if (lParam == Notify::kValueChanged) {
        OnLoopCountEdit();
      }
      return done();
    case kMenuResult:
      m_pendingCommand = static_cast<int>(lParam);
      InvalidateRect(nullptr);
      return done();
    default:
      break;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}

void RunBulletManager(ViewServices& services, MacroLibrary& library, LibraryLocation& selection,
                      MacroLibrary& scratch) {
  services.Macros().MarkManagerOpened();
  CBulletManagerDlg dlg(services.MainDialog().GetSafeHwnd(), services, library, selection, scratch);
  (void)dlg.DoModal();
  if (dlg.Saved()) {
    (void)ReadLibraryFile(library);
  } else {
    // Reading the old file back would throw the edits away: keep them and say so.
    (void)services.ShowMessage(bullets::view_text::kLibraryNotSaved, ViewServices::Box::Modal);
  }
  const auto& buttons = services.CurrentProfile().buttons;
  const bool playsMacros = std::any_of(buttons.begin(), buttons.end(), [](const ButtonSlot& b) {
    return b.KeyValue[0] == ButtonFunctionCode::MacroFunction ||
           b.KeyValue[0] == ButtonFunctionCode::ShootingFunction;
  });
  if (playsMacros) {
    services.Macros().MarkManagerOpened();
    services.MarkPending(ViewServices::Group::Keys);
    services.WriteNow();
  }
  services.RefreshPage();
}

void RunBulletManager(ViewServices& services) {
  RunBulletManager(services, g_bulletLibrary, g_librarySelection, g_scratchLibrary);
}
