#include <gtest/gtest.h>

#include "base/Text.h"

#include "ui/BulletNumberButton.h"
#include "ui/CheckButton.h"
#include "ui/ComboButton.h"
#include "ui/DPIRadioButton.h"
#include "ui/DialRegions.h"
#include "ui/ImageButton.h"
#include "ui/LinkButton.h"
#include "ui/PollingRate1000Button.h"
#include "ui/PollingRate250Button.h"
#include "ui/PollingRate8000Button.h"
#include "ui/PowerManageButton.h"
#include "ui/RadioButton.h"
#include "ui/TabControl.h"
#include "ui/UiTestSupport.h"

namespace {

using platform::Rect;
using uitest::CTestDlg;
using uitest::Note;

class ButtonsTest : public uitest::UiTest {
 protected:
};

TEST_F(ButtonsTest, SetTitleInvalidatesExactlyTheRectangleOnlyOnAChange) {
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CImageButton>(w, 2100, Rect{10, 10, 60, 40}, u"Apply"));
  });
  Invalidated(W());
  dlg.GetControl(2100)->SetTitle(u"Apply");
  EXPECT_TRUE(Invalidated(W()).empty());
  dlg.GetControl(2100)->SetTitle(u"Save");
  EXPECT_EQ(Invalidated(W()), (std::vector<Rect>{{10, 10, 60, 40}}));
  EXPECT_EQ(dlg.GetControl(2100)->GetTitle(), u"Save");
}

TEST_F(ButtonsTest, ControlFontFollowsTheUiFontAndSetFont) {
  g_strFontFace = u"Arial";
  g_nFontHeight = 15;
  g_nFontCharset = 0;
  CImageButton b(0, 2100, {0, 0, 10, 10}, u"");
  ASSERT_NE(b.GetFont(), nullptr);
  EXPECT_EQ(b.GetFont()->Desc().face, u"Arial");
  EXPECT_EQ(b.GetFont()->Desc().height, 15);
  EXPECT_EQ(b.GetFont()->Desc().charset, 0);
  g_nFontCharset = 134;
  b.SetFont(18, u"Tahoma");
  EXPECT_EQ(b.GetFont()->Desc().face, u"Tahoma");
  EXPECT_EQ(b.GetFont()->Desc().height, 18);
  EXPECT_EQ(b.GetFont()->Desc().charset, 134);
}

TEST_F(ButtonsTest, ImageButtonStatesFramesAndNotifications) {
  WriteSkin(u"strip.png", uitest::MakeBmp(30, 10, [](int x, int) {
              return x < 10 ? 0x111111u : x < 20 ? 0x222222u : 0x333333u;
            }));
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CImageButton>(w, 2100, Rect{10, 10, 40, 20}, u"Go"))
        ->SetImage(ui::SkinPath(u"strip.png"));
    d.AddControl(0, std::make_unique<CImageButton>(w, 3502, Rect{100, 10, 150, 40}, u""));
  });
  auto* b = static_cast<CImageButton*>(dlg.GetControl(2100));
  const struct {
    ButtonState state;
    uint32_t pixel;
    platform::Colour text;
  } frames[] = {{kStateNormal, 0xFF111111, kTextNormal},
                {kStateHover, 0xFF222222, kTextHover},
                {kStateDown, 0xFF333333, kTextDown}};
  for (const auto& f : frames) {
    b->m_enButtonState = f.state;
    desktop.Invalidate(W(), nullptr);
    const auto& canvas = Paint(W());
    EXPECT_EQ(canvas.PixelArgb(20, 15), f.pixel) << f.state;
  }
  b->m_enButtonState = kStateNormal;
  desktop.Click(W(), {20, 15});
  // 3502 reports every move over it.
  desktop.MoveMouse(W(), {110, 20});
  desktop.MoveMouse(W(), {111, 20});
  EXPECT_EQ(dlg.notes,
            (std::vector<Note>{{2100, 0, 1}, {2100, 2100, 2}, {3502, 0, 12}, {3502, 0, 12}}));
}

