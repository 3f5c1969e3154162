#include <gtest/gtest.h>

#include "platform/Keys.h"
#include "ui/EditBox.h"
#include "ui/UiTestSupport.h"

namespace {

using platform::Rect;
using uitest::CTestDlg;
using uitest::Note;
namespace mod = platform::mod;

constexpr uint32_t kEdit = 2300;
const Rect kEditRect{20, 20, 220, 44};
// The headless font is 12 pixels high and every code unit 6 pixels wide.
constexpr int kUnit = 6;

// One step of what the user does: a key with modifiers, or text typed (one WM_CHAR per unit).
struct Step {
  uint32_t vk = 0;
  uint32_t mods = 0;
  std::u16string text;
};
Step Key(uint32_t vk, uint32_t mods = 0) {
  return {vk, mods, {}};
}
Step Type(std::u16string text) {
  return {0, 0, std::move(text)};
}

class EditBoxTest : public uitest::UiTest {
 protected:
  CEditBox& Open(std::u16string_view text = u"", size_t maxLength = 0) {
    CTestDlg& dlg = Dialog([&](CTestDlg& d, platform::WindowId w) {
      auto* edit = d.AddControl(0, std::make_unique<CEditBox>(w, kEdit, kEditRect, text));
      edit->SetMaxLength(maxLength);
    });
    auto& edit = Edit();
    dlg.SetFocusControl(&edit);
    edit.SetText(text);  // caret at the end, nothing selected
    dlg.notes.clear();
    return edit;
  }
  CEditBox& Edit() { return *static_cast<CEditBox*>(m_dlg->GetControl(kEdit)); }
  void Run(const std::vector<Step>& steps) {
    for (const Step& s : steps) {
      if (s.vk != 0) {
        desktop.PressKey(W(), s.vk, s.mods);
      } else {
        desktop.TypeText(W(), s.text);
      }
    }
  }
  size_t Changes() const {
    size_t n = 0;
    for (const Note& note : m_dlg->notes) n += note == Note{kEdit, 0, Notify::kValueChanged};
    return n;
  }
};

// Surrogate pairs: U+1F600 and U+20BB7 take two code units each.
const std::u16string kGrin = u"\U0001F600";
const std::u16string kKanji = u"\U00020BB7";

TEST_F(EditBoxTest, EditingSequences) {
  const struct {
    const char* name;
    std::u16string start;
    std::vector<Step> steps;
    std::u16string text;
    size_t caret;
    std::pair<size_t, size_t> selection;
  } cases[] = {
      {"insert in the middle",
       u"abc",
       {Key(platform::kVkLeft), Key(platform::kVkLeft), Type(u"X")},
       u"aXbc",
       2,
       {2, 2}},
      {"home, delete, end, backspace",
       u"abc",
       {Key(platform::kVkHome), Key(platform::kVkDelete), Key(platform::kVkEnd),
        Key(platform::kVkBack)},
       u"b",
       1,
       {1, 1}},
      {"shift+left selects, typing replaces",
       u"hello",
       {Key(platform::kVkLeft, mod::kShift), Key(platform::kVkLeft, mod::kShift), Type(u"p!")},
       u"help!",
       5,
       {5, 5}},
      {"left without shift collapses to the selection's start",
       u"hello",
       {Key(platform::kVkHome, mod::kShift), Key(platform::kVkRight, mod::kShift),
        Key(platform::kVkLeft)},
       u"hello",
       1,
       {1, 1}},
      {"ctrl+left and ctrl+backspace work by words",
       u"one two three",
       {Key(platform::kVkLeft, mod::kControl), Key(platform::kVkBack, mod::kControl)},
       u"one three",
       4,
       {4, 4}},
      {"left and right step over a pair",
       u"a" + kGrin + u"b",
       {Key(platform::kVkLeft), Key(platform::kVkLeft)},
       u"a" + kGrin + u"b",
       1,
       {1, 1}},
      {"backspace removes a pair whole",
       u"a" + kGrin + u"b",
       {Key(platform::kVkLeft), Key(platform::kVkBack)},
       u"ab",
       1,
       {1, 1}},
      {"delete removes a pair whole",
       u"a" + kGrin + u"b",
       {Key(platform::kVkHome), Key(platform::kVkRight), Key(platform::kVkDelete)},
       u"ab",
       1,
       {1, 1}},
      {"shift+right selects a pair whole",
       kKanji + u"x",
       {Key(platform::kVkHome), Key(platform::kVkRight, mod::kShift)},
       kKanji + u"x",
       2,
       {0, 2}},
      {"typed pairs and other scripts go in whole",
       u"",
       {Type(u"Gr" + kGrin + u"ße 名" + kKanji)},
       u"Gr" + kGrin + u"ße 名" + kKanji,
       10,
       {10, 10}},
      {"a lone second half is dropped", u"ab", {Type(u"\xDE00")}, u"ab", 2, {2, 2}},
      {"a first half followed by another character is dropped",
       u"",
       {Type(u"\xD83D"), Type(u"x")},
       u"x",
       1,
       {1, 1}},
      {"enter, tab and ctrl codes are not typed",
       u"ab",
       {Key(platform::kVkReturn), Key(platform::kVkTab), Type(u"\x01\x7F")},
       u"ab",
       2,
       {2, 2}},
  };
  for (const auto& c : cases) {
    CEditBox& edit = Open(c.start);
    Run(c.steps);
    EXPECT_EQ(edit.GetText(), c.text) << c.name;
    EXPECT_EQ(edit.GetCaret(), c.caret) << c.name;
    EXPECT_EQ(edit.GetSelection(), c.selection) << c.name;
  }
}

TEST_F(EditBoxTest, EachEditNotifiesOnceAndMovesDoNot) {
  CEditBox& edit = Open(u"ab");
  Run({Type(u"c"), Key(platform::kVkLeft), Key(platform::kVkHome), Key(platform::kVkBack)});
  EXPECT_EQ(Changes(), 1u) << "backspace at the start changes nothing";
  Run({Key(platform::kVkDelete), Type(kGrin)});
  EXPECT_EQ(Changes(), 3u) << "a pair typed is one edit";
  EXPECT_EQ(edit.GetText(), kGrin + u"bc");
  // A program's SetText is not an edit.
  edit.SetText(u"new");
  EXPECT_EQ(Changes(), 3u);
}

TEST_F(EditBoxTest, TheLengthLimitRefusesTypingAndCutsPastes) {
  CEditBox& edit = Open(u"", 5);
  Run({Type(u"abcdefg")});
  EXPECT_EQ(edit.GetText(), u"abcde");
  EXPECT_EQ(Changes(), 5u);
  // One unit of room is no room for a pair: the whole character is refused.
  Run({Key(platform::kVkBack), Type(u"\xD83D\xDE00")});
  EXPECT_EQ(edit.GetText(), u"abcd");
  // Typing over a selection frees its room first.
  Run({Key(platform::kVkLeft, mod::kShift), Type(kGrin)});
  EXPECT_EQ(edit.GetText(), u"abc" + kGrin);

  const struct {
    std::u16string start;
    size_t limit;
    std::u16string clipboard;
    std::u16string text;
  } pastes[] = {
      {u"ab", 5, u"0123456789", u"ab012"},
      // The cut would fall inside the pair: the pair goes, not half of it.
      {u"ab", 4, u"x" + kGrin + u"y", u"abx"},
      {u"ab", 5, u"x" + kGrin + u"y", u"abx" + kGrin},
      {u"", 0, u"first line\r\nsecond line", u"first line"},
      {u"", 0, u"tab\there\x01", u"tabhere"},
      {u"", 0, u"lone \xD800 and \xDC00 halves", u"lone  and  halves"},
  };
  for (const auto& p : pastes) {
    CEditBox& e = Open(p.start, p.limit);
    platform.clipboard().text = p.clipboard;
    desktop.PressKey(W(), 'V', mod::kControl);
    EXPECT_EQ(e.GetText(), p.text);
    EXPECT_EQ(e.GetCaret(), p.text.size());
    EXPECT_EQ(Changes(), 1u);
  }
}

TEST_F(EditBoxTest, ClipboardRoundTripsNonAsciiAndLosesNothingWhenItFails) {
  const std::u16string name = u"Müller 名前 " + kGrin;
  CEditBox& edit = Open();
  platform.clipboard().text = name;
  desktop.PressKey(W(), platform::kVkInsert, mod::kShift);  // paste
  EXPECT_EQ(edit.GetText(), name);
  Run({Key('A', mod::kControl), Key('C', mod::kControl)});
  EXPECT_EQ(platform.clipboard().text, name);
  EXPECT_EQ(edit.GetSelection(), (std::pair<size_t, size_t>{0, name.size()}));

  // Cut: the clipboard takes the selection and the field loses it.
  Run({Key(platform::kVkHome), Key(platform::kVkEnd, mod::kShift), Key('X', mod::kControl)});
  EXPECT_EQ(edit.GetText(), u"");
  EXPECT_EQ(platform.clipboard().text, name);

  // A clipboard that cannot be opened: a cut keeps the text, a paste changes nothing.
  edit.SetText(u"keep me");
  platform.clipboard().locked = true;
  m_dlg->notes.clear();
  Run({Key('A', mod::kControl), Key('X', mod::kControl), Key(platform::kVkDelete, mod::kShift),
       Key('V', mod::kControl)});
  EXPECT_EQ(edit.GetText(), u"keep me");
  EXPECT_EQ(Changes(), 0u);
  // Nothing on the clipboard, or nothing it could take: no edit either.
  platform.clipboard().locked = false;
  platform.clipboard().text.reset();
  Run({Key('V', mod::kControl)});
  EXPECT_EQ(edit.GetText(), u"keep me");
  EXPECT_EQ(Changes(), 0u);
}

TEST_F(EditBoxTest, NumericModeTakesDigitsAndReportsValuesInRange) {
  CEditBox& edit = Open();
  edit.SetNumeric(100, 12000);
  Run({Type(u"1a2-3 ")});
  EXPECT_EQ(edit.GetText(), u"123");
  EXPECT_EQ(edit.Value(), 123);
  platform.clipboard().text = u"1,500 dpi";
  Run({Key('A', mod::kControl), Key('V', mod::kControl)});
  EXPECT_EQ(edit.GetText(), u"1500");
  EXPECT_EQ(edit.Value(), 1500);
  // A pair is no digit.
  Run({Type(kGrin)});
  EXPECT_EQ(edit.GetText(), u"1500");

  const struct {
    int min, max;
    std::u16string text;
    std::optional<int> value;
  } values[] = {
      {100, 12000, u"", std::nullopt},
      {100, 12000, u"99", std::nullopt},
      {100, 12000, u"12000", 12000},
      {100, 12000, u"12001", std::nullopt},
      {100, 12000, u"0100", 100},
      {-10, 10, u"-10", -10},
      {-10, 10, u"-", std::nullopt},
      {-10, 10, u"1-", std::nullopt},
      {0, 2147483647, u"2147483647", INT32_MAX},
      {0, 2147483647, u"99999999999999", std::nullopt},
  };
  for (const auto& v : values) {
    edit.SetNumeric(v.min, v.max);
    edit.SetText(v.text);
    EXPECT_EQ(edit.Value(), v.value) << std::string(v.text.begin(), v.text.end());
  }

  // A minus sign only at the start, once, and only when the range has negative numbers.
  edit.SetNumeric(-10, 10);
  edit.SetText(u"");
  Run({Type(u"5-"), Key(platform::kVkHome), Type(u"--")});
  EXPECT_EQ(edit.GetText(), u"-5");
  EXPECT_EQ(edit.Value(), -5);
  edit.SetNumeric(0, 10);
  edit.SetText(u"");
  Run({Type(u"-7")});
  EXPECT_EQ(edit.GetText(), u"7");
}

// A dialog that counts what reached OnOK and OnCancel.
class COkCancelDlg : public CTestDlg {
 public:
  using CTestDlg::CTestDlg;
  int oks = 0;
  int cancels = 0;

