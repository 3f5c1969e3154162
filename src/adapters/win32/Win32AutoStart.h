#pragma once
// The per-user Run entry in the registry
// (HKCU\Software\Microsoft\Windows\CurrentVersion\Run, value "Vantrel").

#include <string>

#include "adapters/win32/FailureLog.h"
#include "platform/AutoStart.h"

namespace platform::win32 {

class Win32AutoStart : public AutoStart {
 public:
  // `executable`: the full path of the running program.
  Win32AutoStart(FailureLog& failures, std::u16string executable)
      : m_failures(failures), m_executable(std::move(executable)) {}

  std::optional<std::u16string> Entry() override;
  bool Enable() override;
  bool Disable() override;

 private:
  FailureLog& m_failures;
  std::u16string m_executable;
};

}  // namespace platform::win32
