#include "keys/ButtonAssignment.h"

#include <gtest/gtest.h>

#include <array>

#include "base/Language.h"
#include "base/Text.h"
#include "keys/ButtonFunctionCode.h"
#include "keys/MenuCodes.h"
#include "profiles/ProfileSettings.h"

namespace {

using keys::AssignButtonFunction;
using keys::LeftButtonGuard;
using keys::RunLeftButtonGuard;
using BFC = ButtonFunctionCode;

// Six slots with the profile defaults: left, right, middle, button 5, button 4, DPI 1.
struct FakeSlot {
  std::u16string name;
  std::u16string url;
  std::array<uint8_t, 3> code{};
  uint32_t macroKeyIndex = 0;
  MacroRecord macro;
};

class FakeBank : public ButtonBank {
 public:
  std::array<FakeSlot, 6> slots;
  FakeBank() {
    const BFC defaults[] = {BFC::Make(0x10, 0x01), BFC::Make(0x10, 0x02), BFC::Make(0x10, 0x04),
                            BFC::Make(0x10, 0x10), BFC::Make(0x10, 0x08), BFC::Make(0x40, 0x01)};
    for (int k = 0; k < 6; ++k) {
      slots[k].name = u"default";
      slots[k].code = defaults[k].bytes;
    }
  }
  std::optional<ButtonFields> Slot(int k) override {
    if (k < 0 || k >= 6) return std::nullopt;
    FakeSlot& s = slots[k];
    return ButtonFields{&s.name, &s.url, s.code.data(), &s.macroKeyIndex, &s.macro};
  }
};

class ButtonAssignmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetLanguage();
    g_strLangText[20] = u"Left";
    g_strLangText[36] = u"Lock";
  }
  void TearDown() override { ResetLanguage(); }

  // What the main window does for a menu choice: store, then guard.
  LeftButtonGuard Choose(int control, BFC code, std::u16string_view name = u"chosen") {
    EXPECT_EQ(AssignButtonFunction(bank, control, name, code.bytes.data(), nullptr, u""),
              keys::SlotOfControl(control) >= 0);
    return RunLeftButtonGuard(bank, control);
  }

  FakeBank bank;
};

TEST_F(ButtonAssignmentTest, ControlsMapToSlotsAndExtraControlsStoreNothing) {
  const BFC right = BFC::Make(0x10, 0x02);
  for (int control = 2013; control <= 2018; ++control) {
    FakeBank fresh;
    ASSERT_TRUE(AssignButtonFunction(fresh, control, u"R", right.bytes.data(), nullptr, u""));
    for (int k = 0; k < 6; ++k) {
      EXPECT_EQ(fresh.slots[k].name == u"R", k == control - 2013) << control << " slot " << k;
    }
  }
  for (int control : {2012, 2019, 2020, 2021, 0, -1}) {
    const auto before = bank.slots;
    EXPECT_FALSE(AssignButtonFunction(bank, control, u"R", right.bytes.data(), nullptr, u"x"));
    EXPECT_EQ(RunLeftButtonGuard(bank, control), LeftButtonGuard::NoSlot);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(bank.slots[k].name, before[k].name);
  }
}

TEST_F(ButtonAssignmentTest, StoresNameUrlCodeAndCopiesOnlyTheUsedActions) {
  MacroRecord library;
  library.name = u"Jump";
  library.MacroKeyIndex = 17;
  library.MacroKeyLoopType = 4;
  library.MacroKeyLoopNum = 9;
  library.MacroCommandActionNum = 2;
  library.MacroActionNum = 3;
  library.actions[0] = MacroAction::Key(0x20, false);
  library.actions[1] = MacroAction::Delay(50);
  library.actions[2] = MacroAction::Key(0x20, true);
  library.actions[3] = MacroAction::Key(0x41, false);  // beyond the count: not copied

  const BFC macro = BFC::Make(0x90);
  ASSERT_TRUE(AssignButtonFunction(bank, 2016, u"Macro Jump", macro.bytes.data(), &library, u""));
  const FakeSlot& slot = bank.slots[3];
  EXPECT_EQ(slot.name, u"Macro Jump");
  EXPECT_EQ(slot.code, (std::array<uint8_t, 3>{0x90, 0x00, 0x00}));
  EXPECT_EQ(slot.macroKeyIndex, 17u);
  MacroRecord expected = library;
  expected.actions[3] = MacroAction{};
  EXPECT_EQ(slot.macro, expected);

  // A launch afterwards empties the macro copy and keeps the path.
  const BFC launch = BFC::Make(0x60, 0x05);
  ASSERT_TRUE(AssignButtonFunction(bank, 2016, u"calc.exe", launch.bytes.data(), nullptr,
                                   u"C:\\Tools\\calc.exe"));
  EXPECT_EQ(slot.url, u"C:\\Tools\\calc.exe");
  EXPECT_EQ(slot.macro, MacroRecord{});
  EXPECT_EQ(slot.macroKeyIndex, 0u);
}

