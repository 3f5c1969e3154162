#pragma once
// Recording a macro from the keyboard hook's events: auto-repeat and mouse-button codes are
// dropped, the pause before each key becomes a delay (at most 4095 ms), and recording stops
// once the macro holds 92 key actions, which is all the mouse can play.

#include <cstdint>

#include "macros/MacroRecord.h"

class MacroRecorder {
 public:
  static constexpr uint32_t kMaxCommands = 92;
  static constexpr uint32_t kMaxDelayMs = 4095;

  enum class Step {
    Ignored,       // not recording, no macro, a mouse-button code or a repeat
    Recorded,      // the key action (and its delay) was appended
    LimitReached,  // recording stopped; the event was not recorded (text 235)
  };

  // Starts recording into `macro`: its actions are discarded.
  void Start(MacroRecord& macro);
  void Stop() { m_bRecording = false; }
  bool IsRecording() const { return m_bRecording; }

  // One event of the hook: the key code in the low byte of `wParam`, `lParam` bit 31 set for
  // a release and bits 0..30 the event time in ms (wrapping at 2^31).
  [[nodiscard]] Step OnKeyEvent(MacroRecord* macro, uint64_t wParam, uint64_t lParam,
                                bool recordDelays);

  // Milliseconds between two event words, across one wrap of the 31-bit time.
  static uint32_t Interval(uint32_t earlierWord, uint32_t laterWord);

 private:
  bool m_bRecording = false;
  uint8_t m_nLastCode = 0;
  uint32_t m_nLastWord = 0;
};
