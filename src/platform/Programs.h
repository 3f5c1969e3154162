#pragma once
// The other programs on the machine, as far as the companion needs them: which one is in
// front, the end of one of them, and their icons.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Canvas.h"
#include "platform/Types.h"

namespace platform {

// The program whose window is in the foreground.
struct ForegroundProgram {
  std::u16string path;     // full executable path; empty when no window is in front
  uint32_t processId = 0;  // 0 with an empty path
  bool ours = false;       // a window of this program itself
};

// Told on the user-interface thread.
class ProgramObserver {
 public:
  virtual ~ProgramObserver() = default;
  // The foreground window changed; ask Foreground() for the program now in front. Systems
  // that do not report changes never call it (the caller polls instead).
  virtual void OnForegroundChanged() = 0;
  // The process held by HoldProcess ended. Told once per hold.
  virtual void OnHeldProcessExited() = 0;
};

class Programs {
 public:
  virtual ~Programs() = default;

  // The program in front now. A window whose process cannot be opened counts as none.
  virtual ForegroundProgram Foreground() = 0;

  // Starts reporting foreground changes and the end of a held process to `observer`;
  // nullptr stops both and releases a held process. While nobody watches, nothing runs.
  virtual void Watch(ProgramObserver* observer) = 0;

  // Holds process `processId` open and tells the observer the moment it ends (at once when
  // it has already ended). Replaces an earlier hold. False when it cannot be opened.
  virtual bool HoldProcess(uint32_t processId) = 0;
  virtual void ReleaseProcess() = 0;

  // The icon of an executable at `size` pixels square; nullptr when it has none.
  virtual std::unique_ptr<Image> ProgramIcon(std::u16string_view path, int size) = 0;
};

}  // namespace platform
