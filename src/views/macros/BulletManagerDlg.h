#pragma once
// The shooting-action manager: the macro manager's library list, entry rules, name dialogs,
// delay editor, context menu and transfers on the shooting-action library, with what is its
// own: the bullets of the selected entry as columns, the bullet count with its plus and
// minus, the step editor and the two loop types a shooting action may choose. There is no
// recording and no insertion or deletion of single actions: those controls exist hidden.
// Closing writes the library file.

#include <cstdint>
#include <optional>

#include <utility>
#include <vector>

#include "macros/LibraryLocation.h"
#include "views/macros/LibraryManagerDlg.h"

class CEditShowList;
class CBulletNumberButton;
class CDigitsEdit;
class CShootingActionList;
class MacroLibrary;
class ViewServices;
struct MacroRecord;

class CBulletManagerDlg : public CLibraryManagerDlg {
 public:
  // Controls.
  static constexpr uint32_t kNewButton = 2012;
  static constexpr uint32_t kDeleteButton = 2013;
  static constexpr uint32_t kLibraryList = 2015;
  static constexpr uint32_t kRecordDelays = 2017;  // hidden
  static constexpr uint32_t kRecordButton = 2018;  // hidden
  static constexpr uint32_t kActionList = 2020;
  static constexpr uint32_t kLibraryScroll = 2021;
  static constexpr uint32_t kActionScrollV = 2022;  // hidden
  static constexpr uint32_t kModifyButton = 2023;
  static constexpr uint32_t kDeleteAction = 2024;  // hidden
  static constexpr uint32_t kLoopHeld = 2031;      // loop type 1
  static constexpr uint32_t kLoopToggle = 2032;    // loop type 4, hidden
  static constexpr uint32_t kLoopCount = 2033;     // loop type 2
  static constexpr uint32_t kLoopCountEdit = 2034;
  static constexpr uint32_t kInsertDropDown = 2035;  // hidden
  static constexpr uint32_t kBulletCount = 2036;
  static constexpr uint32_t kActionScroll = 2037;
  // Labels.
  static constexpr uint32_t kTitleLabel = 2040;
  static constexpr uint32_t kLibraryLabel = 2041;
  static constexpr uint32_t kActionLabel = 2042;
  static constexpr uint32_t kBulletLabel = 2043;
  static constexpr uint32_t kHeldLabel = 2044;
  static constexpr uint32_t kToggleLabel = 2045;  // hidden
  static constexpr uint32_t kCountLabel = 2046;
  static constexpr uint32_t kRecordDelaysLabel = 2047;  // hidden
  static constexpr uint32_t kInsertLabel = 2048;        // hidden
  // The context menu's answer.
  static constexpr uint32_t kMenuResult = 2050;
  static constexpr int kMenuSlot = 0;
  // The context menu is the macro manager's (CMacroListPopup): it closes on its notice.
  static constexpr uint32_t kMenuClosed = 1165;

  // Context menu commands (the value of each item).
  enum Command : int {
    kCmdNew = 1,
    kCmdNewFolder = 2,
    kCmdExport = 3,
    kCmdImport = 4,
    kCmdRename = 5,
    kCmdDelete = 6,
    kCmdImportEntries = 7,
    kCmdExportEntries = 8,
  };

  CBulletManagerDlg(platform::WindowId parent, ViewServices& services, MacroLibrary& library,
                    LibraryLocation& selection, MacroLibrary& scratch);
  ~CBulletManagerDlg() override;

  CShootingActionList* ActionList() const { return m_pActionList; }
  // The context menu's items for the current selection (text number and command).
  std::vector<std::pair<int, int>> MenuItems() const;

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 private:
  void Close();
  // The selected entry into the action list, the loop controls and the bullet count.
  void LoadSelection() override;
  void ShowLoop();
  void ShowBulletCount();
  void OnLibraryList(platform::WParam wParam, platform::LParam lParam);
  void OnBulletCount(platform::LParam lParam);
  void SetLoopType(uint8_t type);
  void OnLoopCountEdit();
  void ModifySelectedAction();
  void OpenContextMenu();
  void RunCommand(int command);

  std::optional<int> m_pendingCommand;
  CShootingActionList* m_pActionList = nullptr;
  CBulletNumberButton* m_pBulletCount = nullptr;
  CDigitsEdit* m_pLoopEdit = nullptr;
};
