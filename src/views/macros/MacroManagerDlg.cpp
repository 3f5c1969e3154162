#include "views/macros/MacroManagerDlg.h"

#include <cstdlib>

#include "base/Format.h"
#include "base/Language.h"
#include "keys/ButtonFunctionCode.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "macros/editing/ActionEdits.h"
#include "macros/editing/EditingTexts.h"
#include "macros/editing/LibraryEdits.h"
#include "platform/KeyEventParam.h"
#include "platform/Platform.h"
#include "profiles/ProfileSettings.h"
#include "ui/CheckButton.h"
#include "ui/ComboButton.h"
#include "ui/DialogParts.h"
#include "ui/EditBox.h"
#include "ui/ImageButton.h"
#include "ui/RadioButton.h"
#include "ui/SharedSelection.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "ui/VScrollBar.h"
#include "views/ViewServices.h"
#include "views/macros/ActionKeyModifyDlg.h"
#include "views/macros/ActionTimeModifyDlg.h"
#include "views/macros/ActionXYModifyDlg.h"
#include "views/macros/ComboActionInsertPopup.h"
#include "views/macros/EditShowList.h"
#include "views/macros/ImageShowList.h"
#include "views/macros/LibraryTransfer.h"
#include "views/macros/MacroKeyOrFolderNameDlg.h"
#include "views/macros/MacroKeyRenameDlg.h"
#include "views/macros/MacroListPopup.h"
#include "views/macros/MacroTexts.h"

namespace {

namespace text = macros::text;
using macros::editing::EntryKind;

constexpr uint32_t kLabelFormat =
    platform::dt::kLeft | platform::dt::kVCenter | platform::dt::kSingleLine;
// Loop types of the three radios, in id order.
constexpr uint8_t kLoopTypes[3] = {1, 4, 2};
constexpr uint8_t kRepeatLoop = 2;

platform::Rect R(int l, int t, int r, int b) {
  return {ui::Scaled(l), ui::Scaled(t), ui::Scaled(r), ui::Scaled(b)};
}

}  // namespace

CMacroManagerDlg::CMacroManagerDlg(platform::WindowId parent, ViewServices& services,
                                   MacroLibrary& library, LibraryLocation& selection)
    : CLibraryManagerDlg(parent, services, library, selection, g_scratchLibrary,
                         macros::editing::kMacroLibrary) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
}

CMacroManagerDlg::~CMacroManagerDlg() {
  PauseHook();
}

