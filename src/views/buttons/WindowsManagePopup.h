#pragma once
// Submenu of the function menu: window management. Opened beside its parent row without taking
// activation; a choice reports the item's number (1-based) with the submenu's own message.

#include "views/buttons/AssignmentMenu.h"

class CWindowsManagePopup : public CAssignmentMenu {
 public:
  static constexpr buttons::Submenu kWhich = buttons::Submenu::WindowsManage;

  CWindowsManagePopup()
      : CAssignmentMenu(buttons::InfoOf(kWhich).kind, buttons::SubmenuRows(kWhich)) {}
};
