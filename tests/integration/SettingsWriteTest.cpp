// Edits on the page reaching the mouse: what is sent, in which order, when, and what is not.

#include "integration/DeviceHarness.h"

namespace {

class SettingsWriteTest : public DeviceHarness {
 protected:
  void SetUp() override {
    mouse.Plug(Wired);
    StartUp();
    // The lighting packet that follows every snapshot is out of the way.
    writer.MarkDirty(Group::Dpi);
    writer.WriteChanges();
    mouse.ClearLog();
    host.progress.clear();
  }
  // Runs an edit through timer 30 and returns the commands it sent.
  std::vector<std::string> EditAndRun(Group group) {
    mouse.ClearLog();
    Edit(group);
    desktop.RunFor(2000);
    return SentCommands();
  }
};

TEST_F(SettingsWriteTest, PollingChangeSendsOne04PacketAcknowledgedAfterTheWaits) {
  const uint64_t t0 = Now();
  model.pollingIndex = 5;
  EXPECT_EQ(EditAndRun(Group::Dpi), std::vector<std::string>{"04/01"});
  const auto& log = mouse.Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].At(5), 0x12);
  EXPECT_EQ(log[0].timeMs, t0 + 20);
  EXPECT_EQ(log[1].transfer, SimTraffic::Transfer::GetFeature);
  EXPECT_NE(log[1].At(1), 0);
  EXPECT_EQ(log[1].timeMs, t0 + 20 + 60) << "the edit costs exactly its waits";
  EXPECT_EQ(host.progress, std::vector<int>{146});

  model.pollingIndex = 3;
  EXPECT_EQ(EditAndRun(Group::Dpi), std::vector<std::string>{"04/01"});
  EXPECT_EQ(mouse.Applied(0x04, 0x01).value()[0], 0x01);
}

TEST_F(SettingsWriteTest, CurrentLevelChangeSendsBothDpiPacketsAndNothingElse) {
  model.currentLevel = 4;
  EXPECT_EQ(EditAndRun(Group::Dpi), (std::vector<std::string>{"02/02", "02/12"}));
  const auto x = mouse.Applied(0x02, 0x02).value();
  const auto y = mouse.Applied(0x02, 0x12).value();
  EXPECT_EQ(x[0], 4);
  EXPECT_EQ(y[0], 4);
  EXPECT_EQ(x[1], 0x3F);
}

TEST_F(SettingsWriteTest, GroupsSendTheirOwnCommandsOnly) {
  struct Case {
    const char* what;
    std::function<void(FakeDeviceModel&)> edit;
    Group group;
    std::vector<std::string> sent;
  };
  const Case cases[] = {
      {"nothing changed", [](FakeDeviceModel&) {}, Group::Dpi, {}},
      {"colour", [](FakeDeviceModel& m) { m.colours[2] = 0x123456; }, Group::Dpi, {"03/01"}},
      {"lift 1", [](FakeDeviceModel& m) { m.pairs[17] = u"1"; }, Group::Dpi, {"05/01"}},
      {"lift 3 = 2", [](FakeDeviceModel& m) { m.pairs[17] = u"3"; }, Group::Dpi, {"05/01"}},
      {"lift abc = 2", [](FakeDeviceModel& m) { m.pairs[17] = u"abc"; }, Group::Dpi, {}},
      {"debounce", [](FakeDeviceModel& m) { m.pairs[18] = u"12"; }, Group::Dpi, {"09/01"}},
      {"lighting", [](FakeDeviceModel& m) { m.lightingMode = 3; }, Group::Dpi, {"06/01"}},
      {"x index", [](FakeDeviceModel& m) { m.x[2] = 40; }, Group::Dpi, {"02/02", "02/12"}},
      {"level 8 index", [](FakeDeviceModel& m) { m.x[7] = 40; }, Group::Dpi, {}},
      {"power", [](FakeDeviceModel& m) { m.pairs[16] = u"5"; }, Group::Power, {"07/01"}},
      {"sensor", [](FakeDeviceModel& m) { m.pairs[20] = u"1"; }, Group::Sensor, {"08/01"}},
      {"key",
       [](FakeDeviceModel& m) {
         m.buttons[0] = {0x70, 0x04, 0x00};
       },
       Group::Keys,
       {"01/01"}},
      {"polling + debounce + colour",
       [](FakeDeviceModel& m) {
         m.pollingIndex = 0;
         m.pairs[18] = u"4";
         m.colours[0] = 0;
       },
       Group::Dpi,
       {"03/01", "04/01", "09/01"}},
      // Marked but unchanged somewhere else: the power group does not send the sensor change.
      {"unmarked group", [](FakeDeviceModel& m) { m.pairs[21] = u"0"; }, Group::Power, {}},
  };
  for (const auto& c : cases) {
    c.edit(model);
    EXPECT_EQ(EditAndRun(c.group), c.sent) << c.what;
  }
}

