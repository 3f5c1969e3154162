// Entry point of VantrelGallery.exe: the Windows adapter installed as Vantrel.exe installs it,
// the bundled language for the UI font and the OK text, then the gallery dialog.
// --state-log=FILE writes what the text entries hold and the last menu choice to FILE.

#include "GalleryDlg.h"
#include "adapters/win32/WideText.h"
#include "adapters/win32/Win32Platform.h"
#include "adapters/win32/WindowsInclude.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/Text.h"
#include "platform/Platform.h"

#include <shellapi.h>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  platform::win32::Win32Platform platform;
  g_strExeDir = base::FolderOf(platform::Files().ExecutablePath());
  // No data folder of its own: the language comes from lang\ beside the executable.
  g_strDataDir = g_strExeDir;
  g_fUiScale = 1.0f;
  g_fDpiScale = platform::Windows().DpiScale();
  LoadLanguage();
  CGalleryDlg gallery;
  int argc = 0;
  if (LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc)) {
    const std::wstring option = L"--state-log=";
    for (int i = 1; i < argc; ++i) {
      const std::wstring arg = argv[i];
      if (arg.rfind(option, 0) == 0) {
        gallery.SetStateLog(platform::win32::FromWide(arg.substr(option.size())));
      }
    }
    ::LocalFree(argv);
  }
  gallery.DoModal();
  return 0;
}
