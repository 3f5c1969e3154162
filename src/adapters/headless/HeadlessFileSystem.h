#pragma once
// Files under a host folder, with the program's backslash paths mapped into it:
// "C:\Users\x\a.txt" becomes <root>/C/Users/x/a.txt. Mounts send a path prefix elsewhere
// (for example the executable's folder to the source tree, for skins\ and lang\).

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"

namespace platform::headless {

class HeadlessFileSystem : public FileSystem {
 public:
  explicit HeadlessFileSystem(std::filesystem::path root);

  // Paths starting with `prefix` (backslash form, case-sensitive) map below `hostDir`. A mount
  // is read-only: writes, moves, removals and new folders there fail, so a test can never
  // change the source tree it is served from.
  void Mount(std::u16string prefix, std::filesystem::path hostDir);
  std::filesystem::path HostPath(std::u16string_view path) const;

  // Fault injection: WriteAll or Replace of paths containing `fragment` fail.
  void FailWritesContaining(std::u16string fragment) { m_failWrites = std::move(fragment); }
  void FailReplaceContaining(std::u16string fragment) { m_failReplace = std::move(fragment); }
  // ReadAll of existing paths containing `fragment` fails (a locked file, no permission).
  void FailReadsContaining(std::u16string fragment) { m_failReads = std::move(fragment); }

  void SetExecutablePath(std::u16string path) { m_exePath = std::move(path); }
  void SetAppDataFolder(std::u16string path) { m_appData = std::move(path); }

  std::optional<std::string> ReadAll(std::u16string_view path) override;
  bool WriteAll(std::u16string_view path, std::string_view bytes) override;
  bool Replace(std::u16string_view from, std::u16string_view to) override;
  bool Remove(std::u16string_view path) override;
  bool FileExists(std::u16string_view path) override;
  std::vector<std::u16string> FileNames(std::u16string_view folder) override;
  bool DirectoryExists(std::u16string_view path) override;
  bool CreateDirectory(std::u16string_view path) override;
  std::u16string ExecutablePath() override { return m_exePath; }
  std::u16string AppDataFolder() override { return m_appData; }

 private:
  std::filesystem::path m_root;
  bool Mounted(std::u16string_view path) const;

  std::vector<std::pair<std::u16string, std::filesystem::path>> m_mounts;
  std::u16string m_failWrites;
  std::u16string m_failReplace;
  std::u16string m_failReads;
  std::u16string m_exePath = u"C:\\Program Files\\Vantrel\\Vantrel.exe";
  std::u16string m_appData = u"C:\\Users\\player\\AppData\\Roaming";
};

}  // namespace platform::headless