TEST_F(SettingsWriteTest, Buttons4And5TradePlacesOnTheWire) {
  model.buttons[3] = {0x70, 0x11, 0x22};  // button 4
  model.buttons[4] = {0x80, 0x33, 0x44};  // button 5
  EXPECT_EQ(EditAndRun(Group::Keys), std::vector<std::string>{"01/01"});
  const auto sent = Sent();
  const auto& frame = sent.front();
  EXPECT_EQ(frame.At(14), 0x80);  // button 5 in payload bytes 9..11
  EXPECT_EQ(frame.At(15), 0x33);
  EXPECT_EQ(frame.At(16), 0x44);
  EXPECT_EQ(frame.At(17), 0x70);  // button 4 in payload bytes 12..14
  EXPECT_EQ(frame.At(18), 0x11);
  EXPECT_EQ(frame.At(19), 0x22);
  for (size_t i = 23; i < 32; ++i) EXPECT_EQ(frame.At(i), 0xFF);
}

TEST_F(SettingsWriteTest, FirstDpiWriteAfterASnapshotIncludesTheLightingPacket) {
  writer.SnapshotSentState();
  model.pollingIndex = 6;
  EXPECT_EQ(EditAndRun(Group::Dpi), (std::vector<std::string>{"04/01", "06/01"}));
  const auto sent = Sent();
  EXPECT_EQ(sent[0].At(5), 0x14);
  EXPECT_EQ(sent[1].bytes.size(), 33u) << "the lighting packet is handed over with 33 bytes";
  EXPECT_EQ(sent[1].At(32), 0x00);
  model.pollingIndex = 2;
  EXPECT_EQ(EditAndRun(Group::Dpi), std::vector<std::string>{"04/01"});
}

TEST_F(SettingsWriteTest, OrderInsideTheDpiGroup) {
  model.x[0] = 9;
  model.colours[1] = 1;
  model.pollingIndex = 1;
  model.pairs[17] = u"1";
  model.pairs[18] = u"7";
  model.lightingMode = 2;
  EXPECT_EQ(EditAndRun(Group::Dpi), (std::vector<std::string>{"02/02", "02/12", "03/01", "04/01",
                                                              "05/01", "09/01", "06/01"}));
}

TEST_F(SettingsWriteTest, UnacknowledgedChangeStaysPendingAndGoesOutWithTheNextWrite) {
  mouse.RefuseAcks(4);
  model.pollingIndex = 0;
  EXPECT_EQ(EditAndRun(Group::Dpi), std::vector<std::string>(4, "04/01"));
  EXPECT_TRUE(writer.IsDirty(Group::Dpi));
  EXPECT_FALSE(mouse.Applied(0x04, 0x01));

  // An edit of another group carries the waiting change along.
  model.pairs[16] = u"5";
  EXPECT_EQ(EditAndRun(Group::Power), (std::vector<std::string>{"04/01", "07/01"}));
  EXPECT_FALSE(writer.IsDirty(Group::Dpi));
  EXPECT_EQ(mouse.Applied(0x04, 0x01).value()[0], 0x08);
  EXPECT_EQ(EditAndRun(Group::Dpi), std::vector<std::string>{});

  // Inside a group only what was not taken goes again.
  model.pollingIndex = 2;
  model.colours[3] = 0x010203;
  mouse.ClearLog();
  mouse.FailReports(2, 4);  // the polling packet, which follows the colours
  Edit(Group::Dpi);
  desktop.RunFor(2000);
  EXPECT_EQ(SentCommands(),
            (std::vector<std::string>{"03/01", "04/01", "04/01", "04/01", "04/01"}));
  EXPECT_EQ(EditAndRun(Group::Keys), std::vector<std::string>{"04/01"});
}

