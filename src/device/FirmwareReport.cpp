#include "device/FirmwareReport.h"

#include <algorithm>

FirmwareReport FirmwareReport::Make(Operation op, uint32_t address) {
  FirmwareReport r;
  r.bytes[0] = kReportId;
  r.bytes[3] = op;
  r.bytes[5] = static_cast<uint8_t>(address >> 16);
  r.bytes[6] = static_cast<uint8_t>(address >> 8);
  r.bytes[7] = static_cast<uint8_t>(address);
  return r;
}

FirmwareReport FirmwareReport::Write(uint32_t address, std::span<const uint8_t> data) {
  FirmwareReport r = Make(kTransfer, address);
  const size_t n = std::min(data.size(), kDataLength);
  r.bytes[1] = static_cast<uint8_t>(n);
  std::copy_n(data.begin(), n, r.bytes.begin() + kDataOffset);
  return r;
}

FirmwareReport FirmwareReport::Read(uint32_t address, uint8_t length) {
  FirmwareReport r = Make(kTransfer, address);
  r.bytes[2] = static_cast<uint8_t>(std::min<size_t>(length, kDataLength));
  return r;
}

FirmwareReport FirmwareReport::WriteData(uint32_t address, std::span<const uint8_t> data) {
  FirmwareReport r = Make(kWriteData, address);
  const size_t n = std::min(data.size(), kDataLength);
  r.bytes[4] = static_cast<uint8_t>(n);
  std::copy_n(data.begin(), n, r.bytes.begin() + kDataOffset);
  return r;
}

FirmwareReport FirmwareReport::Protection(uint32_t value) {
  FirmwareReport r = Make(kProtection, 0);
  // The value goes into bytes 4..7 in pieces (one byte, two bytes, one byte), over the
  // address field.
  r.bytes[4] = static_cast<uint8_t>(value >> 24);
  r.bytes[5] = static_cast<uint8_t>(value >> 16);
  r.bytes[6] = static_cast<uint8_t>(value >> 8);
  r.bytes[7] = static_cast<uint8_t>(value);
  return r;
}
