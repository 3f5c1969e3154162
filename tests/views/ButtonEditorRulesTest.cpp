// The editors' rules: shortcut capture, rapid-fire ranges and the launch target.

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "ButtonTextsFixture.h"
#include "views/buttons/LaunchTarget.h"
#include "views/buttons/RapidFireRules.h"
#include "views/buttons/ShortcutCapture.h"

namespace {

using buttons::ButtonChoice;
using BFC = ButtonFunctionCode;

class ButtonEditorRulesTest : public ::testing::Test {
 protected:
  void SetUp() override { UseNumberedTexts(); }
  void TearDown() override { ResetLanguage(); }
};

TEST_F(ButtonEditorRulesTest, ShortcutNamesTheCheckedModifiersAndTheLastKey) {
  constexpr uint8_t kCtrl = 0x01, kShift = 0x02, kAlt = 0x04, kWin = 0x08;
  const struct {
    uint8_t modifiers;
    std::vector<uint8_t> keys;  // hook events in order, presses and releases alike
    std::optional<ButtonChoice> expected;
  } cases[] = {
      // The modifier keys the user holds are ignored; the check boxes count.
      {kCtrl | kShift,
       {0xA2, 0xA0, 'A', 'A', 0xA0, 0xA2},
       {{u"Ctrl+Shift+A", BFC::Make(0x70, 3, 0x04), {}}}},
      {kAlt, {}, {{u"Alt", BFC::Make(0x70, 0x04, 0x00), {}}}},
      {0, {0x74}, {{u"F5", BFC::Make(0x70, 0x00, 0x3E), {}}}},
      {0, {0xA0, 0xA1}, std::nullopt},  // Shift alone never becomes the key
      {0, {}, std::nullopt},
      // Both Windows keys and right Ctrl/Alt are ignored too.
      {kWin, {0x5B, 'E', 0x5C, 0xA3, 0xA5}, {{u"Win+E", BFC::Make(0x70, 0x08, 0x08), {}}}},
      {kCtrl | kShift | kAlt | kWin,
       {'Z'},
       {{u"Ctrl+Shift+Alt+Win+Z", BFC::Make(0x70, 0x0F, 0x1D), {}}}},
      {kShift | kAlt, {}, {{u"Shift+Alt", BFC::Make(0x70, 0x06, 0x00), {}}}},
      // The last key wins; a key the mouse cannot send keeps its name and usage 0.
      {kCtrl, {'A', 0xBC}, {{u"Ctrl+,", BFC::Make(0x70, 0x01, 0x36), {}}}},
      {0, {0x07}, {{u"Undefined", BFC::Make(0x70, 0x00, 0x00), {}}}},
      // Bits beyond the four modifiers are not the editor's.
      {0xF0, {'B'}, {{u"B", BFC::Make(0x70, 0x00, 0x05), {}}}},
  };
  for (const auto& c : cases) {
    buttons::ShortcutCapture capture;
    for (uint8_t key : c.keys) (void)capture.OnKey(key);
    EXPECT_EQ(capture.Result(c.modifiers), c.expected) << int(c.modifiers);
  }
  buttons::ShortcutCapture capture;
  EXPECT_FALSE(capture.OnKey(0xA1));
  EXPECT_FALSE(capture.HasKey());
  EXPECT_TRUE(capture.OnKey(0x0D));
  EXPECT_EQ(capture.KeyName(), u"Enter");
  EXPECT_EQ(capture.Usage(), 0x28);
  EXPECT_FALSE(capture.OnKey(0x5B));
  EXPECT_EQ(capture.KeyName(), u"Enter");
}

TEST_F(ButtonEditorRulesTest, RapidFireAcceptsFirstValuesFrom5To255) {
  const struct {
    const char16_t* first;
    const char16_t* second;
    std::optional<BFC> code;
    int message;
  } cases[] = {
      {u"4", u"0", std::nullopt, 174},
      {u"5", u"0", BFC::Make(0x30, 5, 0), 0},
      {u"50", u"3", BFC::Make(0x30, 50, 3), 0},
      {u"255", u"255", BFC::Make(0x30, 255, 255), 0},
      {u"256", u"0", std::nullopt, 174},  // never cut to a byte (0)
      {u"50", u"256", std::nullopt, 176},
      {u"", u"0", std::nullopt, 174},
      {u"50", u"", BFC::Make(0x30, 50, 0), 0},
      {u"0005", u"007", BFC::Make(0x30, 5, 7), 0},
      {u"99999999999999999999", u"0", std::nullopt, 174},
  };
  int row = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(row++);
    const auto accepted = buttons::rapidfire::Accept(c.first, c.second);
    EXPECT_EQ(accepted.message, c.message);
    ASSERT_EQ(accepted.choice.has_value(), c.code.has_value());
    if (!accepted.choice) continue;
    EXPECT_EQ(accepted.choice->code, *c.code);
    EXPECT_EQ(accepted.choice->name, u"t26");
  }
}

