#include "profiles/SensorDpiTable.h"

#include <gtest/gtest.h>

#include <vector>

#include "ProfileTestSupport.h"

namespace {

struct DpiRun {
  int firstIndex;
  int firstDpi;
  int lastDpi;
  int step;
};

enum class Device { Index, IndexPlusOne, Listed };

struct Row {
  uint16_t sensor;
  int count;
  std::vector<DpiRun> runs;
  Device device;
  bool separateXY;
  bool liftOffPage;
};

const std::vector<Row> kRows = {
    {0x3104,
     48,
     {{0, 100, 4000, 100}, {40, 4500, 4500, 1}, {41, 4800, 4800, 1}, {42, 5500, 8000, 500}},
     Device::Index,
     false,
     false},
    {0x0205, 128, {{0, 100, 12800, 100}}, Device::Index, false, false},
    {0x3809, 60, {{0, 100, 6000, 100}}, Device::Index, false, false},
    {0x3311, 240, {{0, 100, 24000, 100}}, Device::Index, false, false},
    {0x3212, 42, {{0, 200, 2400, 100}, {23, 3000, 4800, 100}}, Device::IndexPlusOne, false, false},
    {0x3220, 80, {{0, 100, 8000, 100}}, Device::Index, false, false},
    {0x3325,
     100,
     {{0, 200, 200, 1}, {1, 200, 200, 1}, {2, 300, 10000, 100}},
     Device::Index,
     false,
     false},
    {0x3327,
     74,
     {{0, 200, 6200, 100}, {61, 6500, 12000, 500}, {73, 12400, 12400, 1}},
     Device::IndexPlusOne,
     false,
     false},
    {0x3335, 160, {{0, 100, 16000, 100}}, Device::Listed, false, true},
    {0x3360, 121, {{0, 100, 12000, 100}, {120, 24000, 24000, 1}}, Device::Index, false, true},
    {0x3389, 160, {{0, 100, 16000, 100}}, Device::Index, true, true},
    {0x3395, 520, {{0, 50, 26000, 50}}, Device::Index, true, true},
    {0x3399, 400, {{0, 50, 20000, 50}}, Device::Index, true, true},
    {0x3950, 600, {{0, 50, 30000, 50}}, Device::Index, true, true},
    {0x0070, 600, {{0, 50, 30000, 50}}, Device::Index, true, true},
};

const uint16_t k3335DeviceValues[160] = {
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

TEST(SensorDpiTableTest, EveryRowHasItsRunsDeviceValuesAndFlags) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::Message() << "sensor 0x" << std::hex << row.sensor);
    SensorDpiTable table;
    BuildSensorDpiTable(table, row.sensor);
    EXPECT_EQ(table.sensorId, row.sensor);
    ASSERT_EQ(table.count, row.count);
    EXPECT_EQ(table.separateXY, row.separateXY);
    EXPECT_EQ(table.liftOffPage, row.liftOffPage);
    std::vector<int> expected;
    for (const DpiRun& run : row.runs) {
      EXPECT_EQ(static_cast<int>(expected.size()), run.firstIndex);
      for (int dpi = run.firstDpi; dpi <= run.lastDpi; dpi += run.step) expected.push_back(dpi);
    }
    ASSERT_EQ(static_cast<int>(expected.size()), row.count);
    for (int i = 0; i < row.count; ++i) {
      EXPECT_EQ(DpiOf(table, i), expected[i]) << "index " << std::dec << i;
      const int device = row.device == Device::Index          ? i
                         : row.device == Device::IndexPlusOne ? i + 1
                                                              : k3335DeviceValues[i];
      EXPECT_EQ(DeviceValueOf(table, i), device) << "index " << std::dec << i;
    }
    // Nothing past the table.
    EXPECT_EQ(DpiOf(table, row.count), 0);
    EXPECT_EQ(DeviceValueOf(table, row.count), 0);
    EXPECT_EQ(DpiOf(table, -1), 0);
  }
}

TEST(SensorDpiTableTest, IrregularRows) {
  SensorDpiTable table;
  BuildSensorDpiTable(table, 0x3325);
  EXPECT_EQ(DpiOf(table, 0), 200);
  EXPECT_EQ(DpiOf(table, 1), 200);
  EXPECT_EQ(DpiOf(table, 2), 300);
  BuildSensorDpiTable(table, 0x3360);
  EXPECT_EQ(DpiOf(table, 119), 12000);
  EXPECT_EQ(DpiOf(table, 120), 24000);
  BuildSensorDpiTable(table, 0x3335);
  EXPECT_EQ(DpiIndexForValue(table, 800), 7);
  EXPECT_EQ(DeviceValueOf(table, DpiIndexForValue(table, 800)), 9);
}

TEST(SensorDpiTableTest, UnknownSensorGivesAnEmptyTable) {
  SensorDpiTable table;
  BuildSensorDpiTable(table, 0x3950);
  BuildSensorDpiTable(table, 0x1234);  // nothing of the previous sensor stays
  EXPECT_EQ(table.count, 0);
  EXPECT_FALSE(table.separateXY);
  EXPECT_FALSE(table.liftOffPage);
  EXPECT_EQ(DpiOf(table, 0), 0);
  EXPECT_EQ(DpiIndexForValue(table, 800), 0);
  EXPECT_EQ(SensorDpiDefaults(0x1234), nullptr);
}

TEST(SensorDpiTableTest, TypedValueRoundsUpAndIsCapped) {
  SensorDpiTable table;
  BuildSensorDpiTable(table, 0x3950);
  const struct {
    int typed;
    int dpi;
  } cases[] = {{850, 850},     {851, 900},     {99999, 30000}, {0, 50},  {-5, 50},
               {30000, 30000}, {29951, 30000}, {50, 50},       {51, 100}};
  for (const auto& c : cases) {
    EXPECT_EQ(DpiOf(table, DpiIndexForValue(table, c.typed)), c.dpi) << c.typed;
  }
  // The last index is found by the cap, not by the search.
  BuildSensorDpiTable(table, 0x3360);
  EXPECT_EQ(DpiIndexForValue(table, 12001), 120);
  EXPECT_EQ(DpiIndexForValue(table, 12000), 119);
  BuildSensorDpiTable(table, 0x3325);
  EXPECT_EQ(DpiIndexForValue(table, 100), 0);
}

TEST(SensorDpiTableTest, DefaultsOf0x3104ReachBeyondItsTable) {
  SensorDpiTable table;
  BuildSensorDpiTable(table, 0x3104);
  const auto* defaults = SensorDpiDefaults(0x3104);
  ASSERT_NE(defaults, nullptr);
  EXPECT_GE((*defaults)[6], table.count);
  EXPECT_GE((*defaults)[7], table.count);
  EXPECT_EQ(DpiOf(table, (*defaults)[6]), 0);
}

}  // namespace
