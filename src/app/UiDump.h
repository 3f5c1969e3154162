#pragma once
// The control dump of --ui-dump=FILE: after a paint of any skinned window the file holds
// one UTF-8 line per window and per control of every open skinned window, in screen pixels:
//   window=<title> class=<class> x=.. y=.. w=.. h=.. visible=<0|1>
//   window=<title> id=<id> class=<class> x=.. y=.. w=.. h=.. visible=.. enabled=.. checked=..
//   text=..
// Writes are coalesced to at most ten a second and replace the file atomically.

#include <cstdint>
#include <string>

#include "platform/Types.h"

class UiDump {
 public:
  static constexpr uint32_t kMinIntervalMs = 100;

  // `timerWindow` runs the timer that writes a coalesced dump; `timerId` is its id there.
  UiDump(std::u16string path, platform::WindowId timerWindow, uintptr_t timerId);
  ~UiDump();
  UiDump(const UiDump&) = delete;
  UiDump& operator=(const UiDump&) = delete;

  // Every live skinned window and its controls, as the file holds them.
  static std::string Format();

  // A window was painted: write now, or once the interval since the last write is over.
  void OnPainted();
  // The timer fired.
  void OnTimer();
  // Writes now (at exit, so that the last state is kept).
  void Flush();
  int Writes() const { return m_writes; }

 private:
  bool Write();

  std::u16string m_path;
  platform::WindowId m_timerWindow;
  uintptr_t m_timerId;
  uint64_t m_lastWriteMs = 0;
  bool m_written = false;
  bool m_timerArmed = false;
  bool m_dirty = false;
  int m_writes = 0;
};
