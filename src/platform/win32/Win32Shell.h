#pragma once
// Shell open, program start, downloads and the file dialogs come with a later piece of work.
// Until then nothing opens, runs or downloads, and the dialogs behave as if cancelled.

#include "platform/Shell.h"

namespace platform::win32 {

class Win32Shell : public Shell {
 public:
  bool Open(std::u16string_view) override { return false; }
  bool Execute(std::u16string_view) override { return false; }
  bool Download(std::u16string_view, std::u16string_view) override { return false; }
  std::optional<std::u16string> OpenFileDialog(const FileDialogDesc&) override {
    return std::nullopt;
  }
  std::optional<std::u16string> SaveFileDialog(const FileDialogDesc&) override {
    return std::nullopt;
  }
};

}  // namespace platform::win32
