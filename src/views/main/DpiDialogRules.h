#pragma once
// The working values of the DPI value dialogs: one register index per axis (the single dialog
// uses only X), the "XY Sync" state, and what typing, the arrow keys and the sliders do to
// them. Platform-free; the dialogs show its state in their controls.

#include <array>
#include <string>
#include <string_view>

struct SensorDpiTable;

class DpiDialogRules {
 public:
  enum Axis { kX = 0, kY = 1 };

  // Indices are limited to the table at once (an edited file may hold any number).
  DpiDialogRules(const SensorDpiTable& table, int xIndex, int yIndex);

  int Index(Axis axis) const { return m_index[axis]; }
  // Largest index the sliders offer; 0 for an empty table.
  int MaxIndex() const;
  bool Sync() const { return m_sync; }
  // "%d" of the axis's DPI; empty for an empty table.
  std::u16string DpiText(Axis axis) const;

  // The axis takes `index` (limited to the table); with sync on the other axis follows.
  void Set(Axis axis, int index);
  // Left / Right arrow: one index down or up, never past either end.
  void Step(Axis axis, int delta);
  // Enter or OK: the typed DPI is rounded up to the next DPI the sensor has (capped at its
  // largest). A text without digits leaves the axis as it is and returns false.
  bool ApplyTyped(Axis axis, std::u16string_view text);
  // Checking sync with different indices makes Y equal X.
  void SetSync(bool sync);

 private:
  const SensorDpiTable& m_table;
  std::array<int, 2> m_index{};
  bool m_sync = false;
};
