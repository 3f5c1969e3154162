#pragma once
// The connected sensor's DPI table. Profiles store sensor register indices; the table maps an
// index to its DPI and to the 16-bit value that stands for it on the wire. Rebuilt whenever the
// sensor id changes.

#include <array>
#include <cstdint>

struct SensorDpiTable {
  static constexpr int kMaxCount = 600;

  uint16_t sensorId = 0;
  int count = 0;                          // register indices 0..count-1
  std::array<uint16_t, kMaxCount> dpi{};  // DPI of index i divided by 50
  std::array<uint16_t, kMaxCount> deviceValue{};
  bool separateXY = false;   // flag A: different X and Y values; the XY dialog is used
  bool liftOffPage = false;  // flag B: the main page tab with the lift-off choice is enabled
};

// The process-wide table of the current sensor.
extern SensorDpiTable g_SensorDpiTable;

// Fills the table for a sensor id; an unknown id gives count 0 and both flags clear.
void BuildSensorDpiTable(SensorDpiTable& table, uint16_t sensorId);

// DPI of a register index; 0 for an index outside the table (for example default level 6 of
// sensor 0x3104, whose index 58 lies beyond its 48 entries).
int DpiOf(const SensorDpiTable& table, int index);

// Wire value of a register index; 0 for an index outside the table.
uint16_t DeviceValueOf(const SensorDpiTable& table, int index);

// A typed DPI number rounded up to the next DPI the sensor has, capped at its largest: the
// first index whose DPI is not below `dpiValue`, else count - 1. 0 for an empty table.
int DpiIndexForValue(const SensorDpiTable& table, int dpiValue);

// The default register indices of levels 0..7 for a sensor (the same for X and Y), or
// nullptr for a sensor without defaults.
const std::array<uint16_t, 8>* SensorDpiDefaults(uint16_t sensorId);
