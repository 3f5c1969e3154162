#pragma once
// The two firmware images the program carries (resources "BIN" 366 and 367) and the
// application header, which the mouse returns in the same layout:
//   0  CRC-32 of the image from offset 16 to its end (little-endian)
//   4  word (unused)   6  length in 4-byte units   8  four marker bytes   12..15 unused

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct FirmwareHeader {
  static constexpr size_t kLength = 16;
  uint32_t checksum = 0;
  uint16_t word4 = 0;
  uint16_t lengthWords = 0;

  static std::optional<FirmwareHeader> Parse(std::span<const uint8_t> bytes);
};

class FirmwareImage {
 public:
  static constexpr int kApplicationResource = 366;
  static constexpr int kBaseResource = 367;
  static constexpr size_t kApplicationLimit = 159616;
  static constexpr size_t kBaseLimit = 335872;
  static constexpr size_t kBlock = 128;

  enum class Check { Ok, Missing, TooLarge, Malformed };

  // Resource 366: missing, larger than the limit, shorter than its header, with a header
  // length beyond the image or a checksum its contents do not have: not Ok, and nothing is
  // kept (the caller shows "App File is Error!").
  Check SetApplication(std::span<const uint8_t> bytes);
  // Resource 367: kept only when it covers the whole base region and fits the limit.
  Check SetBase(std::span<const uint8_t> bytes);
  // Both from the program's resources.
  Check LoadFromResources();

  bool HasApplication() const { return !m_app.empty(); }
  bool HasBase() const { return !m_base.empty(); }
  const std::vector<uint8_t>& Application() const { return m_app; }
  const std::vector<uint8_t>& Base() const { return m_base; }
  const FirmwareHeader& Header() const { return m_header; }
  // Blocks of 128 bytes, a final partial block counted as one.
  size_t BlockCount() const { return (m_app.size() + kBlock - 1) / kBlock; }

 private:
  std::vector<uint8_t> m_app;
  std::vector<uint8_t> m_base;
  FirmwareHeader m_header;
};
