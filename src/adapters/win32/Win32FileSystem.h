#pragma once
// Files and folders through the Win32 file API. Failures are recorded in the FailureLog.

#include "adapters/win32/FailureLog.h"
#include "platform/FileSystem.h"

namespace platform::win32 {

class Win32FileSystem : public FileSystem {
 public:
  explicit Win32FileSystem(FailureLog& failures) : m_failures(failures) {}

  std::optional<std::string> ReadAll(std::u16string_view path) override;
  bool WriteAll(std::u16string_view path, std::string_view bytes) override;
  bool Replace(std::u16string_view from, std::u16string_view to) override;
  bool Remove(std::u16string_view path) override;
  bool FileExists(std::u16string_view path) override;
  std::vector<std::u16string> FileNames(std::u16string_view folder) override;
  bool DirectoryExists(std::u16string_view path) override;
  bool CreateDirectory(std::u16string_view path) override;
  std::u16string ExecutablePath() override;
  std::u16string AppDataFolder() override;

 private:
  FailureLog& m_failures;
};

}  // namespace platform::win32