TEST_F(ButtonEditorRulesTest, RapidFireFieldsAboveAByteBecome255) {
  const struct {
    const char16_t* first;
    const char16_t* second;
    const char16_t* firstAfter;
    const char16_t* secondAfter;
    std::vector<int> messages;
  } cases[] = {
      {u"300", u"0", u"255", u"0", {174}},
      {u"256", u"256", u"255", u"255", {174, 176}},
      {u"255", u"255", u"255", u"255", {}},
      {u"4", u"0", u"4", u"0", {}},  // too small is told at OK only
      {u"5", u"1000", u"5", u"255", {176}},
      {u"", u"", u"", u"", {}},
      {u"123456789012345", u"0", u"255", u"0", {174}},
  };
  for (const auto& c : cases) {
    const auto corrected = buttons::rapidfire::CheckFields(c.first, c.second);
    EXPECT_EQ(corrected.first, c.firstAfter);
    EXPECT_EQ(corrected.second, c.secondAfter);
    EXPECT_EQ(corrected.messages, c.messages);
    EXPECT_EQ(corrected.Changed(), !c.messages.empty());
  }
  for (char16_t ok : {u'0', u'5', u'9', u'\b'}) EXPECT_TRUE(buttons::rapidfire::IsAcceptedChar(ok));
  for (char16_t bad : {u'a', u'-', u' ', u'+', u'\r', u'\x1b', u'\x0663', u'\xFF11'}) {
    EXPECT_FALSE(buttons::rapidfire::IsAcceptedChar(bad)) << int(bad);
  }
}

TEST_F(ButtonEditorRulesTest, LaunchStoresTheFileNameAndTheWholePath) {
  const struct {
    const char16_t* path;
    const char16_t* name;  // nullptr: nothing stored
  } cases[] = {
      {u"C:\\Tools\\calc.exe", u"calc.exe"},
      {u"D:\\Программы\\计算器 2.exe", u"计算器 2.exe"},
      {u"\\\\server\\share\\tool.exe", u"tool.exe"},
      {u"C:/Tools/run.exe", u"run.exe"},
      {u"calc.exe", u"calc.exe"},
      {u"C:\\Tools\\", nullptr},
      {u"", nullptr},
  };
  for (const auto& c : cases) {
    const auto choice = buttons::LaunchChoice(c.path);
    ASSERT_EQ(choice.has_value(), c.name != nullptr);
    if (!choice) continue;
    EXPECT_EQ(choice->name, c.name);
    EXPECT_EQ(choice->url, c.path);
    EXPECT_EQ(choice->code, BFC::Make(0x60, 0x05, 0x00));
  }
  const platform::FileDialogDesc desc = buttons::LaunchFileDialog(42);
  EXPECT_EQ(desc.owner, 42u);
  EXPECT_EQ(desc.defaultExtension, u"exe");
  EXPECT_EQ(desc.defaultName, u"ab.exe");
  EXPECT_EQ(desc.filter, u"exe file(*.exe)|*.exe||");
  EXPECT_TRUE(desc.mustExist);
}

}  // namespace
