// A small screen-reader stand-in for the end-to-end tests: finds a top-level window by its
// class, asks it for its accessible object (WM_GETOBJECT, OBJID_CLIENT) the way a reader in
// another process does, and prints the object and each child, one line each:
//   window role=<n> children=<n> name=<text>
//   child=<id> role=<n> state=<hex> x=<n> y=<n> w=<n> h=<n> action=<text>|value=<text>|name=<text>
// (the texts last, separated by '|', UTF-8). Usage: VantrelMsaaProbe CLASS [--default=CHILD]
// where --default carries out a child's default action. Exit code 0 when the object answered.

#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

// MinGW's import libraries carry a wrong IID_IAccessible: Windows' own value.
constexpr GUID kIidAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

std::string Utf8(BSTR text) {
  if (text == nullptr) return {};
  const int wide = static_cast<int>(::SysStringLen(text));
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, wide, out.data(), size, nullptr, nullptr);
  ::SysFreeString(text);
  for (char& c : out) {
    if (c == '\n' || c == '\r' || c == '|') c = ' ';
  }
  return out;
}

VARIANT Child(LONG id) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

LONG Number(const VARIANT& v) {
  return v.vt == VT_I4 ? v.lVal : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: VantrelMsaaProbe CLASS [--default=CHILD]\n");
    return 2;
  }
  LONG defaultChild = 0;
  for (int i = 2; i < argc; ++i) {
    if (std::wcsncmp(argv[i], L"--default=", 10) == 0) defaultChild = _wtoi(argv[i] + 10);
  }
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND window = nullptr;
  // The first visible window of the class.
  for (HWND w = ::FindWindowExW(nullptr, nullptr, argv[1], nullptr); w != nullptr;
       w = ::FindWindowExW(nullptr, w, argv[1], nullptr)) {
    if (::IsWindowVisible(w)) {
      window = w;
      break;
    }
  }
  if (window == nullptr) {
    std::fprintf(stderr, "no visible window of that class\n");
    return 3;
  }
  IAccessible* acc = nullptr;
  const HRESULT hr = ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                                  kIidAccessible, reinterpret_cast<void**>(&acc));
  if (FAILED(hr) || acc == nullptr) {
    std::fprintf(stderr, "AccessibleObjectFromWindow failed: 0x%08lx\n",
                 static_cast<unsigned long>(hr));
    return 4;
  }
  const VARIANT self = Child(CHILDID_SELF);
  VARIANT role;
  ::VariantInit(&role);
  acc->get_accRole(self, &role);
  LONG count = 0;
  acc->get_accChildCount(&count);
  BSTR name = nullptr;
  acc->get_accName(self, &name);
  std::printf("window role=%ld children=%ld name=%s\n", Number(role), count, Utf8(name).c_str());
  for (LONG id = 1; id <= count; ++id) {
    const VARIANT child = Child(id);
    VARIANT childRole, state;
    ::VariantInit(&childRole);
    ::VariantInit(&state);
    acc->get_accRole(child, &childRole);
    acc->get_accState(child, &state);
    LONG x = 0, y = 0, w = 0, h = 0;
    acc->accLocation(&x, &y, &w, &h, child);
    BSTR childName = nullptr, value = nullptr, action = nullptr;
    acc->get_accName(child, &childName);
    acc->get_accValue(child, &value);
    acc->get_accDefaultAction(child, &action);
    const std::string a = Utf8(action), v = Utf8(value), n = Utf8(childName);
    std::printf("child=%ld role=%ld state=%lx x=%ld y=%ld w=%ld h=%ld action=%s|value=%s|name=%s\n",
                id, Number(childRole), static_cast<unsigned long>(Number(state)), x, y, w, h,
                a.c_str(), v.c_str(), n.c_str());
  }
  int result = 0;
  if (defaultChild > 0) {
    const HRESULT done = acc->accDoDefaultAction(Child(defaultChild));
    std::printf("default=%ld result=%08lx\n", defaultChild, static_cast<unsigned long>(done));
    if (FAILED(done)) result = 5;
  }
  acc->Release();
  ::CoUninitialize();
  return result;
}
