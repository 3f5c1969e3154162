// The companion's adapters under Wine: the Run entry in the registry, the held process whose
// end reaches the user-interface thread, and the cost of one look at the foreground.

#include <gtest/gtest.h>

#include <cstdio>

#include "Win32TestSupport.h"
#include "adapters/win32/Win32AutoStart.h"
#include "adapters/win32/Win32Programs.h"

namespace {

using win32test::PumpUntil;
using win32test::TestPlatform;

TEST(AutoStartTest, TheRunEntryHoldsTheQuotedProgramPath) {
  TestPlatform();
  platform::win32::FailureLog failures;
  const std::u16string exe = u"C:\\Program Files\\Vantrel Test\\Vantrel.exe";
  std::u16string quoted = u"\"";
  quoted += exe;
  quoted += u'"';
  platform::win32::Win32AutoStart autoStart(failures, exe);
  ASSERT_TRUE(autoStart.Disable());
  EXPECT_FALSE(autoStart.Entry().has_value());
  ASSERT_TRUE(autoStart.Enable());
  ASSERT_TRUE(autoStart.Entry().has_value());
  EXPECT_EQ(*autoStart.Entry(), quoted);
  // What the installer writes is read back under the same name.
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                            0, KEY_QUERY_VALUE, &key),
            ERROR_SUCCESS);
  wchar_t data[512] = {};
  DWORD size = sizeof data;
  EXPECT_EQ(
      ::RegQueryValueExW(key, L"Vantrel", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
      ERROR_SUCCESS);
  ::RegCloseKey(key);
  EXPECT_EQ(platform::win32::FromWide(data), quoted);
  ASSERT_TRUE(autoStart.Disable());
  EXPECT_FALSE(autoStart.Entry().has_value());
  EXPECT_TRUE(autoStart.Disable());  // none there: still done
}

class Observer : public platform::ProgramObserver {
 public:
  int changes = 0;
  int exits = 0;
  void OnForegroundChanged() override { ++changes; }
  void OnHeldProcessExited() override { ++exits; }
};

// Started suspended, so that the test decides when it may end.
PROCESS_INFORMATION StartShortProcess() {
  // A second copy of this program that lists its tests and ends.
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"";
  command += self;
  command += L"\" --gtest_list_tests";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &info)) {
    return {};
  }
  return info;
}

TEST(ProgramsTest, TheEndOfAHeldProcessReachesTheObserverOnThisThread) {
  TestPlatform();
  platform::win32::FailureLog failures;
  platform::win32::Win32Programs programs(failures);
  Observer observer;
  programs.Watch(&observer);
  PROCESS_INFORMATION child = StartShortProcess();
  ASSERT_NE(child.hProcess, nullptr);
  ASSERT_TRUE(programs.HoldProcess(child.dwProcessId));
  // Held while suspended: nothing yet.
  EXPECT_FALSE(PumpUntil([&] { return observer.exits > 0; }, 300));
  ::ResumeThread(child.hThread);
  EXPECT_TRUE(PumpUntil([&] { return observer.exits > 0; }));
  EXPECT_EQ(observer.exits, 1);

  // A released hold says nothing when its process ends.
  PROCESS_INFORMATION second = StartShortProcess();
  ASSERT_TRUE(programs.HoldProcess(second.dwProcessId));
  programs.ReleaseProcess();
  ::ResumeThread(second.hThread);
  ::WaitForSingleObject(second.hProcess, 10000);
  EXPECT_FALSE(PumpUntil([&] { return observer.exits > 1; }, 300));
  for (auto* info : {&child, &second}) {
    ::CloseHandle(info->hThread);
    ::CloseHandle(info->hProcess);
  }
  programs.Watch(nullptr);
  EXPECT_FALSE(programs.HoldProcess(0));
}

TEST(ProgramsTest, TheForegroundIsOurWindowOrNone) {
  TestPlatform();
  platform::win32::FailureLog failures;
  platform::win32::Win32Programs programs(failures);
  const platform::ForegroundProgram front = programs.Foreground();
  if (!front.path.empty()) {
    EXPECT_NE(front.processId, 0u);
    EXPECT_NE(front.path.find(u".exe"), std::u16string::npos);
  } else {
    EXPECT_EQ(front.processId, 0u);
  }
}

// Not a test: prints what one look at the foreground costs (run it with a program in front).
TEST(ProgramsTest, DISABLED_ForegroundLookCost) {
  TestPlatform();
  platform::win32::FailureLog failures;
  platform::win32::Win32Programs programs(failures);
  constexpr int kLooks = 20000;
  FILETIME created, ended, kernelBefore, userBefore, kernelAfter, userAfter;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernelBefore, &userBefore);
  LARGE_INTEGER frequency, start, stop;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  size_t found = 0;
  for (int i = 0; i < kLooks; ++i) found += programs.Foreground().path.size();
  ::QueryPerformanceCounter(&stop);
  ::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernelAfter, &userAfter);
  auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  const double cpuUs = static_cast<double>(ticks(kernelAfter) - ticks(kernelBefore) +
                                           ticks(userAfter) - ticks(userBefore)) /
                       10.0;
  const double wallUs = static_cast<double>(stop.QuadPart - start.QuadPart) * 1e6 /
                        static_cast<double>(frequency.QuadPart);
  std::printf(
      "front: %ls\nlooks: %d, wall %.2f us each, process CPU %.2f us each, "
      "share of a core at one look a second: %.5f %%\n",
      platform::win32::Wide(programs.Foreground().path).c_str(), kLooks, wallUs / kLooks,
      cpuUs / kLooks, cpuUs / kLooks / 1e6 * 100.0);
  EXPECT_GT(found, 0u);
}

}  // namespace
