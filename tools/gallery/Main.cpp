// Entry point of VantrelGallery.exe: the Windows adapter installed as Vantrel.exe installs it,
// the bundled language for the UI font and the OK text, then the gallery dialog.

#include "GalleryDlg.h"
#include "adapters/win32/Win32Platform.h"
#include "adapters/win32/WindowsInclude.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/Text.h"
#include "platform/Platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  platform::win32::Win32Platform platform;
  g_strExeDir = base::FolderOf(platform::Files().ExecutablePath());
  // No data folder of its own: the language comes from lang\ beside the executable.
  g_strDataDir = g_strExeDir;
  g_fUiScale = 1.0f;
  g_fDpiScale = platform::Windows().DpiScale();
  LoadLanguage();
  CGalleryDlg gallery;
  gallery.DoModal();
  return 0;
}
