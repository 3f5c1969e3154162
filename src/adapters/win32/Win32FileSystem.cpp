#include "adapters/win32/Win32FileSystem.h"

#include "adapters/win32/WindowsInclude.h"

#include <shlobj.h>

#include <algorithm>

#include "adapters/win32/WideText.h"

namespace platform::win32 {
namespace {

// Program files are settings, profiles, libraries and firmware images: far below this.
constexpr LONGLONG kMaxFileSize = 64LL * 1024 * 1024;
constexpr DWORD kChunk = 1 << 20;

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : m_h(h) {}
  ~FileHandle() {
    if (valid()) ::CloseHandle(m_h);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return m_h != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return m_h; }
  // Closes now so that a failing close (data not written) can be reported.
  bool Close() {
    HANDLE h = m_h;
    m_h = INVALID_HANDLE_VALUE;
    return ::CloseHandle(h) != FALSE;
  }

 private:
  HANDLE m_h;
};

DWORD Attributes(std::u16string_view path) {
  return ::GetFileAttributesW(Wide(path).c_str());
}

}  // namespace

std::optional<std::string> Win32FileSystem::ReadAll(std::u16string_view path) {
  FileHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    m_failures.Record("CreateFileW");
    return std::nullopt;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) {
    m_failures.Record("GetFileSizeEx");
    return std::nullopt;
  }
  if (size.QuadPart < 0 || size.QuadPart > kMaxFileSize) {
    m_failures.RecordCode("GetFileSizeEx", ERROR_FILE_TOO_LARGE);
    return std::nullopt;
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD want = static_cast<DWORD>(std::min<size_t>(kChunk, bytes.size() - done));
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, want, &got, nullptr)) {
      m_failures.Record("ReadFile");
      return std::nullopt;
    }
    if (got == 0) break;  // the file shrank while we read it
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

bool Win32FileSystem::WriteAll(std::u16string_view path, std::string_view bytes) {
  FileHandle file(::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    m_failures.Record("CreateFileW");
    return false;
  }
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD want = static_cast<DWORD>(std::min<size_t>(kChunk, bytes.size() - done));
    DWORD wrote = 0;
    if (!::WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) {
      m_failures.Record("WriteFile");
      return false;
    }
    done += wrote;
  }
  // Callers write a temporary file and rename it over the old one: the bytes must be on disk
  // before the rename is.
  if (!::FlushFileBuffers(file.get())) {
    m_failures.Record("FlushFileBuffers");
    return false;
  }
  if (!file.Close()) {
    m_failures.Record("CloseHandle");
    return false;
  }
  return true;
}

bool Win32FileSystem::Replace(std::u16string_view from, std::u16string_view to) {
  if (!::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    m_failures.Record("MoveFileExW");
    return false;
  }
  return true;
}

bool Win32FileSystem::Remove(std::u16string_view path) {
  if (!::DeleteFileW(Wide(path).c_str())) {
    m_failures.Record("DeleteFileW");
    return false;
  }
  return true;
}

bool Win32FileSystem::FileExists(std::u16string_view path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::u16string> Win32FileSystem::FileNames(std::u16string_view folder) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((Wide(folder) + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    if (::GetLastError() != ERROR_FILE_NOT_FOUND) m_failures.Record("FindFirstFileW");
    return names;
  }
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names.push_back(FromWide(found.cFileName));
    }
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

bool Win32FileSystem::DirectoryExists(std::u16string_view path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::CreateDirectory(std::u16string_view path) {
  if (::CreateDirectoryW(Wide(path).c_str(), nullptr)) return true;
  DWORD error = ::GetLastError();
  if (error == ERROR_ALREADY_EXISTS && DirectoryExists(path)) return true;
  m_failures.RecordCode("CreateDirectoryW", error);
  return false;
}

std::u16string Win32FileSystem::ExecutablePath() {
  wchar_t buffer[1000];
  DWORD length = ::GetModuleFileNameW(nullptr, buffer, 1000);
  if (length == 0) {
    m_failures.Record("GetModuleFileNameW");
    return {};
  }
  if (length >= 1000) {
    // A cut-off path would name the wrong folder.
    m_failures.RecordCode("GetModuleFileNameW", ERROR_INSUFFICIENT_BUFFER);
    return {};
  }
  return FromWide(std::wstring_view(buffer, length));
}

std::u16string Win32FileSystem::AppDataFolder() {
  wchar_t buffer[MAX_PATH] = {};
  HRESULT hr = ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer);
  if (FAILED(hr)) {
    m_failures.RecordCode("SHGetFolderPathW", static_cast<uint32_t>(hr));
    return {};
  }
  std::wstring_view folder(buffer);
  while (!folder.empty() && folder.back() == L'\\') folder.remove_suffix(1);
  return FromWide(folder);
}

}  // namespace platform::win32
