#pragma once
// Reads the resource script lines `<id> <TYPE> "<file>"` (for example `151 PNG "popup.png"`)
// so the host-side adapters (headless, POSIX) serve the same resources the executable carries, from
// files.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace platform::host {

class ResourceScript {
 public:
  // Reads every .rc file in `folder` (nested #include lines are not followed; every .rc
  // there is read). Unknown or malformed lines are skipped.
  void Load(const std::filesystem::path& folder);
  // Host path of resource (type, id), if listed and present.
  std::optional<std::filesystem::path> Find(const std::string& type, int id) const;

 private:
  std::map<std::pair<std::string, int>, std::filesystem::path> m_entries;
};

}  // namespace platform::host
