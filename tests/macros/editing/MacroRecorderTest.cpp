#include "macros/editing/MacroRecorder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Step = MacroRecorder::Step;

constexpr uint64_t Word(uint32_t timeMs, bool release) {
  return (timeMs & 0x7FFFFFFFu) | (release ? 0x80000000u : 0u);
}

std::vector<MacroAction> Actions(const MacroRecord& m) {
  return {m.actions.begin(), m.actions.begin() + m.MacroActionNum};
}

TEST(MacroRecorderTest, RepeatsAndMouseCodesAreDroppedAndTheFirstKeyHasNoDelay) {
  MacroRecord macro;
  macro.MacroActionNum = 5;  // an old recording is discarded
  macro.MacroCommandActionNum = 5;
  MacroRecorder rec;
  rec.Start(macro);
  EXPECT_EQ(macro.MacroActionNum, 0u);
  EXPECT_EQ(rec.OnKeyEvent(&macro, 0x41, Word(1000, false), true), Step::Recorded);
  EXPECT_EQ(rec.OnKeyEvent(&macro, 0x41, Word(1030, false), true), Step::Ignored);  // repeat
  EXPECT_EQ(rec.OnKeyEvent(&macro, 0x01, Word(1040, false), true), Step::Ignored);  // mouse
  EXPECT_EQ(rec.OnKeyEvent(&macro, 0x07, Word(1041, true), true), Step::Ignored);
  EXPECT_EQ(rec.OnKeyEvent(&macro, 0x141, Word(1100, true), true), Step::Recorded);  // low byte
  EXPECT_EQ(Actions(macro),
            (std::vector<MacroAction>{MacroAction::Key(0x41, false), MacroAction::Delay(100),
                                      MacroAction::Key(0x41, true)}));
  EXPECT_EQ(macro.MacroCommandActionNum, 2);
  EXPECT_EQ(rec.OnKeyEvent(nullptr, 0x42, Word(1200, false), true), Step::Ignored);
}

TEST(MacroRecorderTest, DelaysAreCappedWrapAroundAndCanBeLeftOut) {
  struct Case {
    uint32_t first, second;
    bool delays;
    std::vector<MacroAction> expected;
  };
  const MacroAction a = MacroAction::Key(0x41, false), b = MacroAction::Key(0x42, false);
  const std::vector<Case> cases = {
      {0, 10000, true, {a, MacroAction::Delay(4095), b}},               // 10 s pause
      {0x7FFFFFF0u, 0x10, true, {a, MacroAction::Delay(0x20), b}},      // the 31-bit wrap
      {0x7FFFFFF0u, 0x7FFFFFF0u, true, {a, MacroAction::Delay(0), b}},  // same instant
      {0, 500, false, {a, b}},                                          // delays off
  };
  for (const Case& c : cases) {
    MacroRecord macro;
    MacroRecorder rec;
    rec.Start(macro);
    (void)rec.OnKeyEvent(&macro, 0x41, Word(c.first, false), c.delays);
    (void)rec.OnKeyEvent(&macro, 0x42, Word(c.second, false), c.delays);
    EXPECT_EQ(Actions(macro), c.expected) << c.first << " " << c.second;
  }
}

TEST(MacroRecorderTest, The93rdKeyStopsRecordingAndIsNotKept) {
  MacroRecord macro;
  MacroRecorder rec;
  rec.Start(macro);
  for (uint32_t i = 0; i < 92; ++i) {
    ASSERT_EQ(rec.OnKeyEvent(&macro, 0x41, Word(i * 10, i % 2 == 1), true), Step::Recorded) << i;
  }
  EXPECT_EQ(macro.MacroCommandActionNum, 92);
  EXPECT_EQ(macro.MacroActionNum, 183u);
  EXPECT_EQ(rec.OnKeyEvent(&macro, 0x42, Word(2000, false), true), Step::LimitReached);
  EXPECT_FALSE(rec.IsRecording());
  EXPECT_EQ(macro.MacroActionNum, 183u);
  EXPECT_EQ(rec.OnKeyEvent(&macro, 0x43, Word(2100, false), true), Step::Ignored);
}

TEST(MacroRecorderTest, FullActionPlacesStopRecordingBeforeTheCommandLimit) {
  // Delays inserted by hand while recording took the places.
  MacroRecord macro;
  MacroRecorder rec;
  rec.Start(macro);
  ASSERT_EQ(rec.OnKeyEvent(&macro, 0x41, Word(0, false), true), Step::Recorded);
  while (macro.MacroActionNum < 183) ASSERT_TRUE(macro.InsertAction(0, MacroAction::Delay(1)));
  EXPECT_EQ(rec.OnKeyEvent(&macro, 0x41, Word(10, true), true), Step::LimitReached);
  EXPECT_EQ(macro.MacroActionNum, 183u);
  EXPECT_EQ(macro.MacroCommandActionNum, 1);
}

}  // namespace
