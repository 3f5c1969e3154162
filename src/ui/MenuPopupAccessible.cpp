// CMenuPopup as screen readers see it: its rows as menu items.

#include "base/Language.h"
#include "ui/AccessibleModel.h"
#include "ui/MenuPopup.h"

platform::AccessibleTree* CMenuPopup::Accessible() {
  m_bAccessibleWatched = true;
  return this;
}

bool CMenuPopup::AccessibleItemAt(int index, platform::AccessibleItem& item) {
  if (index < 0 || index >= static_cast<int>(m_items.size())) return false;
  namespace st = platform::accstate;
  const MenuItem& row = m_items[static_cast<size_t>(index)];
  item = {};
  item.role = platform::AccessibleRole::MenuItem;
  item.name = row.text;
  item.rect = RowRect(index);
  item.state = st::kFocusable;
  if (!row.enabled) item.state = st::kUnavailable;
  if (index == m_nHot) item.state |= st::kFocused | st::kHotTracked;
  if (row.enabled && !row.submenu) item.defaultAction = LangText(ui::kActionPressText);
  return true;
}

bool CMenuPopup::DoDefaultAction(int index) {
  if (index < 0 || index >= static_cast<int>(m_items.size()) || !m_hWnd) return false;
  const MenuItem& row = m_items[static_cast<size_t>(index)];
  if (!row.enabled || row.submenu) return false;
  SetHotItem(index);
  OnChoose(index);
  return true;
}
