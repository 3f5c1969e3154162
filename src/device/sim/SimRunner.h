#pragma once
// Runs the simulated mouse inside the real program (`--simulate`): plays a script of timed
// mouse events on the platform's timers and keeps the traffic log file up to date.
// Without a script the mouse is plugged in by cable at start.
//
// Create it after the platform is installed and before the program scans for devices; it
// must outlive every device opened from its bus.

#include <memory>
#include <optional>
#include <string>

#include "device/sim/SimMouse.h"
#include "device/sim/SimScript.h"
#include "platform/WindowSystem.h"

class SimRunner : public platform::WindowHandler {
 public:
  SimRunner(std::optional<SimScript> script, std::u16string logPath);
  // Writes the log a last time.
  ~SimRunner() override;
  SimRunner(const SimRunner&) = delete;
  SimRunner& operator=(const SimRunner&) = delete;

  SimMouse& Mouse() { return *m_mouse; }
  // Plays what is due at time 0 at once and schedules the rest.
  void Start();
  // Writes the whole log (through a temporary file beside it); true when there is no log
  // to write or it was written.
  bool WriteLog();

  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 private:
  static constexpr uintptr_t kTimerPlay = 1;
  static constexpr uintptr_t kTimerFlush = 2;

  void PlayDue();

  std::unique_ptr<SimMouse> m_mouse;
  std::optional<SimScript> m_script;
  std::u16string m_logPath;
  platform::WindowId m_window = 0;
  uint64_t m_startMs = 0;
  size_t m_logged = 0;  // log entries already in the file
  bool m_written = false;
};
