#pragma once
// The hid.dll and setupapi entry points, looked up once at run time. Nothing else in the
// program names them; a missing library or function leaves the bus empty instead of
// stopping the program from starting.

#include "adapters/win32/WindowsInclude.h"

#include <hidsdi.h>
#include <setupapi.h>

#include "adapters/win32/FailureLog.h"

namespace platform::win32 {

class HidLibrary {
 public:
  explicit HidLibrary(FailureLog& failures);
  ~HidLibrary();
  HidLibrary(const HidLibrary&) = delete;
  HidLibrary& operator=(const HidLibrary&) = delete;

  // True when every function below was found.
  bool Loaded() const { return m_loaded; }

  void(WINAPI* GetHidGuid)(GUID*) = nullptr;
  BOOLEAN(WINAPI* GetAttributes)(HANDLE, HIDD_ATTRIBUTES*) = nullptr;
  BOOLEAN(WINAPI* GetPreparsedData)(HANDLE, PHIDP_PREPARSED_DATA*) = nullptr;
  BOOLEAN(WINAPI* FreePreparsedData)(PHIDP_PREPARSED_DATA) = nullptr;
  NTSTATUS(WINAPI* GetCaps)(PHIDP_PREPARSED_DATA, HIDP_CAPS*) = nullptr;
  BOOLEAN(WINAPI* SetFeature)(HANDLE, PVOID, ULONG) = nullptr;
  BOOLEAN(WINAPI* GetFeature)(HANDLE, PVOID, ULONG) = nullptr;

  HDEVINFO(WINAPI* GetClassDevs)(const GUID*, PCWSTR, HWND, DWORD) = nullptr;
  BOOL(WINAPI* EnumDeviceInterfaces)
  (HDEVINFO, SP_DEVINFO_DATA*, const GUID*, DWORD, SP_DEVICE_INTERFACE_DATA*) = nullptr;
  BOOL(WINAPI* GetDeviceInterfaceDetail)
  (HDEVINFO, SP_DEVICE_INTERFACE_DATA*, SP_DEVICE_INTERFACE_DETAIL_DATA_W*, DWORD, DWORD*,
   SP_DEVINFO_DATA*) = nullptr;
  BOOL(WINAPI* DestroyDeviceInfoList)(HDEVINFO) = nullptr;

 private:
  HMODULE m_hid = nullptr;
  HMODULE m_setupapi = nullptr;
  bool m_loaded = false;
};

}  // namespace platform::win32
