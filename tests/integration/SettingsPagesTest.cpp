// The settings pages in the real main window, clicked like a user, against the simulated
// mouse on the virtual clock: what reaches the mouse, and when.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/MainWindowFixture.h"
#include "app/VantrelDlg.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "device/CommandReport.h"
#include "device/sim/SimMouse.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"
#include "profiles/SettingsFiles.h"
#include "ui/CheckButton.h"
#include "ui/DialRegions.h"
#include "ui/VerticalSliderControl.h"

namespace {

class SettingsPagesTest : public MainWindowFixture {
 protected:
  std::unique_ptr<CVantrelDlg> dlg;

  SettingsPagesTest() { PrepareDataFolder(); }
  ~SettingsPagesTest() override {
    if (dlg) dlg->Destroy();
  }

  void Open() {
    dlg = std::make_unique<CVantrelDlg>();
    ASSERT_TRUE(dlg->Create());
    desktop.RunFor(500);
  }
  // Sends one write of the DPI group so that the lighting packet, which a snapshot never
  // counts as sent, is out of the way; then clears the log.
  void SettleLighting() {
    dlg->MarkPending(ViewServices::Group::Dpi);
    desktop.RunFor(1000);
    mouse.ClearLog();
  }
  platform::WindowId H() const { return dlg->Handle(); }
  platform::Point Centre(uint32_t id) { return testclick::Centre(*dlg, id); }
  void ClickControl(uint32_t id) { testclick::Click(desktop, *dlg, id); }
  // The centre of region `k` of the dial with id `id`.
  platform::Point DialRegion(uint32_t id, std::u16string_view dial, int k) {
    const auto polygon = CDialRegions::Load().Find(dial, k);
    EXPECT_TRUE(polygon);
    if (!polygon) return {};
    int x = 0, y = 0;
    for (const auto& p : *polygon) {
      x += p.x;
      y += p.y;
    }
    const int n = static_cast<int>(polygon->size());
    const platform::Rect rc = dlg->GetControl(id)->m_rc;
    return {rc.left + x / n, rc.top + y / n};
  }
  std::vector<SimTraffic> Acknowledgements() const {
    std::vector<SimTraffic> reads;
    for (const auto& t : mouse.Log()) {
      if (t.transfer == SimTraffic::Transfer::GetFeature &&
          t.ReportId() == CommandReport::kReportId) {
        reads.push_back(t);
      }
    }
    return reads;
  }
  ProfileSettings& Current() { return g_ProfileStore.profiles[0]; }
};

TEST_F(SettingsPagesTest, APollingClickSendsOnePacket20msLaterAcknowledged60msAfter) {
  Open();
  SettleLighting();
  ClickControl(3004);  // the polling page opens under DPI
  ASSERT_TRUE(dlg->GetControl(3042)->IsDrawable());
  const uint64_t clicked = desktop.NowMs();
  desktop.Click(H(), DialRegion(3042, u"1000Hz", 1));  // 250 Hz
  desktop.RunFor(19);
  EXPECT_TRUE(mouse.CommandsSent().empty());
  desktop.RunFor(1000);
  const auto sent = mouse.CommandsSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].At(1), 0x04);
  EXPECT_EQ(sent[0].At(5), 0x04);  // 250 Hz
  EXPECT_EQ(sent[0].timeMs, clicked + 20);
  const auto acks = Acknowledgements();
  ASSERT_EQ(acks.size(), 1u);
  EXPECT_EQ(acks[0].timeMs, clicked + 80);
  EXPECT_EQ(Current().PollingRateName, u"250HZ");
}

TEST_F(SettingsPagesTest, ADpiSliderSendsNothingWhileDraggedAndBothDpiPacketsOnRelease) {
  Open();
  SettleLighting();
  auto* slider = static_cast<CVerticalSliderControl*>(dlg->GetControl(3280));
  const platform::Rect bar = slider->m_rc;
  const int x = (bar.left + bar.right) / 2;
  desktop.PressMouse(H(), {x, bar.bottom - 3});
  for (int y = bar.bottom - 3; y > bar.top + 20; y -= 10) {
    desktop.SendMessage(H(), platform::msg::kMouseMove, platform::kMkLButton,
                        platform::MakePointParam(x, y));
    desktop.RunFor(50);
  }
  EXPECT_TRUE(mouse.CommandsSent().empty());
  const uint16_t dragged = Current().XYSettingValueX[0];
  EXPECT_GT(dragged, 300);
  desktop.ReleaseMouse(H(), {x, bar.top + 20});
  const uint64_t released = desktop.NowMs();
  desktop.RunFor(1000);
  const auto sent = mouse.CommandsSent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].At(1), 0x02);
  EXPECT_EQ(sent[0].At(3), 0x02);  // X codes
  EXPECT_EQ(sent[1].At(1), 0x02);
  EXPECT_EQ(sent[1].At(3), 0x12);  // Y codes
  EXPECT_EQ(sent[0].timeMs, released + 20);
  // Level 1's X code is the new index (sensor 0x3950 sends the index itself).
  EXPECT_EQ(sent[0].At(7) | sent[0].At(8) << 8, Current().XYSettingValueX[0]);
  EXPECT_EQ(sent[1].At(7) | sent[1].At(8) << 8, 7);
}

TEST_F(SettingsPagesTest, AColourClickWritesAfter170msAndADoubleClickOpensThePalette) {
  Open();
  Current().lighting.Lighting1ModeValue = {8, 0, 0};  // the effect with colour buttons
  dlg->RefreshPage();
  // Fresh from the snapshot the lighting packet has not counted as sent, so the single
  // click's write is visible on the wire.
  ASSERT_TRUE(dlg->GetControl(3180)->IsDrawable());
  const uint64_t clicked = desktop.NowMs();
  ClickControl(3180);
  desktop.RunFor(149);
  EXPECT_EQ(Current().lighting.Lighting1ColorSelected[8][0], 1);
  desktop.RunFor(20);  // toggled at 150 ms, written at 170 ms
  EXPECT_EQ(Current().lighting.Lighting1ColorSelected[8][0], 0);
  EXPECT_TRUE(mouse.CommandsSent().empty());
  desktop.RunFor(1000);
  auto sent = mouse.CommandsSent();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].At(1), 0x06);
  EXPECT_EQ(sent[0].timeMs, clicked + 170);
  EXPECT_TRUE(dlg->m_bSavePending);

  mouse.ClearLog();
  bool opened = false;
  desktop.ScriptNextModal([&](platform::WindowId palette) {
    opened = true;
    desktop.Click(palette, {487, 12});  // closed without a choice
  });
  desktop.DoubleClick(H(), Centre(3181));
  desktop.RunFor(1000);
  EXPECT_TRUE(opened);
  EXPECT_EQ(Current().lighting.Lighting1ColorSelected[8][1], 1);
  EXPECT_TRUE(mouse.CommandsSent().empty());
}

TEST_F(SettingsPagesTest, ClearingTheActiveDpiLevelSendsTheNewLevelAndMask) {
  Open();
  Current().CurrentDPILevelValue = 5;
  dlg->RefreshPage();
  SettleLighting();
  ClickControl(3265);
  desktop.RunFor(1000);
  const auto sent = mouse.CommandsSent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].At(5), 0);     // level 0 is active now
  EXPECT_EQ(sent[0].At(6), 0x1F);  // level 5 is off
  EXPECT_EQ(Current().DPIOffOnFlagValue, 0x1F);
}

}  // namespace
