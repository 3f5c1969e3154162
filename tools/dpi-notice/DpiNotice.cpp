// Stands in for Windows telling the program's windows that the display's scale changed, for
// the end-to-end tests: Wine never sends WM_DPICHANGED itself. Sends it, with the new DPI and
// no suggested rectangle, to every visible top-level window of the given window classes, in
// the order given. Usage: VantrelDpiNotice DPI CLASS... Exit code 0 when a window got it.

#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: VantrelDpiNotice DPI CLASS...\n");
    return 2;
  }
  const int dpi = _wtoi(argv[1]);
  if (dpi <= 0) return 2;
  int told = 0;
  for (int i = 2; i < argc; ++i) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, argv[i], nullptr); w != nullptr;
         w = ::FindWindowExW(nullptr, w, argv[i], nullptr)) {
      if (!::IsWindowVisible(w)) continue;
      DWORD_PTR result = 0;
      if (::SendMessageTimeoutW(w, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0, SMTO_NORMAL, 10000,
                                &result) != 0) {
        ++told;
      }
    }
  }
  std::printf("told=%d\n", told);
  return told > 0 ? 0 : 1;
}
