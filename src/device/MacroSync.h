#pragma once

#include <vector>
// The macro side of a write: slot assignment and the macro download, provided by the macro
// download code. A write runs without it until one is plugged in.

class MacroSync {
 public:
  virtual ~MacroSync() = default;
  virtual void AssignMacroSlots() = 0;
  // With `transmit` false only the macro copies are refreshed (the sent-state snapshot).
  virtual void SendMacros(bool transmit) = 0;
  // Buttons (0..5) whose macro was too long for the mouse at the last pass and not sent.
  virtual const std::vector<int>& RefusedButtons() const = 0;
};
