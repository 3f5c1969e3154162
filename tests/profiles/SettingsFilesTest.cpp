#include "profiles/SettingsFiles.h"

#include <gtest/gtest.h>

#include "ProfileTestSupport.h"
#include "base/StdioFileEx.h"
#include "profiles/ProfileFile.h"

namespace {

using profile_test::DefaultConfigLines;
using profile_test::DefaultProfileLines;
using profile_test::EveryFieldProfile;
using profile_test::FileBytes;
using profile_test::FileLines;
using profile_test::ReadGolden;

class LoadAllSettingsTest : public profile_test::ProfileFilesTest {
 protected:
  void PutConfig(const std::vector<std::u16string>& lines) { Put(Config(), FileBytes(lines)); }
  void PutEveryFieldProfiles() {
    for (int slot = 0; slot < 5; ++slot) Put(SlotPath(slot), ReadGolden("every_field.psf"));
  }
  std::string ProfileBytes(const ProfileSettings& p) {
    const std::u16string path = profile_test::kDataDir + u"expected.psf";
    EXPECT_TRUE(WriteProfileFile(p, path));
    return Get(path);
  }
  std::vector<std::u16string> ConfigWith(int line, std::u16string text) {
    auto lines = DefaultConfigLines();
    lines[static_cast<size_t>(line)] = std::move(text);
    return lines;
  }
};

TEST_F(LoadAllSettingsTest, FirstStartCreatesConfigAndFiveProfiles) {
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Recreated);
  EXPECT_TRUE(Get(Config()) == ReadGolden("config.ini"));
  for (int slot = 0; slot < 5; ++slot) {
    EXPECT_TRUE(Get(SlotPath(slot)) == FileBytes(DefaultProfileLines(slot))) << slot;
    EXPECT_TRUE(Backups(SlotPath(slot)).empty());
  }
  EXPECT_TRUE(Backups(Config()).empty());
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(settings.SensorId(), 0x3950);
  // A second start reads what the first one wrote and changes nothing.
  const ProfileStore before = store;
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Read);
  EXPECT_EQ(store.profiles, before.profiles);
  EXPECT_TRUE(Get(Config()) == ReadGolden("config.ini"));
}

TEST_F(LoadAllSettingsTest, ExistingFilesAreRead) {
  PutConfig(ConfigWith(6, u"CurrentProfile=4"));
  PutEveryFieldProfiles();
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Read);
  EXPECT_EQ(settings.CurrentProfileIndex(), 4);
  for (const auto& p : store.profiles) EXPECT_EQ(p, EveryFieldProfile());
  for (int slot = 0; slot < 5; ++slot) EXPECT_TRUE(Backups(SlotPath(slot)).empty());
}

TEST_F(LoadAllSettingsTest, SensorCheckBringsProfilesToTheSensorDefaults) {
  PutConfig(ConfigWith(3, u"PreST=0xC6AE"));
  PutEveryFieldProfiles();
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Read);
  ProfileSettings expected = EveryFieldProfile();
  ApplySensorDpiDefaults(expected, 0x3950);
  for (const auto& p : store.profiles) EXPECT_EQ(p, expected);
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kPreST), u"0xC6AF");
  // All six files were written again.
  EXPECT_TRUE(Get(Config()) == ReadGolden("config.ini"));
  for (int slot = 0; slot < 5; ++slot) EXPECT_TRUE(Get(SlotPath(slot)) == ProfileBytes(expected));
}

TEST_F(LoadAllSettingsTest, HeaderOnlyConfigKeepsDefaultsAndTheProfiles) {
  PutConfig({u"[Setting]"});
  PutEveryFieldProfiles();
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Read);
  for (int i = 0; i < GlobalSettings::kPairCount; ++i) {
    EXPECT_EQ(settings.ValueAt(i),
              FileLines(ReadGolden("config.ini"))[i + 1].substr(settings.KeyAt(i).size() + 1));
  }
  for (const auto& p : store.profiles) EXPECT_EQ(p, EveryFieldProfile());
  ASSERT_TRUE(SaveCurrentProfileIndex(settings));
  EXPECT_TRUE(Get(Config()) == ReadGolden("config.ini"));
}

