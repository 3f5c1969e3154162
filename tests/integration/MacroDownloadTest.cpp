// Slot assignment and the macro download against the simulated mouse.

#include "integration/ProfileDeviceHarness.h"
#include "keys/ButtonFunctionCode.h"

namespace {

constexpr uint8_t kMacro = ButtonFunctionCode::MacroFunction;
constexpr uint8_t kBullet = ButtonFunctionCode::ShootingFunction;

class MacroDownloadTest : public ProfileDeviceHarness {
 protected:
  MacroRecord press = MakeMacro(
      7, {MacroAction::Key(0x41, false), MacroAction::Delay(5000), MacroAction::Key(0x41, true)});
  MacroRecord other = MakeMacro(9, {MacroAction::Key(0x42, false), MacroAction::Key(0x42, true)});
  MacroRecord shots = MakeMacro(
      3, {MacroAction::Key(0xE0, false), MacroAction::Delay(30), MacroAction::Key(0xE0, true)});

  void Write() {
    mouse.ClearLog();
    writer.MarkDirty(SettingsWriter::Group::Keys);
    writer.WriteChanges();
  }
};

TEST_F(MacroDownloadTest, ButtonsSharingAMacroShareSlotOneAndItIsSentOnce) {
  Place(macros, LibraryLocation::Level0(0), u"m", press);
  Assign(1, kMacro, 7, &press);
  Assign(4, kMacro, 7, &press);
  Write();
  EXPECT_EQ(Current().buttons[1].KeyValue, (std::array<uint8_t, 3>{kMacro, 0x21, 0x01}));
  EXPECT_EQ(Current().buttons[4].KeyValue, (std::array<uint8_t, 3>{kMacro, 0x21, 0x01}));
  ASSERT_EQ(Frames(0x11).size(), 1u) << "one erase";
  const auto data = Frames(0x10);
  ASSERT_EQ(data.size(), 1u) << "the shared macro goes out once";
  EXPECT_EQ(data[0].At(3), 0x01);
  EXPECT_EQ(data[0].At(5), 9) << "two actions: 8 bytes + 1";
  EXPECT_EQ(data[0].At(6), 1);
  const uint8_t actions[] = {0x3F, 0xFF, 0x04, 0x00, 0xB0, 0x00, 0x04, 0x00};
  for (size_t i = 0; i < sizeof actions; ++i) EXPECT_EQ(data[0].At(7 + i), actions[i]) << i;
  // The erase comes first, then the 120 ms settle of the data packet.
  const auto& log = mouse.Log();
  const auto erase = std::find_if(log.begin(), log.end(), [](const SimTraffic& t) {
    return t.transfer == SimTraffic::Transfer::SetFeature && t.At(1) == 0x11;
  });
  const auto packet = std::find_if(log.begin(), log.end(), [](const SimTraffic& t) {
    return t.transfer == SimTraffic::Transfer::SetFeature && t.At(1) == 0x10;
  });
  ASSERT_TRUE(erase != log.end() && packet != log.end());
  EXPECT_EQ(packet->timeMs - erase->timeMs, 60u + 10u) << "erase settle, then 10 ms";
  EXPECT_EQ((packet + 1)->timeMs - packet->timeMs, 120u);
}

TEST_F(MacroDownloadTest, MacrosAndShootingActionsShareTheNumberingInButtonOrder) {
  ASSERT_TRUE(macros.PlaceFolder(LibraryLocation::Level0(0), u"folder", false));
  ASSERT_TRUE(macros.PlaceMacro(LibraryLocation::Level1(0, 0), u"b", other));  // second round
  ASSERT_TRUE(macros.PlaceMacro(LibraryLocation::Level0(1), u"a", press));
  macros.FinishPlacing();
  Place(bullets, LibraryLocation::Level0(0), u"s", shots);
  Assign(0, kMacro, 7);
  Assign(1, kBullet, 3);
  Assign(2, kMacro, 9);
  Write();
  EXPECT_EQ(Current().buttons[0].KeyValue[1] & 0x0F, 1);
  EXPECT_EQ(Current().buttons[1].KeyValue[1] & 0x0F, 2);
  EXPECT_EQ(Current().buttons[2].KeyValue[1] & 0x0F, 3);
  EXPECT_EQ(Current().buttons[1].KeyValue[0], kBullet) << "the type byte stays";
}

TEST_F(MacroDownloadTest, LoopSettingsComeFromTheLibraryEntry) {
  struct Case {
    uint8_t loopType, loopNum;
    std::array<uint8_t, 2> bytes;
  };
  const Case cases[] = {{2, 5, {0x21, 0x05}}, {1, 5, {0x11, 0x00}}, {4, 9, {0x41, 0x00}}};
  for (const Case& c : cases) {
    macros.Clear();
    MacroRecord m = press;
    m.MacroKeyLoopType = c.loopType;
    m.MacroKeyLoopNum = c.loopNum;
    Place(macros, LibraryLocation::Level0(0), u"m", m);
    Assign(0, kMacro, 7, &press);  // the button's copy says loop type 2, count 1
    download.AssignMacroSlots();
    EXPECT_EQ(Current().buttons[0].KeyValue[1], c.bytes[0]) << int(c.loopType);
    EXPECT_EQ(Current().buttons[0].KeyValue[2], c.bytes[1]) << int(c.loopType);
  }
}

TEST_F(MacroDownloadTest, UnresolvedButtonsBecomeDisabled) {
  Place(macros, LibraryLocation::Level0(0), u"m", press);
  Assign(0, kMacro, 0);   // no number
  Assign(2, kMacro, 42);  // deleted from the library
  Assign(3, kBullet, 7);  // a macro number, but looked up among the shooting actions
  Write();
  for (int k : {0, 2, 3}) {
    EXPECT_EQ(Current().buttons[k].KeyValue, (std::array<uint8_t, 3>{0, 0, 0})) << k;
    EXPECT_EQ(Current().buttons[k].KeyName, u"Disable") << k;
  }
  const auto table = Frames(0x01);
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0].At(5), 0x00) << "button 0 goes out as 00 00 00";
  EXPECT_EQ(table[0].At(5 + 3), 0x10) << "button 1 keeps its mouse button";
  EXPECT_EQ(table[0].At(5 + 6), 0x00) << "button 2 goes out as 00 00 00";
  EXPECT_TRUE(Frames(0x10).empty());
}

