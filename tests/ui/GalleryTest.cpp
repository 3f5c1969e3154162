#include <gtest/gtest.h>

#include "GalleryDlg.h"
#include "ui/ComboButton.h"
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

}  // namespace
