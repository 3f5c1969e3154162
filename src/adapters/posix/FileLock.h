#pragma once
// An advisory lock on a file (flock), held while the object lives or until Unlock. Two
// vantrelctl runs on one data folder take turns this way; the lock goes with the process, so
// a run that is killed never leaves the folder locked.

#include <string>

namespace platform::posix {

class FileLock {
 public:
  enum class Result { Locked, Busy, Failed };

  FileLock() = default;
  ~FileLock() { Unlock(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Creates the file when missing. Busy while another holder has it; Failed when the file
  // cannot be made or opened (a read-only folder).
  Result TryLock(const std::string& path);
  void Unlock();
  bool Held() const { return m_fd >= 0; }

 private:
  int m_fd = -1;
};

}  // namespace platform::posix
