#include "profiles/ProfileOperations.h"

#include <gtest/gtest.h>

#include "ProfileTestSupport.h"
#include "profiles/ProfileFile.h"
#include "profiles/SettingsFiles.h"

namespace {

using profile_test::DefaultProfileLines;
using profile_test::EveryFieldProfile;
using profile_test::FileBytes;
using profile_test::FileLines;
using profile_test::ReadGolden;

class ProfileOperationsTest : public profile_test::ProfileFilesTest {
 protected:
  void SetUp() override {
    ProfileFilesTest::SetUp();
    ASSERT_EQ(LoadAllSettings(settings, store), ConfigLoad::Recreated);
  }
  ProfileSettings Defaults(int slot) {
    ProfileSettings p;
    ResetProfileToDefaults(p, slot, 0x3950);
    return p;
  }
  // The six files as they are now.
  std::vector<std::string> Files() {
    std::vector<std::string> files = {Get(Config())};
    for (int slot = 0; slot < 5; ++slot) files.push_back(Get(SlotPath(slot)));
    return files;
  }
  const std::u16string kUserFile = u"C:\\Users\\player\\AppData\\Roaming\\mine.psf";
};

TEST_F(ProfileOperationsTest, SwitchMarksKeysAndDpiOnly) {
  const auto files = Files();
  const SwitchMarks marks = SwitchProfile(settings, 2);
  EXPECT_TRUE(marks.keys);
  EXPECT_TRUE(marks.dpi);
  EXPECT_EQ(settings.CurrentProfileIndex(), 2);
  EXPECT_EQ(Files(), files);  // saved later by the delayed save
  const SwitchMarks none = SwitchProfile(settings, 5);
  EXPECT_FALSE(none.keys || none.dpi);
  EXPECT_EQ(settings.CurrentProfileIndex(), 2);
}

TEST_F(ProfileOperationsTest, AddShowsTheFirstHiddenSlotUntilAllAreShown) {
  EXPECT_EQ(AddActionFor(settings), ProfileAction::Add);
  store.profiles[3] = EveryFieldProfile();
  EXPECT_EQ(AddProfile(settings, store, u""), kMsgEmptyName);
  EXPECT_EQ(settings.ShowCount(), 3);
  EXPECT_EQ(store.profiles[3], EveryFieldProfile());

  EXPECT_EQ(AddProfile(settings, store, u"Arena"), 0);
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0, 1, 2, 3}));
  ProfileSettings expected = Defaults(3);
  expected.SetProfileName(u"Arena");
  EXPECT_EQ(store.profiles[3], expected);
  EXPECT_EQ(FileLines(Get(SlotPath(3)))[1], u"ProfileName=Arena");
  EXPECT_EQ(FileLines(Get(Config()))[7], u"ProfileShowCount=4");
  EXPECT_EQ(settings.CurrentProfileIndex(), 0);  // the active profile does not change

  EXPECT_EQ(AddProfile(settings, store, u"Desk"), 0);
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(AddActionFor(settings), ProfileAction::NoFreeSlot);
  EXPECT_EQ(CheckAddProfile(settings), kMsgNoFreeSlot);
  const auto files = Files();
  EXPECT_EQ(AddProfile(settings, store, u"Sixth"), kMsgNoFreeSlot);
  EXPECT_EQ(Files(), files);
}

TEST_F(ProfileOperationsTest, DeleteThenAddReusesTheSlotWithDefaults) {
  store.profiles[1] = EveryFieldProfile();
  EXPECT_EQ(DeleteProfile(settings, store, 1), 0);
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0, 2}));
  // The deleted slot keeps its data and its file.
  EXPECT_EQ(store.profiles[1], EveryFieldProfile());
  EXPECT_TRUE(Get(SlotPath(1)) == ReadGolden("every_field.psf"));
  EXPECT_EQ(FileLines(Get(Config()))[7], u"ProfileShowCount=2");

  EXPECT_EQ(AddProfile(settings, store, u"Again"), 0);  // positions 2.. hold 3, 4, 1
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(AddProfile(settings, store, u"Again"), 0);
  EXPECT_EQ(AddProfile(settings, store, u"Again"), 0);
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0, 2, 3, 4, 1}));
  ProfileSettings expected = Defaults(1);
  expected.SetProfileName(u"Again");
  EXPECT_EQ(store.profiles[1], expected);
}

TEST_F(ProfileOperationsTest, ActiveProfileIsNotDeleted) {
  (void)SwitchProfile(settings, 2);
  const auto files = Files();
  EXPECT_EQ(DeleteProfile(settings, store, 2), kMsgActiveProfileNotDeleted);
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Files(), files);
  EXPECT_EQ(DeleteProfile(settings, store, 4), 0);  // a hidden slot: nothing to do
  EXPECT_EQ(settings.ShownSlots(), (std::vector<int>{0, 1, 2}));
}

