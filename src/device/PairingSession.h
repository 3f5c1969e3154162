#pragma once
// The pairing window's state machine: start, one tick a second, the status text to show.
// The window owns it, drives it from its start button and its 1000 ms timer, and sends the
// pairing report (message 1174 to the main window) when Start says so.

#include <cstdint>

class PairingSession {
 public:
  enum class State : uint8_t { Idle = 0, Pairing = 1, Paired = 2, Failed = 3 };
  static constexpr int kGiveUpAfter = 25;  // seconds; the 26th tick fails
  static constexpr uint32_t kTickMs = 1000;
  static constexpr int kStartText = 277;
  static constexpr int kCaptionText = 283;
  static constexpr int kWaitingTexts[3] = {278, 279, 280};
  static constexpr int kFailedText = 281;
  static constexpr int kPairedText = 282;

  enum class StartAction {
    None,         // already pairing or paired: nothing happens
    SendAndTick,  // send the pairing report, start the 1000 ms timer
    TickOnly,     // a restart after a failure: timer only, no second report
  };
  enum class TickResult { Continue, Stop };

  // The start button or Space.
  StartAction Start();
  // The 1000 ms timer; `linked` is DeviceLink::DeviceActive(). Stop: kill the timer.
  TickResult Tick(bool linked);

  State state() const { return m_state; }
  int ticks() const { return m_ticks; }
  int phase() const { return m_ticks % 3; }
  // The status line's text number; 0 before the first start (the line is empty).
  int StatusText() const { return m_statusText; }

 private:
  State m_state = State::Idle;
  int m_ticks = 0;
  int m_statusText = 0;
};