TEST_F(LoadAllSettingsTest, DamagedConfigIsRebuiltAndProfilesThatReadCleanlyStay) {
  auto lines = DefaultConfigLines();
  lines.push_back(u"OneMore=1");
  const std::string damaged = FileBytes(lines);
  Put(Config(), damaged);
  PutEveryFieldProfiles();
  const std::string badProfile = FileBytes({u"[Setting]", u"ProfileName=cut short"});
  Put(SlotPath(3), badProfile);
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Recreated);
  EXPECT_EQ(Backups(Config()), std::vector<std::string>{damaged});
  EXPECT_TRUE(Get(Config()) == ReadGolden("config.ini"));
  for (int slot : {0, 1, 2, 4}) {
    EXPECT_EQ(store.profiles[slot], EveryFieldProfile()) << slot;
    EXPECT_TRUE(Get(SlotPath(slot)) == ReadGolden("every_field.psf")) << slot;
    EXPECT_TRUE(Backups(SlotPath(slot)).empty()) << slot;
  }
  ProfileSettings defaults;
  ResetProfileToDefaults(defaults, 3, 0x3950);
  EXPECT_EQ(store.profiles[3], defaults);
  EXPECT_EQ(Backups(SlotPath(3)), std::vector<std::string>{badProfile});

  // The same again with another damage: nothing kept before is lost.
  platform.desktop().RunFor(1000);
  const std::string cut = damaged.substr(0, damaged.size() - 9);
  Put(Config(), cut);
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Recreated);
  EXPECT_EQ(Backups(Config()), (std::vector<std::string>{damaged, cut}));
  EXPECT_EQ(Backups(SlotPath(3)), std::vector<std::string>{badProfile});
  for (int slot : {0, 1, 2, 4}) EXPECT_EQ(store.profiles[slot], EveryFieldProfile()) << slot;
}

TEST_F(LoadAllSettingsTest, ConfigCutInsideItsLastLineKeepsThatSlotOnItsProfile) {
  auto lines = DefaultConfigLines();
  PutEveryFieldProfiles();
  const std::u16string cut = SlotPath(4).substr(0, SlotPath(4).size() - 7);  // "...\defau"
  lines.pop_back();
  Put(Config(), FileBytes(lines) + FileBytes({u"ProfileSlot4URL=" + cut}, u"", false));
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Recreated);
  EXPECT_EQ(settings.ProfileSlotPath(4), SlotPath(4));
  EXPECT_EQ(store.profiles[4], EveryFieldProfile());
  EXPECT_FALSE(Exists(cut)) << "no new profile at the cut path";
}

TEST_F(LoadAllSettingsTest, BadProfileFileIsKeptAndReplaced) {
  PutConfig(DefaultConfigLines());
  PutEveryFieldProfiles();
  Put(SlotPath(3), FileBytes({u"[Setting]", u"ProfileName=cut short"}));
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Read);
  ProfileSettings defaults;
  ResetProfileToDefaults(defaults, 3, 0x3950);
  EXPECT_EQ(store.profiles[3], defaults);
  EXPECT_EQ(store.profiles[2], EveryFieldProfile());
  EXPECT_EQ(Backups(SlotPath(3)),
            std::vector<std::string>{FileBytes({u"[Setting]", u"ProfileName=cut short"})});
  EXPECT_TRUE(Get(SlotPath(3)) == FileBytes(DefaultProfileLines(3)));
}

TEST_F(LoadAllSettingsTest, AProfileFileThatCannotBeReadIsNeverWrittenOver) {
  PutConfig(DefaultConfigLines());
  PutEveryFieldProfiles();
  platform.files().FailReadsContaining(u"default2.psf");
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Read);
  ProfileSettings defaults;
  ResetProfileToDefaults(defaults, 2, 0x3950);
  EXPECT_EQ(store.profiles[2], defaults) << "defaults in memory for this run";
  EXPECT_EQ(store.profiles[1], EveryFieldProfile());
  EXPECT_EQ(CStdioFileEx::UnreadableFiles(), std::vector<std::u16string>{SlotPath(2)});

  EXPECT_TRUE(SaveSettingsAndProfiles(settings, store)) << "that one is left alone, not failed";
  platform.files().FailReadsContaining(u"");
  EXPECT_TRUE(Get(SlotPath(2)) == ReadGolden("every_field.psf"));
  EXPECT_TRUE(Backups(SlotPath(2)).empty());
  EXPECT_TRUE(Get(SlotPath(1)) == ReadGolden("every_field.psf"));
}

