#pragma once
// Shell services: opening documents and programs, downloads and the common file dialogs.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Download.h"
#include "platform/Types.h"

namespace platform {

struct FileDialogDesc {
  WindowId owner = 0;
  std::u16string title;
  std::u16string defaultExtension;  // without the dot, e.g. u"psf"
  std::u16string defaultName;
  // MFC-style filter: u"psf file(*.psf)|*.psf||"
  std::u16string filter;
  bool mustExist = false;        // open dialogs: the file and its folder must exist
  bool overwritePrompt = false;  // save dialogs
};

class Shell {
 public:
  virtual ~Shell() = default;
  // ShellExecuteW with "open"; true when the system reports success (> 32).
  virtual bool Open(std::u16string_view target) = 0;
  // WinExec with SW_RESTORE (9); true when the system reports success (> 31). A command line
  // that the ANSI code page cannot carry is refused.
  virtual bool Execute(std::u16string_view commandLine) = 0;
  // URLDownloadToFileW; blocks until done. True on success.
  virtual bool Download(std::u16string_view url, std::u16string_view file) = 0;
  // The same on a worker; `observer` hears progress and the end on the user-interface thread
  // and must outlive the job. Nothing (and no callback) while another download started here
  // is still running, or when no worker can be started.
  virtual std::unique_ptr<DownloadJob> StartDownload(std::u16string_view url,
                                                     std::u16string_view file,
                                                     DownloadObserver& observer) = 0;
  // Full path chosen by the user, or nothing when cancelled.
  virtual std::optional<std::u16string> OpenFileDialog(const FileDialogDesc& desc) = 0;
  virtual std::optional<std::u16string> SaveFileDialog(const FileDialogDesc& desc) = 0;
};

}  // namespace platform
