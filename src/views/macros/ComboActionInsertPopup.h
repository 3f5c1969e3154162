#pragma once
// The insert drop-down's menu: left, right and middle click (texts 20..22), delay, key and the
// four cursor moves (texts 205..210). The result's lParam is the choice 0..8 plus 1.

#include "ui/MenuPopup.h"

class CComboActionInsertPopup : public CMenuPopup {
 public:
  static constexpr int kKind = 14;  // close notice 1168

  CComboActionInsertPopup();
  // The insert choice (0..8) of a result's lParam; -1 for anything else.
  static int ChoiceOf(platform::LParam value);
};
