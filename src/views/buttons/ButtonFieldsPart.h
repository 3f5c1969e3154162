#pragma once
// The nine button-assignment fields of the main page (2013..2021; 2013..2018 are the six
// buttons of the current profile) with their function menu, its submenus and the editors.
// Every assignment path ends in Assign: caption, store, close the menus, left-button guard.

#include <array>
#include <cstdint>

#include "views/buttons/AssignmentMenus.h"
#include "views/main/PagePart.h"

class CButtonEditorDlg;
class CComboButton;
struct MacroRecord;

class ButtonFieldsPart : public PagePart {
 public:
  static constexpr uint32_t kFirstField = 2013;
  static constexpr uint32_t kLastField = 2021;
  static constexpr int kFieldCount = 9;
  // Popup slots of the main window, by the kinds of our popups: the function menu (kind 0)
  // and the one open submenu, whichever it is, in the DPI-lock submenu's (kind 10); kinds 11
  // and 12 have no slot of their own.
  static constexpr int kMenuSlot = 0;
  static constexpr int kSubmenuSlot = 10;

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  // Fields 2013..2018 show the current profile's buttons; 2019..2021 keep their caption.
  void Refresh() override;
  platform::LResult OnMessage(uint32_t message, platform::WParam wParam,
                              platform::LParam lParam) override;

  // Gives field `fieldId` the function: its caption, the button's slot (2013..2018 only; the
  // macro copy when one is given), closes the menus, then the left-button guard, which
  // either schedules the key-table write or gives the left button back and says so.
  void Assign(uint32_t fieldId, const buttons::ButtonChoice& choice,
              const MacroRecord* macro = nullptr);

  CComboButton* Field(uint32_t fieldId) const;
  // The field whose menu is open, 0 when none.
  uint32_t MenuField() const { return m_uMenuField; }
  const buttons::SubmenuInfo* OpenSubmenu() const { return m_pSubmenu; }

 protected:
  // Menu items 9 and 10: the macro or shooting-action select dialog, modal; its choice goes
  // to the field, closing it changes nothing.
  virtual void OpenSelectDialog(uint32_t openMessage, uint32_t fieldId);

 private:
  static bool IsField(platform::WParam wParam) {
    return wParam >= kFirstField && wParam <= kLastField;
  }
  void OpenFunctionMenu(uint32_t fieldId);
  void ShowSubmenu(const buttons::SubmenuInfo& info);
  void CloseSubmenu();
  void CloseMenus();
  // Runs the editor of `openMessage` modally for the field.
  void RunEditor(uint32_t openMessage, uint32_t fieldId);
  // The open editor's result, when the message is its result for its field.
  void TakeEditorResult(uint32_t message, platform::WParam fieldId);

  CDlgBase* m_dialog = nullptr;
  ViewServices* m_services = nullptr;
  ButtonHighlight* m_highlight = nullptr;
  std::array<CComboButton*, kFieldCount> m_fields{};
  uint32_t m_uMenuField = 0;
  const buttons::SubmenuInfo* m_pSubmenu = nullptr;
  CButtonEditorDlg* m_pEditor = nullptr;
};