TEST_F(ButtonAssignmentTest, DamagedMacroCountsAreNotCopiedPastTheRecord) {
  MacroRecord library;
  library.MacroActionNum = 999;
  library.MacroCommandActionNum = 90;  // all 184 places are delays
  const BFC macro = BFC::Make(0x90);
  ASSERT_TRUE(AssignButtonFunction(bank, 2013, u"m", macro.bytes.data(), &library, u""));
  EXPECT_EQ(bank.slots[0].macro.MacroActionNum, 184u);
  EXPECT_EQ(bank.slots[0].macro.MacroCommandActionNum, 0);
}

TEST_F(ButtonAssignmentTest, LeftButtonGuard) {
  // Right button on slot 0 with no other left button: slot 0 gets the left button back.
  EXPECT_EQ(Choose(2013, BFC::Make(0x10, 0x02)), LeftButtonGuard::LeftButtonRestored);
  EXPECT_EQ(bank.slots[0].name, u"Left");
  EXPECT_EQ(bank.slots[0].code, BFC::LeftButton().bytes);

  // Left button on slot 3 first, then the right button on slot 0 is accepted.
  EXPECT_EQ(Choose(2016, BFC::LeftButton()), LeftButtonGuard::WriteKeyTable);
  EXPECT_EQ(Choose(2013, BFC::Make(0x10, 0x02), u"Right"), LeftButtonGuard::WriteKeyTable);
  EXPECT_EQ(bank.slots[0].name, u"Right");

  // Taking the last left button away again (slot 3) is undone; a 0x03 mask is no left button.
  EXPECT_EQ(Choose(2016, BFC::Make(0x10, 0x03)), LeftButtonGuard::LeftButtonRestored);
  EXPECT_EQ(bank.slots[3].code, BFC::LeftButton().bytes);
  EXPECT_EQ(bank.slots[3].name, u"Left");
}

TEST_F(ButtonAssignmentTest, MenuTablesAndNames) {
  for (size_t i = 0; i < keys::kFunctionMenu.size(); ++i) {
    EXPECT_EQ(keys::kFunctionMenu[i].id, static_cast<int>(i + 1));
  }
  EXPECT_EQ(keys::kFunctionMenu[7].code, BFC::Make(0x30, 0x32, 0x03));
  EXPECT_EQ(keys::kFunctionMenu[17].code, BFC::Make(0x00));
  // Eleven lock entries, 200 to 1200 DPI in steps of 100, entry n coded 50 nn 00; the name
  // stored for an entry is the one a code with that byte is shown with.
  ASSERT_EQ(keys::kDpiLockMenu.size(), 11u);
  for (size_t n = 1; n <= keys::kDpiLockMenu.size(); ++n) {
    const keys::SubmenuItem& item = keys::kDpiLockMenu[n - 1];
    EXPECT_EQ(item.code, BFC::Make(0x50, static_cast<uint8_t>(n)));
    EXPECT_EQ(item.label, base::FromUtf8(std::to_string(100 + 100 * n)));
    EXPECT_EQ(keys::SubmenuItemName(item), keys::DpiLockName(static_cast<uint8_t>(n)));
  }
  EXPECT_EQ(keys::DpiLockName(6), u"Lock-700");
  // The DPI button of a new profile carries the DPI menu's third entry, under its name.
  g_strLangText[42] = u"DPI cycle";
  ProfileSettings fresh;
  ResetProfileToDefaults(fresh, 0, 0x3950);
  EXPECT_EQ(fresh.buttons[5].KeyValue, keys::kDpiMenu[2].code.bytes);
  EXPECT_EQ(fresh.buttons[5].KeyName, keys::SubmenuItemName(keys::kDpiMenu[2]));
  for (const keys::SubmenuItem& item : keys::kDpiMenu) EXPECT_EQ(item.code.Type(), 0x40);
  g_strLangText[190] = u"Macro:";
  g_strLangText[189] = u"Shots:";
  EXPECT_EQ(keys::MacroFunctionName(u"Jump"), u"Macro:Jump");
  EXPECT_EQ(keys::ShootingFunctionName(u"Burst"), u"Shots:Burst");
  EXPECT_EQ(keys::SubmenuItemName(keys::kDpiLockMenu[10]), u"Lock-1200");
  EXPECT_EQ(keys::kOfficeMenu[7].code, BFC::Make(0x70, 0x08, 0x08));
  EXPECT_EQ(keys::kWindowsManageMenu[1].code, BFC::Make(0x70, 0x04, 0x3D));
  EXPECT_EQ(keys::kMultimediaMenu[0].code, BFC::Make(0x80, 0x83, 0x01));
}

TEST(ButtonFunctionCodeTest, HexText) {
  EXPECT_EQ(BFC::Make(0x10, 0x01).ToHex(), u"100100");
  EXPECT_EQ(BFC::Make(0x91, 0xAB, 0x0C).ToHex(), u"91AB0C");
  EXPECT_EQ(BFC::FromHex(u"91ab0C"), BFC::Make(0x91, 0xAB, 0x0C));
  for (std::u16string_view bad : {u"", u"10010", u"1001000", u"10G100", u"-10010"}) {
    EXPECT_FALSE(BFC::FromHex(bad).has_value());
  }
}

}  // namespace
