// Entry point of Vantrel.exe.

#include "app/VantrelApp.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/WindowsInclude.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // A second instance hands its right to take the foreground on to the first one, which it
  // is about to ask to come forward.
  ::AllowSetForegroundWindow(ASFW_ANY);

  platform::win32::Win32Platform platform;
  CVantrelApp theApp;
  theApp.InitInstance();
  return 0;
}
