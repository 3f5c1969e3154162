#include "profiles/SensorDpiTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const std::vector<uint16_t> kSensors = {0x3104, 0x0205, 0x3809, 0x3311, 0x3212,
                                        0x3220, 0x3325, 0x3327, 0x3335, 0x3360,
                                        0x3389, 0x3395, 0x3399, 0x3950, 0x0070};

SensorDpiTable TableOf(uint16_t sensor) {
  SensorDpiTable table;
  BuildSensorDpiTable(table, sensor);
  return table;
}

// The size, the ends and the two flags of every sensor's table; what lies between is held to
// the invariants and spot values below.
TEST(SensorDpiTableTest, SizeEndsAndFlagsOfEverySensor) {
  const struct {
    uint16_t sensor;
    int count, firstDpi, lastDpi;
    bool separateXY, liftOffPage;
  } rows[] = {
      {0x3104, 48, 100, 8000, false, false},   {0x0205, 128, 100, 12800, false, false},
      {0x3809, 60, 100, 6000, false, false},   {0x3311, 240, 100, 24000, false, false},
      {0x3212, 42, 200, 4800, false, false},   {0x3220, 80, 100, 8000, false, false},
      {0x3325, 100, 200, 10000, false, false}, {0x3327, 74, 200, 12400, false, false},
      {0x3335, 160, 100, 16000, false, true},  {0x3360, 121, 100, 24000, false, true},
      {0x3389, 160, 100, 16000, true, true},   {0x3395, 520, 50, 26000, true, true},
      {0x3399, 400, 50, 20000, true, true},    {0x3950, 600, 50, 30000, true, true},
      {0x0070, 600, 50, 30000, true, true},
  };
  ASSERT_EQ(std::size(rows), kSensors.size());
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "sensor 0x" << std::hex << row.sensor);
    const SensorDpiTable table = TableOf(row.sensor);
    EXPECT_EQ(table.sensorId, row.sensor);
    EXPECT_EQ(table.count, row.count);
    EXPECT_EQ(DpiOf(table, 0), row.firstDpi);
    EXPECT_EQ(DpiOf(table, row.count - 1), row.lastDpi);
    EXPECT_EQ(table.separateXY, row.separateXY);
    EXPECT_EQ(table.liftOffPage, row.liftOffPage);
    // Nothing past the table.
    EXPECT_EQ(DpiOf(table, row.count), 0);
    EXPECT_EQ(DeviceValueOf(table, row.count), 0);
    EXPECT_EQ(DpiOf(table, -1), 0);
  }
}

// Every table rises with its index, in steps of 50 DPI, and tells every index apart on the
// wire; every DPI it has is found again by a typed number.
TEST(SensorDpiTableTest, EveryTableRisesAndRoundTrips) {
  for (uint16_t sensor : kSensors) {
    SCOPED_TRACE(testing::Message() << "sensor 0x" << std::hex << sensor);
    const SensorDpiTable table = TableOf(sensor);
    ASSERT_GT(table.count, 0);
    ASSERT_LE(table.count, SensorDpiTable::kMaxCount);
    for (int i = 0; i < table.count; ++i) {
      const int dpi = DpiOf(table, i);
      EXPECT_EQ(dpi % 50, 0) << "index " << std::dec << i;
      if (i > 0) {
        // Only indices 0 and 1 of 0x3325 share a DPI.
        const bool repeat = sensor == 0x3325 && i == 1;
        EXPECT_EQ(dpi > DpiOf(table, i - 1), !repeat) << "index " << std::dec << i;
        EXPECT_GT(DeviceValueOf(table, i), DeviceValueOf(table, i - 1))
            << "index " << std::dec << i;
      }
      const int found = DpiIndexForValue(table, dpi);
      EXPECT_EQ(DpiOf(table, found), dpi) << "index " << std::dec << i;
      EXPECT_LE(found, i);
    }
  }
}

TEST(SensorDpiTableTest, IrregularPlacesOfTheTables) {
  const struct {
    uint16_t sensor;
    int index, dpi, deviceValue;
  } spots[] = {
      {0x3104, 39, 4000, 39},    {0x3104, 40, 4500, 40},    {0x3104, 41, 4800, 41},
      {0x3104, 42, 5500, 42},    {0x3212, 0, 200, 1},       {0x3212, 22, 2400, 23},
      {0x3212, 23, 3000, 24},    {0x3325, 0, 200, 0},       {0x3325, 1, 200, 1},
      {0x3325, 2, 300, 2},       {0x3327, 60, 6200, 61},    {0x3327, 61, 6500, 62},
      {0x3327, 72, 12000, 73},   {0x3327, 73, 12400, 74},   {0x3360, 119, 12000, 119},
      {0x3360, 120, 24000, 120}, {0x3335, 0, 100, 0},       {0x3335, 7, 800, 9},
      {0x3335, 159, 16000, 189}, {0x3950, 599, 30000, 599},
  };
  for (const auto& s : spots) {
    const SensorDpiTable table = TableOf(s.sensor);
    EXPECT_EQ(DpiOf(table, s.index), s.dpi) << std::hex << s.sensor << std::dec << " " << s.index;
    EXPECT_EQ(DeviceValueOf(table, s.index), s.deviceValue)
        << std::hex << s.sensor << std::dec << " " << s.index;
  }
  // The 800 DPI level of sensor 0x3335 goes out as 9.
  const SensorDpiTable table = TableOf(0x3335);
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
