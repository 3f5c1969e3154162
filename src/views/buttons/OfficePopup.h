#pragma once
// Submenu of the function menu: office shortcuts. Opened beside its parent row without taking
// activation; a choice reports the item's number (1-based) with the submenu's own message.

#include "views/buttons/AssignmentMenu.h"

class COfficePopup : public CAssignmentMenu {
 public:
  static constexpr buttons::Submenu kWhich = buttons::Submenu::Office;

  COfficePopup() : CAssignmentMenu(buttons::InfoOf(kWhich).kind, buttons::SubmenuRows(kWhich)) {}
};