TEST_F(MacroDownloadTest, PacketsOfALongAndOfAnEmptyMacro) {
  MacroRecord seven = MakeMacro(7, {});
  for (int i = 0; i < 7; ++i)
    seven.actions[seven.MacroActionNum++] = MacroAction::Key(0x41 + i, false);
  seven.MacroCommandActionNum = 7;
  MacroRecord empty = MakeMacro(9, {});
  Place(macros, LibraryLocation::Level0(0), u"seven", seven);
  Place(macros, LibraryLocation::Level0(1), u"empty", empty);
  Assign(0, kMacro, 7, &seven);
  Assign(1, kMacro, 9, &empty);
  Write();
  const auto data = Frames(0x10);
  ASSERT_EQ(data.size(), 3u);
  EXPECT_EQ(data[0].At(3), 0x02);
  EXPECT_EQ(data[0].At(5), 26);
  EXPECT_EQ(data[1].At(3), 0x12);
  EXPECT_EQ(data[1].At(5), 4);
  // Bytes 25..27 of the action area: the last three of the seventh action (key G).
  EXPECT_EQ(data[1].At(7), 0x00);
  EXPECT_EQ(data[1].At(8), 0x0A);
  EXPECT_EQ(data[1].At(9), 0x00);
  EXPECT_EQ(data[2].At(3), 0x01);
  EXPECT_EQ(data[2].At(5), 1);
  EXPECT_EQ(data[2].At(6), 2);
  for (size_t i = 7; i < 32; ++i) EXPECT_EQ(data[2].At(i), 0) << i;
}

