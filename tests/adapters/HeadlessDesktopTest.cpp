#include "adapters/headless/HeadlessDesktop.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"

namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowId;
using platform::WParam;
namespace msg = platform::msg;

// Records every message it gets as "name:wParam", and lets a test react to one.
class Recorder : public platform::WindowHandler {
 public:
  std::vector<std::string> log;
  std::function<void(WindowId, uint32_t, WParam, LParam)> react;

  LResult OnMessage(WindowId window, uint32_t message, WParam wParam, LParam lParam,
                    bool& handled) override {
    std::string name;
    switch (message) {
      case msg::kTimer:
        name = "timer";
        break;
      case msg::kPaint:
        name = "paint";
        break;
      case msg::kLButtonDown:
        name = "down";
        break;
      case msg::kLButtonUp:
        name = "up";
        break;
      case msg::kMouseMove:
        name = "move";
        break;
      case msg::kMouseLeave:
        name = "leave";
        break;
      case msg::kMouseHover:
        name = "hover@" + std::to_string(platform::PointFromParam(lParam).x);
        break;
      case msg::kCreate:
      case msg::kShowWindow:
      case msg::kDestroy:
        name = "";
        break;
      default:
        name = "msg" + std::to_string(message);
    }
    if (!name.empty()) log.push_back(name + ":" + std::to_string(wParam));
    if (message == msg::kPaint) {
      auto& windows = platform::Windows();
      windows.BeginPaint(window).FillRect({0, 0, 4, 4}, platform::Rgb(255, 0, 0));
      windows.EndPaint(window);
    }
    if (react) react(window, message, wParam, lParam);
    handled = message != msg::kClose;
    return 0;
  }
};

class HeadlessDesktopTest : public ::testing::Test {
 protected:
  platform::headless::HeadlessPlatform platform;
  platform::headless::HeadlessDesktop& desktop = platform.desktop();
  std::vector<std::string> failures;

  void SetUp() override {
    desktop.SetFailureHandler([this](const std::string& m) { failures.push_back(m); });
  }
  WindowId Make(Recorder& r, std::u16string title, WindowId owner = 0, bool visible = false) {
    platform::WindowDesc desc;
    desc.className = u"Test";
    desc.title = std::move(title);
    desc.rect = {100, 100, 300, 200};
    desc.owner = owner;
    desc.visible = visible;
    return desktop.CreateWindow(desc, &r);
  }
};

TEST_F(HeadlessDesktopTest, PostedMessagesRunBeforeTimersAndTimersInDueOrder) {
  Recorder r;
  const WindowId w = Make(r, u"w");
  desktop.SetTimer(w, 30, 20);
  desktop.SetTimer(w, 70, 100);
  desktop.SetTimer(w, 40, 20);  // same due time as 30 (and at 100 as 70): set later, fires later
  desktop.PostMessage(w, 2000, 1, 0);
  desktop.RunFor(100);
  EXPECT_EQ(r.log, (std::vector<std::string>{"msg2000:1", "timer:30", "timer:40", "timer:30",
                                             "timer:40", "timer:30", "timer:40", "timer:30",
                                             "timer:40", "timer:30", "timer:70", "timer:40"}));
  EXPECT_EQ(desktop.NowMs(), 100u);
}

TEST_F(HeadlessDesktopTest, TimersCanBeRestartedKilledAndPostFromTheirHandler) {
  Recorder r;
  const WindowId w = Make(r, u"w");
  r.react = [&](WindowId window, uint32_t message, WParam id, LParam) {
    if (message == msg::kTimer && id == 30) {
      desktop.KillTimer(window, 30);  // one-shot, as the program's deferred writes do
      desktop.PostMessage(window, 2001, 0, 0);
    }
  };
  desktop.SetTimer(w, 30, 20);
  desktop.RunFor(5);
  desktop.SetTimer(w, 30, 20);  // restarting moves the due time to now + 20
  desktop.RunFor(19);
  EXPECT_TRUE(r.log.empty());
  desktop.RunFor(100);
  EXPECT_EQ(r.log, (std::vector<std::string>{"timer:30", "msg2001:0"}));
  EXPECT_FALSE(desktop.HasTimer(w, 30));
}

TEST_F(HeadlessDesktopTest, ModalLoopRunsTheScriptAndReturnsTheResult) {
  Recorder owner;
  Recorder dialog;
  const WindowId main = Make(owner, u"main", 0, true);
  const WindowId dlg = Make(dialog, u"Dialog", main, true);
  desktop.ScriptNextModal([&](WindowId d) {
    EXPECT_EQ(d, dlg);
    EXPECT_FALSE(desktop.Click(main, {5, 5}));  // the owner takes no input meanwhile
    EXPECT_TRUE(desktop.Click(d, {5, 5}));
    desktop.EndModal(d, 7);
  });
  EXPECT_EQ(desktop.RunModal(dlg), 7);
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(dialog.log.back(), "up:0");
  EXPECT_TRUE(desktop.Click(main, {5, 5}));  // enabled again
}

TEST_F(HeadlessDesktopTest, ModalLoopEndedEarlyOrDestroyed) {
  Recorder r;
  const WindowId early = Make(r, u"early", 0, true);
  desktop.EndModal(early, 5);  // during set-up, before the loop runs
  EXPECT_EQ(desktop.RunModal(early), 5);
  const WindowId doomed = Make(r, u"doomed", 0, true);
  desktop.ScriptNextModal([&](WindowId d) { desktop.DestroyWindow(d); });
  EXPECT_EQ(desktop.RunModal(doomed), -1);
  EXPECT_EQ(desktop.RunModal(doomed), -1);  // unknown window
  EXPECT_TRUE(failures.empty());
}

