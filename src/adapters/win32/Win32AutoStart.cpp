#include "adapters/win32/Win32AutoStart.h"

#include <vector>

#include "adapters/win32/WideText.h"
#include "adapters/win32/WindowsInclude.h"

namespace platform::win32 {

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring EntryName() {
  return Wide(AutoStart::kEntryName);
}

}  // namespace

std::optional<std::u16string> Win32AutoStart::Entry() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::optional<std::u16string> entry;
  DWORD type = 0;
  DWORD bytes = 0;
  const std::wstring name = EntryName();
  if (::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ)) {
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                           &size) == ERROR_SUCCESS) {
      entry = FromWide(std::wstring(data.data()));
    }
  }
  ::RegCloseKey(key);
  return entry;
}

bool Win32AutoStart::Enable() {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    m_failures.Record("RegCreateKeyExW");
    return false;
  }
  std::wstring data = L"\"";
  data += Wide(m_executable);
  data += L'"';
  const LSTATUS status = ::RegSetValueExW(key, EntryName().c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(data.c_str()),
                                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS) m_failures.RecordCode("RegSetValueExW", status);
  return status == ERROR_SUCCESS;
}

bool Win32AutoStart::Disable() {
  HKEY key = nullptr;
  const LSTATUS opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key);
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (opened != ERROR_SUCCESS) {
    m_failures.RecordCode("RegOpenKeyExW", opened);
    return false;
  }
  const LSTATUS status = ::RegDeleteValueW(key, EntryName().c_str());
  ::RegCloseKey(key);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    m_failures.RecordCode("RegDeleteValueW", status);
    return false;
  }
  return true;
}

}  // namespace platform::win32
