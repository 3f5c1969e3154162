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

// The items of one descriptor, in order: the global state, the local usages since the last
// main item, and the bits of each report of each top-level collection.
class ItemReader {
 public:
  void Global(uint8_t tag, uint32_t value) {
    switch (tag) {
      case kTagUsagePage:
        m_globals.usagePage = value;
        break;
      case kTagReportSize:
        m_globals.reportSize = value;
        break;
      case kTagReportId:
        m_globals.reportId = value;
        m_result.numberedReports = true;
        break;
      case kTagReportCount:
        m_globals.reportCount = value;
        break;
      case kTagPush:
        if (m_pushed.size() < kMaxPushDepth) m_pushed.push_back(m_globals);
        break;
      case kTagPop:
        if (!m_pushed.empty()) {
          m_globals = m_pushed.back();
          m_pushed.pop_back();
        }
        break;
      default:
        break;
    }
  }

  void Local(uint8_t tag, uint32_t value, size_t size) {
    // A four-byte usage carries its own page in the high half.
    if (tag == kTagUsage) {
      m_usages.push_back(size == 4 ? value : (m_globals.usagePage << 16) | (value & 0xFFFF));
    }
  }

  void Main(uint8_t tag) {
    if (tag == kTagCollection) {
      if (m_depth == 0) {
        ReportDescriptor::Collection c;
        const uint32_t usage = m_usages.empty() ? (m_globals.usagePage << 16) : m_usages.front();
        c.usagePage = static_cast<uint16_t>(usage >> 16);
        c.usage = static_cast<uint16_t>(usage & 0xFFFF);
        m_result.collections.push_back(c);
        m_reports.emplace_back();
      }
      ++m_depth;
    } else if (tag == kTagEndCollection) {
      if (m_depth > 0) --m_depth;
    } else if ((tag == kTagInput || tag == kTagFeature) && m_depth > 0 && !m_reports.empty()) {
      ReportBits& bits = tag == kTagInput ? m_reports.back().input : m_reports.back().feature;
      bits[m_globals.reportId] += uint64_t{m_globals.reportSize} * m_globals.reportCount;
    }
    m_usages.clear();
  }

  ReportDescriptor Result() {
    for (size_t i = 0; i < m_result.collections.size(); ++i) {
      m_result.collections[i].inputReportLength = ByteLength(m_reports[i].input);
      m_result.collections[i].featureReportLength = ByteLength(m_reports[i].feature);
    }
    return m_result;
  }

 private:
  struct Open {
    ReportBits input;
    ReportBits feature;
  };
  ReportDescriptor m_result;
  Globals m_globals;
  std::vector<Globals> m_pushed;
  std::vector<uint32_t> m_usages;
  std::vector<Open> m_reports;  // per top-level collection
  int m_depth = 0;
};

}  // namespace

ReportDescriptor ReportDescriptor::Parse(std::span<const uint8_t> bytes) {
  bytes = bytes.first(std::min(bytes.size(), kMaxLength));
  ItemReader reader;
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
      reader.Global(tag, value);
    } else if (type == kLocal) {
      reader.Local(tag, value, size);
    } else if (type == kMain) {
      reader.Main(tag);
    }
  }
  return reader.Result();
}

}  // namespace platform::posix
