#include "views/macros/BulletManagerDlg.h"

#include "base/Format.h"
#include "base/Language.h"
#include "device/MacroDownload.h"
#include "keys/ButtonFunctionCode.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "macros/editing/ActionEdits.h"
#include "macros/editing/BulletRules.h"
#include "macros/editing/LibraryEdits.h"
#include "macros/editing/LibraryKind.h"
#include "platform/Platform.h"
#include "profiles/ProfileSettings.h"
#include "ui/BulletNumberButton.h"
#include "ui/CheckButton.h"
#include "ui/ComboButton.h"
#include "ui/DialogParts.h"
#include "ui/HScrollBar.h"
#include "ui/ImageButton.h"
#include "ui/MenuPopup.h"
#include "ui/RadioButton.h"
#include "ui/SharedSelection.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "ui/VScrollBar.h"
#include "views/ViewServices.h"
#include "views/macros/ActionBulletXYModifyDlg.h"
#include "views/macros/ActionTimeModifyDlg.h"
#include "views/macros/DigitsEdit.h"
#include "views/macros/EditShowList.h"
#include "views/macros/LibraryTransfer.h"
#include "views/macros/MacroKeyOrFolderNameDlg.h"
#include "views/macros/MacroKeyRenameDlg.h"
#include "views/macros/MacroListPopup.h"
#include "views/macros/MacroTexts.h"
#include "views/macros/MacroWindows.h"
#include "views/macros/ShootingActionList.h"

namespace {

namespace text = macros::text;
using macros::editing::EntryKind;
using macros::editing::kShootingLibrary;

platform::Rect ScaledRect(int l, int t, int r, int b) {
  return {ui::Scaled(l), ui::Scaled(t), ui::Scaled(r), ui::Scaled(b)};
}

}  // namespace

CBulletManagerDlg::CBulletManagerDlg(platform::WindowId parent, ViewServices& services,
                                     MacroLibrary& library, LibraryLocation& selection,
                                     MacroLibrary& scratch)
    : CLibraryManagerDlg(parent, services, library, selection, scratch, kShootingLibrary) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

CBulletManagerDlg::~CBulletManagerDlg() = default;

