#include "macros/editing/MacroRecorder.h"

#include <algorithm>

namespace {

constexpr uint32_t kReleaseBit = 0x80000000u;
constexpr uint32_t kTimeMask = 0x7FFFFFFFu;
constexpr uint8_t kLastMouseCode = 7;

}  // namespace

void MacroRecorder::Start(MacroRecord& macro) {
  m_bRecording = true;
  m_nLastCode = 0;
  m_nLastWord = 0;
  macro.MacroActionNum = 0;
  macro.MacroCommandActionNum = 0;
  macro.actions.fill(MacroAction{});
}

uint32_t MacroRecorder::Interval(uint32_t earlierWord, uint32_t laterWord) {
  return ((laterWord & kTimeMask) - (earlierWord & kTimeMask)) & kTimeMask;
}

MacroRecorder::Step MacroRecorder::OnKeyEvent(MacroRecord* macro, uint64_t wParam, uint64_t lParam,
                                              bool recordDelays) {
  const auto code = static_cast<uint8_t>(wParam & 0xFF);
  const auto word = static_cast<uint32_t>(lParam);
  if (!m_bRecording || macro == nullptr || code <= kLastMouseCode) return Step::Ignored;
  const bool release = (word & kReleaseBit) != 0;
  if (code == m_nLastCode && release == ((m_nLastWord & kReleaseBit) != 0)) return Step::Ignored;

  const MacroAction key = MacroAction::Key(code, release);
  const uint32_t used = std::min(macro->MacroActionNum, MacroRecord::kMaxActions);
  if (used == 0) {
    if (!macro->InsertAction(used, key)) return Step::Ignored;
    macro->MacroCommandActionNum = 1;
  } else {
    // Delays inserted by hand while recording can fill the places before the command count
    // reaches the limit; a key that no longer fits ends the recording the same way.
    const uint32_t needed = recordDelays ? 2 : 1;
    if (macro->MacroCommandActionNum >= kMaxCommands || used + needed > MacroRecord::kMaxActions) {
      m_bRecording = false;
      return Step::LimitReached;
    }
    if (recordDelays) {
      const uint32_t ms = std::min(Interval(m_nLastWord, word), kMaxDelayMs);
      (void)macro->InsertAction(used, MacroAction::Delay(ms));
    }
    (void)macro->InsertAction(MacroRecord::kMaxActions, key);
    ++macro->MacroCommandActionNum;
  }
  m_nLastCode = code;
  m_nLastWord = word;
  return Step::Recorded;
}
