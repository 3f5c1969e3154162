// The device record of a macro: the 4-byte action encoding by usage range, the delay taken
// from the following delay record and capped at 4095 ms, and the record limits.

#include <gtest/gtest.h>

#include "device/MacroDownload.h"
#include "macros/MacroRecord.h"

namespace {

using Bytes = std::array<uint8_t, 4>;

TEST(MacroEncodingTest, DeviceActionByUsageRange) {
  struct Case {
    const char* what;
    MacroAction action;
    uint32_t delay;
    Bytes expected;
  };
  const Case cases[] = {
      {"key A pressed", {0x41, 0x00, 0, 0}, 0, {0x30, 0x00, 0x04, 0}},
      {"key A released, 0x123 ms", {0x41, 0x80, 0, 0}, 0x123, {0xB1, 0x23, 0x04, 0}},
      {"Ctrl_L is modifier bit 0", {0xA2, 0, 0, 0}, 0, {0x20, 0, 0x01, 0}},
      {"Alt_R is modifier bit 6", {0xA5, 0, 0, 0}, 0, {0x20, 0, 0x40, 0}},
      {"usage 0x91 is already a modifier", {0xFB, 0, 0, 0}, 0, {0x20, 0, 0x02, 0}},
      {"left mouse key", {0xE0, 0, 0, 0}, 0, {0x10, 0, 0x01, 0}},
      {"middle mouse key released", {0xE2, 0x80, 0, 0}, 0, {0x90, 0, 0x04, 0}},
      {"fire: b3 and 8", {0xE3, 0, 0x11, 0x22}, 0, {0x60, 0, 0x22, 8}},
      {"cursor: b3 and b2", {0xE4, 0, 0x11, 0x22}, 0, {0x70, 0, 0x22, 0x11}},
      {"mouse X", {0xE5, 0, 0, 0xFB}, 0, {0x40, 0, 0xFB, 0}},
      {"mouse Y", {0xE6, 0, 0, 0x05}, 7, {0x50, 7, 0x05, 0}},
      {"wheel has no type bits", {0xE7, 0, 0, 0x01}, 0, {0x00, 0, 0xF7, 0}},
      {"a code without usage is a key of usage 0", {0x07, 0, 0, 0}, 0, {0x30, 0, 0x00, 0}},
      {"delay capped at 4095", {0x41, 0, 0, 0}, 5000, {0x3F, 0xFF, 0x04, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(
        MacroDownload::DeviceAction(c.action.b0, c.action.b1, c.action.b2, c.action.b3, c.delay),
        c.expected)
        << c.what;
  }
}

MacroRecord Macro(std::initializer_list<MacroAction> actions) {
  MacroRecord m;
  for (const auto& a : actions) m.actions[m.MacroActionNum++] = a;
  m.MacroCommandActionNum = static_cast<uint8_t>(m.CountCommandActions());
  return m;
}

TEST(MacroEncodingTest, ThreeActionsWithA5000msDelayMakeTwoDeviceActions) {
  const MacroRecord m = Macro(
      {MacroAction::Key(0x41, false), MacroAction::Delay(5000), MacroAction::Key(0x41, true)});
  MacroDownload::WorkBuffer record;
  ASSERT_TRUE(MacroDownload::BuildDeviceRecord(m, 3, record));
  const uint8_t head[] = {0x09, 0x90, 0x03, 0x02, 0x3F, 0xFF, 0x04, 0x00, 0xB0, 0x00, 0x04, 0x00};
  EXPECT_TRUE(std::equal(std::begin(head), std::end(head), record.begin()));
  EXPECT_TRUE(std::all_of(record.begin() + 12, record.end(), [](uint8_t b) { return b == 0; }));
}

TEST(MacroEncodingTest, RecordLimits) {
  MacroDownload::WorkBuffer record;
  // Byte 3 never claims more actions than were built (a hand-edited count).
  MacroRecord m = Macro({MacroAction::Key(0x41, false)});
  m.MacroCommandActionNum = 60;
  ASSERT_TRUE(MacroDownload::BuildDeviceRecord(m, 1, record));
  EXPECT_EQ(record[3], 1);

  // The most the packet field can carry goes; one more is refused, not cut.
  MacroRecord full;
  for (uint32_t i = 0; i < MacroDownload::kMaxDeviceActions; ++i) {
    full.actions[full.MacroActionNum++] = MacroAction::Key(0x41, i % 2 == 1);
  }
  full.MacroCommandActionNum = static_cast<uint8_t>(full.MacroActionNum);
  EXPECT_TRUE(MacroDownload::BuildDeviceRecord(full, 1, record));
  EXPECT_EQ(record[3], MacroDownload::kMaxDeviceActions);
  full.actions[full.MacroActionNum++] = MacroAction::Key(0x42, false);
  full.MacroCommandActionNum = static_cast<uint8_t>(full.MacroActionNum);
  EXPECT_FALSE(MacroDownload::BuildDeviceRecord(full, 1, record));

  // A count beyond the 184 places reads only the places.
  MacroRecord wild = Macro({MacroAction::Key(0x41, false)});
  wild.MacroActionNum = 100000;
  EXPECT_TRUE(MacroDownload::BuildDeviceRecord(wild, 1, record));
}

}  // namespace
