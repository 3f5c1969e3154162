// Probes for tests/e2e/services.sh: disabled here, run by the script on its display while it
// plays the user with xdotool and takes screenshots. Each prints what it saw and asserts it.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Win32TestSupport.h"
#include "platform/KeyEventParam.h"

namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowId;
using platform::WParam;
using win32test::PumpUntil;
using win32test::TestPlatform;

struct KeyEvent {
  WParam vk;
  LParam lParam;
};

class KeyRecorder : public platform::WindowHandler {
 public:
  std::vector<KeyEvent> keys;
  LResult OnMessage(WindowId, uint32_t message, WParam wParam, LParam lParam,
                    bool& handled) override {
    if (message == platform::kKeyEventMessage) keys.push_back({wParam, lParam});
    handled = false;
    return 0;
  }
};

WindowId ProbeWindow(platform::WindowHandler& handler, const std::u16string& title,
                     platform::WindowKind kind, platform::Rect rect) {
  platform::WindowDesc desc;
  desc.className = u"VantrelE2eProbe";
  desc.title = title;
  desc.rect = rect;
  desc.kind = kind;
  desc.visible = true;
  return platform::Windows().CreateWindow(desc, &handler);
}

// The script focuses the window and types "a", then shift+b.
TEST(E2e, DISABLED_HookSeesRealKeys) {
  TestPlatform();
  KeyRecorder recorder;
  WindowId window = ProbeWindow(recorder, u"Vantrel hook probe", platform::WindowKind::Main,
                                {200, 200, 500, 300});
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(platform::Sys().StartKeyboardHook(window)) << TestPlatform().LastFailure();
  std::printf("hook started\n");
  std::fflush(stdout);
  PumpUntil([&] { return recorder.keys.size() >= 6; }, 30000);
  platform::Sys().StopKeyboardHook();
  platform::Windows().DestroyWindow(window);

  for (const KeyEvent& key : recorder.keys) {
    std::printf("key %02X %s %u\n", static_cast<unsigned>(key.vk),
                platform::IsKeyRelease(key.lParam) ? "up" : "down",
                static_cast<unsigned>(platform::KeyEventTime(key.lParam)));
  }
  const std::vector<std::pair<WParam, bool>> expected = {
      {'A', false}, {'A', true}, {VK_LSHIFT, false}, {'B', false}, {'B', true}, {VK_LSHIFT, true}};
  ASSERT_EQ(recorder.keys.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(recorder.keys[i].vk, expected[i].first) << i;
    EXPECT_EQ(platform::IsKeyRelease(recorder.keys[i].lParam), expected[i].second) << i;
    if (i > 0) {
      // Later or equal, allowing for the wrap of the 31-bit time.
      EXPECT_LT(platform::KeyEventInterval(recorder.keys[i - 1].lParam, recorder.keys[i].lParam),
                60000u)
          << i;
    }
  }
}

// A popup at (400, 300), 200 x 100: the left half opaque red, the right half fully
// transparent. The script checks a screenshot, then ends the probe.
TEST(E2e, DISABLED_LayeredPopupIsDrawn) {
  TestPlatform();
  KeyRecorder recorder;
  WindowId popup = ProbeWindow(recorder, u"Vantrel popup probe", platform::WindowKind::Popup,
                               {400, 300, 600, 400});
  ASSERT_NE(popup, 0u);
  auto canvas = platform::Gfx().CreateCanvas(200, 100);
  canvas->FillRect({0, 0, 100, 100}, platform::Rgb(255, 0, 0));
  TestPlatform().Failures().Clear();
  platform::Windows().UpdateLayered(popup, *canvas, 255);
  EXPECT_EQ(TestPlatform().LastFailure(), "");
  std::printf("popup shown\n");
  std::fflush(stdout);
  // Shown until the script has its screenshot and creates the file it names.
  const char* done = std::getenv("VANTREL_PROBE_DONE");
  ASSERT_NE(done, nullptr);
  PumpUntil([&] { return ::GetFileAttributesA(done) != INVALID_FILE_ATTRIBUTES; }, 30000);
  platform::Windows().DestroyWindow(popup);
}

// The script presses Escape in the dialog.
TEST(E2e, DISABLED_CancelledOpenDialogChangesNothing) {
  TestPlatform();
  wchar_t before[MAX_PATH + 1] = {};
  ::GetCurrentDirectoryW(MAX_PATH, before);
  TestPlatform().Failures().Clear();
  platform::FileDialogDesc desc;
  desc.title = u"Vantrel dialog probe";
  desc.defaultExtension = u"psf";
  desc.filter = u"psf file(*.psf)|*.psf||";
  desc.mustExist = true;
  std::printf("dialog opening\n");
  std::fflush(stdout);
  std::optional<std::u16string> chosen = platform::ShellServices().OpenFileDialog(desc);
  wchar_t after[MAX_PATH + 1] = {};
  ::GetCurrentDirectoryW(MAX_PATH, after);
  std::printf("dialog result %s\n", chosen ? "chosen" : "cancelled");
  EXPECT_EQ(chosen, std::nullopt);
  EXPECT_STREQ(after, before);
  EXPECT_EQ(TestPlatform().Failures().Count(), 0) << TestPlatform().LastFailure();
}

}  // namespace