void CBulletManagerDlg::InitUI(const platform::Rect&) {
  const platform::WindowId hWnd = GetSafeHwnd();
  m_library.CloseAllFolders();

  auto label = [&](uint32_t id, platform::Rect rc, int textNumber, bool shown = true,
                   platform::Colour colour = ui::kLabelColour) {
    AddControl(0, std::make_unique<CStaticText>(hWnd, id, rc, colour,
                                                platform::dt::kLeft | platform::dt::kVCenter,
                                                LangText(textNumber), Visibility{.show = shown}));
  };
  auto button = [&](uint32_t id, platform::Rect rc, int textNumber, bool shown = true) {
    auto* b = AddControl(0, std::make_unique<CImageButton>(hWnd, id, rc, LangText(textNumber),
                                                           ControlOptions{.show = shown}));
    b->SetImageNormal(ui::SkinPath(u"button1_nr.png"));
    b->SetImageHover(ui::SkinPath(u"button1_ov.png"));
    return b;
  };
  auto radio = [&](uint32_t id, platform::Rect rc, bool shown = true) {
    auto* r = AddControl(
        0, std::make_unique<CRadioButton>(hWnd, id, rc, u"", ControlOptions{.show = shown}));
    r->SetImageNormal(ui::SkinPath(u"radio_nr.png"));
    r->SetImageHover(ui::SkinPath(u"radio_ov.png"));
    r->SetImageDown(ui::SkinPath(u"radio_dn.png"));
  };

  auto* close = AddControl(
      0, std::make_unique<CImageButton>(hWnd, kCloseButton, ScaledRect(738, 7, 753, 22), u""));
  close->SetImageNormal(ui::SkinPath(u"exit_nr.png"));
  close->SetImageHover(ui::SkinPath(u"exit_ov.png"));
  label(kTitleLabel, ScaledRect(24, 4, 400, 28), kShootingLibrary.titleText, true,
        ui::kTitleColour);

  // The library.
  label(kLibraryLabel, ScaledRect(20, 40, 262, 60), kShootingLibrary.libraryHeaderText);
  m_pLibrary = AddControl(
      0, std::make_unique<CEditShowList>(hWnd, kLibraryList, ScaledRect(20, 64, 248, 444),
                                         m_library, m_selection, kShootingLibrary.itemIcon));
  auto* libraryBar = AddControl(
      0, std::make_unique<CVScrollBar>(hWnd, kLibraryScroll, ScaledRect(250, 64, 262, 444)));
  m_pLibrary->SetScrollBar(libraryBar);
  button(kNewButton, ScaledRect(20, 452, 140, 478), 200);
  button(kDeleteButton, ScaledRect(142, 452, 262, 478), 202);

  // The bullets.
  label(kActionLabel, ScaledRect(290, 40, 740, 60), kShootingLibrary.actionHeaderText);
  m_pActionList = AddControl(
      0, std::make_unique<CShootingActionList>(hWnd, kActionList, ScaledRect(290, 64, 740, 196)));
  auto* actionBar =
      AddControl(0, std::make_unique<CHScrollBar>(hWnd, ScaledRect(290, 200, 740, 212)));
  m_pActionList->AttachScrollBar(actionBar);
  label(kBulletLabel, ScaledRect(290, 228, 400, 252), text::kBulletCount);
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
                                               u"", true, ControlOptions{.show = false}));
  label(kRecordDelaysLabel, ScaledRect(312, 356, 500, 378), 193, false);
  auto* record = AddControl(
      0, std::make_unique<CCheckButton>(hWnd, kRecordButton, ScaledRect(290, 390, 410, 416),
                                        LangText(198), false, ControlOptions{.show = false}));
  record->SetTexts(LangText(198), LangText(199));
  AddControl(0, std::make_unique<CComboButton>(hWnd, kInsertDropDown,
                                               ScaledRect(420, 390, 540, 416), kInsertDropDown,
                                               LangText(197), u"", ControlOptions{.show = false}));
  label(kInsertLabel, ScaledRect(420, 360, 540, 380), 197, false);
  button(kDeleteAction, ScaledRect(550, 390, 670, 416), 202, false);
  AddControl(0, std::make_unique<CVScrollBar>(hWnd, kActionScrollV, ScaledRect(742, 64, 754, 196),
                                              Visibility{.show = false}));
  for (uint32_t id : {kRecordDelays, kRecordButton, kInsertDropDown, kActionScrollV}) {
    if (CControlBase* c = GetControl(id)) c->SetShow(false);
  }

  SetFrameBitmapFile(ui::SkinPath(u"Frame_manager.bmp"));
  m_pLibrary->Reload();
  m_pLibrary->ShowSelection();
  LoadSelection();
}

void CBulletManagerDlg::LoadSelection() {
  if (m_pActionList) m_pActionList->SetRecord(CurrentMacro());
  ShowLoop();
  ShowBulletCount();
}

void CBulletManagerDlg::ShowLoop() {
  const RadioGroupBits bits = RadioBitsOf(kLoopHeld);
  g_nRadioFlags &= ~bits.group;
  const MacroRecord* record = CurrentMacro();
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
  const MacroRecord* record = CurrentMacro();
  m_pBulletCount->SetTitle(record ? base::Format(u"%u", bullets::BulletCount(*record)) : u"");
}

std::vector<std::pair<int, int>> CBulletManagerDlg::MenuItems() const {
  std::vector<std::pair<int, int>> items;
  for (const int item : macros::editing::ContextMenuItems(m_library, m_selection)) {
    items.emplace_back(CMacroListPopup::kFirstText + item, item);
  }
  return items;
}

