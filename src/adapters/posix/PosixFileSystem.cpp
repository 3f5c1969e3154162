#include "adapters/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "base/Text.h"

namespace platform::posix {
namespace fs = std::filesystem;

namespace {

// Length of the UTF-8 sequence at `at`, or 0 when it is not a valid one (overlong forms,
// surrogates and values past U+10FFFF included).
size_t SequenceLength(std::string_view bytes, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
  const uint8_t lead = byte(at);
  if (lead < 0x80) return 1;
  size_t length = 0;
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

constexpr char16_t kEscapedByte = 0xDC00;  // + the byte, for bytes 0x80..0xFF

}  // namespace

std::string PosixFileSystem::HostPath(std::u16string_view path) {
  std::string host;
  host.reserve(path.size());
  for (size_t i = 0; i < path.size(); ++i) {
    const char16_t c = path[i];
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < path.size() && path[i + 1] >= 0xDC00 &&
                      path[i + 1] <= 0xDFFF;
    if (pair) {
      host += base::ToUtf8(path.substr(i, 2));
      ++i;
    } else if (c >= kEscapedByte + 0x80 && c <= kEscapedByte + 0xFF) {
      host += static_cast<char>(c - kEscapedByte);
    } else {
      host += c == u'\\' ? std::string("/") : base::ToUtf8(path.substr(i, 1));
    }
  }
  return host;
}

std::u16string PosixFileSystem::ProgramPath(const fs::path& host) {
  // File names are bytes: those that are not UTF-8 are carried through one by one.
  const std::string& bytes = host.native();
  std::u16string path;
  path.reserve(bytes.size());
  for (size_t at = 0; at < bytes.size();) {
    const size_t length = SequenceLength(bytes, at);
    if (length == 0) {
      path += static_cast<char16_t>(kEscapedByte + static_cast<uint8_t>(bytes[at]));
      ++at;
      continue;
    }
    path += bytes[at] == '/' ? std::u16string(u"\\") : base::FromUtf8(bytes.substr(at, length));
    at += length;
  }
  return path;
}

std::optional<std::string> PosixFileSystem::ReadAll(std::u16string_view path) {
  const int fd = ::open(HostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return bytes;
}

bool PosixFileSystem::WriteAll(std::u16string_view path, std::string_view bytes) {
  const int fd = ::open(HostPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return false;
    }
    done += static_cast<size_t>(n);
  }
  // An empty write only claims a temporary name; there is nothing to make durable yet.
  const bool synced = bytes.empty() || ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
}

bool PosixFileSystem::Replace(std::u16string_view from, std::u16string_view to) {
  return ::rename(HostPath(from).c_str(), HostPath(to).c_str()) == 0;
}

bool PosixFileSystem::Remove(std::u16string_view path) {
  return ::unlink(HostPath(path).c_str()) == 0;
}

bool PosixFileSystem::FileExists(std::u16string_view path) {
  struct stat info {};
  return ::stat(HostPath(path).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::vector<std::u16string> PosixFileSystem::FileNames(std::u16string_view folder) {
  std::vector<std::u16string> names;
  std::error_code error;
  for (fs::directory_iterator it(HostPath(folder), error), end; !error && it != end;
       it.increment(error)) {
    if (it->is_regular_file(error)) names.push_back(ProgramPath(it->path().filename()));
  }
  return names;
}

bool PosixFileSystem::DirectoryExists(std::u16string_view path) {
  struct stat info {};
  return ::stat(HostPath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixFileSystem::CreateDirectory(std::u16string_view path) {
  const std::string host = HostPath(path);
  if (::mkdir(host.c_str(), 0755) == 0) return true;
  return errno == EEXIST && DirectoryExists(path);
}

std::u16string PosixFileSystem::ExecutablePath() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::u16string() : ProgramPath(self);
}

std::u16string PosixFileSystem::AppDataFolder() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return ProgramPath(config);
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return ProgramPath(fs::path(home) / ".config");
  // Without HOME (a service, sudo -i, env -i), the account's own home; never a shared folder.
  const passwd* account = ::getpwuid(::getuid());
  if (account != nullptr && account->pw_dir != nullptr && account->pw_dir[0] == '/') {
    return ProgramPath(fs::path(account->pw_dir) / ".config");
  }
  return {};
}

}  // namespace platform::posix