void CMacroManagerDlg::InitUI(const platform::Rect&) {
  m_library.CloseAllFolders();
  const platform::WindowId w = GetSafeHwnd();
  auto label = [&](const platform::Rect& rc, int textNumber, platform::Colour colour) {
    AddControl(0, std::make_unique<CStaticText>(w, kLabel, rc, colour, kLabelFormat,
                                                LangText(textNumber)));
  };
  auto button = [&](uint32_t id, const platform::Rect& rc, int textNumber) {
    auto* b = AddControl(0, std::make_unique<CImageButton>(w, id, rc, LangText(textNumber)));
    b->SetImageNormal(ui::SkinPath(u"button1_nr.png"));
    b->SetImageHover(ui::SkinPath(u"button1_ov.png"));
    m_inputs.push_back(b);
  };

  m_inputs.push_back(AddTitleBar(kLabel, text::kMacroTitle));

  label(Place(kLibraryHeading), text::kMacroLibraryHeader, ui::kLabelColour);
  m_pLibrary = AddControl(0, std::make_unique<CEditShowList>(
                                 w, kLibraryList, Place(kLibraryListRect), m_library, m_selection));
  auto* libraryBar =
      AddControl(0, std::make_unique<CVScrollBar>(w, kLibraryBar, Place(kLibraryBarRect)));
  m_pLibrary->SetScrollBar(libraryBar);
  m_inputs.push_back(m_pLibrary);
  m_inputs.push_back(libraryBar);
  button(kNewButton, Place(kNewButtonRect), text::kNew);
  button(kDeleteEntryButton, Place(kDeleteButtonRect), text::kDelete);

  label(R(kEntryLeft, 40, 530, 60), text::kMacroActionHeader, ui::kLabelColour);
  m_pActions = AddControl(
      0, std::make_unique<CImageShowList>(w, kActionList, R(kEntryLeft, 64, 516, kListBottom)));
  auto* actionBar =
      AddControl(0, std::make_unique<CVScrollBar>(w, kActionBar, R(516, 64, 530, kListBottom)));
  m_pActions->SetScrollBar(actionBar);
  m_inputs.push_back(m_pActions);
  m_inputs.push_back(actionBar);
  button(kModifyButton, R(kEntryLeft, kButtonTop, 410, kButtonBottom), text::kModify);
  button(kDeleteActionButton, R(420, kButtonTop, 540, kButtonBottom), text::kDelete);

  m_pRecord =
      AddControl(0, std::make_unique<CCheckButton>(w, kRecordButton, R(560, 64, 710, 88), u""));
  m_pRecord->SetTexts(LangText(text::kRecord), LangText(text::kStop));
  m_pRecord->SetImageNormal(ui::SkinPath(u"button4_nr.png"));
  m_pRecord->SetImageHover(ui::SkinPath(u"button4_ov.png"));
  m_pRecordDelays = AddControl(
      0, std::make_unique<CCheckButton>(w, kRecordDelaysCheck, R(560, 107, 574, 121), u"", true));
  m_pRecordDelays->SetImageNormal(ui::SkinPath(u"check_nr.png"));
  m_pRecordDelays->SetImageHover(ui::SkinPath(u"check_ov.png"));
  m_pRecordDelays->SetImageDown(ui::SkinPath(u"check_dn.png"));
  m_inputs.push_back(m_pRecordDelays);
  label(R(580, 102, 745, 126), text::kRecordDelays, ui::kLabelColour);

  label(R(560, 140, 745, 160), text::kInsertHeader, ui::kLabelColour);
  auto* insert = AddControl(0, std::make_unique<CComboButton>(w, kInsertDrop, R(560, 164, 730, 188),
                                                              kInsertDropNotice, u"", u""));
  insert->SetImageNormal(ui::SkinPath(u"combo3_nr.png"));
  insert->SetImageHover(ui::SkinPath(u"combo3_ov.png"));

  for (int i = 0; i < 3; ++i) {
    const int top = 214 + i * 30;
    auto* radio =
        AddControl(0, std::make_unique<CRadioButton>(w, kLoopHeld + static_cast<uint32_t>(i),
                                                     R(560, top, 574, top + 14), u""));
    radio->SetImageNormal(ui::SkinPath(u"radio_nr.png"));
    radio->SetImageHover(ui::SkinPath(u"radio_ov.png"));
    radio->SetImageDown(ui::SkinPath(u"radio_dn.png"));
    m_loopRadios[static_cast<size_t>(i)] = radio;
    m_inputs.push_back(radio);
    label(R(580, top - 5, 745, top + 19), text::kLoopHeldLabel + i, ui::kLabelColour);
  }
  m_pLoopCount =
      AddControl(0, std::make_unique<CEditBox>(w, kLoopCountEdit, R(580, 300, 680, 324)));
  m_pLoopCount->LoadDefaultImages();
  m_pLoopCount->SetNumeric(0, 0x7FFFFFFF);
  m_inputs.push_back(m_pLoopCount);

  SetFrameBitmapFile(ui::SkinPath(u"Frame_manager.bmp"));
  m_pLibrary->Reload();
  m_pLibrary->ShowSelection();
  LoadSelection();
}

// --- selection and loop settings ---

void CMacroManagerDlg::LoadSelection() {
  if (m_pActions) m_pActions->SetMacro(CurrentMacro());
  ShowLoop();
}

void CMacroManagerDlg::ShowLoop() {
  const RadioGroupBits group = RadioBitsOf(kLoopHeld);
  g_nRadioFlags &= ~group.group;
  const MacroRecord* macro = CurrentMacro();
  for (int i = 0; macro && i < 3; ++i) {
    if (macro->MacroKeyLoopType == kLoopTypes[i]) {
      g_nRadioFlags |= RadioBitsOf(kLoopHeld + static_cast<uint32_t>(i)).own;
    }
  }
  if (m_pLoopCount) {
    const bool counted = macro && macro->MacroKeyLoopType == kRepeatLoop;
    m_pLoopCount->SetShow(counted);
    if (counted) m_pLoopCount->SetText(base::Format(u"%u", macro->MacroKeyLoopNum));
  }
  InvalidateRect(nullptr);
}

