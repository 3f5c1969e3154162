// The page parts of the device windows: what they build, route and open.

#include <gtest/gtest.h>

#include "base/AppGlobals.h"
#include "device/sim/SimMouse.h"
#include "views/DeviceViewTest.h"
#include "views/device/CheckFWDlg.h"
#include "views/device/OSDDialog.h"
#include "views/main/PageLayout.h"
#include "views/main/PairingPage.h"
#include "views/main/SystemPart.h"
#include "views/main/UpdatePage.h"

namespace {

using platform::WindowId;

class SystemPagesTest : public DeviceViewTest {
 protected:
  ~SystemPagesTest() override { platform.SetHidBus(nullptr); }
  PagePart* OwnerOf(uint32_t message) { return Host().router.PartForMessage(message); }
  SimMouse mouse;
};

TEST_F(SystemPagesTest, SystemPartRoutesResetAndTheOnScreenDisplay) {
  auto& part = Host().AddPart(std::make_unique<SystemPart>());
  EXPECT_EQ(OwnerOf(2045), &part);
  EXPECT_EQ(OwnerOf(1067), &part);
  EXPECT_EQ(Host().router.PartForTimer(50), &part);
  ASSERT_NE(Host().router.Windows(), nullptr);
  const CControlBase* reset = Host().GetControl(2045);
  ASSERT_NE(reset, nullptr);
  EXPECT_EQ(reset->m_rc, page::kResetButton);
  EXPECT_TRUE(reset->IsDrawable()) << "the fixed area is always shown";

  // The reset control acts on a click only.
  part.OnMessage(2045, 0, Notify::kPressed);
  EXPECT_EQ(services->factoryResets, 0);
  part.OnMessage(2045, 2045, Notify::kClicked);
  EXPECT_EQ(services->factoryResets, 1);

  // 1067 with wParam 1 shows the current profile's level, value and rate.
  services->table.count = 2;
  services->table.dpi[1] = 64;
  services->profile.XYSettingValueX[2] = 1;
  services->profile.CurrentDPILevelValue = 2;
  services->profile.PollingRateValue[0] = 4;
  part.OnMessage(1067, 0, 0);
  EXPECT_EQ(part.Osd().Display(), nullptr) << "only wParam 1 counts";
  part.OnMessage(1067, 1, 0);
  ASSERT_NE(part.Osd().Display(), nullptr);
  EXPECT_EQ(part.Osd().Display()->Texts(), (OsdTexts{u"DPI-3", u"3200", u"2000Hz"}));
  EXPECT_TRUE(desktop.HasTimer(H(), 50)) << "timer 50 runs on the main window";
  for (int tick = 0; tick < 6; ++tick) part.OnTimer(50);
  EXPECT_EQ(part.Osd().Display(), nullptr);
  EXPECT_FALSE(desktop.HasTimer(H(), 50));
}

TEST_F(SystemPagesTest, PairingPageOpensTheWindowAndSendsTheReportToTheReceiver) {
  auto& part = Host().AddPart(std::make_unique<PairingPage>());
  EXPECT_EQ(part.Tab(), 3013u);
  EXPECT_EQ(OwnerOf(2054), &part);
  EXPECT_EQ(OwnerOf(1174), &part);
  const auto& layer = Host().Layer(PairingPage::kLayer);
  ASSERT_EQ(layer.size(), 1u);
  EXPECT_EQ(layer[0]->m_uID, 2054u);
  EXPECT_EQ(layer[0]->GetTitle(), u"T276");
  const int height = part.Layout({page::kPagesLeft, 300});
  EXPECT_GT(height, layer[0]->m_rc.Height());
  EXPECT_GE(layer[0]->m_rc.top, 300);
  EXPECT_GE(layer[0]->m_rc.left, page::kPagesLeft);

  // 1174 goes to the receiver only.
  platform.SetHidBus(&mouse);
  mouse.Plug(ConnectionMode::Wireless);
  services->link.ScanDevices();
  mouse.ClearLog();
  part.OnMessage(1174, 0, 0);
  ASSERT_EQ(mouse.Log().size(), 1u);
  EXPECT_EQ(mouse.Log()[0].ReportId(), 0xBC);

  bool opened = false;
  desktop.ScriptNextModal([&](WindowId w) {
    opened = desktop.Info(w)->desc.owner == H();
    desktop.PressKey(w, platform::kVkEscape);
  });
  part.OnMessage(2054, 2054, Notify::kClicked);
  EXPECT_TRUE(opened);
}

TEST_F(SystemPagesTest, UpdatePageChecksTheCableBeforeTheFirmwareWindow) {
  auto& part = Host().AddPart(std::make_unique<UpdatePage>());
  EXPECT_EQ(part.Tab(), 3015u);
  EXPECT_EQ(OwnerOf(2055), &part);
  EXPECT_EQ(OwnerOf(2056), &part);
  const auto& layer = Host().Layer(UpdatePage::kLayer);
  ASSERT_EQ(layer.size(), 2u);
  EXPECT_EQ(layer[0]->GetTitle(), u"T331");
  EXPECT_EQ(layer[1]->GetTitle(), u"T330");
  part.Layout({page::kPagesLeft, 100});
  EXPECT_LE(layer[0]->m_rc.bottom, layer[1]->m_rc.top) << "the buttons do not overlap";

  // Not on the cable: text 291, no window.
  part.OnMessage(2055, 2055, Notify::kClicked);
  EXPECT_EQ(services->messages, std::vector<int>{291});

  // On the cable: the firmware window opens (a mouse outside application mode: text 292).
  platform.SetHidBus(&mouse);
  mouse.SetVersionNumber(ConnectionMode::Wired, 0x0100);
  mouse.Plug(ConnectionMode::Wired);
  services->link.ScanDevices();
  desktop.ScriptNextModal([&](WindowId w) {
    desktop.RunFor(150);
    desktop.PressKey(w, platform::kVkEscape);
  });
  services->messages.clear();
  part.OnMessage(2055, 2055, Notify::kClicked);
  EXPECT_EQ(desktop.PendingModalScripts(), 0u);
  // Without the carried images (no installation here) the window says so and still opens.
  EXPECT_EQ(services->messageTexts, std::vector<std::u16string>{CCheckFWDlg::kImageError});

  // The software-update button runs the check (no server here: text 332).
  g_strDataDir = platform.files().AppDataFolder() + u"\\";
  part.OnMessage(2056, 2056, Notify::kClicked);
  EXPECT_EQ(services->messages, std::vector<int>{332});
}

}  // namespace
