#pragma once
// Report 6, the frame every setting travels in: id, command, sequence number, packet field,
// checksum, 27 payload bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct CommandReport {
  static constexpr uint8_t kReportId = 0x06;
  static constexpr size_t kLength = 32;
  static constexpr size_t kPayloadOffset = 5;
  static constexpr size_t kPayloadLength = kLength - kPayloadOffset;
  static constexpr size_t kChecksumOffset = 4;

  // One byte more than the wire length: the lighting command hands 33 bytes to the send call,
  // the last one always 0x00.
  std::array<uint8_t, kLength + 1> bytes{};

  // A payload longer than 27 bytes is cut to 27.
  static CommandReport Build(uint8_t command, uint8_t sequence, uint8_t packetField,
                             std::span<const uint8_t> payload);

  // Sum modulo 256 of bytes 0..31 with byte 4 counted as 0x00.
  static uint8_t Checksum(std::span<const uint8_t, kLength> frame);
  // True when `frame` holds at least 32 bytes and byte 4 matches the rest.
  static bool HasValidChecksum(std::span<const uint8_t> frame);

  // Puts a new sequence number in byte 2 and recomputes the checksum (a retry of a kept frame).
  void Resequence(uint8_t sequence);

  uint8_t command() const { return bytes[1]; }
  uint8_t sequence() const { return bytes[2]; }
  std::span<const uint8_t, kLength> wire() const {
    return std::span<const uint8_t, kLength>(bytes.data(), kLength);
  }
};
