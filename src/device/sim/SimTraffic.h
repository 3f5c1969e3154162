#pragma once
// One report in the simulated mouse's traffic log.

#include <cstdint>
#include <vector>

#include "device/ConnectionMode.h"

struct SimTraffic {
  enum class Transfer {
    SetFeature,  // host to mouse: the bytes handed to the send call (32, or 33 for lighting)
    GetFeature,  // mouse to host: the answer as the host received it
    Input,       // mouse to host: an input report delivered to a reader
  };

  uint64_t timeMs = 0;  // virtual time
  Transfer transfer = Transfer::SetFeature;
  ConnectionMode::Kind mode = ConnectionMode::Wired;
  bool ok = true;  // whether the transfer succeeded
  std::vector<uint8_t> bytes;

  uint8_t ReportId() const { return bytes.empty() ? 0 : bytes[0]; }
  uint8_t At(size_t i) const { return i < bytes.size() ? bytes[i] : 0; }
};
