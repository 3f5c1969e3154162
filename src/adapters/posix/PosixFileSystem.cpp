#include "adapters/posix/PosixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

#include "base/Text.h"

namespace platform::posix {
namespace fs = std::filesystem;

std::string PosixFileSystem::HostPath(std::u16string_view path) {
  std::string host = base::ToUtf8(path);
  for (char& c : host) {
    if (c == '\\') c = '/';
  }
  return host;
}

std::u16string PosixFileSystem::ProgramPath(const fs::path& host) {
  std::u16string path = base::FromUtf8(host.string());
  for (char16_t& c : path) {
    if (c == u'/') c = u'\\';
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
    if (it->is_regular_file(error)) names.push_back(base::FromUtf8(it->path().filename().string()));
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
  if (home != nullptr && home[0] != '\0') return ProgramPath(fs::path(home) / ".config");
  return ProgramPath("/tmp");
}

}  // namespace platform::posix
