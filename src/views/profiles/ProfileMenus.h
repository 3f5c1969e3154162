#pragma once
// The two profile menus: a slot tab's context menu (import, export, rename, delete) and the
// page-header menu (a title row, the shown profiles in display-list order, and "new"). Both
// list their rows in the control dump (id = the row's value, checked = highlighted).

#include "ui/MenuPopup.h"

class GlobalSettings;
struct ProfileStore;

class CProfileRKeyPopup : public CMenuPopup {
 public:
  static constexpr int kKind = 4;                     // no close notice
  static constexpr platform::LParam kGamesEntry = 6;  // after import, export, rename, delete
  CProfileRKeyPopup();
  void DumpItems(std::vector<ui::DumpItem>& items) const override;
};

class CComboProfilePopup : public CMenuPopup {
 public:
  static constexpr int kKind = 7;  // close notice 1126
  static constexpr platform::LParam kAddEntry = 5;
  // Entry k names the slot at list position k, the one choosing it switches to. Hidden
  // profiles are not offered: the page does not switch to them.
  CComboProfilePopup(const GlobalSettings& settings, const ProfileStore& store);
  void DumpItems(std::vector<ui::DumpItem>& items) const override;
};
