#include "adapters/posix/ReportDescriptor.h"

#include <algorithm>
#include <map>

namespace platform::posix {
namespace {

// Item types and tags of the short items we act on (HID 1.11, 6.2.2).
constexpr uint8_t kMain = 0;
constexpr uint8_t kGlobal = 1;
constexpr uint8_t kLocal = 2;
constexpr uint8_t kTagInput = 0x8;
constexpr uint8_t kTagFeature = 0xB;
constexpr uint8_t kTagCollection = 0xA;
constexpr uint8_t kTagEndCollection = 0xC;
constexpr uint8_t kTagUsagePage = 0x0;
constexpr uint8_t kTagReportSize = 0x7;
constexpr uint8_t kTagReportId = 0x8;
constexpr uint8_t kTagReportCount = 0x9;
constexpr uint8_t kTagPush = 0xA;
constexpr uint8_t kTagPop = 0xB;
constexpr uint8_t kTagUsage = 0x0;
constexpr uint8_t kLongItem = 0xFE;
constexpr size_t kMaxPushDepth = 16;

struct Globals {
  uint32_t usagePage = 0;
  uint32_t reportSize = 0;
  uint32_t reportCount = 0;
  uint32_t reportId = 0;
};

// Bits per report id, of one kind, in one collection.
using ReportBits = std::map<uint32_t, uint64_t>;

uint16_t ByteLength(const ReportBits& reports) {
  uint64_t longest = 0;
  for (const auto& [id, bits] : reports) longest = std::max(longest, bits);
  if (reports.empty()) return 0;
  const uint64_t bytes = (longest + 7) / 8 + 1;
  return static_cast<uint16_t>(std::min<uint64_t>(bytes, 0xFFFF));
}

}  // namespace

ReportDescriptor ReportDescriptor::Parse(std::span<const uint8_t> bytes) {
  bytes = bytes.first(std::min(bytes.size(), kMaxLength));
  ReportDescriptor result;
  Globals globals;
  std::vector<Globals> pushed;
  std::vector<uint32_t> usages;  // local usages since the last main item
  struct Open {
    ReportBits input;
    ReportBits feature;
  };
  std::vector<Open> reports;  // per top-level collection
  int depth = 0;

  size_t at = 0;
  while (at < bytes.size()) {
    const uint8_t prefix = bytes[at];
    if (prefix == kLongItem) {
      if (at + 1 >= bytes.size()) break;
      at += 3 + size_t{bytes[at + 1]};
      continue;
    }
    const size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
    if (at + 1 + size > bytes.size()) break;  // cut in the middle of an item
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i) value |= uint32_t{bytes[at + 1 + i]} << (8 * i);
    const uint8_t type = (prefix >> 2) & 3;
    const uint8_t tag = prefix >> 4;
    at += 1 + size;

    if (type == kGlobal) {
      switch (tag) {
        case kTagUsagePage:
          globals.usagePage = value;
          break;
        case kTagReportSize:
          globals.reportSize = value;
          break;
        case kTagReportId:
          globals.reportId = value;
          result.numberedReports = true;
          break;
        case kTagReportCount:
          globals.reportCount = value;
          break;
        case kTagPush:
          if (pushed.size() < kMaxPushDepth) pushed.push_back(globals);
          break;
        case kTagPop:
          if (!pushed.empty()) {
            globals = pushed.back();
            pushed.pop_back();
          }
          break;
        default:
          break;
      }
    } else if (type == kLocal) {
      if (tag == kTagUsage) {
        // A four-byte usage carries its own page in the high half.
        usages.push_back(size == 4 ? value : (globals.usagePage << 16) | (value & 0xFFFF));
      }
    } else if (type == kMain) {
      if (tag == kTagCollection) {
        if (depth == 0) {
          Collection c;
          const uint32_t usage = usages.empty() ? (globals.usagePage << 16) : usages.front();
          c.usagePage = static_cast<uint16_t>(usage >> 16);
          c.usage = static_cast<uint16_t>(usage & 0xFFFF);
          result.collections.push_back(c);
          reports.emplace_back();
        }
        ++depth;
      } else if (tag == kTagEndCollection) {
        if (depth > 0) --depth;
      } else if ((tag == kTagInput || tag == kTagFeature) && depth > 0 && !reports.empty()) {
        ReportBits& bits = tag == kTagInput ? reports.back().input : reports.back().feature;
        bits[globals.reportId] += uint64_t{globals.reportSize} * globals.reportCount;
      }
      usages.clear();
    }
  }

  for (size_t i = 0; i < result.collections.size(); ++i) {
    result.collections[i].inputReportLength = ByteLength(reports[i].input);
    result.collections[i].featureReportLength = ByteLength(reports[i].feature);
  }
  return result;
}

}  // namespace platform::posix
