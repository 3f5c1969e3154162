#include "macros/MacroExport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/Format.h"
#include "base/Text.h"
#include "macros/MacroLibraryFile.h"
#include "support/Bytes.h"

namespace {

using macros::ImportResult;
using platform::headless::HeadlessPlatform;
using L = LibraryLocation;
using testbytes::Utf16Le;
using Added = MacroLibrary::AddResult;

const std::u16string kDir = u"C:\\Users\\player\\Documents\\";

// Entries of a library as "name" rows with all folders opened, e.g. {"A", "F", " x"}.
std::vector<std::u16string> Tree(MacroLibrary& lib) {
  for (int32_t i = 0; i < 45; ++i) {
    lib.SetFolderOpen(L::Level0(i), true);
    for (int32_t j = 0; j < 45; ++j) lib.SetFolderOpen(L::Level1(i, j), true);
  }
  std::vector<std::u16string> rows;
  for (int r = 0; r < lib.VisibleRowCount(); ++r) {
    const L l = lib.RowToLocation(r);
    rows.push_back(std::u16string(static_cast<size_t>(l.stage), u' ') + lib.EntryAt(l)->name);
  }
  return rows;
}

class MacroExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform.files().CreateDirectory(u"C:\\Users\\player\\Documents"));
    // 0 Jump, 1 Tools (a, Sub (deep), b), 2 Run
    L sel = L::None();
    ASSERT_EQ(source.AddMacro(u"Jump", sel), Added::Added);
    MacroRecord& jump = *source.EntryAt(sel)->record;
    jump.MacroKeyLoopType = 4;
    jump.MacroKeyLoopNum = 3;
    ASSERT_TRUE(jump.InsertAction(0, MacroAction::Key(0x20, false)));
    ASSERT_TRUE(jump.InsertAction(1, MacroAction::Delay(40)));
    ASSERT_TRUE(jump.InsertAction(2, MacroAction::Key(0x20, true)));
    jump.MacroCommandActionNum = 2;
    sel = L::None();
    ASSERT_EQ(source.AddFolder(u"Tools", sel), Added::Added);
    const L tools = sel;
    ASSERT_EQ(source.AddMacro(u"a", sel), Added::Added);
    sel = tools;
    ASSERT_EQ(source.AddFolder(u"Sub", sel), Added::Added);
    ASSERT_EQ(source.AddMacro(u"deep", sel), Added::Added);
    sel = tools;
    ASSERT_EQ(source.AddMacro(u"b", sel), Added::Added);
    sel = L::None();
    ASSERT_EQ(source.AddMacro(u"Run", sel), Added::Added);

    // The other installation: 0 Mine (macro), 1 Box (folder with "Jump"); counter at 50.
    target.SetNextKeyIndex(50);
    sel = L::None();
    ASSERT_EQ(target.AddMacro(u"Mine", sel), Added::Added);
    sel = L::None();
    ASSERT_EQ(target.AddFolder(u"Box", sel), Added::Added);
    ASSERT_EQ(target.AddMacro(u"Jump", sel), Added::Added);
  }

  std::u16string Export(std::u16string_view name, const L& selection) {
    const std::u16string path = kDir + std::u16string(name);
    EXPECT_TRUE(macros::ExportEntries(path, source, selection));
    return path;
  }

  HeadlessPlatform platform;
  MacroLibrary source;
  MacroLibrary target;
  MacroLibrary scratch;
};

// A macro's name proposed as a file name never leaves the chosen folder or opens a device.
TEST_F(MacroExportTest, DefaultNamesAreSafeFileNames) {
  const std::pair<std::u16string_view, std::u16string_view> cases[] = {
      {u"..\\..\\Startup\\CON", u".._.._Startup_CON"},
      {u"CON", u"_CON"},
      {u"con.txt", u"_con.txt"},
      {u"Lpt9 ", u"_Lpt9"},
      {u"COM0", u"COM0"},
      {u"a/b:c*?\"<>|", u"a_b_c______"},
      {u"tab\there", u"tab_here"},
      {u"dots...", u"dots"},
      {u"中文 宏", u"中文 宏"},
  };
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(macros::SafeFileName(name), expected) << std::string(name.begin(), name.end());
  }
  L at = L::Level0(0);
  ASSERT_TRUE(source.Rename(at, u"..\\..\\Startup\\CON"));
  EXPECT_EQ(macros::DefaultMacroExportName(source, at), u".._.._Startup_CON.mkf");
  EXPECT_EQ(macros::DefaultEntriesExportName(source, at), u".._.._Startup_CON.mbf");
  ASSERT_TRUE(source.Rename(at, u"nul"));
  EXPECT_EQ(macros::DefaultMacroExportName(source, at), u"_nul.mkf");
}

