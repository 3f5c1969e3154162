#include "views/buttons/ComboPopup.h"

CComboPopup::CComboPopup() : CAssignmentMenu(kKind, buttons::FunctionMenuRows()) {}

void CComboPopup::OnHotItemChanged(int index) {
  // Off the menu: whatever is open stays until another row is entered.
  if (index < 0 || index >= static_cast<int>(m_items.size())) return;
  const keys::FunctionMenuItem* item =
      buttons::FunctionMenuItemById(static_cast<int>(m_items[static_cast<size_t>(index)].value));
  if (item && item->kind == keys::MenuItemKind::Submenu) {
    SendToParent(static_cast<uint32_t>(item->message), m_wParam, item->id);
  } else {
    SendToParent(buttons::msg::kCloseSubmenu, m_wParam, 0);
  }
}

void CComboPopup::OnChoose(int index) {
  if (index < 0 || index >= static_cast<int>(m_items.size())) return;
  const keys::FunctionMenuItem* item =
      buttons::FunctionMenuItemById(static_cast<int>(m_items[static_cast<size_t>(index)].value));
  if (item && item->kind == keys::MenuItemKind::Dialog) {
    // The main window closes the menus and opens the dialog once they are gone.
    SendToParent(static_cast<uint32_t>(item->message), m_wParam, item->id);
    Close();
    return;
  }
  CAssignmentMenu::OnChoose(index);
}