TEST_F(MacroDownloadTest, OnlyChangedMacrosTriggerADownloadAndAChangeResendsAll) {
  Place(macros, LibraryLocation::Level0(0), u"a", press);
  Place(macros, LibraryLocation::Level0(1), u"b", other);
  Assign(0, kMacro, 7, &press);
  Assign(1, kMacro, 9, &other);
  Write();
  EXPECT_EQ(Frames(0x10).size(), 2u);
  Write();
  EXPECT_TRUE(Frames(0x10).empty()) << "nothing changed";
  EXPECT_TRUE(Frames(0x11).empty());

  // The manager edits macro b and is opened: the copy is refreshed, both go out again.
  macros.EntryAt(LibraryLocation::Level0(1))->record->actions[0] = MacroAction::Key(0x43, false);
  Write();
  EXPECT_TRUE(Frames(0x10).empty()) << "the button still holds the old copy";
  download.MarkManagerOpened();
  Write();
  EXPECT_EQ(Frames(0x11).size(), 1u);
  EXPECT_EQ(Frames(0x10).size(), 2u);
  EXPECT_EQ(Current().buttons[1].macro.actions[0].b0, 0x43);
}

TEST_F(MacroDownloadTest, ASnapshotCountsTheMacrosAsSent) {
  Place(macros, LibraryLocation::Level0(0), u"a", press);
  Assign(0, kMacro, 7, &press);
  writer.SnapshotSentState();
  Write();
  EXPECT_TRUE(Frames(0x10).empty());
}

TEST_F(MacroDownloadTest, ADownloadTheMouseDidNotTakeIsSentAgainAtTheNextWrite) {
  Place(macros, LibraryLocation::Level0(0), u"a", press);
  Assign(0, kMacro, 7, &press);
  writer.MarkDirty(SettingsWriter::Group::Keys);
  writer.WriteChanges();  // key table, erase, packet: all taken
  press.actions[0] = MacroAction::Key(0x44, false);
  Current().buttons[0].macro = press;
  mouse.RefuseAcks(4 + 4);  // the erase and the packet are never acknowledged
  Write();
  EXPECT_EQ(Frames(0x10).size(), 4u) << "four tries";
  Write();
  ASSERT_EQ(Frames(0x10).size(), 1u) << "sent again although nothing changed since";
  EXPECT_EQ(Frames(0x10)[0].At(9), 0x07) << "key D";
  Write();
  EXPECT_TRUE(Frames(0x10).empty());
}

TEST_F(MacroDownloadTest, ARetryKeepsTheFirstFrame) {
  Place(macros, LibraryLocation::Level0(0), u"a", press);
  Assign(0, kMacro, 7, &press);
  writer.WriteChanges();
  mouse.ClearLog();
  Current().buttons[0].macro.actions[0] = MacroAction::Key(0x45, false);
  mouse.FailReports(2, 1);  // the erase goes through, the first try of the packet fails
  writer.WriteChanges();
  const auto data = Frames(0x10);
  ASSERT_EQ(data.size(), 2u);
  EXPECT_NE(data[0].At(2), data[1].At(2)) << "a fresh sequence number";
  for (size_t i = 5; i < 32; ++i) EXPECT_EQ(data[0].At(i), data[1].At(i)) << i;
}

TEST_F(MacroDownloadTest, AMacroTooLongForTheMouseIsRefusedNotCut) {
  MacroRecord big = MakeMacro(7, {});
  for (int i = 0; i < 100; ++i) big.actions[big.MacroActionNum++] = MacroAction::Key(0x41, i % 2);
  big.MacroCommandActionNum = 100;
  Place(macros, LibraryLocation::Level0(0), u"big", big);
  Place(macros, LibraryLocation::Level0(1), u"b", other);
  Assign(0, kMacro, 7, &big);
  Assign(1, kMacro, 9, &other);
  Write();
  EXPECT_EQ(download.RefusedButtons(), std::vector<int>{0});
  const auto data = Frames(0x10);
  ASSERT_EQ(data.size(), 1u) << "only the macro that fits";
  EXPECT_EQ(data[0].At(6), 2);
  EXPECT_EQ(Current().buttons[0].KeyValue[0], kMacro) << "the assignment itself stays";
  // The user is told once, not at every write while the macro stays too long.
  EXPECT_EQ(std::count(host.attentions.begin(), host.attentions.end(), 352), 1);
  Write();
  EXPECT_EQ(std::count(host.attentions.begin(), host.attentions.end(), 352), 1);
}

}  // namespace
