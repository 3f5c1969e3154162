#include "macros/MacroLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Format.h"

namespace {

using AddResult = MacroLibrary::AddResult;
using L = LibraryLocation;

std::u16string Name(int i) {
  return base::Format(u"m%d", i);
}

// A library built through the public operations:
//   0 "A" macro          1 "F" folder (open)        2 "B" macro
//                          0 "x" macro
//                          1 "G" folder (open)
//                              0 "y" macro
//                              1 "z" macro
//                          2 "w" macro
class MacroLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    L sel = L::None();
    ASSERT_EQ(lib.AddMacro(u"A", sel), AddResult::Added);
    sel = L::None();
    ASSERT_EQ(lib.AddFolder(u"F", sel), AddResult::Added);
    const L folder = sel;
    sel = L::None();
    ASSERT_EQ(lib.AddMacro(u"B", sel), AddResult::Added);
    sel = folder;
    ASSERT_EQ(lib.AddMacro(u"x", sel), AddResult::Added);
    sel = folder;
    ASSERT_EQ(lib.AddFolder(u"G", sel), AddResult::Added);
    const L sub = sel;
    ASSERT_EQ(lib.AddMacro(u"y", sel), AddResult::Added);
    sel = sub;
    ASSERT_EQ(lib.AddMacro(u"z", sel), AddResult::Added);
    sel = folder;
    ASSERT_EQ(lib.AddMacro(u"w", sel), AddResult::Added);
    lib.SetFolderOpen(folder, true);
    lib.SetFolderOpen(sub, true);
  }

  std::u16string NameAt(const L& l) const {
    const LibraryEntry* e = lib.EntryAt(l);
    return e ? e->name : u"<none>";
  }
  std::vector<std::u16string> Rows() const {
    std::vector<std::u16string> rows;
    for (int r = 0; r < lib.VisibleRowCount(); ++r) rows.push_back(NameAt(lib.RowToLocation(r)));
    return rows;
  }

  MacroLibrary lib;
};

TEST_F(MacroLibraryTest, AddPlacesEntriesAndMovesTheSelection) {
  EXPECT_EQ(NameAt(L::Level1(1, 1)), u"G");
  EXPECT_EQ(NameAt(L::Level2(1, 1, 1)), u"z");
  EXPECT_EQ(lib.EntryAt(L::Level0(0))->record->MacroKeyIndex, 1u);
  EXPECT_EQ(lib.EntryAt(L::Level2(1, 1, 1))->record->MacroKeyIndex, 5u);
  EXPECT_EQ(lib.EntryAt(L::Level2(1, 1, 1))->record->name, u"z");
  EXPECT_FALSE(lib.EntryAt(L::Level0(1))->record) << "a folder owns no record";

  // A macro selected inside a folder: the new macro goes to level 0, not into the folder.
  L sel = L::Level1(1, 0);
  EXPECT_EQ(lib.AddMacro(u"new", sel), AddResult::Added);
  EXPECT_EQ(sel, L::Level0(3));
  // A folder below a level-1 folder: nothing, no message.
  sel = L::Level1(1, 1);
  EXPECT_EQ(lib.AddFolder(u"deep", sel), AddResult::NoTarget);
  EXPECT_EQ(sel, L::Level1(1, 1));
  EXPECT_EQ(lib.GroupCount(L::Level2(1, 1, 0)), 2);
  // Names: exact and case-sensitive, per group.
  sel = L::Level0(1);
  EXPECT_EQ(lib.AddMacro(u"x", sel), AddResult::NameExists);
  sel = L::Level0(1);
  EXPECT_EQ(lib.AddMacro(u"X", sel), AddResult::Added);
  sel = L::None();
  EXPECT_EQ(lib.AddMacro(u"x", sel), AddResult::Added) << "another group";
  sel = L::None();
  EXPECT_EQ(lib.AddMacro(u"", sel), AddResult::InvalidName);
}

