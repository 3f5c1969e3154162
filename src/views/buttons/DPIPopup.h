#pragma once
// Submenu of the function menu: DPI functions. Opened beside its parent row without taking
// activation; a choice reports the item's number (1-based) with the submenu's own message.

#include "views/buttons/AssignmentMenu.h"

class CDPIPopup : public CAssignmentMenu {
 public:
  static constexpr buttons::Submenu kWhich = buttons::Submenu::Dpi;

  CDPIPopup() : CAssignmentMenu(buttons::InfoOf(kWhich).kind, buttons::SubmenuRows(kWhich)) {}
};
