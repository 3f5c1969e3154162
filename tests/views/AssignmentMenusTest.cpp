// The function menu and its submenus: rows, messages and what each item stores.

#include "views/buttons/AssignmentMenus.h"

#include <gtest/gtest.h>

#include <vector>

#include "ButtonTextsFixture.h"
#include "base/Text.h"
#include "ui/WndPopup.h"

namespace {

using buttons::ButtonChoice;
using buttons::Submenu;
using BFC = ButtonFunctionCode;

class AssignmentMenusTest : public ::testing::Test {
 protected:
  void SetUp() override { UseNumberedTexts(); }
  void TearDown() override { ResetLanguage(); }
};

TEST_F(AssignmentMenusTest, FunctionMenuItemsStoreTheirCodeOrOpenSomething) {
  const struct {
    int id;
    std::optional<BFC> code;  // nothing: a submenu or dialog item
    const char16_t* text;
  } cases[] = {
      {1, BFC::Make(0x10, 0x01), u"t20"},  {2, BFC::Make(0x10, 0x02), u"t21"},
      {3, BFC::Make(0x10, 0x04), u"t22"},  {4, BFC::Make(0x10, 0x10), u"t23"},
      {5, BFC::Make(0x10, 0x08), u"t24"},  {6, std::nullopt, u"t25"},
      {7, std::nullopt, u"t26"},           {8, BFC::Make(0x30, 0x32, 0x03), u"t27"},
      {9, std::nullopt, u"t28"},           {10, std::nullopt, u"t211"},
      {11, std::nullopt, u"t29"},          {12, std::nullopt, u"t30"},
      {13, std::nullopt, u"t31"},          {14, std::nullopt, u"t32"},
      {15, BFC::Make(0x60, 0x04), u"t33"}, {16, std::nullopt, u"t36"},
      {17, std::nullopt, u"t39"},          {18, BFC::Make(0x00), u"t34"},
  };
  const std::vector<buttons::MenuRow> rows = buttons::FunctionMenuRows();
  ASSERT_EQ(rows.size(), 18u);
  for (const auto& c : cases) {
    const auto& row = rows[static_cast<size_t>(c.id - 1)];
    EXPECT_EQ(row.value, c.id);
    EXPECT_EQ(row.text, c.text) << c.id;
    const bool submenu = c.id == 6 || c.id == 12 || c.id == 13 || c.id == 14 || c.id == 16;
    EXPECT_EQ(row.submenu, submenu) << c.id;
    const std::optional<ButtonChoice> choice = buttons::FunctionMenuChoice(c.id);
    ASSERT_EQ(choice.has_value(), c.code.has_value()) << c.id;
    if (!choice) continue;
    EXPECT_EQ(choice->code, *c.code) << c.id;
    EXPECT_EQ(choice->name, c.text) << c.id;
    EXPECT_TRUE(choice->url.empty());
  }
  // A value that is no item (a stray message) chooses nothing.
  EXPECT_FALSE(buttons::FunctionMenuChoice(0));
  EXPECT_FALSE(buttons::FunctionMenuChoice(19));
  EXPECT_FALSE(buttons::FunctionMenuChoice(-5));
}

TEST_F(AssignmentMenusTest, DialogItemsAskForTheirDialogAndTheMainWindowOpensItAfterwards) {
  const struct {
    int item;
    uint32_t request;
    uint32_t open;
  } cases[] = {
      {7, 1062, 1061}, {9, 1065, 1064}, {10, 1069, 1068}, {11, 1035, 1034}, {17, 1037, 1038}};
  for (const auto& c : cases) {
    const keys::FunctionMenuItem* item = buttons::FunctionMenuItemById(c.item);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->kind, keys::MenuItemKind::Dialog);
    EXPECT_EQ(static_cast<uint32_t>(item->message), c.request);
    EXPECT_EQ(buttons::OpenMessageFor(c.request), c.open);
  }
  EXPECT_EQ(buttons::OpenMessageFor(1027), 0u);
  EXPECT_EQ(buttons::OpenMessageFor(1034), 0u);
}

TEST_F(AssignmentMenusTest, EachSubmenuOpensFromItsParentAndClosesWithItsKindsNotice) {
  const struct {
    Submenu which;
    int parent;
    uint32_t open, chosen, closed;
    size_t rows;
  } cases[] = {{Submenu::Dpi, 6, 1040, 1041, 1042, 3},
               {Submenu::Multimedia, 12, 1043, 1044, 1045, 10},
               {Submenu::Office, 13, 1160, 1161, 1162, 9},
               {Submenu::WindowsManage, 14, 1157, 1158, 1159, 6},
               {Submenu::DpiLock, 16, 1154, 1155, 1156, 11}};
  for (const auto& c : cases) {
    const buttons::SubmenuInfo& info = buttons::InfoOf(c.which);
    EXPECT_EQ(info.parentItem, c.parent);
    EXPECT_EQ(buttons::FunctionMenuItemById(c.parent)->message, static_cast<int>(c.open));
    EXPECT_EQ(buttons::SubmenuByOpenMessage(c.open), &info);
    EXPECT_EQ(buttons::SubmenuByChosenMessage(c.chosen), &info);
    EXPECT_EQ(buttons::SubmenuByClosedMessage(c.closed), &info);
    // The popup base sends exactly this notice for the kind the submenu is made with.
    EXPECT_EQ(CWndPopup::CloseNotice(info.kind), c.closed);
    EXPECT_EQ(buttons::SubmenuRows(c.which).size(), c.rows);
  }
  EXPECT_EQ(buttons::SubmenuByOpenMessage(1033), nullptr);
  EXPECT_EQ(buttons::SubmenuByChosenMessage(1027), nullptr);
}