TEST_F(LoadAllSettingsTest, AConfigThatCannotBeReadKeepsItsDefaultsAndTheFiles) {
  PutConfig(ConfigWith(6, u"CurrentProfile=3"));
  PutEveryFieldProfiles();
  const std::string config = Get(Config());
  platform.files().FailReadsContaining(u"config.ini");
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Unreadable);
  EXPECT_EQ(settings.CurrentProfileIndex(), 0);
  for (const auto& p : store.profiles) EXPECT_EQ(p, EveryFieldProfile());
  EXPECT_TRUE(SaveSettingsAndProfiles(settings, store));
  platform.files().FailReadsContaining(u"");
  EXPECT_TRUE(Get(Config()) == config);
  EXPECT_TRUE(Backups(Config()).empty());
  for (int slot = 0; slot < 5; ++slot) {
    EXPECT_TRUE(Get(SlotPath(slot)) == ReadGolden("every_field.psf")) << slot;
  }
}

TEST_F(LoadAllSettingsTest, ResetProfilesGetTheConfiguredSensorsDefaults) {
  auto lines = ConfigWith(2, u"Sensor=0x3104");
  lines[3] = u"PreST=0xCEFB";
  PutConfig(lines);
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Read);
  EXPECT_EQ(settings.SensorId(), 0x3104);
  EXPECT_EQ(store.profiles[0].XYSettingValueX, *SensorDpiDefaults(0x3104));
}

TEST_F(LoadAllSettingsTest, OutOfRangeValuesInConfig) {
  auto lines = ConfigWith(6, u"CurrentProfile=9");
  lines[7] = u"ProfileShowCount=12";
  lines[8] = u"ProfileShowList0=3";
  lines[9] = u"ProfileShowList1=3";
  lines[10] = u"ProfileShowList2=77";
  PutConfig(lines);
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Read);
  EXPECT_EQ(settings.CurrentProfileIndex(), 0);
  EXPECT_EQ(settings.ShowCount(), 5);
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{3, 4, 0, 1, 2}));
}

TEST_F(LoadAllSettingsTest, SaveSettingsAndProfilesWritesSixFiles) {
  settings.SetValueAt(GlobalSettings::kCurrentProfile, u"x");
  store.profiles[1] = EveryFieldProfile();
  EXPECT_TRUE(SaveSettingsAndProfiles(settings, store));
  EXPECT_TRUE(Get(Config()) == ReadGolden("config.ini"));  // "x" is saved as "0"
  EXPECT_TRUE(Get(SlotPath(1)) == ReadGolden("every_field.psf"));
  platform.files().FailReplaceContaining(u"config.ini");
  EXPECT_FALSE(SaveSettingsAndProfiles(settings, store));
}

TEST_F(LoadAllSettingsTest, SensorChange) {
  store.profiles[2] = EveryFieldProfile();
  SensorDpiTable table;
  BuildSensorDpiTable(table, 0x3950);
  ChangeSensor(settings, store, table, 0x3335);
  EXPECT_EQ(settings.SensorId(), 0x3335);
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kSensor), u"0x3335");
  EXPECT_EQ(settings.ValueAt(GlobalSettings::kPreST), u"0xCCCA");
  EXPECT_EQ(table.count, 160);
  EXPECT_TRUE(table.liftOffPage);
  ProfileSettings expected = EveryFieldProfile();
  ApplySensorDpiDefaults(expected, 0x3335);
  EXPECT_EQ(store.profiles[2], expected);
  EXPECT_EQ(FileLines(Get(Config()))[2], u"Sensor=0x3335");
  EXPECT_TRUE(Get(SlotPath(2)) == ProfileBytes(expected));
  // The next start finds everything consistent and changes nothing.
  const ProfileStore before = store;
  EXPECT_EQ(LoadAllSettings(settings, store), ConfigLoad::Read);
  EXPECT_EQ(store.profiles, before.profiles);
}

}  // namespace
