#include "views/buttons/AssignmentMenu.h"

namespace {

std::vector<MenuItem> ItemsOf(const std::vector<buttons::MenuRow>& rows) {
  std::vector<MenuItem> items;
  items.reserve(rows.size());
  for (const buttons::MenuRow& row : rows) {
    items.push_back({row.text, static_cast<platform::LParam>(row.value), row.submenu, true});
  }
  return items;
}

}  // namespace

CAssignmentMenu::CAssignmentMenu(int nKind, const std::vector<buttons::MenuRow>& rows)
    : CMenuPopup(nKind, ItemsOf(rows)) {}

void CAssignmentMenu::DumpItems(std::vector<ui::DumpItem>& items) const {
  for (size_t i = 0; i < m_items.size(); ++i) {
    ui::DumpItem item;
    item.id = static_cast<uint32_t>(m_items[i].value);
    item.className = m_items[i].submenu ? "MenuSubmenuRow" : "MenuRow";
    item.rect = RowRect(static_cast<int>(i));
    item.visible = true;
    item.enabled = m_items[i].enabled;
    item.checked = static_cast<int>(i) == HotItem();
    item.text = m_items[i].text;
    items.push_back(std::move(item));
  }
}