TEST_F(ButtonsTest, PressInsideReleaseOutside) {
  CImageButton b(0, 2100, {10, 10, 60, 40}, u"");
  for (const bool upInside : {false, true}) {
    b.m_enButtonState = kStateNormal;
    EXPECT_TRUE(b.OnMouseMove(0, 20, 20));
    b.OnLButtonDown(0, 20, 20);
    // A move while down does not change the state.
    EXPECT_FALSE(b.OnMouseMove(0, 200, 200));
    b.OnLButtonUp(0, upInside ? 20 : 200, 20);
    EXPECT_EQ(b.GetState(), upInside ? kStateHover : kStateNormal) << upInside;
  }
}

// A button's separate state images keep the size recorded when they were loaded (times the
// UI scale) at the control's top left, whatever the control's size; a strip fills it.
TEST_F(ButtonsTest, StateImagesDrawAtTheirRecordedSizeStripsFillTheControl) {
  WriteSkin(u"b_nr.png", 40, 12, 0x202020);
  WriteSkin(u"b_ov.png", 40, 12, 0x404040);
  WriteSkin(u"strip.png", 30, 10, 0x606060);
  for (const float scale : {1.0f, 1.5f}) {
    SCOPED_TRACE(scale);
    g_fUiScale = scale;
    const Rect sized{10, 10, 10 + ui::Scaled(40), 10 + ui::Scaled(12)};
    auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
      auto images = [](CImageButton* b) {
        b->SetImageNormal(ui::SkinPath(u"b_nr.png"));
        b->SetImageHover(ui::SkinPath(u"b_ov.png"));
      };
      images(d.AddControl(1, std::make_unique<CImageButton>(w, 2100, Rect{10, 10, 110, 50}, u"")));
      images(d.AddControl(2, std::make_unique<CTabControl>(w, 2049, Rect{10, 10, 110, 50}, u"",
                                                           TabSlot{TabSlot::Group::Profile, 0})));
      images(d.AddControl(3, std::make_unique<CBulletNumberButton>(w, 2300, Rect{10, 10, 110, 50},
                                                                   u"", Rect{}, Rect{})));
      d.AddControl(4, std::make_unique<CImageButton>(w, 2101, Rect{10, 60, 110, 100}, u""))
          ->SetImage(ui::SkinPath(u"strip.png"));
    });
    for (int layer = 1; layer <= 3; ++layer) {
      for (int other = 1; other <= 3; ++other) dlg.Layer(other)[0]->SetVisible(other == layer);
      desktop.Invalidate(W(), nullptr);
      const auto& canvas = Paint(W());
      std::vector<Rect> b_nr, strip;
      for (const auto& op : canvas.Ops()) {
        if (op.kind != platform::headless::DrawOp::Kind::Image) continue;
        if (op.text.ends_with(u"b_nr.png")) b_nr.push_back(op.rect);
        if (op.text.ends_with(u"strip.png")) strip.push_back(op.rect);
      }
      EXPECT_EQ(b_nr, std::vector<Rect>{sized}) << "layer " << layer;
      EXPECT_EQ(strip, (std::vector<Rect>{{10, 60, 110, 100}}));
    }
  }
}

TEST_F(ButtonsTest, CheckButtonTogglesBeforeNotifying) {
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CCheckButton>(w, 3501, Rect{10, 10, 60, 40}, u"Off"))
        ->SetTexts(u"Off", u"On");
  });
  auto* check = static_cast<CCheckButton*>(dlg.GetControl(3501));
  std::vector<bool> seen;
  dlg.react = [&](const Note& n) {
    if (n.lParam == Notify::kClicked) seen.push_back(check->GetCheck());
  };
  desktop.Click(W(), {20, 20});
  desktop.Click(W(), {20, 20});
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
  EXPECT_EQ(dlg.notes[0], (Note{3501, 0, 1}));
  check->SetCheck(true);
  desktop.Invalidate(W(), nullptr);
  const auto& canvas = Paint(W());
  ASSERT_EQ(canvas.Texts(), std::vector<std::u16string>{u"On"});
  EXPECT_EQ(canvas.Ops().back().colour, kTextDown);
}

