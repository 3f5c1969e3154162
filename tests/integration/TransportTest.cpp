// Report 6 on the wire: sequence numbers, acknowledgement, retries, their timing.

#include "integration/DeviceHarness.h"

namespace {

class TransportTest : public DeviceHarness {
 protected:
  void SetUp() override {
    mouse.Plug(Wired);
    StartUp();
    mouse.ClearLog();
  }
  std::vector<uint8_t> Sequences() const {
    std::vector<uint8_t> seq;
    for (const auto& t : Sent()) seq.push_back(t.At(2));
    return seq;
  }
};

TEST_F(TransportTest, AcknowledgedFirstTryIsSentOnceAndReadBackAfterTheSettleTime) {
  const uint64_t t0 = Now();
  const std::array<uint8_t, 1> payload{0x02};
  EXPECT_TRUE(link.SendCommand(0x04, 0x01, payload));
  ASSERT_EQ(mouse.Log().size(), 2u);
  EXPECT_EQ(mouse.Log()[0].timeMs, t0);
  EXPECT_EQ(mouse.Log()[0].bytes.size(), 32u);
  EXPECT_EQ(mouse.Log()[1].transfer, SimTraffic::Transfer::GetFeature);
  EXPECT_EQ(mouse.Log()[1].timeMs, t0 + 60);
  EXPECT_NE(mouse.Log()[1].At(1), 0);
  EXPECT_EQ(Now(), t0 + 60);
  EXPECT_EQ(mouse.Applied(0x04, 0x01).value()[0], 0x02);
}

TEST_F(TransportTest, NeverAcknowledgedPacketGoesOutFourTimesWithFourSequenceNumbers) {
  mouse.RefuseAcks(1000);
  const uint8_t first = link.NextSequenceValue();
  const uint64_t t0 = Now();
  const std::array<uint8_t, 3> payload{1, 2, 3};
  EXPECT_FALSE(link.SendCommand(0x07, 0x01, payload));
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    const auto& t = sent[i];
    EXPECT_EQ(t.At(2), static_cast<uint8_t>(first + i));
    EXPECT_TRUE(CommandReport::HasValidChecksum(t.bytes));
    EXPECT_EQ(t.timeMs, t0 + 120u * i) << "settle 60 + retry wait 60 per try";
  }
  EXPECT_EQ(Now(), t0 + 480);
}

TEST_F(TransportTest, RetryAfterRefusalsAndFailedTransfersStopsAtTheFirstAcknowledgement) {
  struct Case {
    int refuse, failSet, failGet;
    size_t sends;
  };
  const Case cases[] = {{1, 0, 0, 2}, {3, 0, 0, 4}, {0, 2, 0, 3}, {0, 0, 1, 2}, {1, 1, 1, 3}};
  for (const auto& c : cases) {
    mouse.ClearLog();
    mouse.RefuseAcks(c.refuse);
    mouse.FailSetFeature(c.failSet);
    mouse.FailGetFeature(c.failGet);
    const std::array<uint8_t, 1> payload{9};
    EXPECT_TRUE(link.SendCommand(0x09, 0x01, payload));
    EXPECT_EQ(Sent().size(), c.sends) << c.refuse << "/" << c.failSet << "/" << c.failGet;
  }
}

TEST_F(TransportTest, SequenceCounterStartsAtOneAndWrapsFrom255ToZero) {
  DeviceLink fresh(host);
  EXPECT_EQ(fresh.NextSequenceValue(), 1);
  const std::array<uint8_t, 1> payload{1};
  while (link.NextSequenceValue() != 254) (void)link.SendCommand(0x05, 0x01, payload);
  mouse.ClearLog();
  for (int i = 0; i < 4; ++i) (void)link.SendCommand(0x05, 0x01, payload);
  EXPECT_EQ(Sequences(), (std::vector<uint8_t>{254, 255, 0, 1}));
}

TEST_F(TransportTest, WrongChecksumIsNeverAcknowledged) {
  // A frame with a broken checksum straight to the mouse.
  CommandReport frame = CommandReport::Build(0x04, 5, 0x01, std::array<uint8_t, 1>{1});
  frame.bytes[4] ^= 0x5A;
  ASSERT_TRUE(link.CommandHandle()->SetFeature(frame.wire()));
  std::array<uint8_t, 32> answer{};
  answer[0] = 6;
  ASSERT_TRUE(link.CommandHandle()->GetFeature(answer));
  EXPECT_EQ(answer[1], 0);
  EXPECT_EQ(mouse.AcceptedCount(), 0);
}

TEST_F(TransportTest, MacroFrameRetriesChangeOnlySequenceAndChecksum) {
  mouse.RefuseAcks(2);
  std::array<uint8_t, 27> data{};
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7);
  const uint64_t t0 = Now();
  EXPECT_TRUE(link.SendFrame(CommandReport::Build(0x10, 0, 0x13, data)));
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 3u);
  for (const auto& t : sent) {
    for (size_t i = 0; i < 32; ++i) {
      if (i == 2 || i == 4) continue;
      EXPECT_EQ(t.At(i), sent[0].At(i)) << i;
    }
    EXPECT_TRUE(CommandReport::HasValidChecksum(t.bytes));
  }
  EXPECT_NE(sent[0].At(2), sent[1].At(2));
  EXPECT_EQ(sent[1].timeMs, t0 + 180) << "macro data settles 120 ms";
}

TEST_F(TransportTest, MouseVanishingMidWriteCostsTheRetriesAndRecoversOnReplug) {
  mouse.UnplugAtReport(1);
  const std::array<uint8_t, 1> payload{1};
  const uint64_t t0 = Now();
  EXPECT_FALSE(link.SendCommand(0x05, 0x01, payload));
  EXPECT_EQ(Sent().size(), 1u) << "the rescan after the failure found the cable gone";
  EXPECT_EQ(link.CommandHandle(), nullptr);
  EXPECT_EQ(Now(), t0 + 480);
  desktop.RunFor(0);  // the removal notice: the program ends, no crash
  ASSERT_EQ(host.ends.size(), 1u);
  EXPECT_EQ(link.CommandHandle(), nullptr);
  mouse.Plug(Wired);
  desktop.RunFor(0);
  EXPECT_TRUE(link.SendCommand(0x05, 0x01, payload));
}

TEST_F(TransportTest, WithoutAnyHandleEachPacketStillTakesItsFullWait) {
  mouse.Unplug(Wired);
  link.ScanDevices();
  const uint64_t t0 = Now();
  const std::array<uint8_t, 1> payload{1};
  EXPECT_FALSE(link.SendCommand(0x05, 0x01, payload));
  EXPECT_EQ(Now(), t0 + 480);
  EXPECT_TRUE(mouse.Log().empty());
  EXPECT_TRUE(link.SomethingSent());
}

}  // namespace
