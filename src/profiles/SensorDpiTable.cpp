#include "profiles/SensorDpiTable.h"

SensorDpiTable g_SensorDpiTable;

namespace {

// A run of DPI values from `first` to `last` in steps of `step`.
struct Run {
  int first;
  int last;
  int step;
};

enum class DeviceRule { Index, IndexPlusOne, Table3335 };

struct SensorRow {
  uint16_t sensorId;
  Run runs[3];  // unused runs are {0, 0, 0}
  DeviceRule device;
  bool separateXY;
  bool liftOffPage;
};

// Wire values of sensor 0x3335 by register index.
constexpr std::array<uint16_t, 160> kDeviceValues3335 = {
    0,   2,   3,   4,   5,   6,   7,   9,   10,  11,  12,  13,  14,  16,  17,  18,  19,  20,
    22,  23,  24,  25,  26,  27,  29,  30,  31,  32,  33,  35,  37,  38,  39,  40,  41,  42,
    44,  45,  46,  47,  48,  50,  51,  52,  53,  54,  56,  57,  58,  59,  60,  62,  63,  64,
    65,  66,  68,  69,  70,  71,  72,  74,  75,  76,  77,  78,  80,  81,  82,  83,  84,  86,
    87,  88,  89,  90,  92,  93,  94,  95,  96,  98,  99,  100, 101, 102, 104, 105, 106, 107,
    108, 110, 111, 112, 113, 114, 116, 117, 118, 119, 120, 122, 123, 124, 125, 126, 128, 129,
    130, 131, 132, 134, 135, 136, 137, 138, 140, 141, 142, 143, 144, 146, 147, 148, 149, 150,
    152, 153, 154, 155, 156, 158, 159, 160, 161, 162, 164, 165, 166, 167, 168, 170, 171, 172,
    173, 174, 176, 177, 178, 179, 180, 181, 182, 183, 184, 185, 186, 187, 188, 189,
};

constexpr SensorRow kSensorRows[] = {
    {0x3104,
     {{100, 4000, 100}, {4500, 4800, 300}, {5500, 8000, 500}},
     DeviceRule::Index,
     false,
     false},
    {0x0205, {{100, 12800, 100}}, DeviceRule::Index, false, false},
    {0x3809, {{100, 6000, 100}}, DeviceRule::Index, false, false},
    {0x3311, {{100, 24000, 100}}, DeviceRule::Index, false, false},
    {0x3212, {{200, 2400, 100}, {3000, 4800, 100}}, DeviceRule::IndexPlusOne, false, false},
    {0x3220, {{100, 8000, 100}}, DeviceRule::Index, false, false},
    // Index 0 and 1 both read 200 DPI on this sensor.
    {0x3325, {{200, 200, 100}, {200, 10000, 100}}, DeviceRule::Index, false, false},
    {0x3327,
     {{200, 6200, 100}, {6500, 12000, 500}, {12400, 12400, 100}},
     DeviceRule::IndexPlusOne,
     false,
     false},
    {0x3335, {{100, 16000, 100}}, DeviceRule::Table3335, false, true},
    // The last index jumps from 12000 to 24000 DPI.
    {0x3360, {{100, 12000, 100}, {24000, 24000, 100}}, DeviceRule::Index, false, true},
    {0x3389, {{100, 16000, 100}}, DeviceRule::Index, true, true},
    {0x3395, {{50, 26000, 50}}, DeviceRule::Index, true, true},
    {0x3399, {{50, 20000, 50}}, DeviceRule::Index, true, true},
    {0x3950, {{50, 30000, 50}}, DeviceRule::Index, true, true},
    {0x0070, {{50, 30000, 50}}, DeviceRule::Index, true, true},
};

struct DefaultsRow {
  uint16_t sensorId;
  std::array<uint16_t, 8> indices;
};

constexpr DefaultsRow kDefaultRows[] = {
    {0x3104, {4, 15, 23, 31, 39, 41, 58, 50}},    {0x3809, {3, 7, 15, 23, 31, 47, 59, 79}},
    {0x3220, {3, 7, 15, 23, 31, 63, 79, 79}},     {0x0205, {3, 7, 15, 31, 63, 119, 119, 119}},
    {0x3311, {3, 7, 15, 31, 63, 119, 119, 119}},  {0x3325, {3, 7, 15, 31, 63, 99, 99, 99}},
    {0x3327, {2, 6, 14, 30, 48, 58, 58, 58}},     {0x3212, {6, 10, 14, 22, 33, 12, 12, 12}},
    {0x3335, {3, 7, 15, 31, 63, 159, 159, 159}},  {0x3360, {3, 7, 15, 31, 49, 59, 59, 59}},
    {0x3389, {3, 7, 15, 31, 49, 59, 59, 59}},     {0x3395, {7, 15, 23, 31, 63, 519, 519, 519}},
    {0x3950, {7, 15, 23, 31, 63, 599, 599, 599}}, {0x0070, {7, 15, 31, 63, 127, 599, 599, 599}},
    {0x3399, {7, 15, 31, 63, 99, 99, 99, 99}},
};

}  // namespace

void BuildSensorDpiTable(SensorDpiTable& table, uint16_t sensorId) {
  table = SensorDpiTable{};
  table.sensorId = sensorId;
  for (const SensorRow& row : kSensorRows) {
    if (row.sensorId != sensorId) continue;
    int n = 0;
    for (const Run& run : row.runs) {
      if (run.step == 0) break;
      for (int dpi = run.first; dpi <= run.last && n < SensorDpiTable::kMaxCount; dpi += run.step) {
        table.dpi[n] = static_cast<uint16_t>(dpi / 50);
        switch (row.device) {
          case DeviceRule::Index:
            table.deviceValue[n] = static_cast<uint16_t>(n);
            break;
          case DeviceRule::IndexPlusOne:
            table.deviceValue[n] = static_cast<uint16_t>(n + 1);
            break;
          case DeviceRule::Table3335:
            table.deviceValue[n] =
                n < static_cast<int>(kDeviceValues3335.size()) ? kDeviceValues3335[n] : 0;
            break;
        }
        ++n;
      }
    }
    table.count = n;
    table.separateXY = row.separateXY;
    table.liftOffPage = row.liftOffPage;
    return;
  }
}

int DpiOf(const SensorDpiTable& table, int index) {
  // Indexes come from profile files and may lie beyond this sensor's table.
  if (index < 0 || index >= table.count) return 0;
  return table.dpi[index] * 50;
}

uint16_t DeviceValueOf(const SensorDpiTable& table, int index) {
  // Same reason as DpiOf: a stored index is not known to fit the current sensor.
  if (index < 0 || index >= table.count) return 0;
  return table.deviceValue[index];
}

int DpiIndexForValue(const SensorDpiTable& table, int dpiValue) {
  if (table.count <= 0) return 0;
  for (int i = 0; i + 1 < table.count; ++i) {
    if (table.dpi[i] * 50 >= dpiValue) return i;
  }
  return table.count - 1;
}

const std::array<uint16_t, 8>* SensorDpiDefaults(uint16_t sensorId) {
  for (const DefaultsRow& row : kDefaultRows) {
    if (row.sensorId == sensorId) return &row.indices;
  }
  return nullptr;
}