TEST_F(HeadlessDesktopTest, ModalLoopWithNothingScriptedFailsWithAClearMessage) {
  Recorder r;
  const WindowId dlg = Make(r, u"Pairing", 0, true);
  EXPECT_EQ(desktop.RunModal(dlg), -1);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("'Pairing'"), std::string::npos) << failures[0];
  EXPECT_NE(failures[0].find("nothing is scripted"), std::string::npos) << failures[0];
}

TEST_F(HeadlessDesktopTest, ModalLoopWaitsOnItsOwnTimers) {
  Recorder r;
  const WindowId dlg = Make(r, u"Firmware", 0, true);
  r.react = [&](WindowId window, uint32_t message, WParam id, LParam) {
    if (message == msg::kTimer && id == 1 && desktop.NowMs() >= 40000) desktop.EndModal(window, 1);
  };
  desktop.SetTimer(dlg, 1, 100);
  EXPECT_EQ(desktop.RunModal(dlg), 1);
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(desktop.NowMs(), 40000u);
}

TEST_F(HeadlessDesktopTest, PaintingAndMouseLeave) {
  Recorder a;
  Recorder b;
  const WindowId wa = Make(a, u"a", 0, true);
  const WindowId wb = Make(b, u"b", 0, true);
  desktop.RunUntilIdle();
  ASSERT_NE(desktop.LastPaint(wa), nullptr);
  EXPECT_EQ(desktop.LastPaint(wa)->PixelArgb(1, 1), 0xFFFF0000u);
  desktop.Invalidate(wa, nullptr);
  desktop.Invalidate(wa, nullptr);
  desktop.RunUntilIdle();
  EXPECT_EQ(desktop.Info(wa)->paints, 2);  // two invalidations, one paint

  desktop.MoveMouse(wa, {3, 3});
  desktop.TrackMouse(wa, 0);
  desktop.MoveMouse(wb, {3, 3});
  EXPECT_EQ(a.log.back(), "leave:0");
  EXPECT_EQ(b.log.back(), "move:0");
}

TEST_F(HeadlessDesktopTest, HoverComesOnceWhenThePointerRestsAndMovesRestartTheWait) {
  Recorder a;
  Recorder b;
  const WindowId wa = Make(a, u"a", 0, true);
  const WindowId wb = Make(b, u"b", 0, true);
  desktop.RunUntilIdle();
  desktop.MoveMouse(wa, {3, 3});
  desktop.TrackMouse(wa, 50);
  desktop.RunFor(30);
  desktop.MoveMouse(wa, {7, 3});
  desktop.RunFor(49);
  EXPECT_EQ(a.log.back(), "move:0") << "the move restarted the wait";
  desktop.RunFor(1);
  EXPECT_EQ(a.log.back(), "hover@7:0");
  desktop.RunFor(500);
  desktop.MoveMouse(wa, {8, 3});
  desktop.RunFor(500);
  EXPECT_EQ(a.log.back(), "move:0") << "one notice per request";

  // Leaving the window drops a hover that was not due yet; no hover without asking.
  desktop.TrackMouse(wa, 50);
  desktop.MoveMouse(wb, {3, 3});
  desktop.TrackMouse(wb, 0);
  desktop.RunFor(500);
  EXPECT_EQ(a.log.back(), "leave:0");
  EXPECT_EQ(b.log.back(), "move:0");
}

TEST_F(HeadlessDesktopTest, CloseWithoutHandlerDestroysAndForgetsTimers) {
  Recorder r;
  const WindowId w = Make(r, u"w");
  desktop.SetTimer(w, 1, 10);
  desktop.PostMessage(w, 2002, 0, 0);
  desktop.SendMessage(w, msg::kClose, 0, 0);
  EXPECT_FALSE(desktop.IsWindow(w));
  desktop.RunFor(100);
  EXPECT_EQ(r.log, (std::vector<std::string>{"msg16:0"}));
}

// A served folder (the source tree's skins) can be read through the mount but never changed:
// a test that writes a picture must not overwrite the committed one.
TEST(HeadlessFileSystem, MountsAreReadOnly) {
  platform::headless::HeadlessPlatform platform;
  auto& files = platform.files();
  const std::filesystem::path served = files.HostPath(u"C:\\served");
  std::filesystem::create_directories(served / "sub");
  { std::ofstream(served / "a.png") << "picture"; }
  files.Mount(u"C:\\Program Files\\Vantrel\\skins", served);
  const std::u16string skin = u"C:\\Program Files\\Vantrel\\skins\\a.png";

  EXPECT_EQ(files.ReadAll(skin), std::optional<std::string>("picture"));
  EXPECT_FALSE(files.WriteAll(skin, "changed"));
  EXPECT_FALSE(files.Remove(skin));
  EXPECT_FALSE(files.Replace(skin, u"C:\\elsewhere.png"));
  EXPECT_FALSE(files.CreateDirectory(u"C:\\Program Files\\Vantrel\\skins\\new"));
  EXPECT_TRUE(files.CreateDirectory(u"C:\\Program Files\\Vantrel\\skins\\sub"));
  EXPECT_EQ(files.ReadAll(skin), std::optional<std::string>("picture"));
  EXPECT_TRUE(files.WriteAll(u"C:\\served\\b.png", "elsewhere is writable"));
}

}  // namespace