void CMacroManagerDlg::SetLoopType(uint8_t type) {
  MacroRecord* macro = CurrentMacro();
  if (macro) macro->MacroKeyLoopType = type;
  ShowLoop();
  if (macro && type == kRepeatLoop && m_pLoopCount) {
    m_pLoopCount->SelectAll();
    SetFocusControl(m_pLoopCount);
  }
}

void CMacroManagerDlg::OnLoopCountChanged() {
  MacroRecord* macro = CurrentMacro();
  if (!macro || !m_pLoopCount || macro->MacroKeyLoopType != kRepeatLoop) return;
  const macros::editing::LoopCountEdit edit =
      macros::editing::ParseLoopCount(m_pLoopCount->GetText());
  macro->MacroKeyLoopNum = edit.value;
  if (edit.replacement) m_pLoopCount->SetTitle(*edit.replacement);
}

// --- recording ---

void CMacroManagerDlg::ToggleRecording() {
  if (m_pRecord->GetCheck()) {
    StartRecording();
  } else if (m_recorder.IsRecording()) {
    StopRecording();
    (void)SaveLibrary();
  }
}

void CMacroManagerDlg::StartRecording() {
  MacroRecord* macro = CurrentMacro();
  if (!macro) {
    m_pRecord->SetCheck(false);
    InvalidateRect(&m_pRecord->m_rc);
    Show(text::kSelectMacro);
    return;
  }
  m_bHookStarted = platform::Sys().StartKeyboardHook(GetSafeHwnd());
  if (!m_bHookStarted) {
    // Without the hook nothing could be recorded: the old actions stay.
    m_pRecord->SetCheck(false);
    InvalidateRect(&m_pRecord->m_rc);
    return;
  }
  m_recorder.Start(*macro);
  m_pActions->SetMacro(macro);
  EnableForRecording(true);
}

void CMacroManagerDlg::StopRecording() {
  PauseHook();
  m_recorder.Stop();
  if (m_pRecord) m_pRecord->SetCheck(false);
  EnableForRecording(false);
}

void CMacroManagerDlg::OnKeyEvent(platform::WParam wParam, platform::LParam lParam) {
  const bool delays = m_pRecordDelays && m_pRecordDelays->GetCheck();
  switch (m_recorder.OnKeyEvent(CurrentMacro(), wParam, static_cast<uint32_t>(lParam), delays)) {
    case MacroRecorder::Step::Ignored:
      return;
    case MacroRecorder::Step::Recorded:
      m_pActions->Reload();
      m_pActions->EnsureVisible(m_pActions->RowCount() - 1);
      return;
    case MacroRecorder::Step::LimitReached:
      StopRecording();
      (void)SaveLibrary();
      Show(text::kRecordingFull);
      return;
  }
}

void CMacroManagerDlg::EnableForRecording(bool recording) {
  for (CControlBase* control : m_inputs) control->SetDisable(recording);
  InvalidateRect(nullptr);
}

void CMacroManagerDlg::PauseHook() {
  if (!m_bHookStarted) return;
  m_bHookStarted = false;
  platform::Sys().StopKeyboardHook();
}

void CMacroManagerDlg::ResumeHook() {
  if (!m_recorder.IsRecording() || m_bHookStarted || m_bClosing) return;
  m_bHookStarted = platform::Sys().StartKeyboardHook(GetSafeHwnd());
  // The hook could not be had back: recording ends as if it had been switched off.
  if (!m_bHookStarted) {
    StopRecording();
    (void)SaveLibrary();
  }
}

bool CMacroManagerDlg::SaveLibrary() {
  if (SaveLibraryFile(m_library)) return true;
  Show(text::kFileNotWritten);
  return false;
}

// --- menus ---

void CMacroManagerDlg::OpenContextMenu() {
  auto& windows = platform::Windows();
  auto menu = std::make_unique<CMacroListPopup>(m_library, m_selection);
  const platform::Point cursor = windows.CursorPos();
  const platform::Rect screen = CMenuPopup::PlaceBelow({cursor.x, cursor.y, cursor.x + 1, cursor.y},
                                                       menu->MeasureSize(), windows.WorkArea());
  const platform::Rect window = windows.WindowRect(GetSafeHwnd());
  OpenPopup(kContextSlot, std::move(menu), screen.Offset(-window.left, -window.top), kContextChosen,
            kLibraryList);
}

