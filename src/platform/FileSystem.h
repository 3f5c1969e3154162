#pragma once
// Files and folders. Paths are the program's own backslash form ("C:\...\config\x.ini");
// an adapter maps them to its file system at this boundary.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Whole-file access: every program file is small enough to be read and written at once.
  // ReadAll returns nothing when the file cannot be opened or read.
  virtual std::optional<std::string> ReadAll(std::u16string_view path) = 0;
  // Creates or truncates the file and writes all bytes; false on any failure.
  virtual bool WriteAll(std::u16string_view path, std::string_view bytes) = 0;
  // Renames `from` to `to`, replacing `to` if it exists, as one step where the system allows.
  virtual bool Replace(std::u16string_view from, std::u16string_view to) = 0;
  virtual bool Remove(std::u16string_view path) = 0;
  virtual bool FileExists(std::u16string_view path) = 0;
  // Names (not paths) of the files in a folder; empty when it cannot be listed.
  virtual std::vector<std::u16string> FileNames(std::u16string_view folder) = 0;
  virtual bool DirectoryExists(std::u16string_view path) = 0;
  // Creates one folder level; true when it exists afterwards.
  virtual bool CreateDirectory(std::u16string_view path) = 0;

  // Full path of the running executable, and the user's roaming application-data folder
  // (both without a trailing backslash).
  virtual std::u16string ExecutablePath() = 0;
  virtual std::u16string AppDataFolder() = 0;
};

}  // namespace platform