TEST_F(MacroLibraryTest, GroupsHoldAtMost45AndTheCounterIsNeverReused) {
  MacroLibrary fresh;
  for (int i = 0; i < 45; ++i) {
    L sel = L::None();
    ASSERT_EQ(fresh.AddMacro(Name(i), sel), AddResult::Added);
    EXPECT_EQ(fresh.EntryAt(sel)->record->MacroKeyIndex, static_cast<uint32_t>(i + 1));
  }
  L sel = L::Level0(3);
  EXPECT_EQ(fresh.AddMacro(u"one more", sel), AddResult::GroupFull);
  EXPECT_EQ(fresh.AddFolder(u"one more", sel), AddResult::GroupFull);
  EXPECT_EQ(sel, L::Level0(3));
  EXPECT_EQ(fresh.NextKeyIndex(), 46u);

  ASSERT_TRUE(fresh.Delete(L::Level0(44)));
  sel = L::None();
  ASSERT_EQ(fresh.AddMacro(u"again", sel), AddResult::Added);
  EXPECT_EQ(fresh.EntryAt(sel)->record->MacroKeyIndex, 46u);
  fresh.Clear();
  EXPECT_TRUE(fresh.IsEmpty());
  EXPECT_EQ(fresh.NextKeyIndex(), 47u) << "Clear keeps the counter";
}

TEST_F(MacroLibraryTest, DeleteMovesLaterEntriesWithTheirSubtrees) {
  MacroLibrary five;
  for (int i = 0; i < 5; ++i) {
    L sel = L::None();
    ASSERT_EQ(i % 2 ? five.AddFolder(Name(i), sel) : five.AddMacro(Name(i), sel), AddResult::Added);
    L child = sel;
    if (i % 2) {
      ASSERT_EQ(five.AddMacro(u"child", child), AddResult::Added);
    }
  }
  // 0 m0, 1 m1 (folder, child), 2 m2, 3 m3 (folder, child), 4 m4
  const uint32_t m4Index = five.EntryAt(L::Level0(4))->record->MacroKeyIndex;
  ASSERT_TRUE(five.Delete(L::Level0(2)));
  EXPECT_EQ(five.EntryAt(L::Level0(2))->name, u"m3");
  EXPECT_EQ(five.EntryAt(L::Level1(2, 0))->name, u"child");
  EXPECT_EQ(five.EntryAt(L::Level0(3))->name, u"m4");
  EXPECT_EQ(five.EntryAt(L::Level0(3))->record->MacroKeyIndex, m4Index);
  EXPECT_EQ(five.EntryAt(L::Level0(4)), nullptr);
  EXPECT_EQ(five.EntryAt(L::Level1(3, 0)), nullptr) << "no child group moved onto m4";

  // Deleting a level-1 folder takes its children; level 2 packs too.
  ASSERT_TRUE(lib.Delete(L::Level2(1, 1, 0)));
  EXPECT_EQ(NameAt(L::Level2(1, 1, 0)), u"z");
  ASSERT_TRUE(lib.Delete(L::Level1(1, 1)));
  EXPECT_EQ(NameAt(L::Level1(1, 1)), u"w");
  EXPECT_EQ(lib.EntryAt(L::Level2(1, 1, 0)), nullptr);
  EXPECT_FALSE(lib.Delete(L::Level1(1, 5)));
  EXPECT_FALSE(lib.Delete(L{7, 0, 0, 0}));
}

TEST_F(MacroLibraryTest, VisibleRowsFollowOpenFolders) {
  using V = std::vector<std::u16string>;
  EXPECT_EQ(Rows(), (V{u"A", u"F", u"x", u"G", u"y", u"z", u"w", u"B"}));
  for (int r = 0; r < lib.VisibleRowCount(); ++r) {
    EXPECT_EQ(lib.LocationToRow(lib.RowToLocation(r)), r);
  }
  EXPECT_EQ(lib.RowToLocation(8), L::None());
  EXPECT_EQ(lib.RowToLocation(-1), L::None());

  lib.SetFolderOpen(L::Level1(1, 1), false);
  EXPECT_EQ(Rows(), (V{u"A", u"F", u"x", u"G", u"w", u"B"}));
  EXPECT_EQ(lib.LocationToRow(L::Level2(1, 1, 0)), -1);
  lib.SetFolderOpen(L::Level1(1, 1), true);
  lib.CloseAllFolders();
  EXPECT_EQ(Rows(), (V{u"A", u"F", u"B"}));
  EXPECT_EQ(lib.LocationToRow(L::Level0(2)), 2);
  EXPECT_EQ(lib.LocationToRow(L::Level1(1, 0)), -1);
}

