#pragma once
// Real time: the tick counter, Sleep, and a delay that keeps the calling thread's windows
// alive by dispatching their messages while it waits.

#include "adapters/win32/FailureLog.h"
#include "platform/Clock.h"

namespace platform::win32 {

class Win32Clock : public Clock {
 public:
  explicit Win32Clock(FailureLog& failures) : m_failures(failures) {}

  uint64_t NowMs() override;
  LocalTime LocalNow() override;
  void Sleep(uint32_t ms) override;
  // Sleeps in MsgWaitForMultipleObjectsEx between messages instead of polling. A WM_QUIT
  // seen meanwhile is put back for the outer loop once the delay is over.
  void PumpDelay(uint32_t ms) override;

 private:
  FailureLog& m_failures;
};

}  // namespace platform::win32
