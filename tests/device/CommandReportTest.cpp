#include "device/CommandReport.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

TEST(CommandReportTest, FramesIdCommandSequenceFieldChecksumAndPayload) {
  const std::array<uint8_t, 1> payload{0xFF};
  for (uint8_t command : {0x01, 0x04, 0x06, 0x10, 0xFF}) {
    const CommandReport r = CommandReport::Build(command, 1, 0x01, payload);
    EXPECT_EQ(r.bytes[0], 0x06);
    EXPECT_EQ(r.bytes[1], command);
    EXPECT_EQ(r.bytes[2], 0x01);
    EXPECT_EQ(r.bytes[3], 0x01);
    EXPECT_EQ(r.bytes[4], static_cast<uint8_t>(0x06 + command + 0x01 + 0x01 + 0xFF));
    EXPECT_EQ(r.bytes[5], 0xFF);
    for (size_t i = 6; i < r.bytes.size(); ++i) EXPECT_EQ(r.bytes[i], 0) << i;
  }
}

TEST(CommandReportTest, ChecksumCoversEveryByteButItsOwn) {
  std::vector<uint8_t> payload(27);
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(0xA0 + i);
  CommandReport r = CommandReport::Build(0x02, 0x7F, 0x12, payload);
  unsigned sum = 0;
  for (size_t i = 0; i < 32; ++i) sum += i == 4 ? 0 : r.bytes[i];
  EXPECT_EQ(r.bytes[4], static_cast<uint8_t>(sum));
  EXPECT_TRUE(CommandReport::HasValidChecksum(r.wire()));
  EXPECT_EQ(r.bytes[32], 0) << "the 33rd byte of a lighting send stays 0";

  auto tampered = r;
  tampered.bytes[31] ^= 1;
  EXPECT_FALSE(CommandReport::HasValidChecksum(tampered.wire()));
  EXPECT_FALSE(CommandReport::HasValidChecksum(std::span<const uint8_t>(r.bytes.data(), 31)));
}

TEST(CommandReportTest, LongPayloadIsCutTo27Bytes) {
  std::vector<uint8_t> payload(40, 0x55);
  const CommandReport r = CommandReport::Build(0x10, 3, 0x01, payload);
  EXPECT_EQ(r.bytes[31], 0x55);
  EXPECT_EQ(r.bytes[32], 0x00);
}

TEST(CommandReportTest, ResequenceRenewsOnlyBytesTwoAndFour) {
  const std::array<uint8_t, 3> payload{1, 2, 3};
  const CommandReport first = CommandReport::Build(0x10, 9, 0x23, payload);
  CommandReport retry = first;
  retry.Resequence(200);
  for (size_t i = 0; i < first.bytes.size(); ++i) {
    if (i == 2 || i == 4) continue;
    EXPECT_EQ(retry.bytes[i], first.bytes[i]) << i;
  }
  EXPECT_EQ(retry.sequence(), 200);
  EXPECT_TRUE(CommandReport::HasValidChecksum(retry.wire()));
  EXPECT_EQ(retry.bytes, CommandReport::Build(0x10, 200, 0x23, payload).bytes);
}

}  // namespace
