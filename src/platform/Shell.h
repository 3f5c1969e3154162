#pragma once
// Shell services: opening documents and programs, downloads and the common file dialogs.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Download.h"
#include "platform/HeldFile.h"
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
  // Downloads always come from the server, never from a cache, and a redirect to anything
  // but an https address fails them.
  // URLDownloadToFileW; blocks until done. True on success. More than `maxBytes` fails the
  // download as soon as the excess arrives (0: no limit).
  virtual bool Download(std::u16string_view url, std::u16string_view file, uint64_t maxBytes) = 0;
  // The same on a worker, without a limit; `observer` hears progress and the end on the
  // user-interface thread and must outlive the job. Nothing (and no callback) while another
  // download started here is still running, or when no worker can be started.
  virtual std::unique_ptr<DownloadJob> StartDownload(std::u16string_view url,
                                                     std::u16string_view file,
                                                     DownloadObserver& observer) = 0;
  // Copies `source` to a new file of its own in `folder` and holds the copy open so that no
  // one can write, rename or delete it until it is started or released. Nothing when the
  // copy cannot be made.
  virtual std::unique_ptr<HeldFile> HoldCopy(std::u16string_view source,
                                             std::u16string_view folder) = 0;
  // Full path chosen by the user, or nothing when cancelled.
  virtual std::optional<std::u16string> OpenFileDialog(const FileDialogDesc& desc) = 0;
  virtual std::optional<std::u16string> SaveFileDialog(const FileDialogDesc& desc) = 0;
};

}  // namespace platform