TEST_F(MacroLibraryTest, ContainsLooksBelowFolders) {
  const uint32_t y = lib.EntryAt(L::Level2(1, 1, 0))->record->MacroKeyIndex;
  const uint32_t a = lib.EntryAt(L::Level0(0))->record->MacroKeyIndex;
  EXPECT_TRUE(lib.Contains(y, L::Level0(1)));
  EXPECT_TRUE(lib.Contains(y, L::Level1(1, 1)));
  EXPECT_TRUE(lib.Contains(y, L::Level2(1, 1, 0)));
  EXPECT_FALSE(lib.Contains(y, L::Level2(1, 1, 1)));
  EXPECT_FALSE(lib.Contains(a, L::Level0(1)));
  EXPECT_TRUE(lib.Contains(a, L::Level0(0)));
  EXPECT_FALSE(lib.Contains(a, L::Level0(30)));
}

TEST_F(MacroLibraryTest, NamesInGroupAndTarget) {
  EXPECT_TRUE(lib.NameUsedInGroup(u"B", L::Level0(0)));
  EXPECT_FALSE(lib.NameUsedInGroup(u"x", L::Level0(0)));
  EXPECT_TRUE(lib.NameUsedInGroup(u"w", L::Level1(1, 0)));
  EXPECT_TRUE(lib.NameUsedInTarget(u"x", L::Level0(1))) << "children of a folder";
  EXPECT_FALSE(lib.NameUsedInTarget(u"A", L::Level0(1)));
  EXPECT_TRUE(lib.NameUsedInTarget(u"A", L::Level0(2))) << "own group of a macro";
  EXPECT_TRUE(lib.NameUsedInTarget(u"y", L::Level1(1, 1)));
  EXPECT_TRUE(lib.NameUsedInTarget(u"B", L::None()));
  // Renaming changes the entry only.
  ASSERT_TRUE(lib.Rename(L::Level0(0), u"Alpha"));
  EXPECT_EQ(lib.EntryAt(L::Level0(0))->record->name, u"A");
  EXPECT_FALSE(lib.Rename(L::Level0(0), u""));
  EXPECT_FALSE(lib.Rename(L::Level0(9), u"Z"));
}

TEST(MacroLibraryPlacingTest, PlacedEntriesArePackedAndOrphansDropped) {
  MacroLibrary lib;
  MacroRecord r;
  // Level-1 entry before its parent; holes at level 0; a child of a macro; a level-2 folder.
  EXPECT_TRUE(lib.PlaceMacro(L::Level1(5, 3), u"child", r));
  EXPECT_TRUE(lib.PlaceFolder(L::Level0(5), u"folder", true));
  EXPECT_TRUE(lib.PlaceMacro(L::Level0(2), u"macro", r));
  EXPECT_TRUE(lib.PlaceMacro(L::Level1(2, 0), u"orphan", r));
  EXPECT_TRUE(lib.PlaceMacro(L::Level2(7, 0, 0), u"lost", r));
  EXPECT_FALSE(lib.PlaceFolder(L::Level2(5, 3, 0), u"deep", false));
  EXPECT_FALSE(lib.PlaceMacro(L::Level0(45), u"out", r));
  EXPECT_FALSE(lib.PlaceMacro(L{3, 0, 0, 0}, u"out", r));
  EXPECT_FALSE(lib.PlaceMacro(L::Level1(-1, 0), u"out", r));
  EXPECT_FALSE(lib.PlaceMacro(L::Level0(0), u"", r));

  L keep = L::Level1(5, 3);
  lib.FinishPlacing(&keep);
  EXPECT_EQ(keep, L::Level1(1, 0));
  EXPECT_EQ(lib.EntryAt(L::Level0(0))->name, u"macro");
  EXPECT_EQ(lib.EntryAt(L::Level0(1))->name, u"folder");
  EXPECT_EQ(lib.EntryAt(L::Level1(1, 0))->name, u"child");
  EXPECT_EQ(lib.EntryAt(L::Level1(0, 0)), nullptr);
  EXPECT_EQ(lib.VisibleRowCount(), 3);

  // A kept location naming a free place or a dropped entry names nothing afterwards.
  for (L gone : {L::Level0(3), L::Level1(2, 0), L::Level2(7, 0, 0), L{9, 0, 0, 0}}) {
    MacroLibrary other;
    other.PlaceMacro(L::Level0(4), u"m", r);
    other.PlaceMacro(L::Level1(2, 0), u"orphan", r);
    other.FinishPlacing(&gone);
    EXPECT_FALSE(gone.IsNone());
    EXPECT_EQ(other.EntryAt(gone), nullptr);
  }
  L none = L::None();
  lib.FinishPlacing(&none);
  EXPECT_TRUE(none.IsNone());
}

}  // namespace
