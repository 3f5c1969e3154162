#include "profiles/ProfileFile.h"

#include <gtest/gtest.h>

#include "ProfileTestSupport.h"

namespace {

using profile_test::DefaultProfileLines;
using profile_test::EveryFieldProfile;
using profile_test::EveryFieldProfileLines;
using profile_test::ExpectMatchesGolden;
using profile_test::FileBytes;
using profile_test::FileLines;
using profile_test::ReadGolden;

class ProfileFileTest : public profile_test::ProfileFilesTest {
 protected:
  const std::u16string kExport = profile_test::kDataDir + u"export.psf";

  // The default profile of slot 1 for comparison.
  ProfileSettings Defaults(int slot) {
    ProfileSettings p;
    ResetProfileToDefaults(p, slot, 0x3950);
    return p;
  }

  std::string Written(const ProfileSettings& p) {
    EXPECT_TRUE(WriteProfileFile(p, kExport));
    return Get(kExport);
  }
};

TEST_F(ProfileFileTest, DefaultProfileIsWrittenByteForByte) {
  const std::string expected = FileBytes(DefaultProfileLines(0));
  EXPECT_EQ(DefaultProfileLines(0).size(), 110u);
  const std::string written = Written(Defaults(0));
  EXPECT_EQ(FileLines(written), DefaultProfileLines(0));
  EXPECT_TRUE(written == expected);
  ExpectMatchesGolden("default_3950.psf", written);
}

TEST_F(ProfileFileTest, EveryFieldProfileIsWrittenByteForByte) {
  const std::string expected = FileBytes(EveryFieldProfileLines());
  EXPECT_EQ(EveryFieldProfileLines().size(), 110u);
  const std::string written = Written(EveryFieldProfile());
  EXPECT_EQ(FileLines(written), EveryFieldProfileLines());
  EXPECT_TRUE(written == expected);
  ExpectMatchesGolden("every_field.psf", written);
  // The last line of each button holds all 184 actions.
  EXPECT_EQ(FileLines(written)[109].size(), std::u16string(u"\t\tAllAction=").size() + 1472);
}

TEST_F(ProfileFileTest, GoldenFilesReadBackAndWriteTheSameBytes) {
  for (const char* name : {"default_3950.psf", "every_field.psf"}) {
    SCOPED_TRACE(name);
    const std::string golden = ReadGolden(name);
    ASSERT_FALSE(golden.empty());
    Put(SlotPath(2), golden);
    ProfileSettings read;
    ASSERT_EQ(ParseProfileFile(SlotPath(2), read), ProfileReadResult::Ok);
    EXPECT_TRUE(Written(read) == golden);
  }
  ProfileSettings read;
  Put(SlotPath(2), ReadGolden("every_field.psf"));
  ASSERT_EQ(ParseProfileFile(SlotPath(2), read), ProfileReadResult::Ok);
  EXPECT_EQ(read, EveryFieldProfile());  // every field, all 184 places of every button
}

TEST_F(ProfileFileTest, ActionPlacesBeyondTheCountTravelToo) {
  ProfileSettings p = EveryFieldProfile();
  p.buttons[3].macro.MacroActionNum = 2;
  ASSERT_TRUE(WriteProfileFile(p, kExport));
  ProfileSettings read;
  ASSERT_EQ(ParseProfileFile(kExport, read), ProfileReadResult::Ok);
  EXPECT_EQ(read.buttons[3].macro.MacroActionNum, 2u);
  EXPECT_EQ(read.buttons[3].macro.actions, p.buttons[3].macro.actions);
}

TEST_F(ProfileFileTest, MacroFieldsNotInTheFileKeepTheirValues) {
  ProfileSettings target = Defaults(0);
  target.buttons[1].macro.MacroKeyLoopType = 4;
  target.buttons[1].macro.MacroKeyLoopNum = 9;
  target.buttons[1].macro.MacroCommandActionNum = 7;
  target.buttons[1].macro.MacroKeyIndex = 33;
  Put(kExport, ReadGolden("every_field.psf"));
  ASSERT_EQ(ParseProfileFile(kExport, target), ProfileReadResult::Ok);
  EXPECT_EQ(target.buttons[1].macro.MacroKeyLoopType, 4);
  EXPECT_EQ(target.buttons[1].macro.MacroKeyLoopNum, 9);
  EXPECT_EQ(target.buttons[1].macro.MacroCommandActionNum, 7);
  EXPECT_EQ(target.buttons[1].macro.MacroKeyIndex, 33u);
  EXPECT_EQ(target.buttons[1].MacroKeyIndex, 1001u);  // the slot's own index is in the file
}

TEST_F(ProfileFileTest, LenientValues) {
  auto lines = EveryFieldProfileLines();
  lines[1] = u"ProfileName=";                      // empty name
  lines[2] = u"GameFile0=a=b";                     // everything after the first "="
  lines[5] = u"Renamed=9";                         // a changed key is kept and written back
  lines[24] = u"DPIOffOnFlagValue=7";              // a single hex digit
  lines[25] = u"\tXYSetting1ValueX=zz";            // two non-hex characters
  lines[26] = u"\tXYSetting1ValueY=1F";            // a short u16 field
  lines[41] = u"\tCurrentDPILevelValue=0x";        // "0x" alone is the number 0
  lines[42] = u"\tDPILevelIndication0Valuer=FF1";  // a short colour: what is there
  lines[53] = u"\tPollingRateValue=";              // nothing after "=": all zero
  lines[57] = u"\tLighting1Speed=01|02";           // a short list: the rest is 0
  lines[106] = u"=77";                             // MacroKeyIndex may have "=" first
  lines[108] = u"\t\tMacroActionNum=999";          // more than 184 places
  lines[101] = u"\t\tMacroActionNum=-4";           // below zero
  lines[102] = u"\t\tAllAction=" + std::u16string(1472, u'g');  // right length, no hex
  lines.push_back(u"anything after the last button is ignored");
  Put(kExport, FileBytes(lines));
  ProfileSettings p = Defaults(0);
  ASSERT_EQ(ParseProfileFile(kExport, p), ProfileReadResult::Ok);
  EXPECT_EQ(p.ProfileName(), u"");
  EXPECT_EQ(p.PairValue(1), u"a=b");
  EXPECT_EQ(p.PairKey(4), u"Renamed");
  EXPECT_EQ(p.DPIOffOnFlagValue, 7);
  EXPECT_EQ(p.XYSettingValueX[0], 0);
  EXPECT_EQ(p.XYSettingValueY[0], 0x1F);
  EXPECT_EQ(p.CurrentDPILevelValue, 0);
  EXPECT_EQ(p.DPILevelIndication[0], platform::Rgb(0xFF, 0x01, 0));
  EXPECT_EQ(p.PollingRateValue, (std::array<uint8_t, 3>{0, 0, 0}));
  EXPECT_EQ(p.lighting.Lighting1Speed,
            (LightingZone::PerEffect<uint8_t>{1, 2, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(p.buttons[5].MacroKeyIndex, 77u);
  EXPECT_EQ(p.buttons[5].macro.MacroActionNum, 184u);
  EXPECT_EQ(p.buttons[4].macro.MacroActionNum, 0u);
  EXPECT_EQ(p.buttons[4].macro.actions[0], MacroAction{});
  EXPECT_EQ(p.buttons[4].macro.actions[183], MacroAction{});
  EXPECT_EQ(FileLines(Written(p))[5], u"Renamed=9");
}

// A damaged slot file: the reader reports failure, the slot gets its defaults, the slot file
// is rewritten with the 110 default lines and the damaged bytes are kept as a backup.
class DamagedProfileTest : public ProfileFileTest {
 protected:
  void ExpectReset(const std::string& damaged, const std::string& what) {
    SCOPED_TRACE(what);
    const int slot = 1;
    store.profiles[slot] = EveryFieldProfile();
    for (const auto& backup : base::BackupsOf(SlotPath(slot))) platform.files().Remove(backup);
    Put(SlotPath(slot), damaged);
    EXPECT_FALSE(ReadProfileFile(store, settings, slot, SlotPath(slot)));
    EXPECT_EQ(store.profiles[slot], Defaults(slot));
    EXPECT_TRUE(Get(SlotPath(slot)) == FileBytes(DefaultProfileLines(slot)));
    EXPECT_EQ(Backups(SlotPath(slot)), std::vector<std::string>{damaged});
  }
};

TEST_F(DamagedProfileTest, FileCutAfterEveryLine) {
  const auto lines = EveryFieldProfileLines();
  for (size_t kept = 1; kept < lines.size(); ++kept) {
    ExpectReset(FileBytes({lines.begin(), lines.begin() + static_cast<long>(kept)}),
                "cut after line " + std::to_string(kept));
  }
  // Cut inside the last line, and without its final LF.
  const std::string whole = FileBytes(lines);
  ExpectReset(whole.substr(0, whole.size() - 4), "cut inside the last line");
  ExpectReset(whole.substr(0, whole.size() - 3), "odd byte count");
}

TEST_F(DamagedProfileTest, BlankLineAnywhere) {
  const auto lines = EveryFieldProfileLines();
  for (size_t at = 1; at < lines.size(); ++at) {
    auto damaged = lines;
    damaged.insert(damaged.begin() + static_cast<long>(at), u"");
    ExpectReset(FileBytes(damaged), "blank line before line " + std::to_string(at + 1));
  }
}

TEST_F(DamagedProfileTest, MissingLineAnywhere) {
  const auto lines = EveryFieldProfileLines();
  for (size_t at = 0; at < lines.size(); ++at) {
    auto damaged = lines;
    damaged.erase(damaged.begin() + static_cast<long>(at));
    ExpectReset(FileBytes(damaged), "line " + std::to_string(at + 1) + " missing");
  }
}

TEST_F(DamagedProfileTest, MalformedLines) {
  const auto lines = EveryFieldProfileLines();
  const struct {
    size_t line;
    std::u16string text;
  } cases[] = {
      {0, u"[setting]"},  // header is case-sensitive
      {0, u"[Setting] "},
      {1, u"=no key"},         // "=" at position 0
      {12, u"XYSynchronous"},  // no "="
      {24, u"=3F"},            // "=" first after the pairs
      {56, u"Lighting1OffOn 01"},
      {106, u"\tMacroKeyIndex="},  // "=" as the last character
      {107, u"\tMacroKey5Name"},   // no "=" at all
      {108, u"\t\tMacroActionNum="},
      {109, u"\t\tAllAction=" + std::u16string(1471, u'0')},
      {109, u"\t\tAllAction=" + std::u16string(1473, u'0')},
      {109, u"\t\tAllAction="},
  };
  for (const auto& c : cases) {
    auto damaged = lines;
    damaged[c.line] = c.text;
    ExpectReset(FileBytes(damaged), base::ToUtf8(c.text.substr(0, 40)));
  }
}

TEST_F(DamagedProfileTest, LineEndsAndByteOrderMark) {
  const auto lines = EveryFieldProfileLines();
  ExpectReset(FileBytes(lines, u"\r\n"), "CR LF line ends");
  // Two bytes that are not the mark are text, so the header line does not match.
  std::string wrongMark = FileBytes(lines);
  wrongMark[0] = 'x';
  wrongMark[1] = '\0';
  ExpectReset(wrongMark, "another character instead of the mark");
  ExpectReset("", "empty file");
  ExpectReset("\xFF\xFE", "only the mark");
  ExpectReset("\xFF\xFE\x00\xD8\x00\xD8garbage\x01", "lone surrogates and an odd byte");
}

TEST_F(ProfileFileTest, FileWithoutByteOrderMarkIsReadWhole) {
  // The text layer skips the first two bytes only when they are the mark, so a file saved
  // without one keeps its "[" and reads normally.
  Put(SlotPath(0), FileBytes(EveryFieldProfileLines(), u"\n", false));
  EXPECT_TRUE(ReadProfileFile(store, settings, 0, SlotPath(0)));
  EXPECT_EQ(store.profiles[0], EveryFieldProfile());
  EXPECT_TRUE(Backups(SlotPath(0)).empty());
}

TEST_F(ProfileFileTest, MissingFileGetsDefaultsWithoutBackup) {
  store.profiles[3] = EveryFieldProfile();
  EXPECT_FALSE(ReadProfileFile(store, settings, 3, SlotPath(3)));
  EXPECT_EQ(store.profiles[3], Defaults(3));
  EXPECT_TRUE(Get(SlotPath(3)) == FileBytes(DefaultProfileLines(3)));
  EXPECT_TRUE(Backups(SlotPath(3)).empty());
}

TEST_F(ProfileFileTest, EveryDistinctDamagedVersionOfASlotFileIsKept) {
  const std::string first = FileBytes({u"[Setting]", u"ProfileName=first"});
  const std::string second = FileBytes({u"[Setting]", u"ProfileName=second"});
  for (const std::string* damaged : {&first, &second, &first}) {
    Put(SlotPath(1), *damaged);
    platform.desktop().RunFor(1000);
    EXPECT_FALSE(ReadProfileFile(store, settings, 1, SlotPath(1)));
  }
  EXPECT_EQ(Backups(SlotPath(1)), (std::vector<std::string>{first, second}));
}

TEST_F(ProfileFileTest, BadFileElsewhereRewritesTheSlotsOwnFile) {
  const std::u16string other = profile_test::kDataDir + u"other.psf";
  Put(other, "\xFF\xFEnot a profile");
  Put(SlotPath(2), ReadGolden("every_field.psf"));
  EXPECT_FALSE(ReadProfileFile(store, settings, 2, other));
  EXPECT_EQ(store.profiles[2], Defaults(2));
  EXPECT_TRUE(Get(SlotPath(2)) == FileBytes(DefaultProfileLines(2)));
  EXPECT_TRUE(Get(other) == "\xFF\xFEnot a profile");  // the file read is not touched
  EXPECT_EQ(Backups(SlotPath(2)), std::vector<std::string>{ReadGolden("every_field.psf")});
}

TEST_F(ProfileFileTest, SlotOutsideTheStoreIsRefused) {
  Put(kExport, ReadGolden("every_field.psf"));
  const ProfileStore before = store;
  EXPECT_FALSE(ReadProfileFile(store, settings, 5, kExport));
  EXPECT_FALSE(ReadProfileFile(store, settings, -1, kExport));
  EXPECT_EQ(store.profiles, before.profiles);
}

TEST_F(ProfileFileTest, SaveAllWritesEachSlotToItsPath) {
  store.profiles[4] = EveryFieldProfile();
  EXPECT_TRUE(SaveAllProfiles(store, settings));
  for (int slot = 0; slot < 4; ++slot) {
    EXPECT_TRUE(Get(SlotPath(slot)) == FileBytes(DefaultProfileLines(slot))) << slot;
  }
  EXPECT_TRUE(Get(SlotPath(4)) == ReadGolden("every_field.psf"));
}

TEST_F(ProfileFileTest, FailedWriteKeepsTheOldFile) {
  Put(SlotPath(0), "old");
  platform.files().FailReplaceContaining(u"default0");
  EXPECT_FALSE(WriteProfileFile(Defaults(0), SlotPath(0)));
  EXPECT_FALSE(SaveAllProfiles(store, settings));
  EXPECT_EQ(Get(SlotPath(0)), "old");
  EXPECT_TRUE(Get(SlotPath(1)) == FileBytes(DefaultProfileLines(1)));  // the others are saved
}

TEST_F(ProfileFileTest, LineFeedInATextValueCannotSplitTheLine) {
  ProfileSettings p = Defaults(0);
  p.SetProfileName(u"two\nlines");
  const auto lines = FileLines(Written(p));
  ASSERT_EQ(lines.size(), 110u);
  EXPECT_EQ(lines[1], u"ProfileName=two lines");
}

}  // namespace
