#include "base/StdioFileEx.h"

#include <algorithm>

#include "base/AppGlobals.h"
#include "platform/Platform.h"

namespace {

char16_t FoldAscii(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Whether the file lies in the data folder, where every file is the program's own. A file the
// user picked elsewhere (an import from Documents) never has its neighbours touched.
bool InDataFolder(std::u16string_view path) {
  const std::u16string_view folder = g_strDataDir;
  if (folder.empty() || path.size() <= folder.size()) return false;
  for (size_t i = 0; i < folder.size(); ++i) {
    if (FoldAscii(path[i]) != FoldAscii(folder[i])) return false;
  }
  return true;
}

std::vector<std::u16string>& Unreadable() {
  static std::vector<std::u16string> files;
  return files;
}

bool IsUnreadable(std::u16string_view path) {
  const auto& files = Unreadable();
  return std::find(files.begin(), files.end(), path) != files.end();
}

}  // namespace

const std::vector<std::u16string>& CStdioFileEx::UnreadableFiles() {
  return Unreadable();
}

void CStdioFileEx::ForgetUnreadableFiles() {
  Unreadable().clear();
}

CStdioFileEx::~CStdioFileEx() {
  Abort();
}

bool CStdioFileEx::Open(std::u16string_view path, uint32_t flags) {
  if (IsOpen()) Abort();
  m_bIsUnicodeText = (flags & modeUnicode) != 0;
  m_path.assign(path);
  m_pos = 0;
  m_bytes.clear();
  auto& files = platform::Files();
  if ((flags & (modeWrite | modeCreate)) == (modeWrite | modeCreate) || (flags & modeCreate) != 0) {
    if (IsUnreadable(m_path)) return false;
    m_tempPath = m_path + std::u16string(kTempSuffix);
    // Claim the temporary file now, so a folder that cannot be written fails at Open.
    if (!files.WriteAll(m_tempPath, {})) return false;
    m_mode = Mode::Writing;
    return true;
  }
  // A temporary file beside it was left by a writer that never reached Close (the program was
  // killed while saving); the file itself is whole, the old one or the new.
  const std::u16string leftover = m_path + std::u16string(kTempSuffix);
  if (InDataFolder(m_path) && files.FileExists(leftover)) files.Remove(leftover);
  auto bytes = files.ReadAll(m_path);
  if (!bytes) {
    if (files.FileExists(m_path) && !IsUnreadable(m_path)) Unreadable().push_back(m_path);
    return false;
  }
  m_bytes = std::move(*bytes);
  m_mode = Mode::Reading;
  return true;
}

bool CStdioFileEx::ReadString(std::u16string& line) {
  line.clear();
  m_bLineEnded = false;
  if (m_mode != Mode::Reading) return false;
  // Skip the first two bytes only when they really are the byte-order mark, so a file made
  // without one keeps its first character.
  if (m_pos == 0 && m_bytes.size() >= 2 && static_cast<uint8_t>(m_bytes[0]) == 0xFF &&
      static_cast<uint8_t>(m_bytes[1]) == 0xFE) {
    m_pos = 2;
  }
  while (m_pos + 1 < m_bytes.size()) {
    const auto lo = static_cast<uint8_t>(m_bytes[m_pos]);
    const auto hi = static_cast<uint8_t>(m_bytes[m_pos + 1]);
    m_pos += 2;
    const auto c = static_cast<char16_t>(lo | (hi << 8));
    line.push_back(c);
    if (c == u'\n') {
      m_bLineEnded = true;
      break;
    }
  }
  if (m_pos + 1 >= m_bytes.size()) m_pos = m_bytes.size();  // a stray odd byte ends the file
  if (line.size() >= 2 && line.back() == u'\n') line.pop_back();
  return !line.empty();
}

bool CStdioFileEx::WriteString(std::u16string_view text) {
  if (m_mode != Mode::Writing) return false;
  if (m_bytes.empty()) {
    m_bytes.push_back(static_cast<char>(0xFF));
    m_bytes.push_back(static_cast<char>(0xFE));
  }
  m_bytes.reserve(m_bytes.size() + text.size() * 2);
  for (char16_t c : text) {
    m_bytes.push_back(static_cast<char>(c & 0xFF));
    m_bytes.push_back(static_cast<char>(c >> 8));
  }
  return true;
}

bool CStdioFileEx::Close() {
  bool ok = true;
  if (m_mode == Mode::Writing) {
    auto& files = platform::Files();
    ok = files.WriteAll(m_tempPath, m_bytes) && files.Replace(m_tempPath, m_path);
    if (!ok) files.Remove(m_tempPath);
  }
  m_mode = Mode::Closed;
  m_bytes.clear();
  m_bytes.shrink_to_fit();
  m_pos = 0;
  return ok;
}

void CStdioFileEx::Abort() {
  if (m_mode == Mode::Writing) platform::Files().Remove(m_tempPath);
  m_mode = Mode::Closed;
  m_bytes.clear();
  m_pos = 0;
}