void CMacroManagerDlg::OpenInsertMenu() {
  auto* drop = dynamic_cast<CComboButton*>(GetControl(kInsertDrop));
  if (!drop) return;
  auto& windows = platform::Windows();
  auto menu = std::make_unique<CComboActionInsertPopup>();
  const platform::Rect window = windows.WindowRect(GetSafeHwnd());
  const platform::Rect screen = CMenuPopup::PlaceBelow(drop->m_rc.Offset(window.left, window.top),
                                                       menu->MeasureSize(), windows.WorkArea());
  drop->SetMenuOpen(true);
  OpenPopup(kInsertSlot, std::move(menu), screen.Offset(-window.left, -window.top), kInsertChosen,
            kInsertDrop);
}

void CMacroManagerDlg::RunPending() {
  const int choice = m_nPendingInsert;
  const int command = m_nPendingCommand;
  m_nPendingInsert = -1;
  m_nPendingCommand = 0;
  if (m_bClosing) return;
  if (choice >= 0) Insert(choice);
  switch (command) {
    case 1:
      NewEntry(false);
      break;
    case 2:
      NewEntry(true);
      break;
    case 3:
      ExportEntries(true);
      break;
    case 4:
      ImportEntries(true);
      break;
    case 5:
      RenameEntry();
      break;
    case 6:
      DeleteEntry();
      break;
    case 7:
      ImportEntries(false);
      break;
    case 8:
      ExportEntries(false);
      break;
    default:
      break;
  }
}

// --- actions ---

void CMacroManagerDlg::Insert(int choice) {
  PauseHook();
  const ActionInserter::Step step =
      m_inserter.Begin(CurrentMacro(), m_pActions->Selected(), choice);
  int selected = step.selected;
  auto show = [this](int t) { Show(t); };
  switch (step.editor) {
    case ActionInserter::Editor::None:
      if (step.refusalText) Show(step.refusalText);
      break;
    case ActionInserter::Editor::Delay: {
      CActionTimeModifyDlg dlg(GetSafeHwnd(), m_inserter.Edited().DelayMs(), show);
      selected =
          dlg.DoModal() == kIdOk ? m_inserter.Accept(dlg.Milliseconds()) : m_inserter.Cancel();
      break;
    }
    case ActionInserter::Editor::Key: {
      CActionKeyModifyDlg dlg(GetSafeHwnd(), m_inserter.Edited().b0);
      selected = dlg.DoModal() == kIdOk ? m_inserter.Accept(dlg.Code()) : m_inserter.Cancel();
      break;
    }
    case ActionInserter::Editor::Move: {
      const auto direction = static_cast<macros::editing::MoveDirection>(
          choice - static_cast<int>(ActionInserter::Choice::MoveLeft));
      CActionXYModifyDlg dlg(
          GetSafeHwnd(), direction,
          static_cast<uint32_t>(std::abs(static_cast<int8_t>(m_inserter.Edited().b3))), show);
      selected = dlg.DoModal() == kIdOk ? m_inserter.Accept(dlg.Amount()) : m_inserter.Cancel();
      break;
    }
  }
  if (step.refusalText == 0) {
    m_pActions->Reload();
    m_pActions->Select(selected);
  }
  ResumeHook();
}

void CMacroManagerDlg::ModifyAction() {
  MacroRecord* macro = CurrentMacro();
  const int selected = m_pActions->Selected();
  if (!macro || selected < 0 || static_cast<uint32_t>(selected) >= macro->MacroActionNum) return;
  const auto position = static_cast<uint32_t>(selected);
  const MacroAction action = macro->GetAction(position);
  switch (macros::editing::EditorFor(action)) {
    case macros::editing::ModifyEditor::None:
      return;
    case macros::editing::ModifyEditor::Delay: {
      CActionTimeModifyDlg dlg(GetSafeHwnd(), action.DelayMs(), [this](int t) { Show(t); });
      if (dlg.DoModal() == kIdOk) {
        (void)macro->SetAction(position, macros::editing::EditedDelay(dlg.Milliseconds()));
      }
      break;
    }
    case macros::editing::ModifyEditor::Key: {
      PauseHook();
      CActionKeyModifyDlg dlg(GetSafeHwnd(), action.b0);
      if (dlg.DoModal() == kIdOk) {
        (void)macro->SetAction(position, macros::editing::EditedKey(action, dlg.Code()));
      }
      ResumeHook();
      break;
    }
  }
  m_pActions->Reload();
}

void CMacroManagerDlg::DeleteAction() {
  MacroRecord* macro = CurrentMacro();
  if (!macro) return;
  const int selected = macros::editing::DeleteSelectedAction(*macro, m_pActions->Selected());
  m_pActions->Reload();
  m_pActions->Select(selected);
}

