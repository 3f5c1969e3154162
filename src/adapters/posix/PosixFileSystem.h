#pragma once
// The machine's own files. The program's backslash paths become POSIX paths at this boundary
// ("\home\me\.config\x\config\config.ini" is /home/me/.config/x/config/config.ini), and host
// paths handed to the program come back in backslash form. Bytes of a file name that are not
// UTF-8 travel as U+DC80..U+DCFF, so every name the system has can be opened again.

#include <filesystem>
#include <string>

#include "platform/FileSystem.h"

namespace platform::posix {

class PosixFileSystem : public FileSystem {
 public:
  static std::string HostPath(std::u16string_view path);
  static std::u16string ProgramPath(const std::filesystem::path& host);

  std::optional<std::string> ReadAll(std::u16string_view path) override;
  // The bytes reach the disk before it returns true, so a rename that follows publishes a
  // whole file even if the machine stops right after.
  bool WriteAll(std::u16string_view path, std::string_view bytes) override;
  bool Replace(std::u16string_view from, std::u16string_view to) override;
  bool Remove(std::u16string_view path) override;
  bool FileExists(std::u16string_view path) override;
  std::vector<std::u16string> FileNames(std::u16string_view folder) override;
  bool DirectoryExists(std::u16string_view path) override;
  bool CreateDirectory(std::u16string_view path) override;
  // /proc/self/exe.
  std::u16string ExecutablePath() override;
  // $XDG_CONFIG_HOME, else $HOME/.config, else the account's home/.config; empty when none
  // is known.
  std::u16string AppDataFolder() override;
};

}  // namespace platform::posix