TEST_F(SettingsWriteTest, OneNoticeWhileTheMouseDoesNotAnswer) {
  mouse.RefuseAcks(1000);
  model.pollingIndex = 0;
  model.colours[0] = 9;
  (void)EditAndRun(Group::Dpi);
  model.pairs[16] = u"6";
  (void)EditAndRun(Group::Power);
  EXPECT_EQ(host.attentions, std::vector<int>{350}) << "one notice, not one per packet or write";

  mouse.ClearFaults();
  EXPECT_EQ(EditAndRun(Group::Keys), (std::vector<std::string>{"03/01", "04/01", "07/01"}));
  EXPECT_EQ(host.attentions, std::vector<int>{350});

  // The mouse answered in between: the next time it stops, the user hears of it again.
  mouse.RefuseAcks(4);
  model.pollingIndex = 1;
  (void)EditAndRun(Group::Dpi);
  EXPECT_EQ(host.attentions, (std::vector<int>{350, 350}));
}

TEST_F(SettingsWriteTest, MouseReportDoesNotCountAWaitingChangeAsSent) {
  mouse.RefuseAcks(4);
  model.buttons[1] = {0x70, 0x05, 0x00};
  EXPECT_EQ(EditAndRun(Group::Keys), std::vector<std::string>(4, "01/01"));
  // The mouse's own change takes the sent-state snapshot.
  mouse.PressDpiButton(Wired, 5);
  ASSERT_EQ(model.currentLevel, 5);
  EXPECT_EQ(EditAndRun(Group::Power), std::vector<std::string>{"01/01"});
  EXPECT_EQ(mouse.Applied(0x01, 0x01).value()[3], 0x70);
}

TEST_F(SettingsWriteTest, TwoEditsWithin20MsMakeOneWriteAndOneSave) {
  model.pollingIndex = 0;
  Edit(Group::Dpi);
  desktop.RunFor(10);
  model.pairs[16] = u"4";
  Edit(Group::Power);
  desktop.RunFor(15000);
  EXPECT_EQ(SentCommands(), (std::vector<std::string>{"04/01", "07/01"}));
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(host.progress.size(), 1u);
}

TEST_F(SettingsWriteTest, WindowHiddenInTheTrayKeepsChangesWaiting) {
  host.showWindow = false;
  model.pollingIndex = 4;
  EXPECT_EQ(EditAndRun(Group::Dpi), std::vector<std::string>{});
  EXPECT_TRUE(writer.IsDirty(Group::Dpi));
  EXPECT_EQ(saves, 0);
  host.showWindow = true;
  EXPECT_EQ(EditAndRun(Group::Keys), std::vector<std::string>{"04/01"});
  EXPECT_FALSE(writer.IsDirty(Group::Dpi));
}

