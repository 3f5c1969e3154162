#include "adapters/posix/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace platform::posix {

FileLock::Result FileLock::TryLock(const std::string& path) {
  if (m_fd >= 0) return Result::Locked;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return Result::Failed;
  int locked;
  do {
    locked = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return busy ? Result::Busy : Result::Failed;
  }
  m_fd = fd;
  return Result::Locked;
}

void FileLock::Unlock() {
  if (m_fd < 0) return;
  ::close(m_fd);  // releases the lock
  m_fd = -1;
}

}  // namespace platform::posix
