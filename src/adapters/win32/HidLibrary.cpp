#include "adapters/win32/HidLibrary.h"

namespace platform::win32 {

namespace {

// Looks `name` up in `module` into `function`; records the first miss.
template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function, FailureLog& failures) {
  FARPROC address = module != nullptr ? ::GetProcAddress(module, name) : nullptr;
  if (address == nullptr) {
    failures.Record(name);
    return false;
  }
  // Through the generic function type, which GCC accepts for any function pointer.
  function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
  return true;
}

}  // namespace

HidLibrary::HidLibrary(FailureLog& failures) {
  m_hid = ::LoadLibraryW(L"hid.dll");
  if (m_hid == nullptr) failures.Record("LoadLibraryW hid.dll");
  m_setupapi = ::LoadLibraryW(L"setupapi.dll");
  if (m_setupapi == nullptr) failures.Record("LoadLibraryW setupapi.dll");
  if (m_hid == nullptr || m_setupapi == nullptr) return;

  bool ok = true;
  ok &= Resolve(m_hid, "HidD_GetHidGuid", GetHidGuid, failures);
  ok &= Resolve(m_hid, "HidD_GetAttributes", GetAttributes, failures);
  ok &= Resolve(m_hid, "HidD_GetPreparsedData", GetPreparsedData, failures);
  ok &= Resolve(m_hid, "HidD_FreePreparsedData", FreePreparsedData, failures);
  ok &= Resolve(m_hid, "HidP_GetCaps", GetCaps, failures);
  ok &= Resolve(m_hid, "HidD_SetFeature", SetFeature, failures);
  ok &= Resolve(m_hid, "HidD_GetFeature", GetFeature, failures);
  ok &= Resolve(m_setupapi, "SetupDiGetClassDevsW", GetClassDevs, failures);
  ok &= Resolve(m_setupapi, "SetupDiEnumDeviceInterfaces", EnumDeviceInterfaces, failures);
  ok &= Resolve(m_setupapi, "SetupDiGetDeviceInterfaceDetailW", GetDeviceInterfaceDetail, failures);
  ok &= Resolve(m_setupapi, "SetupDiDestroyDeviceInfoList", DestroyDeviceInfoList, failures);
  m_loaded = ok;
}

HidLibrary::~HidLibrary() {
  if (m_hid != nullptr) ::FreeLibrary(m_hid);
  if (m_setupapi != nullptr) ::FreeLibrary(m_setupapi);
}

}  // namespace platform::win32
