#include "adapters/headless/HeadlessFileSystem.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "base/Text.h"

namespace platform::headless {
namespace fs = std::filesystem;

HeadlessFileSystem::HeadlessFileSystem(fs::path root) : m_root(std::move(root)) {
  std::error_code ec;
  fs::create_directories(m_root, ec);
}

void HeadlessFileSystem::Mount(std::u16string prefix, fs::path hostDir) {
  m_mounts.emplace_back(std::move(prefix), std::move(hostDir));
}

bool HeadlessFileSystem::Mounted(std::u16string_view path) const {
  for (const auto& mount : m_mounts) {
    if (base::StartsWith(path, mount.first)) return true;
  }
  return false;
}

fs::path HeadlessFileSystem::HostPath(std::u16string_view path) const {
  fs::path base = m_root;
  std::u16string_view rest = path;
  size_t bestLength = 0;
  for (const auto& [prefix, host] : m_mounts) {
    if (prefix.size() > bestLength && base::StartsWith(path, prefix)) {
      base = host;
      rest = path.substr(prefix.size());
      bestLength = prefix.size();
    }
  }
  fs::path out = base;
  for (const auto& piece : base::Split(rest, u'\\')) {
    if (piece.empty() || piece == u".") continue;
    std::u16string part = piece;
    if (part.size() == 2 && part[1] == u':') part.pop_back();  // drive letter
    if (part == u"..") continue;                               // never leave the root
    out /= base::ToUtf8(part);
  }
  return out;
}

std::optional<std::string> HeadlessFileSystem::ReadAll(std::u16string_view path) {
  if (!m_failReads.empty() && path.find(m_failReads) != std::u16string_view::npos) {
    return std::nullopt;
  }
  std::error_code ec;
  const fs::path host = HostPath(path);
  if (!fs::is_regular_file(host, ec)) return std::nullopt;
  std::ifstream in(host, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

bool HeadlessFileSystem::WriteAll(std::u16string_view path, std::string_view bytes) {
  if (!m_failWrites.empty() && path.find(m_failWrites) != std::u16string_view::npos) return false;
  if (Mounted(path)) return false;
  const fs::path host = HostPath(path);
  std::error_code ec;
  if (!fs::is_directory(host.parent_path(), ec)) return false;
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return !out.fail();
}

bool HeadlessFileSystem::Replace(std::u16string_view from, std::u16string_view to) {
  if (!m_failReplace.empty() && to.find(m_failReplace) != std::u16string_view::npos) return false;
  if (Mounted(from) || Mounted(to)) return false;
  std::error_code ec;
  fs::rename(HostPath(from), HostPath(to), ec);
  return !ec;
}

bool HeadlessFileSystem::Remove(std::u16string_view path) {
  if (Mounted(path)) return false;
  std::error_code ec;
  return fs::remove(HostPath(path), ec);
}

bool HeadlessFileSystem::FileExists(std::u16string_view path) {
  std::error_code ec;
  return fs::is_regular_file(HostPath(path), ec);
}

std::vector<std::u16string> HeadlessFileSystem::FileNames(std::u16string_view folder) {
  std::vector<std::u16string> names;
  std::error_code ec;
  for (fs::directory_iterator it(HostPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec)) names.push_back(it->path().filename().u16string());
  }
  return names;
}

bool HeadlessFileSystem::DirectoryExists(std::u16string_view path) {
  std::error_code ec;
  return fs::is_directory(HostPath(path), ec);
}

bool HeadlessFileSystem::CreateDirectory(std::u16string_view path) {
  std::error_code ec;
  const fs::path host = HostPath(path);
  if (fs::is_directory(host, ec)) return true;
  if (Mounted(path) || !fs::is_directory(host.parent_path(), ec))
    return false;  // one level, as CreateDirectoryW
  return fs::create_directory(host, ec) || fs::is_directory(host, ec);
}

}  // namespace platform::headless
