#include "macros/bullets/ShootingLibraryEditor.h"

#include <gtest/gtest.h>

#include <vector>

#include "macros/bullets/BulletRules.h"

namespace {

using bullets::AssignedButton;
using bullets::ShootingLibraryEditor;
namespace text = bullets::text;
using L = LibraryLocation;

class ShootingLibraryEditorTest : public ::testing::Test {
 protected:
  MacroLibrary library;
  L selection = L::Level0(0);
  ShootingLibraryEditor editor{library, selection};
};

TEST_F(ShootingLibraryEditorTest, NewEntriesAreFourBulletShootingActionsWithTheirRefusals) {
  EXPECT_EQ(editor.NewShootingAction(u""), text::kEnterName);
  EXPECT_TRUE(library.IsEmpty());
  ASSERT_EQ(editor.NewShootingAction(u"Spray"), 0);
  EXPECT_EQ(selection, L::Level0(0));
  const MacroRecord* spray = editor.Current();
  ASSERT_NE(spray, nullptr);
  EXPECT_EQ(spray->name, u"Spray");
  EXPECT_EQ(spray->MacroKeyIndex, 1u);
  EXPECT_EQ(spray->MacroActionNum, 16u);
  EXPECT_EQ(spray->MacroCommandActionNum, 8);
  EXPECT_EQ(editor.NewShootingAction(u"Spray"), text::kNameExists);
  EXPECT_EQ(editor.NewShootingAction(u"spray"), 0);  // names compare exactly

  // Into a selected folder, which opens.
  selection = L::None();
  ASSERT_EQ(editor.NewFolder(u"Rifles"), 0);
  const L folder = selection;
  EXPECT_EQ(editor.Current(), nullptr);
  EXPECT_FALSE(library.EntryAt(folder)->IsOpenFolder());
  ASSERT_EQ(editor.NewShootingAction(u"Spray"), 0);  // another group: the name is free
  EXPECT_EQ(selection, L::Level1(folder.stage0Index, 0));
  EXPECT_TRUE(library.EntryAt(folder)->IsOpenFolder());
  EXPECT_EQ(editor.Current()->MacroKeyIndex, 3u);
}

TEST_F(ShootingLibraryEditorTest, AFullGroupRefusesSilently) {
  for (int i = 0; i < 45; ++i) {
    selection = L::None();
    ASSERT_EQ(editor.NewShootingAction(std::u16string(1, static_cast<char16_t>(u'A' + i))), 0);
  }
  selection = L::None();
  EXPECT_EQ(editor.NewShootingAction(u"late"), 0);
  EXPECT_EQ(library.GroupCount(L::Level0(0)), 45);
  EXPECT_TRUE(selection.IsNone());
}

TEST_F(ShootingLibraryEditorTest, RenameChecksTheGroupIncludingTheEntryItself) {
  ASSERT_EQ(editor.NewShootingAction(u"One"), 0);
  selection = L::None();
  ASSERT_EQ(editor.NewShootingAction(u"Two"), 0);
  EXPECT_EQ(editor.Rename(u""), text::kEnterName);
  EXPECT_EQ(editor.Rename(u"One"), text::kNameExists);
  EXPECT_EQ(editor.Rename(u"Two"), text::kNameExists);
  EXPECT_EQ(editor.Rename(u"Zwei ✓"), 0);
  EXPECT_EQ(library.EntryAt(selection)->name, u"Zwei ✓");
  EXPECT_EQ(editor.Current()->name, u"Two");  // the record keeps the name it was made with
  selection = L::None();
  EXPECT_EQ(editor.Rename(u"x"), text::kSelectEntry);
}

TEST_F(ShootingLibraryEditorTest, DeleteIsRefusedOnlyForAShootingButtonThatUsesTheEntry) {
  ASSERT_EQ(editor.NewFolder(u"F"), 0);
  const L folder = selection;
  ASSERT_EQ(editor.NewShootingAction(u"in"), 0);  // MacroKeyIndex 1
  const uint32_t inside = editor.Current()->MacroKeyIndex;
  selection = L::None();
  ASSERT_EQ(editor.NewShootingAction(u"top"), 0);
  const L top = selection;

  // A macro button with the same number belongs to the other library.
  const std::vector<AssignedButton> macroButton{{0x90, inside}, {0x00, 0}};
  const std::vector<AssignedButton> shootingButton{{0x91, inside}};

  selection = folder;
  EXPECT_EQ(editor.Delete(shootingButton), text::kUsedByButton);  // the folder holds it
  EXPECT_EQ(selection, folder);
  EXPECT_NE(library.EntryAt(folder), nullptr);
  selection = top;
  EXPECT_EQ(editor.Delete(shootingButton), 0);
  EXPECT_TRUE(selection.IsNone());
  EXPECT_EQ(library.EntryAt(L::Level0(1)), nullptr);
  EXPECT_EQ(editor.Delete(shootingButton), text::kSelectEntry);
  selection = folder;
  EXPECT_EQ(editor.CheckSelected(), 0);
  EXPECT_EQ(editor.Delete(macroButton), 0);
  EXPECT_TRUE(library.IsEmpty());
}

TEST_F(ShootingLibraryEditorTest, LoopSettingsNeedAShootingAction) {
  EXPECT_FALSE(editor.SetLoopType(1));
  ASSERT_EQ(editor.NewShootingAction(u"S"), 0);
  EXPECT_TRUE(editor.SetLoopType(1));
  EXPECT_EQ(editor.Current()->MacroKeyLoopType, 1);
  EXPECT_TRUE(editor.SetLoopCount(0));
  EXPECT_EQ(editor.Current()->MacroKeyLoopNum, 1);
  EXPECT_TRUE(editor.SetLoopCount(300));
  EXPECT_EQ(editor.Current()->MacroKeyLoopNum, 255);
  editor.SelectRow(5);  // below the last row
  EXPECT_TRUE(editor.Selection().IsNone());
  EXPECT_FALSE(editor.SetLoopCount(3));
  editor.SelectRow(0);
  EXPECT_EQ(editor.Selection(), L::Level0(0));
}

}  // namespace
