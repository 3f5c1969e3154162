#pragma once
// The polling-rate menu of box 3110 (popup kind 8: closing it sends 1136). Its entries carry
// the rate index as the result (message 1135).

#include <vector>

#include "ui/MenuPopup.h"

class CComboPollingPopup : public CMenuPopup {
 public:
  static constexpr int kKind = 8;
  explicit CComboPollingPopup(std::vector<MenuItem> items) : CMenuPopup(kKind, std::move(items)) {}
};
