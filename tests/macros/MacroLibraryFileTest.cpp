#include "macros/MacroLibraryFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/FileBackup.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"
#include "support/Bytes.h"

namespace {

using platform::headless::HeadlessPlatform;
using L = LibraryLocation;
using testbytes::Utf16Le;

const std::u16string kData = u"C:\\Users\\player\\AppData\\Roaming\\Vantrel\\";
const std::u16string kHead =
    u"[MacroLibrary]\n"
    u"MacroKeyIndex=2\n"
    u"Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;\n";

std::u16string Zeros(size_t n) {
  return std::u16string(n, u'0');
}

// One block as documented: tabs by level, lines 5..10 for macros only.
std::u16string Block(const L& l, std::u16string_view name, int folder, int open,
                     std::u16string_view numbers = {}, std::u16string_view actions = {}) {
  const std::u16string t(static_cast<size_t>(l.stage), u'\t');
  std::u16string s = t + u"++++++++MacroItemName=" + std::u16string(name) + u"\n";
  s += t + base::FromUtf8("MacroItemLocation:stage=" + std::to_string(l.stage) +
                          ";stage0Index=" + std::to_string(l.stage0Index) +
                          ";stage1Index=" + std::to_string(l.stage1Index) +
                          ";stage2Index=" + std::to_string(l.stage2Index) + ";\n");
  s += t + u"MacroItemIsFolder=" + (folder ? u"1" : u"0") + u"\n";
  s += t + u"MacroItemFolderIsOpen=" + (open ? u"1" : u"0") + u"\n";
  if (folder) return s;
  // numbers: "index,type,num,count,commands"
  const auto n = base::Split(numbers, u',');
  const char16_t* keys[] = {u"MacroKeyIndex=", u"MacroKeyLoopType=", u"MacroKeyLoopNum=",
                            u"MacroActionNum=", u"MacroCommandActionNum="};
  for (size_t i = 0; i < 5; ++i) s += t + keys[i] + (i < n.size() ? n[i] : u"0") + u"\n";
  s += t + u"AllAction=" + std::u16string(actions) + u"\n";
  return s;
}

std::u16string Actions(std::u16string_view used) {
  return std::u16string(used) + Zeros(1472 - used.size());
}

class MacroLibraryFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_strDataDir = kData;
    ASSERT_TRUE(platform.files().CreateDirectory(kData));
    ASSERT_TRUE(platform.files().CreateDirectory(kData + u"config"));
  }
  void TearDown() override {
    g_strDataDir.clear();
    CStdioFileEx::ForgetUnreadableFiles();
  }

  std::u16string Path() const { return lib.FilePath(); }
  void Put(std::u16string_view text) {
    ASSERT_TRUE(platform.files().WriteAll(Path(), Utf16Le(text)));
  }
  std::string Get(std::u16string_view path) {
    return platform.files().ReadAll(path).value_or("<missing>");
  }
  std::u16string NameAt(const MacroLibrary& l, const L& at) {
    const LibraryEntry* e = l.EntryAt(at);
    return e ? e->name : u"<none>";
  }

  HeadlessPlatform platform;
  MacroLibrary lib{u"config\\MacroLibraryFile.mlf"};
};

TEST_F(MacroLibraryFileTest, SpaceBarMacroGolden) {
  L sel = L::None();
  ASSERT_EQ(lib.AddMacro(u"Space", sel), MacroLibrary::AddResult::Added);
  MacroRecord& r = *lib.EntryAt(sel)->record;
  ASSERT_TRUE(r.InsertAction(0, MacroAction::Key(0x20, false)));
  ASSERT_TRUE(r.InsertAction(1, MacroAction::Key(0x20, true)));
  r.MacroCommandActionNum = 2;

  const std::u16string expected = kHead + Block(L::Level0(0), u"Space", 0, 0, u"1,2,1,2,2",
                                                u"20000000"
                                                u"20800000" +
                                                    Zeros(1456));
  ASSERT_TRUE(SaveLibraryFile(lib));
  EXPECT_EQ(Get(Path()), Utf16Le(expected));

  MacroLibrary back{u"config\\MacroLibraryFile.mlf"};
  EXPECT_TRUE(ReadLibraryFile(back));
  EXPECT_EQ(back.NextKeyIndex(), 2u);
  ASSERT_NE(back.EntryAt(L::Level0(0)), nullptr);
  EXPECT_EQ(*back.EntryAt(L::Level0(0))->record, r);
}

