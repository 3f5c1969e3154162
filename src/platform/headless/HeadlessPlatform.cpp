#include "platform/headless/HeadlessPlatform.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "base/Text.h"

namespace platform::headless {
namespace fs = std::filesystem;

namespace {

fs::path MakeTempRoot() {
  std::string pattern = (fs::temp_directory_path() / "vantrel-XXXXXX").string();
  if (char* made = mkdtemp(pattern.data())) return made;
  return fs::temp_directory_path() / "vantrel-fallback";
}

}  // namespace

HeadlessPlatform::HeadlessPlatform() : m_root(MakeTempRoot()) {
  m_files = std::make_unique<HeadlessFileSystem>(m_root);
  std::error_code ec;
  fs::create_directories(m_files->HostPath(m_files->AppDataFolder()), ec);
  fs::create_directories(m_files->HostPath(base::FolderOf(m_files->ExecutablePath())), ec);
  Install();
}

HeadlessPlatform::~HeadlessPlatform() {
  platform::Install({});
  std::error_code ec;
  fs::remove_all(m_root, ec);
}

void HeadlessPlatform::Install() {
  Services services;
  services.files = m_files.get();
  platform::Install(services);
}

}  // namespace platform::headless
