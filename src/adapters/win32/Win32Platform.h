#pragma once
// The Windows adapter: starts GDI+, creates every platform service and installs them as the
// process's platform for its lifetime. Construct exactly one, on the user-interface thread,
// before any program code runs.

#include <cstdint>
#include <memory>
#include <string>

#include "adapters/win32/FailureLog.h"
#include "platform/Platform.h"

namespace platform::win32 {

class Win32AutoStart;
class Win32Clipboard;
class Win32Clock;
class Win32Crypto;
class Win32FileSystem;
class Win32Graphics;
class Win32HidBus;
class Win32Programs;
class Win32Shell;
class Win32System;
class Win32Tray;
class Win32WindowSystem;

class Win32Platform {
 public:
  Win32Platform();
  // Uninstalls the services, destroys windows still open and shuts GDI+ down. Images, fonts
  // and canvases must be gone by then.
  ~Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // The system call that failed last, with its error code ("CreateFileW (error 2)"), or empty.
  std::string LastFailure() const { return m_failures.Last(); }
  FailureLog& Failures() { return m_failures; }
  bool GdiplusStarted() const { return m_gdiplusToken != 0; }

  const Services& services() const { return m_services; }

 private:
  FailureLog m_failures;
  uintptr_t m_gdiplusToken = 0;
  std::unique_ptr<Win32FileSystem> m_files;
  std::unique_ptr<Win32Clock> m_clock;
  std::unique_ptr<Win32System> m_system;
  std::unique_ptr<Win32Graphics> m_graphics;
  std::unique_ptr<Win32WindowSystem> m_windows;
  std::unique_ptr<Win32HidBus> m_hid;
  std::unique_ptr<Win32Shell> m_shell;
  std::unique_ptr<Win32Tray> m_tray;
  std::unique_ptr<Win32Clipboard> m_clipboard;
  std::unique_ptr<Win32Crypto> m_crypto;
  std::unique_ptr<Win32Programs> m_programs;
  std::unique_ptr<Win32AutoStart> m_autoStart;
  Services m_services;
};

}  // namespace platform::win32
