// The factory reset (command 0x0F and the current profile back to its defaults under its own
// name) and the pairing report with the pairing window's state machine.

#include "base/Text.h"
#include "device/FactoryReset.h"
#include "device/PairingSession.h"
#include "integration/ProfileDeviceHarness.h"
#include "profiles/ProfileFile.h"

namespace {

class FactoryResetTest : public ProfileDeviceHarness {
 protected:
  FactoryReset reset{link, writer, host, store, settings};

  void Customise(ProfileSettings& p, const char16_t* name) {
    p.SetProfileName(name);
    p.PollingRateValue = {5, 0, 0};
    p.DPIOffOnFlagValue = 0x07;
    p.buttons[2].KeyValue = {0x70, 0x01, 0x04};
  }
};

TEST_F(FactoryResetTest, ResetsOnlyTheCurrentProfileAndKeepsItsName) {
  for (int slot = 0; slot < 5; ++slot) Customise(store.profiles[slot], u"Mine");
  settings.SetCurrentProfile(3);
  const ProfileStore before = store;
  mouse.ClearLog();
  EXPECT_EQ(reset.Run(), FactoryReset::Result::Done);

  ProfileSettings expected;
  ResetProfileToDefaults(expected, 3, settings.SensorId());
  expected.SetProfileName(u"Mine");
  EXPECT_EQ(store.profiles[3], expected);
  for (int slot : {0, 1, 2, 4}) EXPECT_EQ(store.profiles[slot], before.profiles[slot]) << slot;

  const auto sent = mouse.CommandsSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].At(1), 0x0F);
  EXPECT_EQ(sent[0].At(5), 0xFF);
  EXPECT_TRUE(mouse.Applied(0x0F, 0x01).has_value()) << "acknowledged";

  // The slot's file holds the reset profile.
  ProfileSettings read = before.profiles[0];
  ASSERT_EQ(ParseProfileFile(settings.ProfileSlotPath(3), read), ProfileReadResult::Ok);
  EXPECT_EQ(read.ProfileName(), u"Mine");
  EXPECT_EQ(read.PollingRateValue, expected.PollingRateValue);
  EXPECT_FALSE(platform.files().FileExists(settings.ProfileSlotPath(0)));
  EXPECT_EQ(host.progress, std::vector<int>{146});

  // The defaults count as sent: writing now sends nothing.
  mouse.ClearLog();
  writer.MarkDirty(SettingsWriter::Group::Keys);
  writer.MarkDirty(SettingsWriter::Group::Power);
  writer.MarkDirty(SettingsWriter::Group::Sensor);
  writer.WriteChanges();
  EXPECT_TRUE(mouse.CommandsSent().empty());
}

TEST_F(FactoryResetTest, NoDeviceOrNoConfirmationChangesNothing) {
  Customise(store.profiles[0], u"Mine");
  const ProfileStore before = store;
  host.confirmReset = false;
  mouse.ClearLog();
  EXPECT_EQ(reset.Run(), FactoryReset::Result::Cancelled);
  EXPECT_EQ(store.profiles[0], before.profiles[0]);
  EXPECT_TRUE(mouse.CommandsSent().empty());

  mouse.Unplug(Wired);
  desktop.RunFor(10);
  g_bDeviceActive = false;
  host.confirmReset = true;
  EXPECT_EQ(reset.Run(), FactoryReset::Result::NoDevice);
  EXPECT_EQ(host.attentions, std::vector<int>{156});
  EXPECT_EQ(host.confirmations, 1) << "not asked without a device";
  EXPECT_EQ(store.profiles[0], before.profiles[0]);
}

TEST_F(FactoryResetTest, AnUnansweredCommandStillResetsTheProfileAndSaysSoOnce) {
  Customise(store.profiles[0], u"Mine");
  mouse.RefuseAcks(4);
  mouse.ClearLog();
  EXPECT_EQ(reset.Run(), FactoryReset::Result::Unconfirmed);
  EXPECT_EQ(mouse.CommandsSent().size(), 4u);
  EXPECT_EQ(store.profiles[0].PollingRateValue[0], 3);
  EXPECT_EQ(store.profiles[0].ProfileName(), u"Mine");
  EXPECT_EQ(host.progress, std::vector<int>{146});
  EXPECT_EQ(host.attentions, std::vector<int>{342}) << "told once, not once per packet";

  // The next reset that the mouse answers says nothing more.
  host.attentions.clear();
  EXPECT_EQ(reset.Run(), FactoryReset::Result::Done);
  EXPECT_TRUE(host.attentions.empty());
}