TEST_F(ButtonsTest, RadioGroupsShareOneWord) {
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    const uint32_t ids[] = {3034, 3035, 3040, 2009, 2010, 3240, 3250, 3511, 4242};
    int x = 0;
    for (uint32_t id : ids) {
      d.AddControl(0, std::make_unique<CRadioButton>(w, id, Rect{x, 0, x + 20, 20}, u""));
      x += 30;
    }
  });
  auto click = [&](uint32_t id) {
    const Rect rc = dlg.GetControl(id)->m_rc;
    desktop.Click(W(), {rc.left + 5, rc.top + 5});
  };
  const struct {
    uint32_t id;
    uint32_t before;
    uint32_t after;
  } cases[] = {
      {3035, 0x1 | 0x80 | 0x200000, 0x2 | 0x80 | 0x200000},  // other groups untouched
      {3035, 0x2, 0x2},                                      // already selected: stays
      {3040, 0x1 | 0x4, 0x40},
      {2010, 0x80 | 0x1, 0x100 | 0x1},
      {3250, 0x800, 0x1000},
      {3511, 0x100000, 0x200000},
      {4242, 0x123, 0x123},  // outside every group: only notifies
  };
  for (const auto& c : cases) {
    g_nRadioFlags = c.before;
    dlg.notes.clear();
    click(c.id);
    EXPECT_EQ(g_nRadioFlags, c.after) << c.id;
    EXPECT_EQ(dlg.notes.back(), (Note{c.id, 0, 2})) << c.id;
  }
  g_nRadioFlags = 0x2;
  EXPECT_TRUE(static_cast<CRadioButton*>(dlg.GetControl(3035))->IsSelected());
  EXPECT_FALSE(static_cast<CRadioButton*>(dlg.GetControl(3034))->IsSelected());
}

TEST_F(ButtonsTest, ComboEnterNoticesAreCappedAndLeaveIsSentOnce) {
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(
        0, std::make_unique<CComboButton>(w, 2013, Rect{10, 10, 110, 30}, 1028, u"Disable", u""));
  });
  auto* combo = static_cast<CComboButton*>(dlg.GetControl(2013));
  auto count = [&](platform::LParam code) {
    return std::count_if(dlg.notes.begin(), dlg.notes.end(),
                         [&](const Note& n) { return n.message == 1028 && n.lParam == code; });
  };
  for (int x = 12; x < 100; x += 4) desktop.MoveMouse(W(), {x, 20});
  EXPECT_EQ(count(4), 5);
  desktop.MoveMouse(W(), {200, 200});
  desktop.MoveMouse(W(), {210, 200});
  EXPECT_EQ(count(5), 1);
  // A new stay counts afresh.
  for (int i = 0; i < 3; ++i) desktop.MoveMouse(W(), {20 + i, 20});
  EXPECT_EQ(count(4), 8);
  // While its menu is open, leaving is silent; the window leaving works the same way.
  combo->SetMenuOpen(true);
  desktop.SendMessage(W(), platform::msg::kMouseLeave, 0, 0);
  EXPECT_EQ(count(5), 1);
  combo->SetMenuOpen(false);

  dlg.notes.clear();
  desktop.Click(W(), {20, 20});
  EXPECT_EQ(dlg.notes, (std::vector<Note>{{1028, 2013, 4}, {2013, 0, 1}, {1028, 2013, 2}}))
      << "entering again after the window was left starts a new stay";
  dlg.notes.clear();
  combo->SetOwner(true);
  desktop.Click(W(), {21, 20});
  EXPECT_EQ(std::count_if(dlg.notes.begin(), dlg.notes.end(),
                          [](const Note& n) {
                            return n.lParam == Notify::kPressed || n.lParam == Notify::kClicked;
                          }),
            0);
}

