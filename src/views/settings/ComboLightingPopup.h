#pragma once
// The lighting effect menu of box 3120 (popup kind 9: closing it sends 1146). Its entries
// carry their index in the effect menu as the result (message 1145).

#include <vector>

#include "ui/MenuPopup.h"

class CComboLightingPopup : public CMenuPopup {
 public:
  static constexpr int kKind = 9;
  explicit CComboLightingPopup(std::vector<MenuItem> items) : CMenuPopup(kKind, std::move(items)) {}
};
