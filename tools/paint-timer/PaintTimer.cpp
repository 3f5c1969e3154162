// Times full repaints of another program's window, the way Windows asks for them: the whole
// client area invalidated and painted at once. For measuring the real canvas (fonts, GDI
// blends) at each display scale under Wine. Usage: VantrelPaintTimer CLASS COUNT
// Prints the client size, then the median and mean milliseconds of one repaint.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The repaint is sent to the other thread; the empty message after it returns only once the
// window has painted, so the time covers the paint however the system delivers it.
void Repaint(HWND w) {
  ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int count = argc == 3 ? _wtoi(argv[2]) : 0;
  if (count <= 0) {
    std::fprintf(stderr, "usage: VantrelPaintTimer CLASS COUNT\n");
    return 2;
  }
  HWND w = nullptr;
  for (HWND c = ::FindWindowExW(nullptr, nullptr, argv[1], nullptr); c != nullptr;
       c = ::FindWindowExW(nullptr, c, argv[1], nullptr)) {
    if (::IsWindowVisible(c)) w = c;
  }
  if (w == nullptr) {
    std::fprintf(stderr, "no visible window of that class\n");
    return 1;
  }
  RECT client{};
  ::GetClientRect(w, &client);
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  for (int i = 0; i < 5; ++i) Repaint(w);
  std::vector<double> ms;
  for (int i = 0; i < count; ++i) {
    LARGE_INTEGER a, b;
    ::QueryPerformanceCounter(&a);
    Repaint(w);
    ::QueryPerformanceCounter(&b);
    ms.push_back(1000.0 * Seconds(a, b, frequency));
  }
  double sum = 0;
  for (double v : ms) sum += v;
  std::sort(ms.begin(), ms.end());
  std::printf("client=%ldx%ld median_ms=%.3f mean_ms=%.3f count=%d\n", client.right, client.bottom,
              ms[ms.size() / 2], sum / static_cast<double>(ms.size()), count);
  return 0;
}
