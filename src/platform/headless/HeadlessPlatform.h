#pragma once
// The test adapter: every platform service, deterministic and instant. Constructing one
// installs it as the process's platform; destroying it removes its temporary files.

#include <filesystem>
#include <memory>

#include "platform/Platform.h"
#include "platform/headless/HeadlessFileSystem.h"

namespace platform::headless {

class HeadlessPlatform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform();
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  HeadlessFileSystem& files() { return *m_files; }
  const std::filesystem::path& root() const { return m_root; }

  // Installs the services again (after a test replaced one of them).
  void Install();

 private:
  std::filesystem::path m_root;
  std::unique_ptr<HeadlessFileSystem> m_files;
};

}  // namespace platform::headless
