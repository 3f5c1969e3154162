#pragma once
// The two profile menus: a slot tab's context menu (import, export, rename, delete) and the
// page-header menu (a title row, the five profiles in display-list order, and "new").

#include "ui/MenuPopup.h"

class GlobalSettings;
struct ProfileStore;

class CProfileRKeyPopup : public CMenuPopup {
 public:
  static constexpr int kKind = 4;  // no close notice
  CProfileRKeyPopup();
};

class CComboProfilePopup : public CMenuPopup {
 public:
  static constexpr int kKind = 7;  // close notice 1126
  static constexpr platform::LParam kAddEntry = 5;
  // Entry k names the slot at list position k, the one choosing it switches to.
  CComboProfilePopup(const GlobalSettings& settings, const ProfileStore& store);
};