TEST_F(MacroLibraryFileTest, ThreeLevelGoldenWithFoldersRoundTrips) {
  // 0 "Games" folder (open): 0 "Jump" macro, 1 "Combos" folder: 0 "Dash=Left" macro
  // 1 "Hello" macro
  L sel = L::None();
  ASSERT_EQ(lib.AddFolder(u"Games", sel), MacroLibrary::AddResult::Added);
  const L games = sel;
  ASSERT_EQ(lib.AddMacro(u"Jump", sel), MacroLibrary::AddResult::Added);
  sel = games;
  ASSERT_EQ(lib.AddFolder(u"Combos", sel), MacroLibrary::AddResult::Added);
  ASSERT_EQ(lib.AddMacro(u"Dash=Left", sel), MacroLibrary::AddResult::Added);
  sel = L::None();
  ASSERT_EQ(lib.AddMacro(u"Hello", sel), MacroLibrary::AddResult::Added);
  lib.SetFolderOpen(games, true);
  MacroRecord& dash = *lib.EntryAt(L::Level2(0, 1, 0))->record;
  dash.MacroKeyLoopType = 4;
  dash.MacroKeyLoopNum = 255;
  ASSERT_TRUE(dash.InsertAction(0, MacroAction::Key(0xE5, false)));
  dash.actions[0].b3 = 0xF6;  // 10 to the left
  ASSERT_TRUE(dash.InsertAction(1, MacroAction::Delay(15300000)));
  dash.MacroCommandActionNum = 1;

  const std::u16string expected =
      u"[MacroLibrary]\nMacroKeyIndex=4\n"
      u"Select Locaton:stage=2;stage0Index=0;stage1Index=1;stage2Index=0;\n" +
      Block(L::Level0(0), u"Games", 1, 1) +
      Block(L::Level0(1), u"Hello", 0, 0, u"3,2,1,0,0", Zeros(1472)) +
      Block(L::Level1(0, 0), u"Jump", 0, 0, u"1,2,1,0,0", Zeros(1472)) +
      Block(L::Level1(0, 1), u"Combos", 1, 0) +
      Block(L::Level2(0, 1, 0), u"Dash=Left", 0, 0, u"2,4,255,2,1",
            Actions(u"E50000F6"
                    u"03E975A0"));
  const std::u16string exportPath = kData + u"combo.mbf";
  ASSERT_TRUE(WriteLibraryFile(exportPath, lib, L::Level2(0, 1, 0)));
  EXPECT_EQ(Get(exportPath), Utf16Le(expected));

  // Both readers take it back whole; the import reader keeps line 3.
  for (bool import : {false, true}) {
    MacroLibrary back;
    L imported = L::None();
    EXPECT_TRUE(import ? ReadImportFile(exportPath, back, imported)
                       : ReadLibraryFileAt(exportPath, back));
    EXPECT_EQ(imported, import ? L::Level2(0, 1, 0) : L::None());
    EXPECT_EQ(LibraryFileText(back, L::Level2(0, 1, 0)), expected);
    EXPECT_EQ(NameAt(back, L::Level2(0, 1, 0)), u"Dash=Left");
    EXPECT_EQ(back.EntryAt(L::Level2(0, 1, 0))->record->name, u"Dash=Left");
    EXPECT_EQ(back.EntryAt(L::Level2(0, 1, 0))->record->GetAction(1).DelayMs(), 15300000u);
  }
}