TEST_F(ButtonsTest, LinkEntersAndLeavesOnce) {
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0, std::make_unique<CLinkButton>(w, Rect{10, 10, 110, 30}, u"www"));
  });
  desktop.MoveMouse(W(), {20, 20});
  desktop.MoveMouse(W(), {30, 20});
  desktop.Click(W(), {30, 20});
  desktop.MoveMouse(W(), {300, 200});
  EXPECT_EQ(dlg.notes, (std::vector<Note>{{3503, 0, 4}, {3503, 0, 1}, {3503, 0, 2}, {3503, 0, 5}}));
}

TEST_F(ButtonsTest, DpiLevelButtonsSetTheLowByte) {
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    for (uint32_t k = 0; k < 8; ++k) {
      const int x = static_cast<int>(k) * 30;
      d.AddControl(0, std::make_unique<CDPIRadioButton>(w, 3290 + k, Rect{x, 0, x + 20, 20}, u""));
    }
  });
  const struct {
    int level;
    uint32_t before;
    uint32_t after;
  } cases[] = {{0, 0xAB00, 0xAB01}, {2, 0xFF, 0x07}, {7, 0x1234, 0x12FF}};
  for (const auto& c : cases) {
    g_nDpiLevelFlags = c.before;
    desktop.Click(W(), {c.level * 30 + 5, 5});
    EXPECT_EQ(g_nDpiLevelFlags, c.after) << c.level;
    EXPECT_EQ(dlg.notes.back(), (Note{3290u + static_cast<uint32_t>(c.level), 0, 2}));
  }
  EXPECT_EQ(dlg.GetControl(3290)->GetFont()->Desc().face, u"Tahoma");
}

TEST_F(ButtonsTest, BulletNumberAreas) {
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(0,
                 std::make_unique<CBulletNumberButton>(w, 2300, Rect{10, 10, 110, 30}, u"5",
                                                       Rect{0, 0, 20, 20}, Rect{80, 0, 100, 20}));
  });
  auto* b = static_cast<CBulletNumberButton*>(dlg.GetControl(2300));
  const struct {
    int x;
    int area;
    Note press;
  } cases[] = {{15, 1, {2300, 0, 0x11}}, {100, 2, {2300, 2, 0x21}}, {60, 0, {2300, 0, 1}}};
  for (const auto& c : cases) {
    dlg.notes.clear();
    desktop.MoveMouse(W(), {c.x, 20});
    EXPECT_EQ(b->HoverArea(), c.area);
    desktop.Click(W(), {c.x, 20});
    EXPECT_EQ(dlg.notes, (std::vector<Note>{c.press, {2300, 2300, 2}})) << c.x;
  }
}

TEST_F(ButtonsTest, TabSelectionAndRightClick) {
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    // The index comes from the creator, not from the id.
    d.AddControl(0, std::make_unique<CTabControl>(w, 2051, Rect{0, 0, 50, 20}, u"P3",
                                                  TabSlot{TabSlot::Group::Profile, 2}));
    d.AddControl(0, std::make_unique<CTabControl>(w, 3100, Rect{60, 0, 110, 20}, u"Tab",
                                                  TabSlot{TabSlot::Group::Page, 8}));
  });
  desktop.Click(W(), {10, 10});
  desktop.Click(W(), {70, 10});
  EXPECT_EQ(g_nProfileTabIndex, 2);
  EXPECT_EQ(g_nPageTabIndex, 8);
  dlg.notes.clear();
  desktop.RightClick(W(), {10, 10});
  EXPECT_EQ(dlg.notes, (std::vector<Note>{{2051, 2051, 11}}));
  EXPECT_TRUE(static_cast<CTabControl*>(dlg.GetControl(2051))->IsCurrent());
  EXPECT_TRUE(static_cast<CTabControl*>(dlg.GetControl(3100))->IsCurrent());
}

