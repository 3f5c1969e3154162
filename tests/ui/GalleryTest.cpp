#include <gtest/gtest.h>

#include "GalleryDlg.h"
#include "platform/Keys.h"
#include "ui/ComboButton.h"
#include "ui/EditBox.h"
#include "ui/UiTestSupport.h"

namespace {

class GalleryTest : public uitest::UiTest {};

// The gallery holds every control at once: it opens, paints, runs its popup and its message
// box, and closes, with no artwork installed at all.
TEST_F(GalleryTest, EveryControlTogetherWithoutArtwork) {
  CGalleryDlg gallery;
  desktop.ScriptNextModal([&](platform::WindowId w) {
    const auto combo = gallery.GetControl(CGalleryDlg::kCombo)->m_rc;
    for (int x = 30; x < 790; x += 37) {
      for (int y = 50; y < 630; y += 29) desktop.MoveMouse(w, {x, y});
    }
    desktop.Click(w, {combo.left + 10, combo.top + 5});
    CWndPopup* popup = gallery.Popup(0);
    ASSERT_NE(popup, nullptr);
    desktop.Click(popup->GetSafeHwnd(), {20, CGalleryPopup::kRowHeight + 5});
    desktop.RunUntilIdle();
    EXPECT_EQ(gallery.GetControl(CGalleryDlg::kCombo)->GetTitle(), u"Right button");

    desktop.ScriptNextModal([&](platform::WindowId box) { desktop.Click(box, {270, 80}); });
    desktop.Click(w, {40, 75});
    desktop.RunFor(2000);  // the battery and progress animation
    desktop.Click(w, {780, 18});
  });
  EXPECT_EQ(gallery.DoModal(), CDlgBase::kIdOk);
  EXPECT_EQ(gallery.LastChoice(), 1);
  EXPECT_EQ(gallery.LastAttentionResult(), CDlgBase::kIdOk);
}

// The text entries and the menu field as the end-to-end check drives them under Wine.
TEST_F(GalleryTest, TypingANameAndChoosingFromASubmenu) {
  platform.clipboard().text = u" Müller \U0001F600";
  CGalleryDlg gallery;
  const std::u16string log = g_strExeDir + u"gallery-state.txt";
  gallery.SetStateLog(log);
  desktop.ScriptNextModal([&](platform::WindowId w) {
    const platform::Rect name = gallery.GetControl(CGalleryDlg::kNameEntry)->m_rc;
    desktop.Click(w, {name.left + 10, name.top + 5});
    desktop.PressKey(w, 'A', platform::mod::kControl);
    desktop.TypeText(w, u"Anna");
    desktop.PressKey(w, 'V', platform::mod::kControl);
    // Tab goes on to the number, whose text it selects; letters do not go in.
    desktop.PressKey(w, platform::kVkTab);
    desktop.TypeText(w, u"32x00");

    const platform::Rect field = gallery.GetControl(CGalleryDlg::kMenuField)->m_rc;
    desktop.Click(w, {field.left + 10, field.top + 5});
    auto* menu = static_cast<CMenuPopup*>(gallery.Popup(CGalleryDlg::kMenuSlot));
    ASSERT_NE(menu, nullptr);
    const platform::Rect menuAt = desktop.WindowRect(menu->GetSafeHwnd());
    const platform::Rect window = desktop.WindowRect(w);
    EXPECT_EQ(menuAt.left, window.left + field.left) << "below the field";
    EXPECT_EQ(menuAt.top, window.top + field.bottom);
    // Down to the third row: it lights up and its submenu opens beside the menu.
    for (int i = 0; i < 3; ++i) desktop.PressKey(menu->GetSafeHwnd(), platform::kVkDown);
    auto* submenu = static_cast<CMenuPopup*>(gallery.Popup(CGalleryDlg::kSubmenuSlot));
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(submenu->Items().front().text, u"DPI up");
    EXPECT_EQ(desktop.WindowRect(submenu->GetSafeHwnd()).left, menuAt.right);
    EXPECT_EQ(desktop.ActiveWindow(), menu->GetSafeHwnd());
    // The pointer on the next row opens its submenu instead; it chooses the second row there.
    desktop.MoveMouse(menu->GetSafeHwnd(), {20, menu->RowRect(3).top + 5});
    submenu = static_cast<CMenuPopup*>(gallery.Popup(CGalleryDlg::kSubmenuSlot));
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(submenu->Items().front().text, u"Play / pause");
    desktop.Click(submenu->GetSafeHwnd(), {20, submenu->RowRect(1).top + 5});
    desktop.RunUntilIdle();
    EXPECT_EQ(gallery.Popup(CGalleryDlg::kMenuSlot), nullptr);
    EXPECT_EQ(gallery.Popup(CGalleryDlg::kSubmenuSlot), nullptr);
    desktop.Click(w, {780, 18});
  });
  EXPECT_EQ(gallery.DoModal(), CDlgBase::kIdOk);
  EXPECT_EQ(gallery.LastMenuChoice(), 32);
  EXPECT_EQ(platform.files().ReadAll(log),
            std::optional<std::string>("name=Anna Müller \xF0\x9F\x98\x80\nnumber=3200\n"
                                       "menu=Next track\n"));
}

}  // namespace
