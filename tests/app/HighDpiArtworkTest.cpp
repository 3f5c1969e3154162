// The main window at 200 % draws its artwork from the 2x set, also after moving there from a
// 100 % monitor, and its frame is the 2x frame copied pixel for pixel.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/MainWindowFixture.h"
#include "base/Text.h"
#include "ui/SkinImage.h"

namespace {

using Kind = platform::headless::DrawOp::Kind;

class HighDpiArtworkTest : public MainWindowFixture {
 protected:
  HighDpiArtworkTest() {
    PrepareDataFolder();
    platform.UseInstallation(VANTREL_SOURCE_DIR);
  }
  ~HighDpiArtworkTest() override { g_fUiScale = 1.0f; }

  // The skin files a full repaint draws, each once.
  std::vector<std::u16string> DrawnSkins(const CVantrelDlg& dlg) {
    desktop.Invalidate(dlg.Handle(), nullptr);
    desktop.RunUntilIdle();
    std::vector<std::u16string> names;
    for (const auto& op : desktop.LastPaint(dlg.Handle())->Ops()) {
      if (op.kind != Kind::Image || op.text.find(u"\\skins\\") == std::u16string::npos) continue;
      if (std::find(names.begin(), names.end(), op.text) == names.end()) names.push_back(op.text);
    }
    return names;
  }

  // How many of `names` come from set `percent`.
  static size_t FromSet(const std::vector<std::u16string>& names, int percent) {
    const std::u16string marker = u"\\skins\\@" + base::FromUtf8(std::to_string(percent)) + u"\\";
    return static_cast<size_t>(std::count_if(names.begin(), names.end(), [&](const auto& n) {
      return n.find(marker) != std::u16string::npos;
    }));
  }

  void ChangeDpi(const CVantrelDlg& dlg, int dpi) {
    const platform::Rect suggested{0, 0, 1127 * dpi / 96, 740 * dpi / 96};
    desktop.SendMessage(dlg.Handle(), platform::msg::kDpiChanged,
                        static_cast<platform::WParam>(dpi | (dpi << 16)),
                        reinterpret_cast<platform::LParam>(&suggested));
    desktop.RunFor(100);
  }

  // The main window opened on a display of `dpi`, settled, with button 1's field pointed.
  bool OpenAt(CVantrelDlg& dlg, int dpi) {
    desktop.SetWindowDpi(dpi);
    if (!dlg.Create()) return false;
    desktop.RunFor(100);
    HoverFirstButtonField(dlg);
    return true;
  }

  // Points the button field of mouse button 1, so that its number is drawn on the picture.
  void HoverFirstButtonField(const CVantrelDlg& dlg) {
    const CControlBase* field = dlg.GetControl(2013);
    ASSERT_NE(field, nullptr);
    desktop.MoveMouse(dlg.Handle(), {field->m_rc.left + 5, field->m_rc.top + 5});
    desktop.RunUntilIdle();
  }
};

TEST_F(HighDpiArtworkTest, At200PercentEveryPictureComesFromThe2xSet) {
  CVantrelDlg dlg;
  ASSERT_TRUE(OpenAt(dlg, 192));
  const auto names = DrawnSkins(dlg);
  ASSERT_GT(names.size(), 30u);
  EXPECT_EQ(FromSet(names, 200), names.size()) << base::ToUtf8(names.front());
  EXPECT_NE(std::find(names.begin(), names.end(), ui::SkinPath(u"@200\\mouse\\number1.png")),
            names.end());

  // The frame is copied unscaled: the window shows the 2x frame's own pixels where no
  // control lies (the mouse stage's corner mark, left of and above the mouse picture).
  auto frame = platform::Gfx().LoadPngResource(20364);
  ASSERT_NE(frame, nullptr);
  const auto* canvas = desktop.LastPaint(dlg.Handle());
  int checked = 0;
  for (int y = 2 * 136; y < 2 * 162; ++y) {
    for (int x = 2 * 432; x < 2 * 456; ++x) {
      ASSERT_EQ(canvas->PixelArgb(x, y), frame->PixelArgb(x, y)) << x << ", " << y;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 48 * 52);
  dlg.Destroy();
}

TEST_F(HighDpiArtworkTest, MovedTo200PercentThePicturesAreLoadedAgainFromThe2xSet) {
  CVantrelDlg dlg;
  ASSERT_TRUE(OpenAt(dlg, 96));
  const auto before = DrawnSkins(dlg);
  ASSERT_GT(before.size(), 30u);
  EXPECT_EQ(FromSet(before, 150) + FromSet(before, 200), 0u);

  ChangeDpi(dlg, 192);
  HoverFirstButtonField(dlg);
  const auto after = DrawnSkins(dlg);
  EXPECT_EQ(FromSet(after, 200), after.size());
  EXPECT_EQ(after.size(), before.size());

  ChangeDpi(dlg, 144);
  HoverFirstButtonField(dlg);
  EXPECT_EQ(FromSet(DrawnSkins(dlg), 150), before.size());
  dlg.Destroy();
}

}  // namespace
