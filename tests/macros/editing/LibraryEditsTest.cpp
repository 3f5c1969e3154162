#include "macros/editing/LibraryEdits.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/Format.h"
#include "macros/editing/EditingTexts.h"

namespace {

using namespace macros::editing;
using L = LibraryLocation;
namespace text = macros::text;

// 0 "A" macro, 1 "F" folder holding 0 "x" macro, 2 "B" macro.
class LibraryEditsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    L sel = L::None();
    ASSERT_EQ(AddEntry(lib, sel, EntryKind::Macro, u"A"), 0);
    sel = L::None();
    ASSERT_EQ(AddEntry(lib, sel, EntryKind::Folder, u"F"), 0);
    ASSERT_EQ(AddEntry(lib, sel, EntryKind::Macro, u"x"), 0);
    sel = L::None();
    ASSERT_EQ(AddEntry(lib, sel, EntryKind::Macro, u"B"), 0);
    lib.CloseAllFolders();
  }
  uint32_t IndexAt(const L& l) { return lib.EntryAt(l)->record->MacroKeyIndex; }
  MacroLibrary lib;
};

TEST_F(LibraryEditsTest, NewEntriesAreRefusedWithTheirTextsAndOpenTheSelectedFolder) {
  L sel = L::Level0(1);
  EXPECT_EQ(AddEntry(lib, sel, EntryKind::Macro, u""), text::kEmptyName);
  EXPECT_EQ(AddEntry(lib, sel, EntryKind::Macro, u"x"), text::kNameUsed);
  EXPECT_EQ(sel, L::Level0(1));
  EXPECT_FALSE(lib.EntryAt(L::Level0(1))->IsOpenFolder());
  EXPECT_EQ(AddEntry(lib, sel, EntryKind::Macro, u"X"), 0);  // names compare exactly
  EXPECT_EQ(sel, L::Level1(1, 1));
  EXPECT_TRUE(lib.EntryAt(L::Level0(1))->IsOpenFolder());
  // A macro inside a folder selected: the new one goes to level 0.
  EXPECT_EQ(AddEntry(lib, sel, EntryKind::Folder, u"G"), 0);
  EXPECT_EQ(sel, L::Level0(3));
}

// Whether an entry was added is told, not guessed from the selection: a selection naming a
// place that has since been emptied is where the new entry goes, so it does not move.
TEST(LibraryEditsAddTest, TellsWhetherAnEntryWasAdded) {
  MacroLibrary lib;
  L sel = L::Level0(0);
  bool added = false;
  EXPECT_EQ(AddEntry(lib, sel, EntryKind::Macro, u"m", &added), 0);
  EXPECT_TRUE(added);
  EXPECT_EQ(sel, L::Level0(0));
  EXPECT_EQ(AddEntry(lib, sel, EntryKind::Macro, u"m", &added), text::kNameUsed);
  EXPECT_FALSE(added);
  for (int i = 1; i < L::kGroupSize; ++i) {
    ASSERT_EQ(AddEntry(lib, sel, EntryKind::Macro, base::Format(u"m%d", i), &added), 0);
    ASSERT_TRUE(added);
  }
  const L last = sel;
  EXPECT_EQ(AddEntry(lib, sel, EntryKind::Macro, u"one too many", &added), 0);
  EXPECT_FALSE(added) << "a full group";
  EXPECT_EQ(sel, last);
}

TEST_F(LibraryEditsTest, RenameRefusesEmptyAndTakenNamesTheEntryItselfIncluded) {
  EXPECT_EQ(RenameEntry(lib, L::Level0(0), u""), text::kEmptyName);
  EXPECT_EQ(RenameEntry(lib, L::Level0(0), u"B"), text::kNameUsed);
  EXPECT_EQ(RenameEntry(lib, L::Level0(0), u"A"), text::kNameUsed);
  EXPECT_EQ(RenameEntry(lib, L::Level0(0), u"x"), 0);  // only the folder's child has it
  EXPECT_EQ(lib.EntryAt(L::Level0(0))->name, u"x");
  EXPECT_EQ(lib.EntryAt(L::Level0(0))->record->name, u"A");
}

TEST_F(LibraryEditsTest, DeleteIsRefusedOnlyWhileAButtonOfThatLibraryPlaysTheEntry) {
  L sel = L::None();
  EXPECT_EQ(CheckDeleteSelection(lib, sel), text::kSelectEntry);
  EXPECT_EQ(CheckDeleteSelection(lib, L::Level0(7)), text::kSelectEntry);
  EXPECT_EQ(CheckDeleteSelection(lib, L::Level0(0)), 0);

  const uint32_t x = IndexAt(L::Level1(1, 0));
  const std::vector<ButtonUse> buttons = {{0x90, x}, {0x70, IndexAt(L::Level0(0))}};
  sel = L::Level0(1);  // the folder holds a played macro
  EXPECT_EQ(DeleteEntry(lib, sel, buttons, 0x90), text::kUsedByButton);
  EXPECT_NE(lib.EntryAt(L::Level1(1, 0)), nullptr);
  EXPECT_EQ(sel, L::Level0(1));
  // The same number on a shooting-action button does not hold a macro back.
  EXPECT_EQ(DeleteEntry(lib, sel, std::vector<ButtonUse>{{0x91, x}}, 0x90), 0);
  EXPECT_EQ(sel, L::None());
  EXPECT_EQ(lib.EntryAt(L::Level0(1))->name, u"B");
  // A key combination's slot number means nothing.
  sel = L::Level0(0);
  EXPECT_EQ(DeleteEntry(lib, sel, buttons, 0x90), 0);
}

TEST_F(LibraryEditsTest, ContextMenuOffersWhatTheSelectionAllows) {
  EXPECT_EQ(ContextMenuItems(lib, L::None()), (std::vector<int>{1, 2, 4, 7, 8}));
  EXPECT_EQ(ContextMenuItems(lib, L::Level0(0)), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(ContextMenuItems(lib, L::Level0(1)), (std::vector<int>{1, 2, 4, 5, 6, 7, 8}));
  EXPECT_EQ(ContextMenuItems(lib, L::Level0(9)), (std::vector<int>{1, 2, 4, 7, 8}));
}

}  // namespace
