#pragma once
// The macro manager: the library list with its folders, new / rename / delete, recording from
// the keyboard hook, the action list with its insert menu and three editors, the loop
// settings, and export and import through the list's context menu. Closing saves the library
// with no selection.
//
// Menu choices run after their menu has closed: the result is kept and a message posted to
// the dialog, which carries it out once the menu's own close has been handled.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "macros/LibraryLocation.h"
#include "macros/editing/ActionInserter.h"
#include "macros/editing/MacroRecorder.h"
#include "views/macros/LibraryManagerDlg.h"

class CCheckButton;
class CEditBox;
class CEditShowList;
class CImageShowList;
class CRadioButton;
class CVScrollBar;
class MacroLibrary;
class ViewServices;
struct MacroRecord;

class CMacroManagerDlg : public CLibraryManagerDlg {
 public:
  static constexpr uint32_t kNewButton = 2012;
  static constexpr uint32_t kDeleteEntryButton = 2013;
  static constexpr uint32_t kLibraryList = 2015;
  static constexpr uint32_t kRecordDelaysCheck = 2017;
  static constexpr uint32_t kRecordButton = 2018;
  static constexpr uint32_t kActionList = 2020;
  static constexpr uint32_t kLibraryBar = 2021;
  static constexpr uint32_t kActionBar = 2022;
  static constexpr uint32_t kModifyButton = 2023;
  static constexpr uint32_t kDeleteActionButton = 2024;
  static constexpr uint32_t kLoopHeld = 2031;    // loop type 1
  static constexpr uint32_t kLoopToggle = 2032;  // loop type 4
  static constexpr uint32_t kLoopCount = 2033;   // loop type 2
  static constexpr uint32_t kLoopCountEdit = 2034;
  static constexpr uint32_t kInsertDrop = 2035;
  static constexpr uint32_t kLabel = 3400;
  // Popups: the context menu and the insert menu, their results and close notices.
  static constexpr int kContextSlot = 0;
  static constexpr int kInsertSlot = 1;
  static constexpr uint32_t kContextChosen = 1164;
  static constexpr uint32_t kContextClosed = 1165;
  static constexpr uint32_t kInsertChosen = 1167;
  static constexpr uint32_t kInsertClosed = 1168;
  static constexpr uint32_t kInsertDropNotice = 1169;  // the drop-down's own clicks
  static constexpr uint32_t kRunPending = 1171;

  CMacroManagerDlg(platform::WindowId parent, ViewServices& services, MacroLibrary& library,
                   LibraryLocation& selection);
  ~CMacroManagerDlg() override;

  bool IsRecording() const { return m_recorder.IsRecording(); }
  // While recording, keys are the macro's.
  bool KeysAreData() const override { return IsRecording(); }
  CImageShowList* ActionList() const { return m_pActions; }

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 private:
  platform::LResult OnControl(uint32_t id, platform::WParam wParam, platform::LParam lParam);
  // The library list's selection changed: the action list and loop controls follow.
  void LoadSelection() override;
  void ShowLoop();
  void SetLoopType(uint8_t type);
  void OnLoopCountChanged();

  void ToggleRecording();
  void StartRecording();
  void StopRecording();
  void OnKeyEvent(platform::WParam wParam, platform::LParam lParam);
  void EnableForRecording(bool recording);
  // Around another window's use of the keyboard hook.
  void PauseHook();
  void ResumeHook();
  bool SaveLibrary();

  void OpenContextMenu();
  void OpenInsertMenu();
  void RunPending();
  void Insert(int choice);
  void ModifyAction();
  void DeleteAction();
  void Close();

  MacroRecorder m_recorder;
  ActionInserter m_inserter;
  bool m_bHookStarted = false;
  bool m_bClosing = false;
  int m_nPendingInsert = -1;
  int m_nPendingCommand = 0;

  CImageShowList* m_pActions = nullptr;
  CCheckButton* m_pRecord = nullptr;
  CCheckButton* m_pRecordDelays = nullptr;
  CEditBox* m_pLoopCount = nullptr;
  std::array<CRadioButton*, 3> m_loopRadios{};
  // The controls recording disables, with the record button and the insert drop-down left.
  std::vector<CControlBase*> m_inputs;
};