void CBulletManagerDlg::OpenContextMenu() {
  auto menu = std::make_unique<CMacroListPopup>(m_library, m_selection);
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
    LoadSelection();
  }
  if (lParam == Notify::kRightClicked) OpenContextMenu();
}

void CBulletManagerDlg::OnBulletCount(platform::LParam lParam) {
  MacroRecord* record = CurrentMacro();
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

void CBulletManagerDlg::SetLoopType(uint8_t type) {
  MacroRecord* record = CurrentMacro();
  if (record) record->MacroKeyLoopType = type;
  ShowLoop();  // no entry: every radio stays unchecked
  if (record && type == 2 && m_pLoopEdit) {
    m_pLoopEdit->SelectAll();
    SetFocusControl(m_pLoopEdit);
  }
}

void CBulletManagerDlg::OnLoopCountEdit() {
  MacroRecord* record = CurrentMacro();
  if (!record || !m_pLoopEdit || record->MacroKeyLoopType != 2) return;
  const macros::editing::LoopCountEdit edit =
      macros::editing::ParseLoopCount(m_pLoopEdit->GetText());
  record->MacroKeyLoopNum = edit.value;
  if (edit.replacement) m_pLoopEdit->SetText(*edit.replacement);
}

void CBulletManagerDlg::ModifySelectedAction() {
  MacroRecord* record = CurrentMacro();
  if (!record || !m_pActionList) return;
  const int position = m_pActionList->SelectedAction();
  if (position < 0 || static_cast<uint32_t>(position) >= record->MacroActionNum) return;
  const MacroAction action = record->GetAction(static_cast<uint32_t>(position));
  if (action.IsDelay()) {
    CActionTimeModifyDlg dlg(GetSafeHwnd(), action.DelayMs(), [this](int t) { Show(t); });
    if (dlg.DoModal() == kIdOk) {
      (void)record->SetAction(static_cast<uint32_t>(position),
                              macros::editing::EditedDelay(dlg.Milliseconds()));
    }
  } else if (bullets::IsCursor(action)) {
    CActionBulletXYModifyDlg dlg(GetSafeHwnd(), action);
    if (dlg.DoModal() == kIdOk)
      (void)record->SetAction(static_cast<uint32_t>(position), dlg.Action());
  } else {
    return;
  }
  m_pActionList->Reload();
}

void CBulletManagerDlg::RunCommand(int command) {
  switch (command) {
    case kCmdNew:
      return NewEntry(false);
    case kCmdNewFolder:
      return NewEntry(true);
    case kCmdExport:
      return ExportEntries(true);
    case kCmdImport:
      return ImportEntries(true);
    case kCmdRename:
      return RenameEntry();
    case kCmdDelete:
      return DeleteEntry();
    case kCmdImportEntries:
      return ImportEntries(false);
    case kCmdExportEntries:
      return ExportEntries(false);
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
      if (m_pLibrary) m_pLibrary->OnScrollNotice(wParam, lParam);
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
        SetLoopType(message == kLoopHeld ? 1 : 2);
        return done();
      }
      break;
    case kLoopCountEdit:
      if (lParam == CDigitsEdit::kRefusedCharacter) {
        Show(text::kDigitsOnly);
      } else if (lParam == Notify::kValueChanged) {
        OnLoopCountEdit();
      }
      return done();
    case kMenuResult:
      m_pendingCommand = static_cast<int>(lParam);
      InvalidateRect(nullptr);
      return done();
    case kMenuClosed:
      // Clicked away: the menu goes, as the macro manager's does.
      ClosePopup(kMenuSlot);
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
  // Reading the old file back would throw the edits away: they are kept, and the user told.
  if (!dlg.Saved()) (void)services.ShowMessage(text::kShootingNotSaved, ViewServices::Box::Modal);
  AfterManagerClosed(services, library, dlg.Saved(), kShootingLibrary.functionType);
}

void RunBulletManager(ViewServices& services) {
  RunBulletManager(services, g_bulletLibrary, g_librarySelection, g_scratchLibrary);
}
