#include "profiles/GlobalSettings.h"

#include <gtest/gtest.h>

#include "ProfileTestSupport.h"

namespace {

using profile_test::DefaultConfigLines;
using profile_test::FileBytes;
using profile_test::FileLines;
using profile_test::kDataDir;

class GlobalSettingsTest : public profile_test::ProfileFilesTest {};

TEST_F(GlobalSettingsTest, DefaultConfigIsWrittenByteForByte) {
  ASSERT_EQ(DefaultConfigLines().size(), 18u);
  ASSERT_TRUE(SaveGlobalSettings(settings));
  const std::string written = Get(Config());
  EXPECT_EQ(FileLines(written), DefaultConfigLines());
  EXPECT_TRUE(written == FileBytes(DefaultConfigLines()));
  profile_test::ExpectMatchesGolden("config.ini", written);
}

TEST_F(GlobalSettingsTest, DefaultsAndAccessors) {
  EXPECT_EQ(settings.KeyAt(1), u"Sensor");
  EXPECT_EQ(settings.ValueAt(1), u"0x3950");
  EXPECT_EQ(settings.KeyAt(17), u"");
  EXPECT_EQ(settings.ValueAt(-1), u"");
  EXPECT_EQ(settings.NeedPassword(), 1);
  EXPECT_EQ(settings.CurrentProfileIndex(), 0);
  EXPECT_EQ(settings.ShowCount(), 3);
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(settings.ProfileSlotPath(4), kDataDir + u"config\\default4.psf");
  EXPECT_EQ(settings.ProfileSlotPath(5), u"");
  EXPECT_EQ(settings.ParsedSensor(), 0x3950);
  EXPECT_EQ(settings.ParsedPreST(), 0xC6AF);
  EXPECT_EQ(static_cast<uint16_t>(~settings.ParsedPreST()), settings.ParsedSensor());
}

TEST_F(GlobalSettingsTest, SlotFilesAreFoundInTheDataFolderInUse) {
  // Written by the program on another machine or account, or under Wine; the line stays.
  const struct {
    std::u16string stored;
    std::u16string resolved;
  } cases[] = {
      {u"C:\\users\\me\\AppData\\Roaming\\X\\config\\default2.psf", u"config\\default2.psf"},
      {u"/home/me/.config/X/config/mine.psf", u"config\\mine.psf"},
      {u"default3.psf", u"config\\default3.psf"},
      {kDataDir + u"config\\default1.psf", u"config\\default1.psf"},
  };
  for (const auto& c : cases) {
    settings.SetValueAt(GlobalSettings::kProfileSlot0URL + 2, c.stored);
    EXPECT_EQ(settings.ProfileSlotPath(2), kDataDir + c.resolved);
    EXPECT_EQ(settings.ValueAt(GlobalSettings::kProfileSlot0URL + 2), c.stored);
  }
  // A line that names no file names none.
  settings.SetValueAt(GlobalSettings::kProfileSlot0URL + 2, u"C:\\dir\\");
  EXPECT_EQ(settings.ProfileSlotPath(2), u"");
}

TEST_F(GlobalSettingsTest, HexTextsPadWithSpacesOrZeros) {
  settings.SetSensorId(0x0070);
  settings.SetSensorText();
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kSensor), u"0x0070");
  settings.SetPreST(0x0123);
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kPreST), u"0x 123");
  EXPECT_EQ(settings.ParsedPreST(), 0);  // as the C library reads "0x 123"
  settings.SetPreST(0xFF8F);
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kPreST), u"0xFF8F");
  settings.SetMacId(0x12);
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kMacId), u"0x  12");
  settings.SetMacId(0xDEADBEEF);
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kMacId), u"0xDEADBEEF");
}

