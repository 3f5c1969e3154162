#pragma once
// The function menu of a button field: 18 items. Hovering an item with a submenu asks the
// main window to open that submenu beside it, hovering any other item to close it; a
// function item reports its id (message 1027), a dialog item asks for its dialog.

#include "views/buttons/AssignmentMenu.h"

class CComboPopup : public CAssignmentMenu {
 public:
  static constexpr int kKind = 0;  // closed by deactivation: 1029

  CComboPopup();

 protected:
  void OnHotItemChanged(int index) override;
  void OnChoose(int index) override;
};
