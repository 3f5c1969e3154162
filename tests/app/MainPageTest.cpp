// The main page as the router builds it: tabs and the page column, the mouse-picture
// highlight, deferred writes and saves through the view services, the control dump.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/MainWindowFixture.h"
#include "app/UiDump.h"
#include "app/VantrelDlg.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/Text.h"
#include "device/ProfileDeviceModel.h"
#include "device/sim/SimMouse.h"
#include "platform/Keys.h"
#include "profiles/GlobalSettings.h"
#include "profiles/SettingsFiles.h"
#include "support/Bytes.h"
#include "ui/CheckButton.h"
#include "views/buttons/AssignmentMenus.h"
#include "views/main/FixedArea.h"
#include "views/main/PageLayout.h"
#include "views/main/PointerPagePart.h"

namespace {

using platform::WindowId;

using testbytes::FromUtf16Le;

class MainPageTest : public MainWindowFixture {
 protected:
  MainPageTest() { PrepareDataFolder(); }
  static bool Checked(CVantrelDlg& dlg, uint32_t id) {
    auto* check = dynamic_cast<CCheckButton*>(dlg.GetControl(id));
    return check && check->GetCheck();
  }
  static int TopOf(CVantrelDlg& dlg, uint32_t id) { return dlg.GetControl(id)->m_rc.top; }
  std::vector<std::u16string> DrawnImages(CVantrelDlg& dlg) {
    std::vector<std::u16string> images;
    const auto* paint = desktop.LastPaint(dlg.Handle());
    EXPECT_NE(paint, nullptr);
    if (!paint) return images;
    for (const auto& op : paint->Ops()) images.push_back(op.text);
    return images;
  }
  static bool HasImage(const std::vector<std::u16string>& drawn, std::u16string_view name) {
    return std::any_of(drawn.begin(), drawn.end(),
                       [&](const std::u16string& s) { return s.ends_with(name); });
  }
};

TEST_F(MainPageTest, TabsStackTheOpenPagesAndFollowTheTabRule) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  // The start pages are DPI and lighting, at the top of the column; the closed tabs follow.
  EXPECT_TRUE(Checked(dlg, 3001));
  EXPECT_TRUE(Checked(dlg, 3002));
  EXPECT_EQ(TopOf(dlg, 3001), page::kPagesTop);
  EXPECT_LT(TopOf(dlg, 3001), TopOf(dlg, 3002));
  EXPECT_LT(TopOf(dlg, 3002), TopOf(dlg, 3004));
  EXPECT_LT(TopOf(dlg, 3004), TopOf(dlg, 3011));

  ClickControl(dlg, 3004);
  EXPECT_TRUE(Checked(dlg, 3001));
  EXPECT_FALSE(Checked(dlg, 3002));
  EXPECT_TRUE(Checked(dlg, 3004));
  // Polling now stacks right under DPI; lighting moved down among the closed tabs.
  EXPECT_EQ(TopOf(dlg, 3001), page::kPagesTop);
  EXPECT_LT(TopOf(dlg, 3004), TopOf(dlg, 3002));

  ClickControl(dlg, 3001);  // an open tab: only it closes
  EXPECT_FALSE(Checked(dlg, 3001));
  EXPECT_TRUE(Checked(dlg, 3004));
  EXPECT_EQ(TopOf(dlg, 3004), page::kPagesTop);
  dlg.Destroy();
}

TEST_F(MainPageTest, ThePageColumnStartsAtX846AndLightingFollowsDpiAtY263) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  // DPI and lighting open: lighting starts at 263, 196 below DPI at 67.
  EXPECT_EQ(TopOf(dlg, 3001), 67);
  EXPECT_EQ(TopOf(dlg, 3002), 263);
  for (uint32_t id : {3001u, 3002u, 3004u, 3015u}) EXPECT_EQ(dlg.GetControl(id)->m_rc.left, 846);
  // The DPI page's controls stay between its header and the lighting header.
  for (uint32_t id = 3260; id <= 3307; ++id) {
    const CControlBase* control = dlg.GetControl(id);
    if (!control) continue;
    EXPECT_GE(control->m_rc.left, 846) << id;
    EXPECT_GE(control->m_rc.top, 67 + 28) << id;
    EXPECT_LE(control->m_rc.bottom, 263) << id;
  }
  ClickControl(dlg, 3001);  // DPI closes: lighting moves up to the top
  EXPECT_EQ(TopOf(dlg, 3002), 67);
  dlg.Destroy();
}