TEST_F(ProfileOperationsTest, Rename) {
  EXPECT_EQ(RenameProfile(settings, store, 1, u""), kMsgEmptyName);
  EXPECT_EQ(store.profiles[1].ProfileName(), u"配置2");
  EXPECT_EQ(RenameProfile(settings, store, 1, u"长 名字 = ok"), 0);
  EXPECT_EQ(store.profiles[1].ProfileName(), u"长 名字 = ok");
  EXPECT_EQ(FileLines(Get(SlotPath(1)))[1], u"ProfileName=长 名字 = ok");
  EXPECT_EQ(RenameProfile(settings, store, 9, u"x"), 0);
}

// A change that could not be saved is made all the same and says so (341), for the caller
// to tell once and keep pending; it is never passed off as saved.
TEST_F(ProfileOperationsTest, AChangeThatCouldNotBeSavedSaysSo) {
  Put(kUserFile, ReadGolden("every_field.psf"));
  platform.files().FailWritesContaining(u"default");
  EXPECT_EQ(AddProfile(settings, store, u"Arena"), kMsgSaveFailed);
  EXPECT_EQ(settings.ShowCount(), 4);
  EXPECT_EQ(RenameProfile(settings, store, 1, u"Desk"), kMsgSaveFailed);
  EXPECT_EQ(store.profiles[1].ProfileName(), u"Desk");
  EXPECT_EQ(DeleteProfile(settings, store, 1), kMsgSaveFailed);
  EXPECT_EQ(ImportProfile(settings, store, 2, kUserFile), kMsgSaveFailed);
  EXPECT_EQ(store.profiles[2], EveryFieldProfile());
  platform.files().FailWritesContaining(u"");
  EXPECT_EQ(RenameProfile(settings, store, 1, u"Desk 2"), 0);
}

TEST_F(ProfileOperationsTest, ExportWritesOnlyTheChosenFile) {
  store.profiles[0] = EveryFieldProfile();
  const auto files = Files();
  EXPECT_TRUE(ExportProfile(store, 0, kUserFile));
  EXPECT_TRUE(Get(kUserFile) == ReadGolden("every_field.psf"));
  EXPECT_EQ(FileLines(Get(kUserFile)).size(), 110u);
  EXPECT_EQ(Files(), files);
  EXPECT_FALSE(ExportProfile(store, 5, kUserFile));
  EXPECT_FALSE(ExportProfile(store, 0, profile_test::kDataDir + u"no folder\\x.psf"));
}

TEST_F(ProfileOperationsTest, ImportReadsIntoTheSlotAndSaves) {
  Put(kUserFile, ReadGolden("every_field.psf"));
  store.profiles[2].buttons[0].macro.MacroKeyLoopNum = 5;  // not in the file: stays
  EXPECT_EQ(ImportProfile(settings, store, 2, kUserFile), 0);
  ProfileSettings expected = EveryFieldProfile();
  expected.buttons[0].macro.MacroKeyLoopNum = 5;
  EXPECT_EQ(store.profiles[2], expected);
  EXPECT_TRUE(Get(SlotPath(2)) == ReadGolden("every_field.psf"));
}

TEST_F(ProfileOperationsTest, BadImportLeavesTheSlotAndItsFile) {
  store.profiles[1] = EveryFieldProfile();
  ASSERT_TRUE(SaveAllProfiles(store, settings));
  const auto files = Files();
  auto notSetting = FileLines(ReadGolden("every_field.psf"));
  notSetting[0] = u"[Profile]";
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"first line not [Setting]", FileBytes(notSetting)},
      {"cut short", FileBytes({u"[Setting]", u"ProfileName=x"})},
      {"CR LF", FileBytes(FileLines(ReadGolden("every_field.psf")), u"\r\n")},
      {"empty", ""},
  };
  for (const auto& [what, bytes] : cases) {
    Put(kUserFile, bytes);
    EXPECT_EQ(ImportProfile(settings, store, 1, kUserFile), kMsgBadProfileFile) << what;
    EXPECT_EQ(store.profiles[1], EveryFieldProfile()) << what;
    EXPECT_EQ(Files(), files) << what;
  }
  EXPECT_EQ(ImportProfile(settings, store, 1, profile_test::kDataDir + u"missing.psf"),
            kMsgBadProfileFile);
  EXPECT_EQ(store.profiles[1], EveryFieldProfile());
}

}  // namespace
