#pragma once
// Firmware images for tests, made the way scripts/make-firmware.py makes the carried ones:
// a header with the CRC-32 of bytes 16.. and the length in 4-byte units, then filler.

#include <cstdint>
#include <vector>

#include "base/Crc32.h"
#include "device/FirmwareReport.h"

namespace firmware_test {

inline std::vector<uint8_t> Filler(size_t n, uint32_t seed) {
  std::vector<uint8_t> out(n);
  uint32_t x = seed;
  for (auto& b : out) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b = static_cast<uint8_t>(x);
  }
  return out;
}

inline void Seal(std::vector<uint8_t>& image) {
  const uint32_t words = static_cast<uint32_t>(image.size() / 4);
  image[6] = static_cast<uint8_t>(words);
  image[7] = static_cast<uint8_t>(words >> 8);
  const uint32_t crc = base::Crc32(std::span<const uint8_t>(image).subspan(16));
  for (int i = 0; i < 4; ++i) image[i] = static_cast<uint8_t>(crc >> (8 * i));
}

inline std::vector<uint8_t> MakeApplication(size_t size, uint32_t seed) {
  std::vector<uint8_t> image = Filler(size, seed);
  Seal(image);
  return image;
}

inline std::vector<uint8_t> MakeBase(uint32_t seed) {
  return Filler(FirmwareReport::kBaseEnd, seed);
}

}  // namespace firmware_test
