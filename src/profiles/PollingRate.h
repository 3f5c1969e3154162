#pragma once
// The seven polling rates by the index a profile stores (byte 0 of PollingRateValue): the code
// the mouse takes in command 0x04 and reports in its status, and the two texts shown for it.
// Every index past the last stands for the last rate.

#include <array>
#include <cstdint>
#include <string>

struct PollingRate {
  static constexpr uint8_t kHighestIndex = 6;
  static constexpr uint8_t kIndex1000Hz = 3;
  static constexpr uint8_t kDefaultIndex = kIndex1000Hz;

  struct Row {
    int hertz;
    uint8_t code;
  };
  static constexpr std::array<Row, kHighestIndex + 1> kRows = {{
      {125, 0x08},
      {250, 0x04},
      {500, 0x02},
      {1000, 0x01},
      {2000, 0x11},
      {4000, 0x12},
      {8000, 0x14},
  }};

  static constexpr uint8_t Clamp(uint8_t index) {
    return index < kHighestIndex ? index : kHighestIndex;
  }
  static constexpr int Hertz(uint8_t index) { return kRows[Clamp(index)].hertz; }
  static constexpr uint8_t Code(uint8_t index) { return kRows[Clamp(index)].code; }
  // The index of a code the mouse reports; a code it does not list means the highest rate.
  static constexpr uint8_t IndexOfCode(uint8_t code) {
    for (uint8_t i = 0; i < kHighestIndex; ++i) {
      if (kRows[i].code == code) return i;
    }
    return kHighestIndex;
  }
  // The highest index a cable or receiver polling class allows: class 8 all seven rates, 4 up
  // to 4000 Hz, 2 up to 2000 Hz, 1 and anything else up to 1000 Hz.
  static constexpr uint8_t HighestIndexForClass(int pollingClass) {
    switch (pollingClass) {
      case 8:
        return 6;
      case 4:
        return 5;
      case 2:
        return 4;
      default:
        return kIndex1000Hz;
    }
  }
  // "125HZ".."8000HZ": PollingRateName as the page stores it.
  static std::u16string Name(uint8_t index);
  // "125Hz".."8000Hz": the on-screen display's text, which a status report stores as the name.
  static std::u16string Label(uint8_t index);
};