// --- closing and messages ---

void CMacroManagerDlg::Close() {
  if (m_bClosing) return;
  if (m_recorder.IsRecording()) StopRecording();
  m_bClosing = true;
  ClosePopup(kContextSlot);
  ClosePopup(kInsertSlot);
  m_selection = LibraryLocation::None();
  m_bSaved = SaveLibrary();
  ResetControls();
  EndDialog(kIdOk);
}

platform::LResult CMacroManagerDlg::OnControl(uint32_t id, platform::WParam wParam,
                                              platform::LParam lParam) {
  switch (id) {
    case kCloseButton:
      if (lParam == Notify::kClicked) Close();
      return 0;
    case kNewButton:
      if (lParam == Notify::kClicked) NewEntry(false);
      return 0;
    case kDeleteEntryButton:
      if (lParam == Notify::kClicked) DeleteEntry();
      return 0;
    case kLibraryList:
      if (lParam == Notify::kClicked || lParam == Notify::kDoubleClicked) {
        LoadSelection();
      } else if (lParam == Notify::kRightClicked) {
        LoadSelection();
        OpenContextMenu();
      }
      return 0;
    case kLibraryBar:
      m_pLibrary->OnScrollNotice(wParam, lParam);
      return 0;
    case kActionBar:
      m_pActions->OnScrollNotice(wParam, lParam);
      return 0;
    case kActionList:
      if (lParam == Notify::kDoubleClicked) ModifyAction();
      return 0;
    case kRecordButton:
      if (lParam == Notify::kClicked) ToggleRecording();
      return 0;
    case kModifyButton:
      if (lParam == Notify::kClicked) ModifyAction();
      return 0;
    case kDeleteActionButton:
      if (lParam == Notify::kClicked) DeleteAction();
      return 0;
    case kLoopHeld:
    case kLoopToggle:
    case kLoopCount:
      if (lParam == Notify::kClicked) SetLoopType(kLoopTypes[id - kLoopHeld]);
      return 0;
    case kLoopCountEdit:
      if (lParam == Notify::kValueChanged) OnLoopCountChanged();
      return 0;
    default:
      return 0;
  }
}

platform::LResult CMacroManagerDlg::OnMessage(platform::WindowId window, uint32_t message,
                                              platform::WParam wParam, platform::LParam lParam,
                                              bool& handled) {
  namespace msg = platform::msg;
  switch (message) {
    case platform::kKeyEventMessage:
      handled = true;
      OnKeyEvent(wParam, lParam);
      return 0;
    case kInsertDropNotice:
      handled = true;
      if (lParam == Notify::kClicked) OpenInsertMenu();
      return 0;
    case kContextChosen:
    case kInsertChosen:
      handled = true;
      if (message == kContextChosen) {
        m_nPendingCommand = lParam >= 1 && lParam <= 8 ? static_cast<int>(lParam) : 0;
      } else {
        m_nPendingInsert = CComboActionInsertPopup::ChoiceOf(lParam);
      }
      [[fallthrough]];
    case kContextClosed:
    case kInsertClosed:
      handled = true;
      ClosePopup(message == kContextChosen || message == kContextClosed ? kContextSlot
                                                                        : kInsertSlot);
      if (auto* drop = dynamic_cast<CComboButton*>(GetControl(kInsertDrop)))
        drop->SetMenuOpen(false);
      if (m_nPendingInsert >= 0 || m_nPendingCommand != 0) {
        (void)platform::Windows().PostMessage(GetSafeHwnd(), kRunPending, 0, 0);
      }
      return 0;
    case kRunPending:
      handled = true;
      RunPending();
      return 0;
    case msg::kClose:
      handled = true;
      Close();
      return 0;
    case msg::kDestroy:
      PauseHook();
      m_recorder.Stop();
      break;
    case msg::kChar:
      if (m_pLoopCount && GetFocusControl() == m_pLoopCount) {
        const auto unit = static_cast<char16_t>(wParam);
        if (unit >= 0x20 && (unit < u'0' || unit > u'9')) {
          handled = true;
          Show(text::kDigitsOnly);
          return 0;
        }
      }
      break;
    default:
      if (message >= kCloseButton && message <= kInsertDrop) {
        handled = true;
        return OnControl(message, wParam, lParam);
      }
      break;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
