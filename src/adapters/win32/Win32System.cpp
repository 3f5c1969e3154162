#include "adapters/win32/Win32System.h"

#include "adapters/win32/WindowsInclude.h"

#include "adapters/win32/WideText.h"

namespace platform::win32 {

Win32System::~Win32System() {
  for (void* mutex : m_mutexes) ::CloseHandle(mutex);
}

bool Win32System::CreateNamedMutexAlreadyExists(std::u16string_view name) {
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, Wide(name).c_str());
  DWORD error = ::GetLastError();
  if (mutex == nullptr) {
    m_failures.RecordCode("CreateMutexW", error);
    // Access denied means the mutex exists, created by a process we may not open it from.
    return error == ERROR_ACCESS_DENIED;
  }
  m_mutexes.push_back(mutex);
  return error == ERROR_ALREADY_EXISTS;
}

std::optional<std::string> Win32System::LoadResource(std::u16string_view type, int id) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  std::wstring typeName = Wide(type);
  HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(id), typeName.c_str());
  if (info == nullptr) {
    m_failures.Record("FindResourceW");
    return std::nullopt;
  }
  DWORD size = ::SizeofResource(module, info);
  HGLOBAL handle = ::LoadResource(module, info);
  const void* data = handle != nullptr ? ::LockResource(handle) : nullptr;
  if (data == nullptr) {
    m_failures.Record("LoadResource");
    return std::nullopt;
  }
  return std::string(static_cast<const char*>(data), size);
}

}  // namespace platform::win32
