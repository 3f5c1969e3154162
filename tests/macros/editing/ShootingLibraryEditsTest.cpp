// The library rules applied to the shooting-action library: a new entry is a four-bullet
// shooting action, and only shooting buttons hold an entry against deletion.

#include <gtest/gtest.h>

#include <vector>

#include "macros/editing/EditingTexts.h"
#include "macros/editing/LibraryEdits.h"
#include "macros/editing/LibraryKind.h"

namespace {

using macros::editing::ButtonUse;
using macros::editing::EntryKind;
namespace text = macros::text;
using L = LibraryLocation;

constexpr uint8_t kShooting = macros::editing::kShootingLibrary.functionType;

class ShootingLibraryEditsTest : public ::testing::Test {
 protected:
  int Add(std::u16string_view name, EntryKind kind = EntryKind::Macro) {
    return macros::editing::AddEntry(library, selection, kind, name, nullptr, kShooting);
  }
  const MacroRecord* Current() const {
    const LibraryEntry* entry = library.EntryAt(selection);
    return entry && entry->IsMacro() ? entry->record.get() : nullptr;
  }

  MacroLibrary library;
  L selection = L::Level0(0);
};

TEST_F(ShootingLibraryEditsTest, NewEntriesAreFourBulletShootingActionsWithTheirRefusals) {
  EXPECT_EQ(Add(u""), text::kEmptyName);
  EXPECT_TRUE(library.IsEmpty());
  ASSERT_EQ(Add(u"Spray"), 0);
  EXPECT_EQ(selection, L::Level0(0));
  const MacroRecord* spray = Current();
  ASSERT_NE(spray, nullptr);
  EXPECT_EQ(spray->name, u"Spray");
  EXPECT_EQ(spray->MacroKeyIndex, 1u);
  EXPECT_EQ(spray->MacroActionNum, 16u);
  EXPECT_EQ(spray->MacroCommandActionNum, 8);
  EXPECT_EQ(Add(u"Spray"), text::kNameUsed);
  EXPECT_EQ(Add(u"spray"), 0);  // names compare exactly

  // Into a selected folder, which opens.
  selection = L::None();
  ASSERT_EQ(Add(u"Rifles", EntryKind::Folder), 0);
  const L folder = selection;
  EXPECT_EQ(Current(), nullptr);
  EXPECT_FALSE(library.EntryAt(folder)->IsOpenFolder());
  ASSERT_EQ(Add(u"Spray"), 0);  // another group: the name is free
  EXPECT_EQ(selection, L::Level1(folder.stage0Index, 0));
  EXPECT_TRUE(library.EntryAt(folder)->IsOpenFolder());
  EXPECT_EQ(Current()->MacroKeyIndex, 3u);
  EXPECT_EQ(Current()->MacroActionNum, 16u);

  // The macro library's new entries stay empty.
  MacroLibrary macros;
  L at = L::None();
  ASSERT_EQ(macros::editing::AddEntry(macros, at, EntryKind::Macro, u"M"), 0);
  EXPECT_EQ(macros.EntryAt(at)->record->MacroActionNum, 0u);
}

TEST_F(ShootingLibraryEditsTest, AFullGroupRefusesSilently) {
  for (int i = 0; i < 45; ++i) {
    selection = L::None();
    ASSERT_EQ(Add(std::u16string(1, static_cast<char16_t>(u'A' + i))), 0);
  }
  selection = L::None();
  bool added = true;
  EXPECT_EQ(
      macros::editing::AddEntry(library, selection, EntryKind::Macro, u"late", &added, kShooting),
      0);
  EXPECT_FALSE(added);
  EXPECT_EQ(library.GroupCount(L::Level0(0)), 45);
  EXPECT_TRUE(selection.IsNone());
}

TEST_F(ShootingLibraryEditsTest, RenameChecksTheGroupIncludingTheEntryItself) {
  ASSERT_EQ(Add(u"One"), 0);
  selection = L::None();
  ASSERT_EQ(Add(u"Two"), 0);
  using macros::editing::RenameEntry;
  EXPECT_EQ(RenameEntry(library, selection, u""), text::kEmptyName);
  EXPECT_EQ(RenameEntry(library, selection, u"One"), text::kNameUsed);
  EXPECT_EQ(RenameEntry(library, selection, u"Two"), text::kNameUsed);
  EXPECT_EQ(RenameEntry(library, selection, u"Zwei ✓"), 0);
  EXPECT_EQ(library.EntryAt(selection)->name, u"Zwei ✓");
  EXPECT_EQ(Current()->name, u"Two");  // the record keeps the name it was made with
  // The empty name is named first, as in the macro library.
  EXPECT_EQ(RenameEntry(library, L::None(), u""), text::kEmptyName);
  EXPECT_EQ(RenameEntry(library, L::None(), u"x"), text::kSelectEntry);
}

TEST_F(ShootingLibraryEditsTest, DeleteIsRefusedOnlyForAShootingButtonThatUsesTheEntry) {
  selection = L::None();
  ASSERT_EQ(Add(u"F", EntryKind::Folder), 0);
  const L folder = selection;
  ASSERT_EQ(Add(u"in"), 0);
  const uint32_t inside = Current()->MacroKeyIndex;
  selection = L::None();
  ASSERT_EQ(Add(u"top"), 0);
  const L top = selection;

  // A macro button with the same number belongs to the other library.
  const std::vector<ButtonUse> macroButton{{0x90, inside}, {0x00, 0}};
  const std::vector<ButtonUse> shootingButton{{0x91, inside}};
  using macros::editing::DeleteEntry;

  selection = folder;
  EXPECT_EQ(DeleteEntry(library, selection, shootingButton, kShooting), text::kUsedByButton);
  EXPECT_EQ(selection, folder);
  EXPECT_NE(library.EntryAt(folder), nullptr);
  selection = top;
  EXPECT_EQ(DeleteEntry(library, selection, shootingButton, kShooting), 0);
  EXPECT_TRUE(selection.IsNone());
  EXPECT_EQ(library.EntryAt(L::Level0(1)), nullptr);
  EXPECT_EQ(DeleteEntry(library, selection, shootingButton, kShooting), text::kSelectEntry);
  selection = folder;
  EXPECT_EQ(macros::editing::CheckDeleteSelection(library, selection), 0);
  EXPECT_EQ(DeleteEntry(library, selection, macroButton, kShooting), 0);
  EXPECT_TRUE(library.IsEmpty());
}

}  // namespace