TEST_F(MainPageTest, MinimisedTheWindowPaintsOnlyItsIconCentred) {
  using platform::headless::DrawOp;
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunUntilIdle();
  desktop.ShowWindow(dlg.Handle(), platform::ShowCommand::Minimize);
  desktop.Invalidate(dlg.Handle(), nullptr);
  desktop.UpdateWindow(dlg.Handle());
  const auto* paint = desktop.LastPaint(dlg.Handle());
  ASSERT_NE(paint, nullptr);
  ASSERT_EQ(paint->Ops().size(), 2u);
  EXPECT_EQ(paint->Ops()[0].kind, DrawOp::Kind::Fill);
  EXPECT_EQ(paint->Ops()[0].rect, (platform::Rect{0, 0, page::kWidth, page::kHeight}));
  const DrawOp& icon = paint->Ops()[1];
  EXPECT_EQ(icon.kind, DrawOp::Kind::Icon);
  EXPECT_EQ(icon.flags, 128u);
  EXPECT_EQ(icon.rect, (platform::Rect{548, 354, 580, 386}));

  desktop.ShowWindow(dlg.Handle(), platform::ShowCommand::Restore);
  desktop.Invalidate(dlg.Handle(), nullptr);
  desktop.RunUntilIdle();
  EXPECT_TRUE(HasImage(DrawnImages(dlg), u"mouse\\mouse_nr.png"));
  dlg.Destroy();
}

TEST_F(MainPageTest, HoveringAButtonFieldHighlightsItsNumberOnTheMousePicture) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunUntilIdle();
  EXPECT_FALSE(HasImage(DrawnImages(dlg), u"mouse\\number2.png"));

  desktop.SendMessage(dlg.Handle(), buttons::msg::kButtonField, 2014, Notify::kEntered);
  desktop.RunUntilIdle();
  EXPECT_EQ(dlg.Fixed()->Highlighted(), 2);
  EXPECT_TRUE(HasImage(DrawnImages(dlg), u"mouse\\number2.png"));

  // Button 10 has no number on the picture: nothing is drawn for it.
  desktop.SendMessage(dlg.Handle(), buttons::msg::kButtonField, 2022, Notify::kEntered);
  desktop.RunUntilIdle();
  EXPECT_EQ(dlg.Fixed()->Highlighted(), 10);
  const auto drawn = DrawnImages(dlg);
  EXPECT_FALSE(std::any_of(drawn.begin(), drawn.end(), [](const std::u16string& s) {
    return s.find(u"mouse\\number") != std::u16string::npos;
  }));

  desktop.SendMessage(dlg.Handle(), buttons::msg::kButtonField, 2022, Notify::kLeft);
  EXPECT_EQ(dlg.Fixed()->Highlighted(), 0);
  // The numbers sit on their points of the picture, 8 and 9 on one.
  EXPECT_EQ(FixedArea::NumberPoint(1)->x, 495);
  EXPECT_EQ(FixedArea::NumberPoint(8)->y, FixedArea::NumberPoint(9)->y);
  EXPECT_FALSE(FixedArea::NumberPoint(10));
  EXPECT_FALSE(FixedArea::NumberPoint(0));
  dlg.Destroy();
}

TEST_F(MainPageTest, TwoChangesWithin20msMakeOneWriteAndTheSaveFollows) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunFor(100);
  mouse.ClearLog();
  ProfileDeviceModel model(g_GlobalSettings, g_ProfileStore, g_SensorDpiTable);

  model.SetPollingRate(1, u"250Hz");
  dlg.MarkPending(ViewServices::Group::Dpi);
  desktop.RunFor(10);
  model.SetPollingRate(2, u"500Hz");
  dlg.MarkPending(ViewServices::Group::Dpi);
  desktop.RunFor(15);
  EXPECT_TRUE(mouse.CommandsSent().empty());  // the second change restarted the 20 ms
  desktop.RunFor(200);
  // One write: one polling packet (the first write of the group also carries the lighting
  // packet, which never counts as sent).
  const auto sent = mouse.CommandsSent();
  EXPECT_EQ(
      std::count_if(sent.begin(), sent.end(), [](const SimTraffic& t) { return t.At(1) == 0x04; }),
      1);
  EXPECT_LE(sent.size(), 2u);
  EXPECT_TRUE(dlg.m_bSavePending);

  desktop.RunFor(10'000);
  EXPECT_FALSE(dlg.m_bSavePending);
  const auto saved = platform.files().ReadAll(configDir + u"default0.psf");
  ASSERT_TRUE(saved);
  EXPECT_NE(FromUtf16Le(*saved).find(u"PollingRateName=500Hz"), std::u16string::npos);
  dlg.Destroy();
}