 protected:
  void OnOK() override { ++oks; }
  void OnCancel() override { ++cancels; }
};

TEST_F(EditBoxTest, EnterAndEscapeReachTheDialog) {
  COkCancelDlg dlg([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CEditBox>(w, kEdit, kEditRect, u"name"));
  });
  ASSERT_TRUE(dlg.Create());
  auto* edit = static_cast<CEditBox*>(dlg.GetControl(kEdit));
  desktop.Click(dlg.GetSafeHwnd(), {kEditRect.left + 8, kEditRect.top + 5});
  ASSERT_EQ(dlg.GetFocusControl(), edit);
  desktop.PressKey(dlg.GetSafeHwnd(), platform::kVkReturn);
  desktop.PressKey(dlg.GetSafeHwnd(), platform::kVkEscape);
  EXPECT_EQ(dlg.oks, 1);
  EXPECT_EQ(dlg.cancels, 1);
  EXPECT_EQ(edit->GetText(), u"name");
}

TEST_F(EditBoxTest, MousePlacesTheCaretAndSelects) {
  CEditBox& edit = Open(u"abcdef");
  const int text = kEditRect.left + 6;  // the text area starts inside the padding
  desktop.Click(W(), {text + 2 * kUnit + 1, 30});
  EXPECT_EQ(edit.GetSelection(), (std::pair<size_t, size_t>{2, 2}));
  // Shift+click extends from there.
  desktop.HoldModifiers(mod::kShift);
  desktop.Click(W(), {text + 5 * kUnit - 1, 30});
  desktop.HoldModifiers(0);
  EXPECT_EQ(edit.GetSelection(), (std::pair<size_t, size_t>{2, 5}));
  // Dragging selects.
  desktop.PressMouse(W(), {text + 1 * kUnit, 30});
  desktop.MoveMouse(W(), {text + 3 * kUnit, 30});
  desktop.ReleaseMouse(W(), {text + 4 * kUnit, 30});
  EXPECT_EQ(edit.GetSelection(), (std::pair<size_t, size_t>{1, 4}));
  desktop.MoveMouse(W(), {text + 6 * kUnit, 30});  // the button is up: no more selecting
  EXPECT_EQ(edit.GetSelection(), (std::pair<size_t, size_t>{1, 4}));
  desktop.DoubleClick(W(), {text + 2, 30});
  EXPECT_EQ(edit.GetSelection(), (std::pair<size_t, size_t>{0, 6}));
  // Past the end: the end.
  desktop.Click(W(), {kEditRect.right - 8, 30});
  EXPECT_EQ(edit.GetCaret(), 6u);
}

