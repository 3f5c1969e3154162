// Choosing a shooting action for a button.

#include "views/macros/MacroWindows.h"

#include <gtest/gtest.h>

#include "views/bullets/BulletViewsTestSupport.h"

namespace {

using L = LibraryLocation;

class BulletSelectDlgTest : public bullettest::BulletViewsTest {
 protected:
  // Select dialog layout at scale 1.
  static constexpr platform::Point kOk{268, 444};
  static constexpr platform::Point kClose{307, 11};
  static platform::Point Row(int row) { return {120, 40 + row * 20 + 10}; }

  std::optional<MacroChoice> Run(const std::function<void(platform::WindowId)>& script) {
    desktop.ScriptNextModal(script);
    return RunBulletSelect(*services, library, selection);
  }
};

TEST_F(BulletSelectDlgTest, OkNeedsAShootingActionAndGivesItsCodeNameAndCopy) {
  const L folder = AddFolder(u"Rifles");
  AddEntry(u"AK", folder);
  const L spray = AddEntry(u"Spray");
  library.SetFolderOpen(folder, true);
  selection = L::None();
  const auto choice = Run([&](platform::WindowId w) {
    EXPECT_FALSE(library.EntryAt(folder)->IsOpenFolder());  // folders close on opening
    desktop.Click(w, kOk);                                  // nothing chosen
    desktop.Click(w, Row(0));
    desktop.Click(w, kOk);  // a folder
    EXPECT_EQ(services->messages, (std::vector<int>{234, 234}));
    EXPECT_TRUE(desktop.IsWindow(w));
    desktop.Click(w, Row(1));  // the shooting action after the closed folder
    desktop.Click(w, kOk);
  });
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->name, u"Shooting-Spray");
  EXPECT_EQ(choice->code.bytes, (std::array<uint8_t, 3>{0x91, 0, 0}));
  ASSERT_TRUE(choice->macro.has_value());
  EXPECT_EQ(*choice->macro, RecordAt(spray));
  EXPECT_EQ(selection, spray);
  EXPECT_TRUE(failures.empty());
}

TEST_F(BulletSelectDlgTest, ClosingChoosesNothingAndAnEmptyPlaceFreesTheButton) {
  EXPECT_FALSE(Run([&](platform::WindowId w) { desktop.Click(w, kClose); }).has_value());
  // At start-up the selection names place 0 whether or not it holds anything.
  selection = L::Level0(0);
  const auto choice = Run([&](platform::WindowId w) { desktop.Click(w, kOk); });
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->name, u"Disabled");
  EXPECT_EQ(choice->code.bytes, (std::array<uint8_t, 3>{0, 0, 0}));
  EXPECT_FALSE(choice->macro.has_value());
}

TEST_F(BulletSelectDlgTest, AShootingActionTooLongForTheMouseIsRefusedWhereTheUserSeesIt) {
  // An imported entry: 100 fire actions, more than the mouse's 92.
  const L big = AddEntry(u"Big");
  MacroRecord& record = RecordAt(big);
  record.MacroActionNum = 0;
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(record.InsertAction(i, MacroAction::Key(0xE3, false)));
  record.MacroCommandActionNum = 92;
  const L fits = AddEntry(u"Fits");
  selection = big;
  const auto choice = Run([&](platform::WindowId w) {
    desktop.Click(w, kOk);
    EXPECT_EQ(services->messages, std::vector<int>{217});
    EXPECT_TRUE(desktop.IsWindow(w));
    desktop.Click(w, Row(1));
    desktop.Click(w, kOk);
  });
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->name, u"Shooting-Fits");
  EXPECT_EQ(selection, fits);
}

}  // namespace