TEST_F(MainPageTest, AFailedSaveIsToldOnceAndTriedAgain) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunFor(100);
  platform.files().FailWritesContaining(u"default0.psf");
  dlg.SaveNow();
  EXPECT_TRUE(dlg.m_bSavePending);
  ASSERT_NE(g_hOpenDialogs[0], 0u);
  EXPECT_EQ(g_hOpenDialogs[1], 0u);
  dlg.SaveNow();  // still failing: no second box
  EXPECT_EQ(g_hOpenDialogs[1], 0u);
  platform.files().FailWritesContaining(u"");
  dlg.SaveNow();
  EXPECT_FALSE(dlg.m_bSavePending);
  dlg.Destroy();
}

// A dialog that ignores Escape still closes when the program ends: from the tray, or when the
// last mouse goes away.
TEST_F(MainPageTest, TrayExitAndUnplugCloseADialogThatIgnoresEscape) {
  for (const bool unplug : {false, true}) {
    SCOPED_TRACE(unplug ? "unplug" : "tray exit");
    CVantrelDlg dlg;
    WindowId main = 0;
    WindowId named = 0;
    desktop.ScriptNextModal([&](WindowId w) {
      main = w;
      desktop.RunFor(100);
      desktop.SendMessage(w, 2071, 0, 2);  // add profile: the name dialog
      desktop.RunFor(200);
    });
    desktop.ScriptNextModal([&](WindowId d) {
      named = d;
      desktop.PressKey(d, platform::kVkEscape);
      EXPECT_TRUE(desktop.IsWindow(d));
      if (unplug) {
        mouse.Unplug(ConnectionMode::Wired);
        desktop.RunFor(100);
      } else {
        desktop.SendMessage(main, platform::msg::kCommand, CVantrelDlg::kCmdTrayExit, 0);
      }
    });
    EXPECT_EQ(dlg.DoModal(), CVantrelDlg::kResultOk);
    EXPECT_NE(named, 0u);
    EXPECT_FALSE(desktop.IsWindow(named));
    EXPECT_EQ(g_hOpenDialogs[0], 0u);
    mouse.Plug(ConnectionMode::Wired);
  }
}

// A rename whose save fails is told once (as a failed delayed save is) and saved later by the
// save timer, not dropped.
TEST_F(MainPageTest, AProfileSaveThatFailsIsToldOnceAndSavedByTheTimer) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunFor(100);
  platform.files().FailWritesContaining(u"default1.psf");
  desktop.ScriptNextModal([&](WindowId d) {
    desktop.PressKey(d, 'A', platform::mod::kControl);
    desktop.TypeText(d, u"Desk");
    desktop.PressKey(d, platform::kVkReturn);
  });
  desktop.SendMessage(dlg.Handle(), 2068, 0, 2);  // rename the active profile
  // ... which failed to save: one notice, still pending.
  EXPECT_TRUE(dlg.m_bSavePending);
  ASSERT_NE(g_hOpenDialogs[0], 0u);
  EXPECT_EQ(g_hOpenDialogs[1], 0u);
  desktop.RunFor(10100);  // still failing: tried again, no second notice
  EXPECT_TRUE(dlg.m_bSavePending);
  EXPECT_EQ(g_hOpenDialogs[1], 0u);
  platform.files().FailWritesContaining(u"");
  desktop.RunFor(10100);
  EXPECT_FALSE(dlg.m_bSavePending);
  const auto saved = platform.files().ReadAll(configDir + u"default0.psf");
  ASSERT_TRUE(saved.has_value());
  EXPECT_NE(FromUtf16Le(*saved).find(u"ProfileName=Desk"), std::u16string::npos);
  dlg.Destroy();
}

// Apply sends the button table and the DPI group: power and sensor options that changed
// without a write of their own (a profile switch) stay for the writes that mark them.
TEST_F(MainPageTest, ApplyWritesOnlyTheKeyAndDpiGroups) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunFor(3000);
  ProfileSettings& profile = dlg.CurrentProfile();
  profile.SetInt(TextSetting::PowerDownTime, profile.Int(TextSetting::PowerDownTime) % 8 + 1);
  profile.SetBool(TextSetting::MotionSync, profile.Int(TextSetting::MotionSync) == 1 ? 0 : 1);
  mouse.ClearLog();
  desktop.SendMessage(dlg.Handle(), 2047, 0, 2);
  desktop.RunFor(1000);
  std::vector<int> codes;
  for (const SimTraffic& t : mouse.CommandsSent()) codes.push_back(t.At(1));
  EXPECT_FALSE(codes.empty());  // the lighting packet at least (first DPI-group write)
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x07), 0);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 0x08), 0);
  dlg.Destroy();
}

