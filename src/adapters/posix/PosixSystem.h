#pragma once
// Process services of a program without a screen: the executable's resources are files listed
// by the resource scripts (.rc) of one folder, as the test adapter reads them; there is no
// single-instance mutex to share and no keyboard hook.

#include <filesystem>

#include "adapters/host/ResourceScript.h"
#include "platform/System.h"

namespace platform::posix {

class PosixSystem : public System {
 public:
  // Resources come from the files named by the .rc scripts in `resourceDir`.
  explicit PosixSystem(const std::filesystem::path& resourceDir);

  // Nothing else shares the command-line tool's instance.
  bool CreateNamedMutexAlreadyExists(std::u16string_view) override { return false; }
  std::optional<std::string> LoadResource(std::u16string_view type, int id) override;
  bool StartKeyboardHook(WindowId) override { return false; }
  void StopKeyboardHook() override {}

 private:
  host::ResourceScript m_resources;
};

}  // namespace platform::posix