TEST_F(MacroLibraryFileTest, ALibraryThatCannotBeReadIsNeverWrittenOver) {
  const std::u16string text = kHead + Block(L::Level0(0), u"A", 0, 0, u"1,2,1,0,0", Zeros(8));
  Put(text);
  platform.files().FailReadsContaining(u"MacroLibraryFile.mlf");
  EXPECT_FALSE(ReadLibraryFile(lib));
  EXPECT_TRUE(lib.IsEmpty());
  L sel = L::None();
  ASSERT_EQ(lib.AddMacro(u"new", sel), MacroLibrary::AddResult::Added);
  EXPECT_FALSE(SaveLibraryFile(lib)) << "the manager's save must not replace the user's file";
  platform.files().FailReadsContaining(u"");
  EXPECT_EQ(Get(Path()), Utf16Le(text));
  EXPECT_TRUE(base::BackupsOf(Path()).empty());
}

TEST_F(MacroLibraryFileTest, MissingFileLeavesTheLibraryAlone) {
  L sel = L::None();
  ASSERT_EQ(lib.AddMacro(u"kept", sel), MacroLibrary::AddResult::Added);
  EXPECT_FALSE(ReadLibraryFile(lib));
  EXPECT_EQ(NameAt(lib, L::Level0(0)), u"kept");
  EXPECT_TRUE(lib.DamagedSource().empty());
  MacroLibrary noFile;
  EXPECT_FALSE(ReadLibraryFile(noFile));
}

struct DamagedCase {
  const char* what;
  std::u16string text;
  bool startUpOk;          // start-up reader result
  bool importOk;           // import reader result
  std::vector<L> present;  // entries that must be there after the start-up reader
  size_t entries;          // number of used entries after the start-up reader
};

std::vector<DamagedCase> DamagedCases() {
  const std::u16string a =
      Block(L::Level0(0), u"A", 0, 0, u"1,2,1,2,2", Actions(u"2000000020800000"));
  const std::u16string f = Block(L::Level0(1), u"F", 1, 1);
  const std::u16string child = Block(L::Level1(1, 0), u"c", 0, 0, u"5,2,1,0,0", Zeros(1472));
  return {
      {"header lines only", kHead, true, true, {}, 0},
      {"wrong header", u"[Macrolibrary]\n" + kHead.substr(15) + a, false, false, {}, 0},
      {"empty file", u"", false, false, {}, 0},
      {"no line 3", u"[MacroLibrary]\nMacroKeyIndex=2\n", false, false, {}, 0},
      {"line 2 without value",
       u"[MacroLibrary]\nMacroKeyIndex=\n" + kHead.substr(31) + a,
       false,
       false,
       {},
       0},
      {"line 3 with three numbers",
       u"[MacroLibrary]\nMacroKeyIndex=2\nSelect Locaton:stage=1;a=2;b=3;\n" + a,
       false,
       false,
       {},
       0},
      {"child block before its parent",
       kHead + child + a + f,
       true,
       true,
       {L::Level0(0), L::Level0(1), L::Level1(1, 0)},
       3},
      {"short action line",
       kHead + Block(L::Level0(0), u"A", 0, 0, u"1,2,1,2,2", u"2000000020800000") + f,
       true,
       false,
       {L::Level0(0), L::Level0(1)},
       2},
      {"empty name ends reading",
       kHead + a + Block(L::Level0(1), u"", 1, 0) + child,
       false,
       false,
       {L::Level0(0)},
       1},
      {"truncated inside a location line",
       kHead + a + f + child.substr(0, child.find(u"stage1Index")),
       false,
       false,
       {L::Level0(0), L::Level0(1)},
       2},
      {"truncated action line",
       kHead + a + f + child.substr(0, child.size() - 900),
       true,
       false,
       {L::Level0(0), L::Level0(1), L::Level1(1, 0)},
       3},
      {"truncated before the action line",
       kHead + a + a.substr(0, a.find(u"AllAction")),
       false,
       false,
       {L::Level0(0)},
       1},
      {"blank line between blocks", kHead + a + u"\n" + f, false, false, {L::Level0(0)}, 1},
      {"locations naming no place are skipped",
       kHead + Block(L{5, 0, 0, 0}, u"X", 0, 0, u"7,2,1,0,0", Zeros(1472)) +
           Block(L::Level0(45), u"Y", 1, 0) + Block(L::Level1(-1, 0), u"Z", 1, 0) +
           Block(L::Level2(0, 0, 99), u"W", 0, 0, u"8,2,1,0,0", Zeros(1472)) + a,
       false,
       false,
       {L::Level0(0)},
       1},
      {"folder at level 2 is skipped",
       kHead + f + Block(L::Level1(1, 0), u"G", 1, 1) + Block(L::Level2(1, 0, 0), u"H", 1, 0) + a,
       false,
       false,
       {L::Level0(0), L::Level0(1), L::Level1(1, 0)},
       3},
      {"garbage digits and numbers",
       kHead + Block(L::Level0(0), u"G", 0, 0, u"x,y,z,-5,9", u"ZZ1Z" + Zeros(1468)),
       true,
       true,
       {L::Level0(0)},
       1},
      {"location line without values",
       kHead + u"++++++++MacroItemName=A\nMacroItemLocation:stage=\n",
       false,
       false,
       {},
       0},
      {"same location twice replaces",
       kHead + a + Block(L::Level0(0), u"B", 1, 0),
       true,
       true,
       {L::Level0(0)},
       1},
  };
}