// The window's own buttons belong to the parts that build them; the router keeps none of them.
TEST_F(MainPageTest, ThePartsThatBuildTheWindowButtonsHandleThem) {
  CVantrelDlg dlg;
  ASSERT_TRUE(dlg.Create());
  desktop.RunFor(500);
  const PagePart* pointer = nullptr;
  for (const auto& part : dlg.Parts()) {
    if (dynamic_cast<const PointerPagePart*>(part.get())) pointer = part.get();
  }
  for (uint32_t id : {FixedArea::kCloseButton, FixedArea::kMinimizeButton,
                      FixedArea::kMinimizeMessage, FixedArea::kApplyButton, FixedArea::kWebLink}) {
    EXPECT_EQ(dlg.Router().PartForMessage(id), dlg.Fixed()) << id;
  }
  EXPECT_EQ(dlg.Router().PartForMessage(PointerPagePart::kMousePropertiesButton), pointer);

  desktop.SendMessage(dlg.Handle(), FixedArea::kWebLink, 0, 1);  // a press opens nothing
  desktop.SendMessage(dlg.Handle(), PointerPagePart::kMousePropertiesButton, 0, 1);
  EXPECT_TRUE(platform.shell().opened.empty());
  EXPECT_TRUE(platform.shell().executed.empty());
  ASSERT_TRUE(ClickControl(dlg, FixedArea::kWebLink));
  EXPECT_EQ(platform.shell().opened, std::vector<std::u16string>{FixedArea::kWebAddress});
  desktop.SendMessage(dlg.Handle(), PointerPagePart::kMousePropertiesButton, 0, 2);
  EXPECT_EQ(platform.shell().executed,
            std::vector<std::u16string>{PointerPagePart::kMousePropertiesCommand});

  ASSERT_TRUE(desktop.IsVisible(dlg.Handle()));
  desktop.SendMessage(dlg.Handle(), FixedArea::kMinimizeMessage, 0, 2);
  EXPECT_FALSE(desktop.IsVisible(dlg.Handle()));
  EXPECT_EQ(platform.tray().icons.size(), 1u);  // hidden to the tray, not ended
  dlg.Destroy();
}

TEST_F(MainPageTest, ControlDumpListsEveryWindowAndControlInScreenPixels) {
  CVantrelDlg dlg(configDir + u"ui.txt");
  ASSERT_TRUE(dlg.Create());
  desktop.RunFor(500);
  const auto dump = platform.files().ReadAll(configDir + u"ui.txt");
  ASSERT_TRUE(dump);
  const platform::Rect window = desktop.WindowRect(dlg.Handle());
  EXPECT_EQ(dump->find("window=Gaming Mouse class=CVantrelDlg x=" + std::to_string(window.left)),
            0u);
  const platform::Rect tab = dlg.GetControl(3004)->m_rc;
  const std::string tabLine =
      "window=Gaming Mouse id=3004 class=CCheckButton x=" + std::to_string(window.left + tab.left) +
      " y=" + std::to_string(window.top + tab.top) + " w=265 h=28";
  EXPECT_NE(dump->find(tabLine), std::string::npos) << *dump;
  EXPECT_NE(dump->find("id=3001 class=CCheckButton"), std::string::npos);
  EXPECT_NE(dump->find("id=3001 class=CCheckButton"), std::string::npos);
  EXPECT_NE(dump->find("enabled=1 checked=1 focused=0 text=DPI\n"), std::string::npos) << *dump;
  // Fifty paints within 100 ms make at most two writes, and the last state is written.
  const int before = dlg.Dump()->Writes();
  for (int i = 0; i < 50; ++i) {
    desktop.SendMessage(dlg.Handle(), buttons::msg::kButtonField, 2013 + i % 3, Notify::kEntered);
    desktop.RunFor(2);
  }
  desktop.RunFor(200);
  EXPECT_GE(dlg.Dump()->Writes(), before + 1);
  EXPECT_LE(dlg.Dump()->Writes(), before + 2);
  dlg.Destroy();
}

}  // namespace