// --- pairing ---

TEST(PairingSessionTest, CountsToTheTwentySixthSecondWithTheWaitingTexts) {
  PairingSession s;
  EXPECT_EQ(s.StatusText(), 0);
  EXPECT_EQ(s.Start(), PairingSession::StartAction::SendAndTick);
  EXPECT_EQ(s.StatusText(), 278);
  EXPECT_EQ(s.Start(), PairingSession::StartAction::None) << "already pairing";
  std::vector<int> texts;
  int ticks = 0;
  while (s.Tick(false) == PairingSession::TickResult::Continue) {
    texts.push_back(s.StatusText());
    ++ticks;
  }
  EXPECT_EQ(ticks, 25);
  EXPECT_EQ(texts[0], 279);
  EXPECT_EQ(texts[1], 280);
  EXPECT_EQ(texts[2], 278);
  EXPECT_EQ(s.state(), PairingSession::State::Failed);
  EXPECT_EQ(s.StatusText(), 281);

  // Started again: the waiting texts, but no second report.
  EXPECT_EQ(s.Start(), PairingSession::StartAction::TickOnly);
  EXPECT_EQ(s.StatusText(), 278);
  EXPECT_EQ(s.Tick(false), PairingSession::TickResult::Continue);
  EXPECT_EQ(s.StatusText(), 279);
  EXPECT_EQ(s.Tick(true), PairingSession::TickResult::Stop);
  EXPECT_EQ(s.StatusText(), 282);
  EXPECT_EQ(s.Start(), PairingSession::StartAction::None) << "paired";
}

class PairingTest : public ProfileDeviceHarness {
 protected:
  // The pairing window: start button, message 1174, timer 1 every second.
  PairingSession session;
  int reportsSent = 0;
  uint64_t pairedAt = 0;

  void StartButton(uint64_t t0) {
    const auto action = session.Start();
    if (action == PairingSession::StartAction::SendAndTick && link.SendPairingReport()) {
      ++reportsSent;
    }
    if (action == PairingSession::StartAction::None) return;
    for (;;) {
      desktop.RunFor(PairingSession::kTickMs);
      if (session.Tick(g_bDeviceActive) == PairingSession::TickResult::Stop) break;
    }
    pairedAt = desktop.NowMs() - t0;
  }
  std::vector<SimTraffic> PairingReports() const {
    std::vector<SimTraffic> out;
    for (const auto& t : mouse.Log()) {
      if (t.transfer == SimTraffic::Transfer::SetFeature && t.ReportId() == 0xBC) out.push_back(t);
    }
    return out;
  }
};

TEST_F(PairingTest, AlreadyLinkedReportsSuccessAfterOneSecond) {
  mouse.Plug(Wireless);
  desktop.RunFor(10);
  mouse.ClearLog();
  StartButton(desktop.NowMs());
  EXPECT_EQ(session.StatusText(), 282);
  EXPECT_EQ(pairedAt, 1000u);
  const auto reports = PairingReports();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].mode, Wireless) << "the receiver only, even with the cable in";
  EXPECT_EQ(reports[0].bytes, (std::vector<uint8_t>{0xBC, 0x03, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(mouse.CommandsSent().empty());
  for (const auto& t : mouse.Log()) {
    EXPECT_NE(t.transfer, SimTraffic::Transfer::GetFeature) << "no acknowledgement is read";
  }
}

TEST_F(PairingTest, AFailedPairingRestartsWithoutASecondReport) {
  mouse.Plug(Wireless);
  desktop.RunFor(10);
  mouse.LoseLink();
  desktop.RunFor(10);
  g_bDeviceActive = false;
  mouse.ClearLog();
  StartButton(desktop.NowMs());
  EXPECT_EQ(session.StatusText(), 281);
  EXPECT_EQ(pairedAt, 26000u) << "gives up on the 26th second";
  mouse.FindLink();
  g_bDeviceActive = true;  // what the Wireless reader makes of the status report
  StartButton(desktop.NowMs());
  EXPECT_EQ(session.StatusText(), 282);
  EXPECT_EQ(PairingReports().size(), 1u);
  EXPECT_EQ(reportsSent, 1);
}

TEST_F(PairingTest, WithoutAReceiverNothingIsSent) {
  g_bDeviceActive = false;
  mouse.ClearLog();
  EXPECT_FALSE(link.SendPairingReport());
  EXPECT_TRUE(PairingReports().empty());
}

}  // namespace
