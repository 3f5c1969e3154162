#pragma once
// Files kept in memory, for fuzz harnesses and benchmarks: every read and write of the real
// file code runs without touching the disk. Folders always exist.

#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace platform::headless {

class MemoryFileSystem : public platform::FileSystem {
 public:
  std::map<std::u16string, std::string, std::less<>> files;

  // Becomes the platform's file system; the other installed services stay.
  void InstallAsPlatform() {
    platform::Services services = platform::Current();
    services.files = this;
    platform::Install(services);
  }

  std::optional<std::string> ReadAll(std::u16string_view path) override {
    const auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  bool WriteAll(std::u16string_view path, std::string_view bytes) override {
    files[std::u16string(path)] = std::string(bytes);
    return true;
  }
  bool Replace(std::u16string_view from, std::u16string_view to) override {
    const auto it = files.find(from);
    if (it == files.end()) return false;
    std::string bytes = std::move(it->second);
    files.erase(it);
    files[std::u16string(to)] = std::move(bytes);
    return true;
  }
  bool Remove(std::u16string_view path) override {
    const auto it = files.find(path);
    if (it == files.end()) return false;
    files.erase(it);
    return true;
  }
  bool FileExists(std::u16string_view path) override { return files.find(path) != files.end(); }
  std::vector<std::u16string> FileNames(std::u16string_view folder) override {
    std::vector<std::u16string> names;
    const std::u16string prefix = std::u16string(folder) + u"\\";
    for (const auto& [path, bytes] : files) {
      if (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
          path.find(u'\\', prefix.size()) == std::u16string::npos) {
        names.push_back(path.substr(prefix.size()));
      }
    }
    return names;
  }
  bool DirectoryExists(std::u16string_view) override { return true; }
  bool CreateDirectory(std::u16string_view) override { return true; }
  std::u16string ExecutablePath() override { return u"C:\\Vantrel\\Vantrel.exe"; }
  std::u16string AppDataFolder() override { return u"C:\\AppData"; }
};

}  // namespace platform::headless
