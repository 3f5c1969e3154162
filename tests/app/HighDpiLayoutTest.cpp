// The main window and a sample of dialogs laid out at 144 and 192 DPI: every control where it
// is at 96 DPI times the scale, within the pixel that truncation may cost.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/MainWindowFixture.h"
#include "profiles/SensorDpiTable.h"
#include "ui/AttentionDlg.h"
#include "ui/SkinImage.h"
#include "views/buttons/ShortcutDlg.h"
#include "views/companion/BatteryNoticeDlg.h"
#include "views/device/ParingDlg.h"
#include "views/profiles/ProfileNameDlg.h"
#include "views/settings/DPIValueSettingDlg.h"

namespace {

using platform::Rect;

struct Placed {
  std::string what;  // layer, position and id: the same control at every scale
  Rect rc;
};

std::vector<Placed> ControlsOf(const CDlgBase& dlg) {
  std::vector<Placed> out;
  for (int layer = 0; layer < CDlgBase::kLayers; ++layer) {
    const auto& controls = dlg.Layer(layer);
    for (size_t i = 0; i < controls.size(); ++i) {
      out.push_back({"layer " + std::to_string(layer) + " #" + std::to_string(i) + " id " +
                         std::to_string(controls[i]->m_uID),
                     controls[i]->m_rc});
    }
  }
  return out;
}

bool Near(int scaled, int base, float scale) {
  return std::abs(static_cast<float>(scaled) - static_cast<float>(base) * scale) <= 1.0f;
}

// Every rectangle of `scaled` is the one of `base` times `scale`, within a pixel per edge.
void ExpectScaled(const std::vector<Placed>& base, const std::vector<Placed>& scaled, float scale) {
  ASSERT_EQ(base.size(), scaled.size());
  ASSERT_GT(base.size(), 0u);
  for (size_t i = 0; i < base.size(); ++i) {
    ASSERT_EQ(base[i].what, scaled[i].what);
    const Rect& b = base[i].rc;
    const Rect& s = scaled[i].rc;
    EXPECT_TRUE(Near(s.left, b.left, scale) && Near(s.top, b.top, scale) &&
                Near(s.right, b.right, scale) && Near(s.bottom, b.bottom, scale))
        << base[i].what << " at " << scale << ": {" << s.left << ", " << s.top << ", " << s.right
        << ", " << s.bottom << "} for {" << b.left << ", " << b.top << ", " << b.right << ", "
        << b.bottom << "}";
  }
}

class HighDpiLayoutTest : public MainWindowFixture {
 protected:
  HighDpiLayoutTest() { PrepareDataFolder(); }
  ~HighDpiLayoutTest() override { g_fUiScale = 1.0f; }

  struct MainLayout {
    float scale = 0.0f;
    int fontHeight = 0;
    Rect window;
    std::vector<Placed> controls;
  };
  MainLayout MainAt(int dpi) {
    desktop.SetWindowDpi(dpi);
    CVantrelDlg dlg;
    EXPECT_TRUE(dlg.Create());
    desktop.RunFor(100);
    MainLayout layout{g_fUiScale, g_nFontHeight, desktop.WindowRect(dlg.Handle()), ControlsOf(dlg)};
    dlg.Destroy();
    return layout;
  }

