// Keyboard hook, tray icon and menu, shell, downloads and file dialogs.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "Win32TestSupport.h"
#include "platform/KeyEventParam.h"

namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowId;
using platform::WParam;
using win32test::PumpUntil;
using win32test::TempFolder;
using win32test::TestPlatform;

struct Message {
  uint32_t id;
  WParam wParam;
  LParam lParam;
};

class Recorder : public platform::WindowHandler {
 public:
  std::vector<Message> seen;
  LResult OnMessage(WindowId, uint32_t message, WParam wParam, LParam lParam,
                    bool& handled) override {
    if (message >= platform::msg::kUser || message == platform::msg::kCommand) {
      seen.push_back({message, wParam, lParam});
    }
    handled = false;
    return 0;
  }
  std::vector<Message> Of(uint32_t id) const {
    std::vector<Message> found;
    for (const Message& m : seen)
      if (m.id == id) found.push_back(m);
    return found;
  }
};

struct TestWindow {
  Recorder recorder;
  WindowId id = 0;
  explicit TestWindow(bool visible = false) {
    TestPlatform();
    platform::WindowDesc desc;
    desc.className = u"VantrelServicesTestWindow";
    desc.title = u"Vantrel services test";
    desc.rect = {40, 40, 240, 140};
    desc.kind = platform::WindowKind::Main;
    desc.visible = visible;
    id = platform::Windows().CreateWindow(desc, &recorder);
  }
  ~TestWindow() { platform::Windows().DestroyWindow(id); }
  HWND hwnd() const { return reinterpret_cast<HWND>(id); }
};

void Key(WORD vk, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof input);
}

TEST(Win32KeyboardHook, DeliversKeyCodesReleaseFlagsAndTimesUntilStopped) {
  TestWindow window;
  ASSERT_NE(window.id, 0u);
  platform::System& system = platform::Sys();
  system.StopKeyboardHook();  // never started: harmless
  ASSERT_TRUE(system.StartKeyboardHook(window.id)) << TestPlatform().LastFailure();
  Key('A', false);
  Key('A', true);
  Key(VK_LSHIFT, false);
  Key(VK_LSHIFT, true);
  ASSERT_TRUE(PumpUntil([&] { return window.recorder.Of(0x401).size() >= 4; }));
  std::vector<Message> keys = window.recorder.Of(0x401);
  ASSERT_EQ(keys.size(), 4u);
  const std::vector<std::pair<WParam, bool>> expected = {
      {'A', false}, {'A', true}, {VK_LSHIFT, false}, {VK_LSHIFT, true}};
  for (size_t i = 0; i < keys.size(); ++i) {
    EXPECT_EQ(keys[i].wParam, expected[i].first) << i;
    EXPECT_EQ(platform::IsKeyRelease(keys[i].lParam), expected[i].second) << i;
    if (i > 0) {
      EXPECT_LT(platform::KeyEventInterval(keys[i - 1].lParam, keys[i].lParam), 0x40000000u);
    }
  }

  system.StopKeyboardHook();
  system.StopKeyboardHook();
  window.recorder.seen.clear();
  Key('B', false);
  Key('B', true);
  platform::Time().PumpDelay(100);
  EXPECT_TRUE(window.recorder.Of(0x401).empty());
}

TEST(Win32KeyboardHook, StartingAgainRetargets) {
  TestWindow first;
  TestWindow second;
  platform::System& system = platform::Sys();
  ASSERT_TRUE(system.StartKeyboardHook(first.id));
  ASSERT_TRUE(system.StartKeyboardHook(second.id));
  Key('C', false);
  Key('C', true);
  ASSERT_TRUE(PumpUntil([&] { return second.recorder.Of(0x401).size() >= 2; }));
  system.StopKeyboardHook();
  EXPECT_TRUE(first.recorder.Of(0x401).empty());
}

TEST(Win32Tray, IconIsAddedAndRemovedAndItsCallbackReachesTheOwner) {
  TestWindow window;
  platform::Tray& tray = platform::TrayIcon();
  ASSERT_TRUE(tray.Add(window.id, 128, 1056, 128, u"Gaming Mouse")) << TestPlatform().LastFailure();
  // What the shell sends for a click on the icon.
  ::PostMessageW(window.hwnd(), 1056, 128, WM_RBUTTONUP);
  ASSERT_TRUE(PumpUntil([&] { return !window.recorder.Of(1056).empty(); }));
  EXPECT_EQ(window.recorder.Of(1056)[0].wParam, 128u);
  EXPECT_EQ(window.recorder.Of(1056)[0].lParam, WM_RBUTTONUP);

  EXPECT_TRUE(tray.Remove(window.id, 128));
  TestPlatform().Failures().Clear();
  EXPECT_FALSE(tray.Remove(window.id, 128));
  EXPECT_NE(TestPlatform().LastFailure().find("Shell_NotifyIconW"), std::string::npos);
}

