#pragma once
// The system clipboard as CF_UNICODETEXT.

#include "adapters/win32/FailureLog.h"
#include "platform/Clipboard.h"

namespace platform::win32 {

class Win32Clipboard : public Clipboard {
 public:
  explicit Win32Clipboard(FailureLog& failures) : m_failures(failures) {}

  std::optional<std::u16string> GetText(WindowId owner) override;
  [[nodiscard]] bool SetText(WindowId owner, std::u16string_view text) override;

 private:
  FailureLog& m_failures;
};

}  // namespace platform::win32