TEST_F(MacroExportTest, ExportedMacroImportsNextToTheSelectionWithANewNumber) {
  EXPECT_EQ(macros::DefaultMacroExportName(source, L::Level0(0)), u"Jump.mkf");
  EXPECT_FALSE(macros::ExportMacro(kDir + u"x.mkf", source, L::Level0(1))) << "a folder";
  const std::u16string path = kDir + u"Jump.mkf";
  ASSERT_TRUE(macros::ExportMacro(path, source, L::Level0(0)));
  // The whole library, line 3 naming Jump.
  const std::u16string text = LibraryFileText(source, L::Level0(0));
  EXPECT_NE(text.find(u"\nSelect Locaton:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;\n"),
            std::u16string::npos);
  EXPECT_EQ(platform.files().ReadAll(path), Utf16Le(text));

  // Selected: the macro Mine. Jump goes to level 0 with the next number of this library, 52.
  L sel = L::Level0(0);
  EXPECT_EQ(macros::ImportMacro(path, target, scratch, sel), ImportResult::Imported);
  EXPECT_EQ(sel, L::Level0(2));
  const MacroRecord& copy = *target.EntryAt(sel)->record;
  MacroRecord expected = *source.EntryAt(L::Level0(0))->record;
  expected.MacroKeyIndex = 52;
  EXPECT_EQ(copy, expected);
  EXPECT_TRUE(scratch.IsEmpty());

  // Again at the same place: the name is taken, nothing changes.
  sel = L::Level0(0);
  EXPECT_EQ(macros::ImportMacro(path, target, scratch, sel), ImportResult::NameExists);
  EXPECT_EQ(target.VisibleRowCount(), 3);
  EXPECT_EQ(sel, L::Level0(0));
  // Into the folder Box: taken there too. Into a new folder: added, and the folder opens.
  sel = L::Level0(1);
  EXPECT_EQ(macros::ImportMacro(path, target, scratch, sel), ImportResult::NameExists);
  L folder = L::None();
  ASSERT_EQ(target.AddFolder(u"Empty", folder), Added::Added);
  sel = folder;
  EXPECT_EQ(macros::ImportMacro(path, target, scratch, sel), ImportResult::Imported);
  EXPECT_EQ(sel, L::Level1(3, 0));
  EXPECT_TRUE(target.EntryAt(folder)->IsOpenFolder());
}

TEST_F(MacroExportTest, ImportLocationsThatNameNothingImportNothing) {
  const std::u16string all = Export(u"all.mbf", L::None());
  L sel = L::None();
  EXPECT_EQ(macros::ImportMacro(all, target, scratch, sel), ImportResult::NothingToImport)
      << "no selection in the file";
  EXPECT_EQ(macros::ImportMacro(Export(u"f.mkf", L::Level0(1)), target, scratch, sel),
            ImportResult::NothingToImport)
      << "a folder is not a macro";
  for (const L& nowhere : {L::Level0(30), L::Level1(0, 0), L{4, 0, 0, 0}, L::Level0(-3)}) {
    const std::u16string path = Export(u"n.mbf", nowhere);
    EXPECT_EQ(macros::ImportMacro(path, target, scratch, sel), ImportResult::NothingToImport);
    EXPECT_EQ(macros::ImportEntries(path, target, scratch, sel), ImportResult::NothingToImport);
  }
  EXPECT_EQ(macros::ImportEntries(kDir + u"missing.mbf", target, scratch, sel),
            ImportResult::Unreadable);
  EXPECT_EQ(macros::ImportMacro(kDir + u"missing.mkf", target, scratch, sel),
            ImportResult::Unreadable);
  EXPECT_EQ(Tree(target), (std::vector<std::u16string>{u"Mine", u"Box", u" Jump"}));
  EXPECT_TRUE(scratch.IsEmpty());
}

