#pragma once
// An asynchronous download: the shell starts it, a worker fetches the file, and the observer
// hears about it on the user-interface thread.

#include <cstdint>

namespace platform {

class DownloadObserver {
 public:
  virtual ~DownloadObserver() = default;
  // Bytes received so far and the whole size (0 while unknown). Any number of times.
  virtual void OnDownloadProgress(uint64_t received, uint64_t total) = 0;
  // Exactly once, last: true when the whole file is at its destination.
  virtual void OnDownloadFinished(bool ok) = 0;
};

// A running download. Destroying it cancels the download; the observer hears nothing more
// once Cancel has been called or the job is gone. A cancelled download may leave a partial
// file behind.
class DownloadJob {
 public:
  virtual ~DownloadJob() = default;
  virtual void Cancel() = 0;
};

}  // namespace platform
