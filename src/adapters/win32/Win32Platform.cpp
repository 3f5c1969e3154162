#include "adapters/win32/Win32Platform.h"

#include "adapters/win32/GdiPlusInclude.h"
#include "adapters/win32/Win32AutoStart.h"
#include "adapters/win32/Win32Clipboard.h"
#include "adapters/win32/Win32Clock.h"
#include "adapters/win32/Win32Crypto.h"
#include "adapters/win32/Win32FileSystem.h"
#include "adapters/win32/Win32Graphics.h"
#include "adapters/win32/Win32HidBus.h"
#include "adapters/win32/Win32Programs.h"
#include "adapters/win32/Win32Shell.h"
#include "adapters/win32/Win32System.h"
#include "adapters/win32/Win32Tray.h"
#include "adapters/win32/Win32WindowSystem.h"

#include <commctrl.h>

namespace platform::win32 {

Win32Platform::Win32Platform() {
  INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
  if (!::InitCommonControlsEx(&controls)) m_failures.Record("InitCommonControlsEx");

  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::Status status = Gdiplus::GdiplusStartup(&token, &input, nullptr);
  if (status != Gdiplus::Ok) {
    // Images will not load; windows, text and plain drawing still work.
    m_failures.RecordCode("GdiplusStartup", status);
    token = 0;
  }
  m_gdiplusToken = token;

  m_files = std::make_unique<Win32FileSystem>(m_failures);
  m_clock = std::make_unique<Win32Clock>(m_failures);
  m_system = std::make_unique<Win32System>(m_failures);
  m_graphics = std::make_unique<Win32Graphics>(*m_files, *m_system, m_failures);
  m_windows = std::make_unique<Win32WindowSystem>(m_failures);
  m_hid = std::make_unique<Win32HidBus>(m_failures);
  m_shell = std::make_unique<Win32Shell>(m_failures);
  m_tray = std::make_unique<Win32Tray>(m_failures);
  m_clipboard = std::make_unique<Win32Clipboard>(m_failures);
  m_crypto = std::make_unique<Win32Crypto>(m_failures);
  m_programs = std::make_unique<Win32Programs>(m_failures);
  m_autoStart = std::make_unique<Win32AutoStart>(m_failures, m_files->ExecutablePath());

  m_services.files = m_files.get();
  m_services.clock = m_clock.get();
  m_services.windows = m_windows.get();
  m_services.graphics = m_graphics.get();
  m_services.hid = m_hid.get();
  m_services.shell = m_shell.get();
  m_services.tray = m_tray.get();
  m_services.system = m_system.get();
  m_services.clipboard = m_clipboard.get();
  m_services.crypto = m_crypto.get();
  m_services.programs = m_programs.get();
  m_services.autoStart = m_autoStart.get();
  Install(m_services);
}

Win32Platform::~Win32Platform() {
  if (Current().windows == m_services.windows) Install(Services{});
  m_tray.reset();  // icons go before the windows they report to
  m_programs.reset();
  m_hid.reset();
  m_windows.reset();  // its back buffers are GDI+ bitmaps
  m_graphics.reset();
  if (m_gdiplusToken != 0) Gdiplus::GdiplusShutdown(m_gdiplusToken);
}

}  // namespace platform::win32
