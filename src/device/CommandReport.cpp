#include "device/CommandReport.h"

#include <algorithm>

CommandReport CommandReport::Build(uint8_t command, uint8_t sequence, uint8_t packetField,
                                   std::span<const uint8_t> payload) {
  CommandReport report;
  report.bytes[0] = kReportId;
  report.bytes[1] = command;
  report.bytes[2] = sequence;
  report.bytes[3] = packetField;
  const size_t n = std::min(payload.size(), kPayloadLength);
  std::copy_n(payload.begin(), n, report.bytes.begin() + kPayloadOffset);
  report.bytes[kChecksumOffset] = Checksum(report.wire());
  return report;
}

uint8_t CommandReport::Checksum(std::span<const uint8_t, kLength> frame) {
  unsigned sum = 0;
  for (size_t i = 0; i < kLength; ++i) {
    if (i != kChecksumOffset) sum += frame[i];
  }
  return static_cast<uint8_t>(sum);
}

bool CommandReport::HasValidChecksum(std::span<const uint8_t> frame) {
  if (frame.size() < kLength) return false;
  return frame[kChecksumOffset] == Checksum(frame.first<kLength>());
}

void CommandReport::Resequence(uint8_t sequence) {
  bytes[2] = sequence;
  bytes[kChecksumOffset] = Checksum(wire());
}