// Dials: two triangles and a square in a 100 x 100 dial placed at (50, 50).
constexpr char kRegions[] =
    "# dial regions\n"
    "1000Hz 0 0,0 50,0 0,50\n"
    "1000Hz 1 100,0 100,50 50,0\r\n"
    "1000Hz   2   0,60 40,60 40,100 0,100\n"
    "1000Hz 2 60,60 99,60 99,99\n"  // repeated: the first wins
    "broken 3 1,2 3\n"
    "power 0 0,0 100,0 100,50 0,50\n"
    "power 7 0,50 100,50 100,100 0,100\n";

TEST_F(ButtonsTest, DialRegionFileParsing) {
  const CDialRegions regions = CDialRegions::Parse(kRegions);
  EXPECT_EQ(regions.Size(), 5u);
  EXPECT_FALSE(regions.Find(u"broken", 3));
  EXPECT_FALSE(regions.Find(u"1000Hz", 3));
  ASSERT_TRUE(regions.Find(u"1000Hz", 2));
  EXPECT_EQ(regions.Find(u"1000Hz", 2)->front(), (platform::Point{0, 60}));

  // UTF-16 with its mark reads the same; junk and huge numbers give nothing.
  std::string utf16 = "\xFF\xFE";
  for (char c : std::string("a 0 0,0 5,0 0,5\n")) {
    utf16.push_back(c);
    utf16.push_back('\0');
  }
  EXPECT_TRUE(CDialRegions::Parse(utf16).Find(u"a", 0));
  const char* bad[] = {"",
                       "\xFF\xFE\x41",
                       "x 0 0,0 1,1",
                       "x 0,0 1,1 2,2",
                       "x -1 0,0 1,1 2,2",
                       "x y 0,0 1,1 2,2",
                       "x 0 0,0 1,1 99999999,2",
                       "x 0 a,b c,d e,f",
                       "x 0 0,0 1,1 2,-",
                       "x 0 0,0,0 1,1 2,2"};
  for (const char* text : bad) EXPECT_EQ(CDialRegions::Parse(text).Size(), 0u) << text;

  const CDialRegions::Polygon square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_TRUE(CDialRegions::Contains(square, {0, 0}));
  EXPECT_TRUE(CDialRegions::Contains(square, {9, 9}));
  EXPECT_FALSE(CDialRegions::Contains(square, {10, 5}));
  EXPECT_FALSE(CDialRegions::Contains({{0, 0}, {1, 1}}, {0, 0}));
}

TEST_F(ButtonsTest, PollingDialSelectsTheRegionUnderThePointer) {
  WriteSkin(CDialRegions::kFileName, kRegions);
  WriteSkin(u"pollingRate\\1000Hz.png", 10, 10, 0x101010);
  WriteSkin(u"pollingRate\\1000Hz_250.png", 10, 10, 0x202020);
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    const CDialRegions regions = CDialRegions::Load();
    d.AddControl(0, std::make_unique<CPollingRate1000Button>(w, Rect{50, 50, 150, 150}, regions))
        ->LoadDefaultImages();
  });
  const struct {
    platform::Point at;
    int before;
    int after;
  } cases[] = {
      {{55, 55}, 3, 0},    // first triangle
      {{145, 55}, 0, 1},   // second triangle
      {{60, 140}, 0, 2},   // the square
      {{140, 140}, 2, 2},  // inside the rectangle, outside every region: unchanged
  };
  for (const auto& c : cases) {
    g_nPollingRateIndex = c.before;
    dlg.notes.clear();
    desktop.Click(W(), c.at);
    EXPECT_EQ(g_nPollingRateIndex, c.after) << c.at.x << "," << c.at.y;
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{3042, 0, 1}, {3042, 0, 2}}));
  }
  g_nPollingRateIndex = 1;
  desktop.Invalidate(W(), nullptr);
  EXPECT_EQ(uitest::ImageNames(Paint(W())),
            (std::vector<std::u16string>{u"1000Hz.png", u"1000Hz_250.png"}));
}