TEST_F(GlobalSettingsTest, ValuesFromTheFileAreBoundedBeforeTheyIndex) {
  const struct {
    int pair;
    const char16_t* value;
    int current, count;
  } cases[] = {
      {GlobalSettings::kCurrentProfile, u"x", 0, 3},
      {GlobalSettings::kCurrentProfile, u"4", 4, 3},
      {GlobalSettings::kCurrentProfile, u"5", 0, 3},
      {GlobalSettings::kCurrentProfile, u"-1", 0, 3},
      {GlobalSettings::kProfileShowCount, u"0", 0, 1},
      {GlobalSettings::kProfileShowCount, u"5", 0, 5},
      {GlobalSettings::kProfileShowCount, u"99", 0, 5},
      {GlobalSettings::kProfileShowCount, u"-7", 0, 1},
  };
  for (const auto& c : cases) {
    GlobalSettings s;
    s.SetValueAt(c.pair, c.value);
    EXPECT_EQ(s.CurrentProfileIndex(), c.current) << base::ToUtf8(c.value);
    EXPECT_EQ(s.ShowCount(), c.count) << base::ToUtf8(c.value);
  }
  GlobalSettings s;
  s.SetValueAt(GlobalSettings::kProfileShowList0 + 1, u"9");
  EXPECT_EQ(s.ShowList(1), 1);
  EXPECT_EQ(s.ShowList(5), -1);
}

TEST_F(GlobalSettingsTest, ShowListIsRepairedIntoAnOrderOfTheFiveSlots) {
  const struct {
    std::array<const char16_t*, 5> entries;
    std::vector<int> repaired;
  } cases[] = {
      {{u"0", u"2", u"3", u"4", u"1"}, {0, 2, 3, 4, 1}},  // valid: unchanged
      {{u"4", u"4", u"0", u"9", u"x"}, {4, 0, 1, 2, 3}},  // "x" reads 0, a second 0
      {{u"-1", u"7", u"3", u"3", u"3"}, {3, 0, 1, 2, 4}},
  };
  for (const auto& c : cases) {
    GlobalSettings s;
    for (int i = 0; i < 5; ++i) s.SetValueAt(GlobalSettings::kProfileShowList0 + i, c.entries[i]);
    s.RepairShowList();
    std::vector<int> list;
    for (int i = 0; i < 5; ++i) list.push_back(s.ShowList(i));
    EXPECT_EQ(list, c.repaired);
  }
  GlobalSettings untouched;
  untouched.SetValueAt(GlobalSettings::kProfileShowList0, u"00");
  untouched.RepairShowList();
  EXPECT_EQ(untouched.ValueAt(GlobalSettings::kProfileShowList0), u"00");  // valid text stays
}

TEST_F(GlobalSettingsTest, HidingAndShowingProfiles) {
  // Deleting position 1 of the default list.
  EXPECT_TRUE(settings.HideProfile(1));
  std::vector<std::u16string> list;
  for (int i = 0; i < 5; ++i)
    list.push_back(settings.ValueAt(GlobalSettings::kProfileShowList0 + i));
  EXPECT_EQ(list, (std::vector<std::u16string>{u"0", u"2", u"3", u"4", u"1"}));
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kProfileShowCount), u"2");
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0, 2}));
  // A hidden slot cannot be hidden again; the last shown slot stays.
  EXPECT_FALSE(settings.HideProfile(1));
  EXPECT_TRUE(settings.HideProfile(2));
  EXPECT_FALSE(settings.HideProfile(0));
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0}));
  // Showing takes the first hidden slot each time.
  EXPECT_EQ(settings.ShowNextProfile(), 3);
  EXPECT_EQ(settings.ShowNextProfile(), 4);
  EXPECT_EQ(settings.ShowNextProfile(), 1);
  EXPECT_EQ(settings.ShowNextProfile(), 2);
  EXPECT_EQ(settings.ShowNextProfile(), -1);
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0, 3, 4, 1, 2}));
}

class ConfigReadTest : public GlobalSettingsTest {
 protected:
  GlobalSettings::ReadResult ReadLines(const std::vector<std::u16string>& lines,
                                       std::u16string_view end = u"\n") {
    Put(Config(), FileBytes(lines, end));
    return settings.ReadConfigFile(Config());
  }
};

TEST_F(ConfigReadTest, PairsArePositionalAndKeepTheirKeys) {
  auto lines = DefaultConfigLines();
  lines[6] = u"Aktuell=3";  // the 6th pair is the current profile whatever its key says
  lines[2] = u"Sensor=0x3360";
  ASSERT_EQ(ReadLines(lines), GlobalSettings::ReadResult::Ok);
  EXPECT_EQ(settings.CurrentProfileIndex(), 3);
  EXPECT_EQ(settings.KeyAt(GlobalSettings::kCurrentProfile), u"Aktuell");
  EXPECT_EQ(settings.ParsedSensor(), 0x3360);
  ASSERT_TRUE(SaveGlobalSettings(settings));
  EXPECT_EQ(FileLines(Get(Config()))[6], u"Aktuell=3");
}

