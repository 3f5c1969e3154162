#pragma once
// Time. Program code never reads a clock or sleeps directly; the adapter decides what a
// millisecond is (real time on Windows, virtual time in tests).

#include <cstdint>

namespace platform {

// A local calendar date and time of day, for names a person reads (backup files).
struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;

  // The local date and time now.
  virtual LocalTime LocalNow() = 0;

  // Milliseconds since an arbitrary start; never decreases.
  virtual uint64_t NowMs() = 0;
  // Blocks the calling thread; no messages are dispatched meanwhile.
  virtual void Sleep(uint32_t ms) = 0;
  // Waits `ms` while dispatching the calling thread's window messages and timers, so the
  // window stays responsive. Returns no earlier than the deadline and does not spin a core.
  // With 0 it dispatches what is already waiting and returns.
  virtual void PumpDelay(uint32_t ms) = 0;
};

}  // namespace platform
