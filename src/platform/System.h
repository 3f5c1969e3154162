#pragma once
// Process-level services: the single-instance mutex, executable resources and the
// low-level keyboard hook.

#include <optional>
#include <string>
#include <string_view>

#include "platform/Types.h"

namespace platform {

class System {
 public:
  virtual ~System() = default;

  // Creates (or opens) the named mutex and keeps it for the life of the process.
  // Returns true when another process had already created it.
  virtual bool CreateNamedMutexAlreadyExists(std::u16string_view name) = 0;

  // Raw bytes of a resource of the executable (for example type u"BIN", id 366).
  virtual std::optional<std::string> LoadResource(std::u16string_view type, int id) = 0;

  // Low-level keyboard hook. While started, every key event is sent to `target` as message
  // 0x401 with wParam = virtual-key code and lParam = event time in ms with bit 31 set for
  // a release. Starting again retargets; stopping a stopped hook is harmless.
  virtual bool StartKeyboardHook(WindowId target) = 0;
  virtual void StopKeyboardHook() = 0;
};

}  // namespace platform