TEST_F(ButtonsTest, DialsWithoutRegionFileStillReportClicks) {
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    const CDialRegions regions = CDialRegions::Load();  // no file
    d.AddControl(0, std::make_unique<CPollingRate8000Button>(w, Rect{0, 0, 100, 100}, regions))
        ->LoadDefaultImages();
    d.AddControl(0, std::make_unique<CPollingRate250Button>(w, Rect{200, 0, 300, 100}, regions));
  });
  g_nPollingRateIndex = 6;
  desktop.Click(W(), {50, 50});
  EXPECT_EQ(g_nPollingRateIndex, 6);
  EXPECT_EQ(dlg.notes.back(), (Note{3045, 0, 2}));
  EXPECT_EQ(static_cast<CDialButton*>(dlg.GetControl(3041))->RegionCount(), 2);
  // Missing images draw nothing.
  desktop.Invalidate(W(), nullptr);
  EXPECT_TRUE(uitest::ImageNames(Paint(W())).empty());
}

// The artwork's own region file: every region of every dial is there and a click at its
// middle selects it.
TEST_F(ButtonsTest, ShippedDialRegionsSelectEveryRate) {
  platform.UseInstallation(VANTREL_SOURCE_DIR);
  const CDialRegions regions = CDialRegions::Load();
  ASSERT_GT(regions.Size(), 0u);
  const struct {
    std::u16string dial;
    int count;
  } dials[] = {{u"250Hz", 2},  {u"1000Hz", 4}, {u"2000Hz", 5},
               {u"4000Hz", 6}, {u"8000Hz", 7}, {u"power", 8}};
  for (const auto& d : dials) {
    CDialButton dial(0, 3042, {10, 10, 250, 90}, d.dial, d.count, regions);
    for (int k = 0; k < d.count; ++k) {
      const auto polygon = regions.Find(d.dial, k);
      ASSERT_TRUE(polygon) << base::ToUtf8(d.dial) << " " << k;
      int x = 0, y = 0;
      for (const auto& p : *polygon) {
        x += p.x;
        y += p.y;
      }
      const int n = static_cast<int>(polygon->size());
      EXPECT_EQ(dial.RegionAt(10 + x / n, 10 + y / n), k) << base::ToUtf8(d.dial) << " " << k;
    }
    EXPECT_EQ(dial.RegionAt(11, 11), CDialButton::kNoRegion);
  }
}

TEST_F(ButtonsTest, PowerDialStoresRegionAndValue) {
  WriteSkin(CDialRegions::kFileName, kRegions);
  WriteSkin(u"power_manage_10min.png", 10, 10, 0x303030);
  auto& dlg = Dialog([](CTestDlg& d, platform::WindowId w) {
    d.AddControl(
         0, std::make_unique<CPowerManageButton>(w, Rect{0, 0, 100, 100}, CDialRegions::Load()))
        ->LoadDefaultImages();
  });
  auto* dial = static_cast<CPowerManageButton*>(dlg.GetControl(3500));
  desktop.Click(W(), {50, 80});
  EXPECT_EQ(dial->Selection(), 7);
  EXPECT_EQ(dial->Value(), 8);
  EXPECT_EQ(dlg.notes.back(), (Note{3500, 0, 2}));
  desktop.Invalidate(W(), nullptr);
  EXPECT_EQ(uitest::ImageNames(Paint(W())), std::vector<std::u16string>{u"power_manage_10min.png"});
  desktop.Click(W(), {50, 20});
  EXPECT_EQ(dial->Value(), 1);
  EXPECT_EQ(CPowerManageButton::ImageName(4), u"power_manage_7min");
}

}  // namespace
