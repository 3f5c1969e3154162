#pragma once
// Opening documents and programs, starting command lines, downloads and the common file
// dialogs, on shell32, kernel32, urlmon and comdlg32.

#include <memory>

#include "adapters/win32/FailureLog.h"
#include "adapters/win32/UiThreadQueue.h"
#include "platform/Shell.h"

namespace platform::win32 {

class Win32Shell : public Shell {
 public:
  // Create it on the user-interface thread: downloads report there.
  explicit Win32Shell(FailureLog& failures);
  ~Win32Shell() override;

  bool Open(std::u16string_view target) override;
  bool Execute(std::u16string_view commandLine) override;
  bool Download(std::u16string_view url, std::u16string_view file, uint64_t maxBytes) override;
  // URLDownloadToFileW on a thread of its own; progress and the end come through the queue.
  std::unique_ptr<DownloadJob> StartDownload(std::u16string_view url, std::u16string_view file,
                                             DownloadObserver& observer) override;
  // The copy is a new file with a random name; held with read sharing only.
  std::unique_ptr<HeldFile> HoldCopy(std::u16string_view source,
                                     std::u16string_view folder) override;
  // The dialogs leave the process's current folder as it was; they start in it.
  std::optional<std::u16string> OpenFileDialog(const FileDialogDesc& desc) override;
  std::optional<std::u16string> SaveFileDialog(const FileDialogDesc& desc) override;

 private:
  std::optional<std::u16string> RunFileDialog(const FileDialogDesc& desc, bool save);

  FailureLog& m_failures;
  std::unique_ptr<UiThreadQueue> m_queue;
};

}  // namespace platform::win32