TEST(Win32Tray, MenuPostsTheChosenCommandAndSkipsSeparators) {
  TestWindow window(true);
  // Keys waiting in the queue drive the menu's own loop: down to the first item, over the
  // separator to the second, choose it.
  ::PostMessageW(window.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageW(window.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  ::PostMessageW(window.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  platform::TrayIcon().ShowMenu(window.id, {{2075, u"Open"}, {0, u""}, {2076, u"Exit"}});
  ASSERT_TRUE(PumpUntil([&] { return !window.recorder.Of(WM_COMMAND).empty(); }, 3000));
  EXPECT_EQ(window.recorder.Of(WM_COMMAND)[0].wParam, 2076u);

  window.recorder.seen.clear();
  ::PostMessageW(window.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  platform::TrayIcon().ShowMenu(window.id, {{2075, u"Open"}, {0, u""}, {2076, u"Exit"}});
  platform::Time().PumpDelay(50);
  EXPECT_TRUE(window.recorder.Of(WM_COMMAND).empty());
}

TEST(Win32Shell, StartsProgramsAndRecordsWhatCouldNotBeStarted) {
  TestPlatform();
  platform::Shell& shell = platform::ShellServices();
  EXPECT_TRUE(shell.Execute(u"cmd.exe /c exit 0")) << TestPlatform().LastFailure();
  TestPlatform().Failures().Clear();
  EXPECT_FALSE(shell.Execute(u"C:\\no such folder\\nothing.exe"));
  EXPECT_NE(TestPlatform().LastFailure().find("WinExec"), std::string::npos);
  if (::GetACP() != CP_UTF8) {
    EXPECT_FALSE(shell.Execute(u"C:\\\u4E2D\u6587\\tool.exe"));
    EXPECT_NE(TestPlatform().LastFailure().find("WideCharToMultiByte"), std::string::npos);
  }
  TestPlatform().Failures().Clear();
  EXPECT_FALSE(shell.Open(u"C:\\no such folder\\nothing.psf"));
  EXPECT_NE(TestPlatform().LastFailure().find("ShellExecuteW"), std::string::npos);
}

TEST(Win32Shell, DownloadsToAFileAndReportsAFailedDownload) {
  TempFolder folder;
  const std::u16string source = folder / u"VersionInfo source.ini";
  ASSERT_TRUE(platform::Files().WriteAll(source, "2.1.7\nSHA256=00\n"));
  const std::u16string target = folder / u"VersionInfo.ini";
  std::u16string url = u"file:///" + source;
  ASSERT_TRUE(platform::ShellServices().Download(url, target, 64 * 1024))
      << TestPlatform().LastFailure();
  EXPECT_EQ(platform::Files().ReadAll(target), std::optional<std::string>("2.1.7\nSHA256=00\n"));

  // Over the limit: refused, and nothing is left to be read.
  ASSERT_TRUE(platform::Files().WriteAll(source, std::string(70000, 'x')));
  EXPECT_FALSE(platform::ShellServices().Download(url, folder / u"big.ini", 64 * 1024));
  EXPECT_FALSE(platform::Files().FileExists(folder / u"big.ini"));
  EXPECT_TRUE(platform::ShellServices().Download(url, folder / u"big.ini", 0));

  TestPlatform().Failures().Clear();
  EXPECT_FALSE(platform::ShellServices().Download(u"file:///" + (folder / u"missing.ini"),
                                                  folder / u"out.ini", 0));
  EXPECT_NE(TestPlatform().LastFailure().find("URLDownloadToFileW"), std::string::npos);
  EXPECT_FALSE(platform::Files().FileExists(folder / u"out.ini"));
}

// The held copy: a new file that nobody can write, rename or delete while it is held, read
// back exactly; released when it could not be started.
TEST(Win32Shell, HoldsAPrivateCopyThatCannotBeChangedUntilReleased) {
  TempFolder folder;
  const std::u16string source = folder / u"update.exe";
  std::string content(3 << 20, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 + (i >> 12));
  ASSERT_TRUE(platform::Files().WriteAll(source, content));
  auto held = platform::ShellServices().HoldCopy(source, folder.path());
  ASSERT_NE(held, nullptr) << TestPlatform().LastFailure();
  std::u16string copy;
  for (const auto& name : platform::Files().FileNames(folder.path())) {
    if (name != u"update.exe") copy = folder / name;
  }
  ASSERT_FALSE(copy.empty());
  const std::wstring wide = platform::win32::Wide(copy);

  HANDLE writer = ::CreateFileW(wide.c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) ::CloseHandle(writer);
  EXPECT_FALSE(::DeleteFileW(wide.c_str()));
  EXPECT_FALSE(::MoveFileExW(wide.c_str(), (wide + L".moved").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_FALSE(platform::Files().WriteAll(copy, "MZ something else"));
  // The source itself may change or go: the copy does not follow it.
  ASSERT_TRUE(platform::Files().Remove(source));

  std::string read;
  std::vector<uint8_t> buffer(100000);
  for (;;) {
    const auto n = held->Read(buffer);
    ASSERT_TRUE(n.has_value());
    if (*n == 0) break;
    read.append(reinterpret_cast<const char*>(buffer.data()), *n);
  }
  EXPECT_TRUE(read == content);

  // Not a program: not started, and no longer held.
  EXPECT_FALSE(held->Start());
  EXPECT_NE(TestPlatform().LastFailure().find("CreateProcessW"), std::string::npos);
  EXPECT_TRUE(::DeleteFileW(wide.c_str()));

  // A second copy never reuses a name.
  ASSERT_TRUE(platform::Files().WriteAll(source, "MZ"));
  auto first = platform::ShellServices().HoldCopy(source, folder.path());
  auto second = platform::ShellServices().HoldCopy(source, folder.path());
  ASSERT_TRUE(first && second);
  EXPECT_EQ(platform::Files().FileNames(folder.path()).size(), 3u);
  EXPECT_EQ(platform::ShellServices().HoldCopy(folder / u"missing.exe", folder.path()), nullptr);
}

// The download on a worker: the observer hears progress and the end on this thread.
struct DownloadRecorder : platform::DownloadObserver {
  int progress = 0;
  int finished = 0;
  bool ok = false;
  DWORD thread = 0;
  void OnDownloadProgress(uint64_t, uint64_t) override {
    ++progress;
    thread = ::GetCurrentThreadId();
  }
  void OnDownloadFinished(bool result) override {
    ++finished;
    ok = result;
    thread = ::GetCurrentThreadId();
  }
};

TEST(Win32Shell, DownloadsOnAWorkerAndReportsOnTheUiThread) {
  TempFolder folder;
  const std::string content(300000, 'x');
  const std::u16string source = folder / u"installer source.exe";
  ASSERT_TRUE(platform::Files().WriteAll(source, content));
  const std::u16string target = folder / u"update.exe";

  DownloadRecorder recorder;
  auto job = platform::ShellServices().StartDownload(u"file:///" + source, target, recorder);
  ASSERT_TRUE(job) << TestPlatform().LastFailure();
  EXPECT_TRUE(PumpUntil([&] { return recorder.finished > 0; }, 10000));
  EXPECT_EQ(recorder.finished, 1);
  EXPECT_TRUE(recorder.ok);
  EXPECT_EQ(recorder.thread, ::GetCurrentThreadId());
  EXPECT_EQ(platform::Files().ReadAll(target), std::optional<std::string>(content));

  // A missing source ends with a failure, recorded.
  job.reset();
  DownloadRecorder failing;
  TestPlatform().Failures().Clear();
  auto missing = platform::ShellServices().StartDownload(u"file:///" + (folder / u"missing.exe"),
                                                         folder / u"out.exe", failing);
  ASSERT_TRUE(missing);
  EXPECT_TRUE(PumpUntil([&] { return failing.finished > 0; }, 10000));
  EXPECT_FALSE(failing.ok);
  EXPECT_NE(TestPlatform().LastFailure().find("URLDownloadToFileW"), std::string::npos);
}

TEST(Win32Shell, ACancelledDownloadTellsNothingMore) {
  TempFolder folder;
  const std::u16string source = folder / u"big.bin";
  ASSERT_TRUE(platform::Files().WriteAll(source, std::string(2000000, 'y')));
  DownloadRecorder recorder;
  auto job =
      platform::ShellServices().StartDownload(u"file:///" + source, folder / u"copy.bin", recorder);
  ASSERT_TRUE(job);
  job->Cancel();
  // The worker ends by itself; afterwards a new download may start.
  std::unique_ptr<platform::DownloadJob> next;
  DownloadRecorder second;
  EXPECT_TRUE(PumpUntil(
      [&] {
        if (!next)
          next = platform::ShellServices().StartDownload(u"file:///" + source,
                                                         folder / u"again.bin", second);
        return next && second.finished > 0;
      },
      20000));
  EXPECT_EQ(recorder.finished, 0);
  EXPECT_EQ(recorder.progress, 0);
  EXPECT_TRUE(second.ok);
}

// Plays the user in the next file dialog: waits for its window, then fills in a name and
// presses OK, or cancels.
class DialogUser {
 public:
  DialogUser(std::wstring title, std::wstring name)
      : m_title(std::move(title)), m_name(std::move(name)) {
    m_thread = ::CreateThread(nullptr, 0, &DialogUser::Main, this, 0, nullptr);
  }
  ~DialogUser() {
    if (m_thread != nullptr) {
      ::WaitForSingleObject(m_thread, INFINITE);
      ::CloseHandle(m_thread);
    }
  }
  bool Found() const { return m_found; }

 private:
  static DWORD WINAPI Main(void* self) {
    auto* user = static_cast<DialogUser*>(self);
    for (int i = 0; i < 200 && !user->m_found; ++i) {
      HWND dialog = ::FindWindowW(L"#32770", user->m_title.c_str());
      if (dialog != nullptr) {
        user->m_found = true;
        if (!user->m_name.empty()) {
          // The name box: a plain edit (edt1) or the edit inside the name combo (cmb13).
          HWND edit = ::GetDlgItem(dialog, 0x480);
          if (edit == nullptr) {
            HWND combo = ::GetDlgItem(dialog, 0x47C);
            edit = combo != nullptr ? ::FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
            if (edit == nullptr) edit = combo;
          }
          ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(user->m_name.c_str()));
          ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        } else {
          ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
        break;
      }
      ::Sleep(50);
    }
    return 0;
  }

  std::wstring m_title;
  std::wstring m_name;
  std::atomic<bool> m_found{false};
  HANDLE m_thread = nullptr;
};

std::wstring CurrentFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  ::GetCurrentDirectoryW(MAX_PATH, buffer);
  return buffer;
}

platform::FileDialogDesc ProfileDialog(const std::u16string& title) {
  platform::FileDialogDesc desc;
  desc.title = title;
  desc.defaultExtension = u"psf";
  desc.filter = u"psf file(*.psf)|*.psf||";
  return desc;
}

TEST(Win32Shell, CancelledOpenDialogGivesNothingAndChangesNothing) {
  TempFolder folder;
  const std::wstring before = CurrentFolder();
  TestPlatform().Failures().Clear();
  platform::FileDialogDesc desc = ProfileDialog(u"Import profile test");
  desc.mustExist = true;
  std::optional<std::u16string> chosen;
  {
    DialogUser user(L"Import profile test", L"");
    chosen = platform::ShellServices().OpenFileDialog(desc);
    EXPECT_TRUE(user.Found());
  }
  EXPECT_EQ(chosen, std::nullopt);
  EXPECT_EQ(CurrentFolder(), before);
  EXPECT_EQ(TestPlatform().Failures().Count(), 0) << TestPlatform().LastFailure();
}

TEST(Win32Shell, SaveDialogAddsTheDefaultExtensionAndKeepsTheCurrentFolder) {
  TempFolder folder;
  const std::wstring before = CurrentFolder();
  const std::wstring typed = platform::win32::Wide(folder / u"exported");
  std::optional<std::u16string> chosen;
  {
    DialogUser user(L"Export profile test", typed);
    platform::FileDialogDesc desc = ProfileDialog(u"Export profile test");
    desc.overwritePrompt = true;
    chosen = platform::ShellServices().SaveFileDialog(desc);
    EXPECT_TRUE(user.Found());
  }
  ASSERT_TRUE(chosen.has_value()) << TestPlatform().LastFailure();
  EXPECT_EQ(*chosen, (folder / u"exported.psf"));
  EXPECT_EQ(CurrentFolder(), before);
}

}  // namespace
