#pragma once
// Feature report 0xBF, the firmware transfer: 136 bytes, always on the Wired command handle.
//   0  0xBF
//   1  bytes to write from byte 8 (operation 0), else 0
//   2  bytes the mouse is to return from byte 8 (operation 0), else 0
//   3  operation
//   4  length of operation 4; first byte of the 32-bit value of operation 5
//   5..7 flash address, most significant byte first
//   8..135 data
// The flash layout and the unlock value are shared with the simulated mouse.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

struct FirmwareReport {
  static constexpr uint8_t kReportId = 0xBF;
  static constexpr size_t kLength = 136;
  static constexpr size_t kDataOffset = 8;
  static constexpr size_t kDataLength = 128;

  enum Operation : uint8_t {
    kTransfer = 0,
    kEraseUpdateArea = 1,
    kRestart = 2,
    kEraseSector = 3,
    kWriteData = 4,
    kProtection = 5,
  };

  // Operation 5 with this value opens the base region for erasing and writing; with
  // 00 00 00 00 it closes it again.
  static constexpr uint32_t kUnlockValue = 0x5AA5C33Cu;

  // The flash.
  static constexpr uint32_t kFlashSize = 0x080000;
  static constexpr uint32_t kSectorSize = 0x1000;
  static constexpr uint32_t kBaseStart = 0x000000;
  static constexpr uint32_t kBaseEnd = 0x02B000;  // 43 sectors, 1376 blocks
  static constexpr uint32_t kBaseCheckStart = 0x010000;
  static constexpr uint32_t kBaseCheckEnd = 0x011000;
  static constexpr uint32_t kAppHeader = 0x02B070;  // the running application, header first
  static constexpr uint32_t kUpdateArea = 0x052000;
  static constexpr uint32_t kUpdateAreaEnd = 0x07C000;
  static constexpr uint32_t kCommitA = 0x07C000;
  static constexpr uint32_t kCommitB = 0x07D000;
  static constexpr uint32_t kCommitCounter = 0x07E000;
  static constexpr uint32_t kCommitTail = 0x07E008;
  static constexpr uint32_t kCommitTailLength = 0x24;
  static constexpr uint32_t kCommitFlag = 0x07F000;

  std::array<uint8_t, kLength> bytes{};

  static FirmwareReport Make(Operation op, uint32_t address);
  static FirmwareReport Write(uint32_t address, std::span<const uint8_t> data);      // op 0
  static FirmwareReport Read(uint32_t address, uint8_t length);                      // op 0
  static FirmwareReport WriteData(uint32_t address, std::span<const uint8_t> data);  // op 4
  static FirmwareReport Protection(uint32_t value);                                  // op 5

  uint8_t operation() const { return bytes[3]; }
  uint8_t writeLength() const { return bytes[1]; }
  uint8_t readLength() const { return bytes[2]; }
  uint32_t address() const {
    return (uint32_t{bytes[5]} << 16) | (uint32_t{bytes[6]} << 8) | bytes[7];
  }
  uint32_t value() const {
    return (uint32_t{bytes[4]} << 24) | (uint32_t{bytes[5]} << 16) | (uint32_t{bytes[6]} << 8) |
           bytes[7];
  }
};
