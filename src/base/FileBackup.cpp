#include "base/FileBackup.h"

#include <string>

#include "platform/Platform.h"

namespace base {

bool KeepBackup(std::u16string_view path) {
  auto& files = platform::Files();
  if (!files.FileExists(path)) return true;
  const auto bytes = files.ReadAll(path);
  if (!bytes) return false;
  return files.WriteAll(std::u16string(path) + u".bak", *bytes);
}

}  // namespace base