TEST_F(ConfigReadTest, ShortFilesKeepWhatThePairsHeld) {
  settings.SetCurrentProfile(2);
  ASSERT_EQ(ReadLines({u"[Setting]", u"NeedPassword=0", u"Sensor="}),
            GlobalSettings::ReadResult::Ok);
  EXPECT_EQ(settings.NeedPassword(), 0);
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kSensor), u"");
  EXPECT_EQ(settings.ParsedSensor(), 0);
  EXPECT_EQ(settings.CurrentProfileIndex(), 2);
  ASSERT_EQ(ReadLines({u"[Setting]"}), GlobalSettings::ReadResult::Ok);
}

TEST_F(ConfigReadTest, DamagedFilesAreRefused) {
  auto extra = DefaultConfigLines();
  extra.push_back(u"Extra=1");
  auto blank = DefaultConfigLines();
  blank.insert(blank.begin() + 5, u"");
  auto noEquals = DefaultConfigLines();
  noEquals[3] = u"PreST 0xC6AF";
  auto equalsFirst = DefaultConfigLines();
  equalsFirst[3] = u"=0xC6AF";
  const std::vector<std::pair<const char*, std::vector<std::u16string>>> cases = {
      {"18th pair", extra},
      {"blank line", blank},
      {"no =", noEquals},
      {"= first", equalsFirst},
      {"wrong header", {u"[Settings]", u"NeedPassword=1"}},
  };
  for (const auto& [what, lines] : cases) {
    EXPECT_EQ(ReadLines(lines), GlobalSettings::ReadResult::Malformed) << what;
  }
  EXPECT_EQ(ReadLines(DefaultConfigLines(), u"\r\n"), GlobalSettings::ReadResult::Malformed);
  Put(Config(), "");
  EXPECT_EQ(settings.ReadConfigFile(Config()), GlobalSettings::ReadResult::Malformed);
}

TEST_F(ConfigReadTest, AFileCutOffOrNamingNoProfileFileIsRefused) {
  const std::string whole = FileBytes(DefaultConfigLines());
  auto head = DefaultConfigLines();
  const std::u16string last = head.back();
  head.pop_back();
  // As found after a crash: "...ProfileSlot4URL=C:\...\config\de" and nothing more.
  const std::u16string cut = last.substr(0, last.find(u"\\config\\de") + 10);
  auto slot = [](std::u16string value) {
    auto lines = DefaultConfigLines();
    lines[13] = u"ProfileSlot0URL=" + value;
    return lines;
  };
  const std::vector<std::pair<const char*, std::string>> refused = {
      {"cut inside the last value", FileBytes(head) + FileBytes({cut}, u"", false)},
      {"last line without its line feed", whole.substr(0, whole.size() - 2)},
      {"header without its line feed", FileBytes({u"[Setting]"}, u"")},
      {"empty slot file", FileBytes(slot(u""))},
      {"slot file cut short", FileBytes(slot(kDataDir + u"config\\default0.ps"))},
      {"slot file of another kind", FileBytes(slot(kDataDir + u"config\\default0.ini"))},
  };
  for (const auto& [what, bytes] : refused) {
    Put(Config(), bytes);
    EXPECT_EQ(settings.ReadConfigFile(Config()), GlobalSettings::ReadResult::Malformed) << what;
  }
  const std::vector<std::pair<const char*, std::string>> accepted = {
      {"whole file", whole},
      {"upper-case extension", FileBytes(slot(u"D:\\Profiles\\Mine.PSF"))},
      {"file that ends after a whole line", FileBytes({u"[Setting]", u"NeedPassword=0"})},
  };
  for (const auto& [what, bytes] : accepted) {
    Put(Config(), bytes);
    EXPECT_EQ(settings.ReadConfigFile(Config()), GlobalSettings::ReadResult::Ok) << what;
  }
  EXPECT_EQ(settings.ReadConfigFile(kDataDir + u"config\\none.ini"),
            GlobalSettings::ReadResult::CannotOpen);
}

}  // namespace
