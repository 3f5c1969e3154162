#include "adapters/posix/PosixSystem.h"

#include "adapters/posix/PosixFileSystem.h"
#include "base/Text.h"

namespace platform::posix {

PosixSystem::PosixSystem(const std::filesystem::path& resourceDir) {
  m_resources.Load(resourceDir);
}

std::optional<std::string> PosixSystem::LoadResource(std::u16string_view type, int id) {
  const auto file = m_resources.Find(base::ToUtf8(type), id);
  if (!file) return std::nullopt;
  PosixFileSystem files;
  return files.ReadAll(PosixFileSystem::ProgramPath(*file));
}

}  // namespace platform::posix