TEST_F(SettingsWriteTest, ReceiverOnlyWithTheMouseOffShowsText156AndSendsNothing) {
  mouse.Unplug(Wired);
  mouse.Plug(Wireless);
  mouse.SetMouseOn(false);
  desktop.RunFor(0);
  ASSERT_TRUE(host.ends.empty());
  ASSERT_TRUE(link.HasCommandHandle(Wireless));
  EXPECT_FALSE(g_bDeviceActive);
  host.attentions.clear();
  model.pollingIndex = 1;
  EXPECT_EQ(EditAndRun(Group::Dpi), std::vector<std::string>{});
  EXPECT_EQ(host.attentions, std::vector<int>{156});
  EXPECT_TRUE(writer.IsDirty(Group::Dpi));
  EXPECT_EQ(saves, 0);

  mouse.FindLink();  // the mouse is switched on: the waiting change goes out
  EXPECT_EQ(EditAndRun(Group::Keys), std::vector<std::string>{"04/01"});
  for (const auto& t : Sent()) EXPECT_EQ(t.mode, Wireless);
}

}  // namespace

namespace {

class EditCostTest : public SettingsWriteTest {};

// Virtual time from the edit to the last acknowledgement is the 20 ms write delay plus 60 ms
// per packet, nothing more, and each edit costs the fewest packets.
TEST_F(EditCostTest, EachEditCostsItsWaitsAndItsMinimumPackets) {
  struct Case {
    const char* what;
    std::function<void(FakeDeviceModel&)> edit;
    Group group;
    size_t packets;
  };
  const Case cases[] = {
      {"polling", [](FakeDeviceModel& m) { m.pollingIndex = 0; }, Group::Dpi, 1},
      {"level", [](FakeDeviceModel& m) { m.currentLevel = 3; }, Group::Dpi, 2},
      {"colour", [](FakeDeviceModel& m) { m.colours[5] = 7; }, Group::Dpi, 1},
      {"power", [](FakeDeviceModel& m) { m.pairs[16] = u"3"; }, Group::Power, 1},
      {"key",
       [](FakeDeviceModel& m) {
         m.buttons[2] = {0, 0, 0};
       },
       Group::Keys, 1},
  };
  for (const auto& c : cases) {
    mouse.ClearLog();
    const uint64_t t0 = Now();
    c.edit(model);
    Edit(c.group);
    desktop.RunFor(2000);
    EXPECT_EQ(Sent().size(), c.packets) << c.what;
    uint64_t lastAck = 0;
    for (const auto& t : mouse.Log()) {
      if (t.transfer == SimTraffic::Transfer::GetFeature && t.At(1) != 0) lastAck = t.timeMs;
    }
    EXPECT_EQ(lastAck - t0, 20 + 60 * c.packets) << c.what;
  }
}

}  // namespace

namespace {

class VanishingMouseTest : public DeviceHarness {};

TEST_F(VanishingMouseTest, CableRemovedMidWriteThenTheReceiverTakesTheNextEdit) {
  mouse.Plug(Wired);
  mouse.Plug(Wireless);
  StartUp();
  model.pollingIndex = 0;
  model.colours[0] = 1;
  mouse.UnplugAtReport(2);  // the cable goes while the second packet is on its way
  Edit(Group::Dpi);
  desktop.RunFor(3000);
  EXPECT_TRUE(host.ends.empty());
  EXPECT_EQ(host.images.back(), Wireless);
  EXPECT_EQ(mouse.Applied(0x03, 0x01).value()[0], 0x01) << "the first packet arrived";
  const auto sent = Sent();
  ASSERT_EQ(sent.size(), 4u);  // the colours, the polling rate twice, the lighting
  EXPECT_EQ(sent[1].mode, Wired) << "the second was lost with the cable";
  EXPECT_EQ(sent[2].mode, Wireless) << "and its next try went through the receiver";
  EXPECT_EQ(mouse.Applied(0x04, 0x01).value()[0], 0x08);
  EXPECT_FALSE(writer.IsDirty(Group::Dpi));

  mouse.ClearLog();
  model.pairs[18] = u"6";
  Edit(Group::Dpi);
  desktop.RunFor(1000);
  EXPECT_EQ(SentCommands(), std::vector<std::string>{"09/01"});
  for (const auto& t : Sent()) EXPECT_EQ(t.mode, Wireless);
  EXPECT_EQ(mouse.Applied(0x09, 0x01).value()[0], 6);
}

}  // namespace
