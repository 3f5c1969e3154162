#include <gtest/gtest.h>

#include <vector>

#include "device/DeviceInfoReport.h"
#include "device/StatusReport.h"

namespace {

TEST(StatusReportTest, ReadsBytesOneToTen) {
  std::vector<uint8_t> bytes(32, 0xEE);
  const uint8_t head[] = {0x04, 1, 3, 0x12, 57, 2, 6, 4, 8, 0x95, 1};
  std::copy(std::begin(head), std::end(head), bytes.begin());
  const auto r = StatusReport::Parse(bytes);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->link, 1);
  EXPECT_EQ(r->dpiLevel, 3);
  EXPECT_EQ(r->pollingCode, 0x12);
  EXPECT_EQ(r->battery, 57);
  EXPECT_EQ(r->chargeState, 2);
  EXPECT_EQ(r->lightingMode, 6);
  EXPECT_EQ(r->launch, 4);
  EXPECT_EQ(r->pollingClass, 8);
  EXPECT_EQ(r->sensorCode, 0x95);
  EXPECT_FALSE(r->IsLeaveRequest());
  bytes[10] = 0;
  EXPECT_TRUE(StatusReport::Parse(bytes)->IsLeaveRequest());
  bytes[10] = 2;
  EXPECT_TRUE(StatusReport::Parse(bytes)->IsLeaveRequest());
}

TEST(StatusReportTest, OtherIdsAndShortReportsAreNotApplied) {
  std::vector<uint8_t> bytes(32, 1);
  bytes[0] = 0x05;
  EXPECT_FALSE(StatusReport::Parse(bytes));
  bytes[0] = 0x04;
  EXPECT_FALSE(StatusReport::Parse(std::span<const uint8_t>(bytes.data(), 10)));
  EXPECT_TRUE(StatusReport::Parse(std::span<const uint8_t>(bytes.data(), 11)));
  EXPECT_FALSE(StatusReport::Parse({}));
}

TEST(DeviceInfoReportTest, NeedsIdAndSignature) {
  struct Case {
    std::vector<uint8_t> bytes;
    bool valid;
    bool linked;
  };
  const Case cases[] = {
      {{0x05, '1', '0', '1', '0', 1, 0, 0, 0x21, 0x07}, true, true},
      {{0x05, '1', '0', '1', '0', 0, 0, 0, 0x21, 0x07}, true, false},
      {{0x05, '1', '0', '1', '1', 1, 0, 0, 0x21, 0x07}, false, false},
      {{0x06, '1', '0', '1', '0', 1, 0, 0, 0x21, 0x07}, false, false},
      {{0x05, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, false, false},
      {{0x05, '1', '0', '1', '0'}, false, false},
  };
  for (const auto& c : cases) {
    const auto info = DeviceInfoReport::Parse(c.bytes);
    ASSERT_EQ(info.has_value(), c.valid);
    if (!info) continue;
    EXPECT_EQ(info->linked, c.linked);
    EXPECT_EQ(info->firmware8, 0x21);
    EXPECT_EQ(info->firmware9, 0x07);
  }
}

}  // namespace
