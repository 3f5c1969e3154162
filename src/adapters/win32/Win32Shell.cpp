#include "adapters/win32/Win32Shell.h"

#include <vector>

#include "adapters/win32/WideText.h"
#include "adapters/win32/WindowsInclude.h"
#include "platform/FileDialogFilter.h"

#include <commdlg.h>
#include <shellapi.h>
#include <urlmon.h>

namespace platform::win32 {

bool Win32Shell::Open(std::u16string_view target) {
  HINSTANCE result =
      ::ShellExecuteW(nullptr, L"open", Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  const auto code = reinterpret_cast<uintptr_t>(result);
  if (code > 32) return true;
  m_failures.RecordCode("ShellExecuteW", static_cast<uint32_t>(code));
  return false;
}

bool Win32Shell::Execute(std::u16string_view commandLine) {
  // WinExec takes the ANSI code page. A command line that does not fit it would start
  // some other program, so it is refused instead.
  std::wstring wide = Wide(commandLine);
  BOOL lossy = FALSE;
  int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0,
                                   nullptr, &lossy);
  if (size <= 0 || lossy) {
    m_failures.RecordCode("WideCharToMultiByte",
                          size <= 0 ? ::GetLastError() : ERROR_NO_UNICODE_TRANSLATION);
    return false;
  }
  std::vector<char> ansi(static_cast<size_t>(size));
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, ansi.data(), size, nullptr,
                        nullptr);
  UINT result = ::WinExec(ansi.data(), SW_RESTORE);
  if (result > 31) return true;
  m_failures.RecordCode("WinExec", result);
  return false;
}

bool Win32Shell::Download(std::u16string_view url, std::u16string_view file) {
  HRESULT result = ::URLDownloadToFileW(nullptr, Wide(url).c_str(), Wide(file).c_str(), 0, nullptr);
  if (result == S_OK) return true;
  m_failures.RecordCode("URLDownloadToFileW", static_cast<uint32_t>(result));
  return false;
}

std::optional<std::u16string> Win32Shell::OpenFileDialog(const FileDialogDesc& desc) {
  return RunFileDialog(desc, false);
}

std::optional<std::u16string> Win32Shell::SaveFileDialog(const FileDialogDesc& desc) {
  return RunFileDialog(desc, true);
}

std::optional<std::u16string> Win32Shell::RunFileDialog(const FileDialogDesc& desc, bool save) {
  std::wstring title = Wide(desc.title);
  std::wstring extension = Wide(desc.defaultExtension);
  std::wstring filter = Wide(FileDialogFilterList(desc.filter));
  // Room for a long path; the chosen name comes back in the same buffer.
  std::vector<wchar_t> file(32768, L'\0');
  std::wstring name = Wide(desc.defaultName);
  if (name.size() < file.size()) name.copy(file.data(), name.size());
  std::vector<wchar_t> current(MAX_PATH + 1, L'\0');
  DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
  if (length >= current.size()) {
    current.assign(length + 1, L'\0');
    length = ::GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
  }
  if (length == 0) m_failures.Record("GetCurrentDirectoryW");

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = reinterpret_cast<HWND>(desc.owner);
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = length != 0 ? current.data() : nullptr;
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  // The program reads its files by full paths; the dialog must not move the current folder.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (desc.mustExist) dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (desc.overwritePrompt) dialog.Flags |= OFN_OVERWRITEPROMPT;

  BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
  if (length != 0) ::SetCurrentDirectoryW(current.data());
  if (!chosen) {
    DWORD error = ::CommDlgExtendedError();
    if (error != 0) m_failures.RecordCode(save ? "GetSaveFileNameW" : "GetOpenFileNameW", error);
    return std::nullopt;
  }
  return FromWide(file.data());
}

}  // namespace platform::win32
