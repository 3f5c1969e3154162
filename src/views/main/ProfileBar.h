#pragma once
// The profiles on the page: one slot tab per shown profile in display-list order, the add,
// rename, export and import buttons, the page-header profile selector and the list button.
// Switching sends the new profile to the mouse; add, rename, delete and import save at once.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "profiles/ProfileStore.h"
#include "views/main/PagePart.h"

class CComboButton;
class CImageButton;
class CMenuPopup;
class CTabControl;
class GlobalSettings;

class ProfileBar : public PagePart {
 public:
  static constexpr uint32_t kFirstSlotTab = 2049;  // .. kLastSlotTab: slot 0..4
  static constexpr uint32_t kLastSlotTab = kFirstSlotTab + ProfileStore::kProfileCount - 1;
  static constexpr uint32_t kRenameButton = 2068;
  static constexpr uint32_t kExportButton = 2069;
  static constexpr uint32_t kImportButton = 2070;
  static constexpr uint32_t kAddButton = 2071;
  static constexpr uint32_t kProfileCombo = 3100;
  static constexpr uint32_t kListButton = 3502;
  static constexpr uint32_t kComboMessage = 1124;
  static constexpr uint32_t kComboResult = 1125;
  static constexpr uint32_t kComboClosed = 1126;
  static constexpr uint32_t kFirstButtonField = 2013;
  static constexpr uint32_t kSlotMenuResult = 1127;

  // Row i of the shown profiles, and the add button below row max(count, 3).
  static platform::Rect RowRect(int row);
  static platform::Rect AddButtonRect(int shownCount);

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  void Refresh() override;
  platform::LResult OnMessage(uint32_t message, platform::WParam wParam,
                              platform::LParam lParam) override;

  // The pending action of the slot menu or the header menu, carried out 100 ms after the
  // menu closed (timer 60): 0 import, 1 export, 2 rename, 3 delete, 4 add, 5 no free slot.
  void Schedule(int action, int slot);
  void RunAction(int action, int slot);

  void SwitchTo(int slot);
  void Add();
  void Rename(int slot);
  void Delete(int slot);
  void Import(int slot);
  void Export(int slot);

  // The dialog that asks for a name (the add and rename dialogs unless a test sets another);
  // the callback returns the name chosen, or nothing when cancelled; the check
  // runs on every OK and returns the message to show (0 accepts the name).
  using NameDialog = std::function<std::optional<std::u16string>(
      bool adding, std::u16string_view initial,
      const std::function<int(std::u16string_view)>& check)>;
  void SetNameDialog(NameDialog dialog) { m_nameDialog = std::move(dialog); }
  // The menus: a slot's context menu at a tab, the header menu at a control (the profile
  // menus unless a test sets others).
  using MenuOpener = std::function<void(uint32_t controlId, int slot)>;
  void SetMenus(MenuOpener slotMenu, MenuOpener headerMenu) {
    m_slotMenu = std::move(slotMenu);
    m_headerMenu = std::move(headerMenu);
  }

 private:
  void AfterProfileOperation(int message);
  void OpenMenu(std::unique_ptr<CMenuPopup> menu, uint32_t anchorId, uint32_t message);

  CDlgBase* m_dialog = nullptr;
  ViewServices* m_services = nullptr;
  ButtonHighlight* m_highlight = nullptr;
  std::array<CTabControl*, 5> m_tabs{};
  CComboButton* m_pCombo = nullptr;
  CImageButton* m_pAdd = nullptr;
  NameDialog m_nameDialog;
  MenuOpener m_slotMenu;
  MenuOpener m_headerMenu;
};
