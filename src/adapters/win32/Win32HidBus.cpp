#include "adapters/win32/Win32HidBus.h"

#include <vector>

#include "adapters/win32/HidLibrary.h"
#include "adapters/win32/UiThreadQueue.h"
#include "adapters/win32/WideText.h"
#include "adapters/win32/Win32HidDevice.h"

#include <dbt.h>

namespace platform::win32 {

namespace {

// Synchronous I/O for feature reports, shared so that other programs can keep the device.
HANDLE OpenPath(const std::wstring& path) {
  return ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
}

}  // namespace

Win32HidBus::Win32HidBus(FailureLog& failures)
    : Win32HidBus(failures, std::make_unique<HidLibrary>(failures)) {}

Win32HidBus::Win32HidBus(FailureLog& failures, std::unique_ptr<HidLibrary> library)
    : m_failures(failures),
      m_library(std::move(library)),
      m_queue(std::make_unique<UiThreadQueue>(failures)) {}

Win32HidBus::~Win32HidBus() {
  if (m_notification != nullptr) ::UnregisterDeviceNotification(m_notification);
}

namespace {

// The device path of one enumerated interface; records what failed.
std::optional<std::wstring> DetailPath(const HidLibrary& library, HDEVINFO list,
                                       SP_DEVICE_INTERFACE_DATA& item, FailureLog& failures) {
  DWORD size = 0;
  library.GetDeviceInterfaceDetail(list, &item, nullptr, 0, &size, nullptr);
  if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
    failures.Record("SetupDiGetDeviceInterfaceDetailW");
    return std::nullopt;
  }
  // DWORD-aligned storage for the variable-length record.
  std::vector<DWORD> storage(size / sizeof(DWORD) + 1);
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
  if (!library.GetDeviceInterfaceDetail(list, &item, detail, size, nullptr, nullptr)) {
    failures.Record("SetupDiGetDeviceInterfaceDetailW");
    return std::nullopt;
  }
  return std::wstring(detail->DevicePath);
}

// The list of HID interfaces present now, and the HID class in `hidClass`;
// INVALID_HANDLE_VALUE (recorded) when the system has none to give.
HDEVINFO PresentHidInterfaces(HidLibrary& library, GUID& hidClass, FailureLog& failures) {
  library.GetHidGuid(&hidClass);
  HDEVINFO list =
      library.GetClassDevs(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (list == INVALID_HANDLE_VALUE) failures.Record("SetupDiGetClassDevsW");
  return list;
}

}  // namespace

std::optional<std::wstring> Win32HidBus::PathAt(int index) {
  if (!m_library->Loaded() || index < 0) return std::nullopt;
  GUID hidClass{};
  HDEVINFO list = PresentHidInterfaces(*m_library, hidClass, m_failures);
  if (list == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::wstring> path;
  SP_DEVICE_INTERFACE_DATA item{};
  item.cbSize = sizeof item;
  if (!m_library->EnumDeviceInterfaces(list, nullptr, &hidClass, static_cast<DWORD>(index),
                                       &item)) {
    // Past the end is the normal way for an enumeration to stop.
    if (::GetLastError() != ERROR_NO_MORE_ITEMS) m_failures.Record("SetupDiEnumDeviceInterfaces");
  } else {
    path = DetailPath(*m_library, list, item, m_failures);
  }
  m_library->DestroyDeviceInfoList(list);
  return path;
}

std::optional<HidInterfaceInfo> Win32HidBus::Query(void* handle, const std::wstring& path) {
  std::optional<HidInterfaceInfo> info;
  HIDD_ATTRIBUTES attributes{};
  attributes.Size = sizeof attributes;
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  HIDP_CAPS caps{};
  if (!m_library->GetAttributes(static_cast<HANDLE>(handle), &attributes)) {
    m_failures.Record("HidD_GetAttributes");
  } else if (!m_library->GetPreparsedData(static_cast<HANDLE>(handle), &preparsed)) {
    m_failures.Record("HidD_GetPreparsedData");
  } else if (NTSTATUS status = m_library->GetCaps(preparsed, &caps);
             status != HIDP_STATUS_SUCCESS) {
    m_failures.RecordCode("HidP_GetCaps", static_cast<uint32_t>(status));
  } else {
    info = HidInterfaceInfo{};
    info->path = FromWide(path);
    info->vendorId = attributes.VendorID;
    info->productId = attributes.ProductID;
    info->versionNumber = attributes.VersionNumber;
    info->usagePage = caps.UsagePage;
    info->usage = caps.Usage;
    info->inputReportLength = caps.InputReportByteLength;
    info->featureReportLength = caps.FeatureReportByteLength;
  }
  if (preparsed != nullptr) m_library->FreePreparsedData(preparsed);
  return info;
}

std::optional<HidInterfaceInfo> Win32HidBus::Probe(const std::wstring& path) {
  HANDLE probe = OpenPath(path);
  if (probe == INVALID_HANDLE_VALUE) {
    // Keyboards and mice of the system are opened exclusively by it: a normal case.
    m_failures.Record("CreateFileW");
    return std::nullopt;
  }
  std::optional<HidInterfaceInfo> info = Query(probe, path);
  ::CloseHandle(probe);
  return info;
}

std::optional<HidInterfaceInfo> Win32HidBus::At(int index) {
  std::optional<std::wstring> path = PathAt(index);
  if (!path) return std::nullopt;
  return Probe(*path);
}

std::vector<std::optional<HidInterfaceInfo>> Win32HidBus::Enumerate(int limit) {
  std::vector<std::optional<HidInterfaceInfo>> infos;
  std::vector<std::wstring> paths;
  if (!m_library->Loaded()) return infos;
  GUID hidClass{};
  HDEVINFO list = PresentHidInterfaces(*m_library, hidClass, m_failures);
  if (list == INVALID_HANDLE_VALUE) return infos;
  for (int index = 0; index < limit; ++index) {
    SP_DEVICE_INTERFACE_DATA item{};
    item.cbSize = sizeof item;
    if (!m_library->EnumDeviceInterfaces(list, nullptr, &hidClass, static_cast<DWORD>(index),
                                         &item)) {
      if (::GetLastError() != ERROR_NO_MORE_ITEMS) {
        m_failures.Record("SetupDiEnumDeviceInterfaces");
      }
      break;
    }
    std::optional<std::wstring> path = DetailPath(*m_library, list, item, m_failures);
    paths.push_back(path.value_or(std::wstring()));
    infos.push_back(path ? Probe(*path) : std::nullopt);
  }
  m_library->DestroyDeviceInfoList(list);
  m_paths = std::move(paths);
  return infos;
}

std::unique_ptr<HidDevice> Win32HidBus::Open(int index) {
  if (index < 0) return nullptr;
  std::wstring path;
  if (m_paths) {
    if (static_cast<size_t>(index) < m_paths->size()) path = (*m_paths)[index];
  } else if (std::optional<std::wstring> fresh = PathAt(index)) {
    path = std::move(*fresh);
  }
  if (path.empty()) return nullptr;
  HANDLE handle = OpenPath(path);
  if (handle == INVALID_HANDLE_VALUE) {
    m_failures.Record("CreateFileW");
    return nullptr;
  }
  // What was opened is what counts, not what the enumeration saw at the index.
  std::optional<HidInterfaceInfo> info = Query(handle, path);
  if (!info) {
    ::CloseHandle(handle);
    return nullptr;
  }
  return std::make_unique<Win32HidDevice>(handle, std::move(path), std::move(*info), *m_library,
                                          *m_queue, m_failures);
}

bool Win32HidBus::RegisterForNotifications(WindowId window) {
  if (!m_library->Loaded()) return false;
  DEV_BROADCAST_DEVICEINTERFACE_W filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  m_library->GetHidGuid(&filter.dbcc_classguid);
  HDEVNOTIFY notification = ::RegisterDeviceNotificationW(reinterpret_cast<HWND>(window), &filter,
                                                          DEVICE_NOTIFY_WINDOW_HANDLE);
  if (notification == nullptr) {
    m_failures.Record("RegisterDeviceNotificationW");
    return false;
  }
  // One registration at a time: the program registers its main window once.
  if (m_notification != nullptr) ::UnregisterDeviceNotification(m_notification);
  m_notification = notification;
  return true;
}

}  // namespace platform::win32
