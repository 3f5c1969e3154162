#include "adapters/win32/Win32Clipboard.h"

#include "adapters/win32/WindowsInclude.h"

namespace platform::win32 {

namespace {

// Opens the clipboard for the time of one operation.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(WindowId owner)
      : m_open(::OpenClipboard(reinterpret_cast<HWND>(owner)) != FALSE) {}
  ~OpenedClipboard() {
    if (m_open) ::CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return m_open; }

 private:
  bool m_open;
};

}  // namespace

std::optional<std::u16string> Win32Clipboard::GetText(WindowId owner) {
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
  OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen()) {
    m_failures.Record("OpenClipboard");
    return std::nullopt;
  }
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) {
    m_failures.Record("GetClipboardData");
    return std::nullopt;
  }
  const auto* units = static_cast<const wchar_t*>(::GlobalLock(data));
  if (units == nullptr) {
    m_failures.Record("GlobalLock");
    return std::nullopt;
  }
  // Another program wrote this block: read no further than it is long, terminated or not.
  const size_t capacity = ::GlobalSize(data) / sizeof(wchar_t);
  size_t length = 0;
  while (length < capacity && units[length] != L'\0') ++length;
  std::u16string text(units, units + length);
  ::GlobalUnlock(data);
  return text;
}

bool Win32Clipboard::SetText(WindowId owner, std::u16string_view text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (block == nullptr) {
    m_failures.Record("GlobalAlloc");
    return false;
  }
  auto* units = static_cast<wchar_t*>(::GlobalLock(block));
  if (units == nullptr) {
    m_failures.Record("GlobalLock");
    ::GlobalFree(block);
    return false;
  }
  for (size_t i = 0; i < text.size(); ++i) units[i] = static_cast<wchar_t>(text[i]);
  units[text.size()] = L'\0';
  ::GlobalUnlock(block);

  OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen()) {
    m_failures.Record("OpenClipboard");
    ::GlobalFree(block);
    return false;
  }
  if (!::EmptyClipboard()) {
    m_failures.Record("EmptyClipboard");
    ::GlobalFree(block);
    return false;
  }
  // On success the system owns the block.
  if (::SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
    m_failures.Record("SetClipboardData");
    ::GlobalFree(block);
    return false;
  }
  return true;
}

}  // namespace platform::win32