TEST_F(AssignmentMenusTest, SubmenuItemsStoreTheirNameAndCode) {
  const struct {
    Submenu which;
    int item;
    const char16_t* name;
    BFC code;
  } cases[] = {
      {Submenu::Dpi, 1, u"t40", BFC::Make(0x40, 0x02)},
      {Submenu::Dpi, 2, u"t41", BFC::Make(0x40, 0x03)},
      {Submenu::Dpi, 3, u"t42", BFC::Make(0x40, 0x01)},
      {Submenu::DpiLock, 1, u"t36-200", BFC::Make(0x50, 1)},
      {Submenu::DpiLock, 6, u"t36-700", BFC::Make(0x50, 6)},
      {Submenu::DpiLock, 11, u"t36-1200", BFC::Make(0x50, 11)},
      {Submenu::Multimedia, 1, u"t45", BFC::Make(0x80, 0x83, 0x01)},
      {Submenu::Multimedia, 5, u"t49", BFC::Make(0x80, 0xCD, 0x00)},
      {Submenu::Multimedia, 10, u"t54", BFC::Make(0x80, 0x92, 0x01)},
      {Submenu::Office, 1, u"t60", BFC::Make(0x70, 0x01, 0x06)},
      {Submenu::Office, 8, u"t67", BFC::Make(0x70, 0x08, 0x08)},
      {Submenu::Office, 9, u"t68", BFC::Make(0x70, 0x01, 0x1D)},
      {Submenu::WindowsManage, 1, u"t75", BFC::Make(0x80, 0x94, 0x01)},
      {Submenu::WindowsManage, 2, u"t76", BFC::Make(0x70, 0x04, 0x3D)},
      {Submenu::WindowsManage, 6, u"t80", BFC::Make(0x70, 0x08, 0x52)},
  };
  for (const auto& c : cases) {
    const auto choice = buttons::SubmenuChoice(c.which, c.item);
    ASSERT_TRUE(choice) << c.item;
    EXPECT_EQ(choice->name, c.name);
    EXPECT_EQ(choice->code, c.code) << base::ToUtf8(choice->code.ToHex());
  }
  // DPI-lock rows show the DPI alone; the stored name adds the lock's text.
  EXPECT_EQ(buttons::SubmenuRows(Submenu::DpiLock)[5].text, u"700");
  EXPECT_EQ(buttons::SubmenuRows(Submenu::Office)[0].text, u"t60");
  EXPECT_EQ(buttons::SubmenuRows(Submenu::Office)[0].value, 1);
  for (Submenu which : {Submenu::Dpi, Submenu::DpiLock, Submenu::Office}) {
    EXPECT_FALSE(buttons::SubmenuChoice(which, 0));
    EXPECT_FALSE(buttons::SubmenuChoice(which, 12));
  }
}

TEST_F(AssignmentMenusTest, AFieldWithoutAStoredNameIsNamedFromItsCode) {
  const struct {
    std::u16string stored;
    BFC code;
    std::u16string url;
    std::u16string macro;
    std::u16string caption;
  } cases[] = {
      {u"Mine", BFC::Make(0x10, 0x01), u"", u"", u"Mine"},
      {u"", BFC::Make(0x10, 0x01), u"", u"", u"t20"},
      {u"", BFC::Make(0x40, 0x01), u"", u"", u"t42"},
      {u"", BFC::Make(0x50, 6), u"", u"", u"t36-700"},
      {u"", BFC::Make(0x50, 12), u"", u"", u"50 0C 00"},  // no such lock
      {u"", BFC::Make(0x30, 9, 9), u"", u"", u"t26"},
      {u"", BFC::Make(0x70, 0x01, 0x06), u"", u"", u"t60"},  // an office item
      {u"", BFC::Make(0x70, 0x03, 0x04), u"", u"", u"Ctrl+Shift+A"},
      {u"", BFC::Make(0x70, 0x04, 0x00), u"", u"", u"Alt"},
      {u"", BFC::Make(0x60, 0x05), u"C:\\Tools\\calc.exe", u"", u"calc.exe"},
      {u"", BFC::Make(0x90), u"", u"Combo", u"t190Combo"},
      {u"", BFC::Make(0x91), u"", u"Burst", u"t189Burst"},
      {u"", BFC::Make(0x00), u"", u"", u"t34"},
  };
  for (const auto& c : cases) {
    std::u16string caption = buttons::FieldCaption(c.stored, c.code, c.url, c.macro);
    // The hex fallback is the file form; compare without spaces.
    std::u16string expected = c.caption;
    std::erase(expected, u' ');
    EXPECT_EQ(caption, expected) << base::ToUtf8(c.code.ToHex());
  }
}

}  // namespace