  // The controls of a modal dialog while it is open, closed afterwards.
  std::vector<Placed> DialogAt(float scale, const std::function<std::unique_ptr<CDlgBase>()>& make,
                               Rect* window = nullptr) {
    g_fUiScale = scale;
    auto dlg = make();
    std::vector<Placed> controls;
    desktop.ScriptNextModal([&](platform::WindowId w) {
      controls = ControlsOf(*dlg);
      if (window) *window = desktop.WindowRect(w);
      dlg->EndDialog(CDlgBase::kIdCancel);
    });
    (void)dlg->DoModal();
    g_fUiScale = 1.0f;
    return controls;
  }
};

TEST_F(HighDpiLayoutTest, MainWindowScalesWithTheMonitorsDpi) {
  const MainLayout base = MainAt(96);
  EXPECT_FLOAT_EQ(base.scale, 1.0f);
  EXPECT_EQ(base.window.Width(), 1127);
  for (const auto& [dpi, scale] : {std::pair{144, 1.5f}, std::pair{192, 2.0f}}) {
    SCOPED_TRACE(dpi);
    const MainLayout at = MainAt(dpi);
    EXPECT_FLOAT_EQ(at.scale, scale);
    EXPECT_EQ(at.window.Width(), static_cast<int>(1127 * scale));
    EXPECT_EQ(at.window.Height(), static_cast<int>(740 * scale));
    EXPECT_EQ(at.fontHeight, static_cast<int>(static_cast<float>(base.fontHeight) * scale));
    ExpectScaled(base.controls, at.controls, scale);
  }
}

// Dragged to a monitor of another scale: the page follows without being built again, and the
// window takes the rectangle the system suggests.
TEST_F(HighDpiLayoutTest, MainWindowFollowsADpiChange) {
  const MainLayout base = MainAt(96);
  desktop.SetWindowDpi(96);
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunFor(100);
  for (const auto& [dpi, scale] :
       {std::pair{144, 1.5f}, std::pair{192, 2.0f}, std::pair{96, 1.0f}}) {
    SCOPED_TRACE(dpi);
    const Rect suggested{40, 30, 40 + static_cast<int>(1127 * scale),
                         30 + static_cast<int>(740 * scale)};
    desktop.SendMessage(dlg.Handle(), platform::msg::kDpiChanged,
                        static_cast<platform::WParam>(dpi | (dpi << 16)),
                        reinterpret_cast<platform::LParam>(&suggested));
    desktop.RunFor(100);
    EXPECT_FLOAT_EQ(g_fUiScale, scale);
    EXPECT_EQ(desktop.WindowRect(dlg.Handle()), suggested);
    EXPECT_EQ(g_nFontHeight, static_cast<int>(static_cast<float>(base.fontHeight) * scale));
    const auto* font = dlg.Layer(0).front()->GetFont();
    ASSERT_NE(font, nullptr);
    EXPECT_NEAR(font->Desc().height, base.fontHeight * scale, 1.0f);
    ExpectScaled(base.controls, ControlsOf(dlg), scale);
  }
  dlg.Destroy();
}

// A dialog that followed its own notice first is painted again once the program's scale
// follows the main window, since its controls size some pictures by that scale as they draw.
TEST_F(HighDpiLayoutTest, TheMainWindowsChangeRepaintsTheOpenDialogs) {
  desktop.SetWindowDpi(96);
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunFor(100);
  CBatteryNoticeDlg notice(15, 20);
  ASSERT_TRUE(notice.Create());
  desktop.RunFor(100);
  const platform::WindowId w = notice.GetSafeHwnd();
  (void)desktop.TakeInvalidated(w);
  desktop.SendMessage(dlg.Handle(), platform::msg::kDpiChanged, 192 | (192 << 16), 0);
  const std::vector<Rect> invalidated = desktop.TakeInvalidated(w);
  EXPECT_NE(std::find(invalidated.begin(), invalidated.end(), desktop.ClientRect(w)),
            invalidated.end());
  notice.Close();
  dlg.Destroy();
}

TEST_F(HighDpiLayoutTest, ADpiThatMakesNoSenseKeepsTheWindowAtItsOwnSize) {
  EXPECT_FLOAT_EQ(ui::ScaleForDpi(0), 1.0f);
  EXPECT_FLOAT_EQ(ui::ScaleForDpi(-144), 1.0f);
  EXPECT_FLOAT_EQ(ui::ScaleForDpi(72), 1.0f);
  EXPECT_FLOAT_EQ(ui::ScaleForDpi(120), 1.25f);
  EXPECT_FLOAT_EQ(ui::ScaleForDpi(96 * 40), 4.0f);
  EXPECT_EQ(MainAt(0).window.Width(), 1127);
}

using DialogMaker = std::function<std::unique_ptr<CDlgBase>()>;

std::vector<std::pair<const char*, DialogMaker>> SampleDialogs() {
  return {
      {"attention", [] { return std::make_unique<CAttentionDlg>(u"", u"Saved", 0); }},
      {"add profile",
       [] {
         return std::make_unique<CAddProfileDlg>(
             0, [](std::u16string_view) { return 0; }, [](int) {});
       }},
      {"shortcut", [] { return std::make_unique<CShortcutDlg>(0, 1000u); }},
      {"pairing", [] { return std::make_unique<CParingDlg>(0); }},
      {"dpi value", [] { return std::make_unique<CDPIValueSettingDlg>(g_SensorDpiTable, 0, 0); }},
  };
}

std::vector<int> FontHeights(const CDlgBase& dlg) {
  std::vector<int> out;
  for (int layer = 0; layer < CDlgBase::kLayers; ++layer) {
    for (const auto& control : dlg.Layer(layer)) {
      out.push_back(control->GetFont() ? control->GetFont()->Desc().height : 0);
    }
  }
  return out;
}

TEST_F(HighDpiLayoutTest, DialogsScaleWithTheWindow) {
  BuildSensorDpiTable(g_SensorDpiTable, 0);
  for (const auto& [name, make] : SampleDialogs()) {
    SCOPED_TRACE(name);
    Rect baseWindow, scaledWindow;
    const auto base = DialogAt(1.0f, make, &baseWindow);
    for (float scale : {1.5f, 2.0f}) {
      const auto scaled = DialogAt(scale, make, &scaledWindow);
      EXPECT_TRUE(Near(scaledWindow.Width(), baseWindow.Width(), scale));
      EXPECT_TRUE(Near(scaledWindow.Height(), baseWindow.Height(), scale));
      ExpectScaled(base, scaled, scale);
    }
  }
}

// A dialog open while the scale goes from 100 % to 200 % follows at once, whether the main
// window heard of the change before it (g_fUiScale is 2 already) or not, and takes the
// rectangle the system suggests.
TEST_F(HighDpiLayoutTest, AnOpenDialogFollowsADpiChange) {
  BuildSensorDpiTable(g_SensorDpiTable, 0);
  for (const auto& [name, make] : SampleDialogs()) {
    for (bool mainFirst : {false, true}) {
      SCOPED_TRACE(std::string(name) + (mainFirst ? ", main window first" : ", dialog first"));
      Rect baseWindow;
      const auto base = DialogAt(1.0f, make, &baseWindow);
      g_fUiScale = 1.0f;
      auto dlg = make();
      const Rect suggested{50, 60, 50 + baseWindow.Width() * 2, 60 + baseWindow.Height() * 2};
      std::vector<Placed> before, after;
      std::vector<int> fontsBefore, fontsAfter;
      Rect window;
      desktop.ScriptNextModal([&](platform::WindowId w) {
        before = ControlsOf(*dlg);
        fontsBefore = FontHeights(*dlg);
        if (mainFirst) g_fUiScale = 2.0f;
        desktop.SendMessage(w, platform::msg::kDpiChanged, 192 | (192 << 16),
                            reinterpret_cast<platform::LParam>(&suggested));
        desktop.RunFor(50);
        after = ControlsOf(*dlg);
        fontsAfter = FontHeights(*dlg);
        window = desktop.WindowRect(w);
        EXPECT_FLOAT_EQ(dlg->Scale(), 2.0f);
        dlg->EndDialog(CDlgBase::kIdCancel);
      });
      (void)dlg->DoModal();
      g_fUiScale = 1.0f;
      ExpectScaled(base, before, 1.0f);
      ExpectScaled(base, after, 2.0f);
      EXPECT_EQ(window, suggested);
      ASSERT_EQ(fontsBefore.size(), fontsAfter.size());
      for (size_t i = 0; i < fontsBefore.size(); ++i) {
        EXPECT_NEAR(fontsAfter[i], fontsBefore[i] * 2, 1) << i;
      }
    }
  }
}

// Without a suggested rectangle the dialog keeps its corner and takes its size at the scale.
TEST_F(HighDpiLayoutTest, AnOpenDialogWithoutASuggestedPlaceKeepsItsCorner) {
  CParingDlg dlg(0);
  Rect before, after;
  desktop.ScriptNextModal([&](platform::WindowId w) {
    before = desktop.WindowRect(w);
    desktop.SendMessage(w, platform::msg::kDpiChanged, 144 | (144 << 16), 0);
    after = desktop.WindowRect(w);
    dlg.EndDialog(CDlgBase::kIdCancel);
  });
  (void)dlg.DoModal();
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.Width(), static_cast<int>(before.Width() * 1.5f));
  EXPECT_EQ(after.Height(), static_cast<int>(before.Height() * 1.5f));
}

// The battery notice is not modal: it shows at the corner of the work area until closed.
TEST_F(HighDpiLayoutTest, TheBatteryNoticeScalesToo) {
  std::vector<Placed> base;
  Rect baseWindow;
  for (float scale : {1.0f, 1.5f, 2.0f}) {
    g_fUiScale = scale;
    CBatteryNoticeDlg notice(15, 20);
    ASSERT_TRUE(notice.Create());
    const Rect window = desktop.WindowRect(notice.GetSafeHwnd());
    const auto controls = ControlsOf(notice);
    if (scale == 1.0f) {
      base = controls;
      baseWindow = window;
    } else {
      EXPECT_TRUE(Near(window.Width(), baseWindow.Width(), scale));
      EXPECT_TRUE(Near(window.Height(), baseWindow.Height(), scale));
      ExpectScaled(base, controls, scale);
    }
    notice.Close();
  }
}

}  // namespace
