#pragma once
// What the HID bus needs from a report descriptor: its top-level collections, each with its
// usage page and usage and the byte lengths of its longest input and feature reports, counted
// as Windows counts them (one byte for the report id, also when the device numbers no reports).
//
// Linux opens one hidraw node per interface, while Windows makes one HID device of every
// top-level collection; the bus lists one entry per collection, so discovery sees the same
// interfaces on both systems.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace platform::posix {

struct ReportDescriptor {
  // The kernel never hands out more.
  static constexpr size_t kMaxLength = 4096;

  struct Collection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t inputReportLength = 0;    // 0 when the collection has no input report
    uint16_t featureReportLength = 0;  // 0 when it has no feature report
    friend bool operator==(const Collection&, const Collection&) = default;
  };

  std::vector<Collection> collections;
  // At least one Report ID item: every report starts with its id byte.
  bool numberedReports = false;

  // Never fails: a damaged or cut descriptor gives what was read before the damage, and
  // bytes past kMaxLength are not looked at.
  static ReportDescriptor Parse(std::span<const uint8_t> bytes);
};

}  // namespace platform::posix
