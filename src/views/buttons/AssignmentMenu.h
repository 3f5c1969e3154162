#pragma once
// A menu of the button assignment: the function menu or one of its submenus. Lists its rows
// in the control dump, so that tests and bug reports can find and check every item.

#include <vector>

#include "ui/MenuPopup.h"
#include "views/buttons/AssignmentMenus.h"

class CAssignmentMenu : public CMenuPopup {
 public:
  CAssignmentMenu(int nKind, const std::vector<buttons::MenuRow>& rows);

  // One item per row: id = the row's value, checked = highlighted.
  void DumpItems(std::vector<ui::DumpItem>& items) const override;
};