TEST_F(MacroLibraryFileTest, DamagedFilesNeverCrashAndKeepWhatWasRead) {
  for (const DamagedCase& c : DamagedCases()) {
    SCOPED_TRACE(c.what);
    Put(c.text);
    MacroLibrary startUp{u"config\\MacroLibraryFile.mlf"};
    EXPECT_EQ(ReadLibraryFile(startUp), c.startUpOk);
    EXPECT_EQ(startUp.DamagedSource().empty(), c.startUpOk);
    size_t entries = 0;
    for (int stage = 0; stage < 3; ++stage) {
      startUp.ForEachEntry(stage, [&](const L& l, const LibraryEntry& e) {
        ++entries;
        EXPECT_EQ(startUp.EntryAt(l), &e);
        if (e.record) {
          EXPECT_LE(e.record->MacroActionNum, 184u);
          EXPECT_LE(e.record->MacroCommandActionNum, e.record->CountCommandActions());
        }
      });
    }
    EXPECT_EQ(entries, c.entries);
    for (const L& l : c.present) EXPECT_NE(startUp.EntryAt(l), nullptr);

    MacroLibrary scratch;
    L imported;
    EXPECT_EQ(ReadImportFile(Path(), scratch, imported), c.importOk);
  }
}

TEST_F(MacroLibraryFileTest, ValuesAreRangedAndTheCounterStaysAboveEveryIndex) {
  Put(kHead.substr(0, 15) + u"MacroKeyIndex=3\n" + kHead.substr(31) +
      Block(L::Level0(0), u"A", 0, 0, u"9,258,0,999,300",
            Actions(u"41000000"
                    u"03000010")) +
      Block(L::Level0(1), u"B", 0, 0, u"4000000000,1,1,-5,1", Zeros(1000)));
  EXPECT_TRUE(ReadLibraryFile(lib));
  const MacroRecord& a = *lib.EntryAt(L::Level0(0))->record;
  EXPECT_EQ(a.MacroKeyLoopType, 2) << "kept in 8 bits";
  EXPECT_EQ(a.MacroKeyLoopNum, 0);
  EXPECT_EQ(a.MacroActionNum, 184u);
  EXPECT_EQ(a.MacroCommandActionNum, 1) << "one action that is not a delay";
  const MacroRecord& b = *lib.EntryAt(L::Level0(1))->record;
  EXPECT_EQ(b.MacroKeyIndex, 4000000000u) << "%u values read back whole";
  EXPECT_EQ(b.MacroActionNum, 0u);
  EXPECT_EQ(b.MacroCommandActionNum, 0);
  EXPECT_EQ(lib.NextKeyIndex(), 4000000001u);

  // The counter is written with "%d", so a negative one is a counter past 2^31.
  Put(kHead.substr(0, 15) + u"MacroKeyIndex=-7\n" + kHead.substr(31));
  EXPECT_TRUE(ReadLibraryFile(lib));
  EXPECT_EQ(lib.NextKeyIndex(), 4294967289u);
  ASSERT_TRUE(SaveLibraryFile(lib));
  EXPECT_EQ(Get(Path()), Utf16Le(kHead.substr(0, 15) + u"MacroKeyIndex=-7\n" + kHead.substr(31)));

  // A file that used the top of the range: new macros take the lowest free numbers.
  Put(kHead + Block(L::Level0(0), u"A", 0, 0, u"4294967295,2,1,0,0", Zeros(1472)) +
      Block(L::Level0(1), u"B", 0, 0, u"1,2,1,0,0", Zeros(1472)));
  EXPECT_TRUE(ReadLibraryFile(lib));
  L sel = L::None();
  ASSERT_EQ(lib.AddMacro(u"C", sel), MacroLibrary::AddResult::Added);
  EXPECT_EQ(lib.EntryAt(sel)->record->MacroKeyIndex, 2u);
  ASSERT_EQ(lib.AddMacro(u"D", sel), MacroLibrary::AddResult::Added);
  EXPECT_EQ(lib.EntryAt(sel)->record->MacroKeyIndex, 3u);
}