// A centred field (the profile names) draws a text that fits in its middle, and clicks and
// the caret follow the text where it is drawn; a longer text scrolls from the left.
TEST_F(EditBoxTest, ACentredFieldCentresATextThatFits) {
  CEditBox& edit = Open(u"abcd");
  edit.SetCentred(true);
  const auto textOp = [&]() {
    platform::headless::DrawOp found;
    for (const auto& op : Paint(W()).Ops()) {
      if (op.kind == platform::headless::DrawOp::Kind::Text) found = op;
    }
    return found;
  };
  // Text area 26..214 (188 pixels), text 24 pixels: it starts at 26 + 82.
  const int left = kEditRect.left + 6 + (188 - 4 * kUnit) / 2;
  desktop.Invalidate(W(), nullptr);
  EXPECT_EQ(textOp().rect.left, left);
  desktop.Click(W(), {left + kUnit + 1, 30});
  EXPECT_EQ(edit.GetCaret(), 1u);
  edit.SetText(std::u16string(40, u'w'));  // 240 pixels: no room to centre
  desktop.Invalidate(W(), nullptr);
  EXPECT_EQ(textOp().rect.left, kEditRect.left + 6);
}

TEST_F(EditBoxTest, DrawsTheVisiblePartWithCaretAndTypingRepaintsOnlyTheField) {
  CEditBox& edit = Open();
  Invalidated(W());
  desktop.TypeText(W(), u"a&b");
  EXPECT_EQ(Invalidated(W()), std::vector<Rect>(3, kEditRect));
  const auto* drawn = &Paint(W());
  const platform::headless::DrawOp* text = nullptr;
  for (const auto& op : drawn->Ops()) {
    if (op.kind == platform::headless::DrawOp::Kind::Text) text = &op;
  }
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, u"a&b");
  EXPECT_NE(text->flags & platform::dt::kNoPrefix, 0u) << "an ampersand is a character";
  EXPECT_EQ(text->rect.Intersect(kEditRect), text->rect);
  // The caret: a one-pixel bar right after the text.
  const int caretX = kEditRect.left + 6 + 3 * kUnit;
  EXPECT_EQ(drawn->PixelArgb(caretX, 32), 0xFFFFFFFFu);

  // Longer than the field: the start scrolls out, the caret stays inside.
  const std::u16string longText(60, u'w');  // 360 pixels in a 188-pixel text area
  desktop.TypeText(W(), longText);
  drawn = &Paint(W());
  for (const auto& op : drawn->Ops()) {
    if (op.kind == platform::headless::DrawOp::Kind::Text) text = &op;
  }
  EXPECT_LT(text->text.size(), longText.size());
  EXPECT_EQ(text->text.back(), u'w');
  // 31 of 63 units fit the 188-pixel text area; the caret follows the last one.
  EXPECT_EQ(text->text.size(), 31u);
  EXPECT_EQ(drawn->PixelArgb(kEditRect.left + 6 + 31 * kUnit, 32), 0xFFFFFFFFu);
  desktop.PressKey(W(), platform::kVkHome);
  drawn = &Paint(W());
  for (const auto& op : drawn->Ops()) {
    if (op.kind == platform::headless::DrawOp::Kind::Text) text = &op;
  }
  EXPECT_EQ(text->text.substr(0, 3), u"a&b") << "home scrolls back";

  // Without focus: no caret.
  m_dlg->SetFocusControl(nullptr);
  EXPECT_EQ(edit.HasFocus(), false);
  drawn = &Paint(W());
  EXPECT_NE(drawn->PixelArgb(kEditRect.left + 6, 32), 0xFFFFFFFFu);
}

}  // namespace
