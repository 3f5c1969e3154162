#pragma once
// Submenu of the function menu: DPI lock at 200 to 1200 DPI. Opened beside its parent row without
// taking activation; a choice reports the item's number (1-based) with the submenu's own message.

#include "views/buttons/AssignmentMenu.h"

class CDPILockPopup : public CAssignmentMenu {
 public:
  static constexpr buttons::Submenu kWhich = buttons::Submenu::DpiLock;

  CDPILockPopup() : CAssignmentMenu(buttons::InfoOf(kWhich).kind, buttons::SubmenuRows(kWhich)) {}
};