TEST_F(MacroExportTest, AllEntriesBringFoldersOnlyUnderALevel0Selection) {
  EXPECT_EQ(macros::DefaultEntriesExportName(source, L::None()), u"AllMacroKey.mbf");
  EXPECT_EQ(macros::DefaultEntriesExportName(source, L::Level0(1)), u"Tools.mbf");
  const std::u16string path = Export(u"AllMacroKey.mbf", L::None());

  // Clash with Jump in Box when Box is selected: nothing at all is added.
  L sel = L::Level0(1);
  EXPECT_EQ(macros::ImportEntries(path, target, scratch, sel), ImportResult::NameExists);
  EXPECT_EQ(Tree(target), (std::vector<std::u16string>{u"Mine", u"Box", u" Jump"}));

  // No selection: the level-0 macros only.
  MacroLibrary fresh;
  sel = L::None();
  EXPECT_EQ(macros::ImportEntries(path, fresh, scratch, sel), ImportResult::Imported);
  EXPECT_EQ(Tree(fresh), (std::vector<std::u16string>{u"Jump", u"Run"}));
  EXPECT_EQ(fresh.EntryAt(L::Level0(1))->record->MacroKeyIndex, 2u);

  // A level-0 macro selected: folders come along with their macros, not their sub-folders.
  sel = L::Level0(0);
  target.Delete(L::Level0(1));
  EXPECT_EQ(macros::ImportEntries(path, target, scratch, sel), ImportResult::Imported);
  EXPECT_EQ(Tree(target),
            (std::vector<std::u16string>{u"Mine", u"Jump", u"Tools", u" a", u" b", u"Run"}));
  EXPECT_EQ(sel, L::Level0(3)) << "the last entry added";
}

TEST_F(MacroExportTest, EntriesFromTheNamedEntryToTheEndOfItsGroup) {
  // Line 3 names "Sub" inside Tools: Sub with its macro, and b.
  const std::u16string path = Export(u"Sub.mbf", L::Level1(1, 1));
  L sel = L::Level0(1);  // the folder Box: entries go into it, Box opens
  target.SetFolderOpen(L::Level0(1), false);
  EXPECT_EQ(macros::ImportEntries(path, target, scratch, sel), ImportResult::Imported);
  EXPECT_TRUE(target.EntryAt(L::Level0(1))->IsOpenFolder());
  EXPECT_EQ(Tree(target),
            (std::vector<std::u16string>{u"Mine", u"Box", u" Jump", u" Sub", u"  deep", u" b"}));

  // Line 3 names the folder Tools: it and the entries after it; Run's name clashes now.
  MacroLibrary other;
  L s = L::None();
  ASSERT_EQ(other.AddMacro(u"Run", s), Added::Added);
  sel = L::Level0(0);
  EXPECT_EQ(macros::ImportEntries(Export(u"Tools.mbf", L::Level0(1)), other, scratch, sel),
            ImportResult::NameExists);
  EXPECT_EQ(Tree(other), (std::vector<std::u16string>{u"Run"}));
}

TEST_F(MacroExportTest, FullGroupsSkipSilently) {
  MacroLibrary full;
  for (int i = 0; i < 45; ++i) {
    L s = L::None();
    ASSERT_EQ(full.AddMacro(base::Format(u"m%d", i), s), Added::Added);
  }
  const std::u16string path = Export(u"AllMacroKey.mbf", L::None());
  L sel = L::Level0(0);
  EXPECT_EQ(macros::ImportEntries(path, full, scratch, sel), ImportResult::Imported);
  EXPECT_EQ(full.GroupCount(L::Level0(0)), 45);
  EXPECT_EQ(sel, L::Level0(0));
  ASSERT_TRUE(macros::ExportMacro(kDir + u"Jump.mkf", source, L::Level0(0)));
  EXPECT_EQ(macros::ImportMacro(kDir + u"Jump.mkf", full, scratch, sel), ImportResult::GroupFull);
}

TEST_F(MacroExportTest, PartlyDamagedExportStillImportsWhatWasRead) {
  const std::u16string path = Export(u"AllMacroKey.mbf", L::None());
  // Cut the file inside Run's block (the last level-0 block comes before the level-1 ones).
  std::u16string text = LibraryFileText(source, L::None());
  text.resize(text.find(u"MacroItemName=Run") + 40);
  ASSERT_TRUE(platform.files().WriteAll(path, Utf16Le(text)));
  MacroLibrary fresh;
  L sel = L::None();
  EXPECT_EQ(macros::ImportEntries(path, fresh, scratch, sel), ImportResult::Imported);
  EXPECT_EQ(Tree(fresh), (std::vector<std::u16string>{u"Jump"}));
}

}  // namespace
