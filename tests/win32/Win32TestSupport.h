#pragma once
// Shared pieces of the adapter tests: one Win32Platform for the whole run and a scratch
// folder per test.

#include <string>

#include "adapters/win32/WideText.h"
#include "adapters/win32/Win32Platform.h"
#include "adapters/win32/WindowsInclude.h"
#include "platform/Platform.h"

#include <functional>

namespace win32test {

// Dispatches messages until `done` holds; gives up after `limitMs` so that a lost message
// fails the test instead of hanging it. The limit is a guard, not a measurement.
inline bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000) {
  const ULONGLONG deadline = ::GetTickCount64() + limitMs;
  while (!done()) {
    ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return false;
    ::MsgWaitForMultipleObjects(
        0, nullptr, FALSE,
        static_cast<DWORD>(deadline - now) < 50 ? static_cast<DWORD>(deadline - now) : 50,
        QS_ALLINPUT);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return true;
}

inline platform::win32::Win32Platform& TestPlatform() {
  static platform::win32::Win32Platform instance;
  return instance;
}

// A fresh folder under the temporary folder, removed with its files afterwards.
class TempFolder {
 public:
  TempFolder() {
    TestPlatform();
    wchar_t base[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    m_path = platform::win32::FromWide(base) + u"vantrel-test-" +
             platform::win32::FromWide(std::to_wstring(::GetCurrentProcessId())) + u"-" +
             platform::win32::FromWide(std::to_wstring(++counter));
    ::CreateDirectoryW(platform::win32::Wide(m_path).c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(platform::win32::Wide(m_path)); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::u16string& path() const { return m_path; }
  std::u16string operator/(std::u16string_view name) const {
    return m_path + u"\\" + std::u16string(name);
  }

 private:
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring full = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(full);
        } else {
          ::DeleteFileW(full.c_str());
        }
      } while (::FindNextFileW(find, &found));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
  }

  std::u16string m_path;
};

}  // namespace win32test