TEST_F(MacroLibraryFileTest, LongActionLinesAreCutAtStartUpAndRefusedOnImport) {
  const std::u16string line = u"20000000" + Zeros(1464) + u"4100000041000000";
  Put(kHead + Block(L::Level0(0), u"A", 0, 0, u"1,2,1,1,1", line));
  ASSERT_TRUE(ReadLibraryFile(lib));
  EXPECT_EQ(lib.EntryAt(L::Level0(0))->record->GetAction(0), MacroAction::Key(0x20, false));
  EXPECT_EQ(lib.EntryAt(L::Level0(0))->record->GetAction(183), MacroAction{});
  MacroLibrary scratch;
  L imported;
  EXPECT_FALSE(ReadImportFile(Path(), scratch, imported));
  EXPECT_TRUE(scratch.IsEmpty());
}

TEST_F(MacroLibraryFileTest, DamagedFileIsKeptAsBakBeforeItIsReplaced) {
  const std::u16string damaged = kHead + Block(L::Level0(0), u"A", 0, 0, u"1,2,1,0,0", Zeros(8)) +
                                 Block(L{9, 0, 0, 0}, u"lost", 1, 0);
  Put(damaged);
  EXPECT_FALSE(ReadLibraryFile(lib));
  EXPECT_EQ(lib.DamagedSource(), Path());

  // A failed save keeps both the original and the damaged state.
  platform.files().FailWritesContaining(u".bak");
  EXPECT_FALSE(SaveLibraryFile(lib));
  EXPECT_EQ(Get(Path()), Utf16Le(damaged));
  platform.files().FailWritesContaining(u"");

  // Saving elsewhere (an export) does not touch the copy.
  ASSERT_TRUE(WriteLibraryFile(kData + u"x.mbf", lib, L::None()));
  EXPECT_TRUE(base::BackupsOf(Path()).empty());

  ASSERT_TRUE(SaveLibraryFile(lib));
  const auto backups = base::BackupsOf(Path());
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(Get(backups[0]), Utf16Le(damaged));
  EXPECT_EQ(Get(Path()), Utf16Le(LibraryFileText(lib, L::None())));
  ASSERT_TRUE(platform.files().Remove(backups[0]));
  ASSERT_TRUE(SaveLibraryFile(lib));
  EXPECT_TRUE(base::BackupsOf(Path()).empty()) << "the sound file needs no copy";
}

}  // namespace
