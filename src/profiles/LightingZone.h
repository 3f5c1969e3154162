#pragma once
// The lighting block of a profile. Zone 1 is the mouse's light: one parameter set per effect,
// so switching effects brings back what was last used with that effect. Zone 2 only travels
// between file and memory.

#include <array>
#include <cstdint>
#include <string>

#include "platform/Types.h"

struct LightingZone {
  static constexpr int kEffectCount = 10;
  static constexpr int kColourSlots = 10;

  template <typename T>
  using PerEffect = std::array<T, kEffectCount>;
  template <typename T>
  using PerEffectSlot = std::array<std::array<T, kColourSlots>, kEffectCount>;

  uint8_t Lighting1OffOn = 1;
  std::u16string Lighting1Name;
  std::array<uint8_t, 3> Lighting1ModeValue{};  // byte 0 = current effect
  PerEffect<uint8_t> Lighting1Speed{};
  PerEffect<uint8_t> Lighting1Brightness{};         // 0..3 = 25, 50, 75, 100 %
  PerEffectSlot<uint8_t> Lighting1ColorSelected{};  // non-zero = colour slot used
  PerEffectSlot<platform::Colour> Lighting1FixedColor{};
  PerEffect<uint8_t> Lighting1Direction{};

  uint8_t Lighting2OffOn = 0;
  std::u16string Lighting2Name;
  std::array<uint8_t, 3> Lighting2ModeValue{};
  uint8_t Lighting2Speed = 0;
  uint8_t Lighting2Brightness = 0;
  platform::Colour Lighting2FixedColor = 0;

  // The effect whose parameter set zone-1 edits use.
  int CurrentEffect() const {
    // The mode byte comes from a file and indexes the per-effect arrays.
    return Lighting1ModeValue[0] < kEffectCount ? Lighting1ModeValue[0] : 0;
  }

  friend bool operator==(const LightingZone&, const LightingZone&) = default;
};
