#include "adapters/posix/ReportDescriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::posix::ReportDescriptor;
using Collection = ReportDescriptor::Collection;

std::vector<uint8_t> Bytes(std::initializer_list<int> list) {
  std::vector<uint8_t> out;
  for (int b : list) out.push_back(static_cast<uint8_t>(b));
  return out;
}

// A boot mouse: three buttons, padding, X, Y, wheel; no report ids.
const std::vector<uint8_t> kBootMouse =
    Bytes({0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19,
           0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02,
           0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09,
           0x38, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0});

// The mouse's own interface: a command collection with feature reports 5, 6, 0xBC and 0xBF
// and an event collection with input report 4, both on usage page 0x000A.
const std::vector<uint8_t> kVendor = Bytes(
    {0x06, 0x0A, 0x00, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x05, 0x75, 0x08, 0x95, 0x1F, 0x09, 0x01, 0xB1,
     0x02, 0x85, 0x06, 0x95, 0x1F, 0x09, 0x01, 0xB1, 0x02, 0x85, 0xBC, 0x95, 0x07, 0x09, 0x01, 0xB1,
     0x02, 0x85, 0xBF, 0x96, 0x87, 0x00, 0x09, 0x01, 0xB1, 0x02, 0xC0, 0x06, 0x0A, 0x00, 0x09, 0x02,
     0xA1, 0x01, 0x85, 0x04, 0x75, 0x08, 0x95, 0x1F, 0x09, 0x02, 0x81, 0x02, 0xC0});

TEST(ReportDescriptorTest, LengthsCountTheReportIdByteAsWindowsDoes) {
  const ReportDescriptor mouse = ReportDescriptor::Parse(kBootMouse);
  EXPECT_FALSE(mouse.numberedReports);
  ASSERT_EQ(mouse.collections.size(), 1u);
  // 32 bits of data and the id byte Windows counts even without report ids.
  EXPECT_EQ(mouse.collections[0], (Collection{0x0001, 0x0002, 5, 0}));

  const ReportDescriptor vendor = ReportDescriptor::Parse(kVendor);
  EXPECT_TRUE(vendor.numberedReports);
  ASSERT_EQ(vendor.collections.size(), 2u);
  // The longest feature report (0xBF: 135 bytes) decides; the event collection has the
  // 32-byte input report the device link looks for.
  EXPECT_EQ(vendor.collections[0], (Collection{0x000A, 0x0001, 0, 136}));
  EXPECT_EQ(vendor.collections[1], (Collection{0x000A, 0x0002, 32, 0}));
}

TEST(ReportDescriptorTest, ReportsOfOneIdAddUpAndGlobalsComeBackAfterPop) {
  const std::vector<uint8_t> bytes = Bytes({
      0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,              // consumer control
      0x85, 0x02, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00,  // id 2: 16 bits
      0xA4,                                            // push
      0x75, 0x01, 0x95, 0x04, 0x81, 0x02,              // id 2: 4 more bits
      0xB4,                                            // pop: size 16, count 1 again
      0x85, 0x03, 0x81, 0x00,                          // id 3: 16 bits
      0xC0,
  });
  const ReportDescriptor d = ReportDescriptor::Parse(bytes);
  ASSERT_EQ(d.collections.size(), 1u);
  // Id 2 holds 20 bits: three bytes and the id.
  EXPECT_EQ(d.collections[0], (Collection{0x000C, 0x0001, 4, 0}));
}

TEST(ReportDescriptorTest, UsageWithItsOwnPageAndLongItems) {
  const std::vector<uint8_t> bytes = Bytes({
      0x05, 0x01,                    // page 1 ...
      0x0B, 0x01, 0x00, 0xA0, 0xFF,  // ... but the usage names page 0xFFA0, usage 1
      0xFE, 0x02, 0x10, 0xAA, 0xBB,  // a long item: skipped whole
      0xA1, 0x01, 0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0,
  });
  const ReportDescriptor d = ReportDescriptor::Parse(bytes);
  ASSERT_EQ(d.collections.size(), 1u);
  EXPECT_EQ(d.collections[0], (Collection{0xFFA0, 0x0001, 0, 8}));
}

TEST(ReportDescriptorTest, DamagedDescriptorsGiveWhatWasReadBeforeTheDamage) {
  // Every prefix of a real descriptor: never more collections than it has, never a crash.
  for (size_t cut = 0; cut <= kVendor.size(); ++cut) {
    const std::vector<uint8_t> part(kVendor.begin(), kVendor.begin() + static_cast<long>(cut));
    const ReportDescriptor d = ReportDescriptor::Parse(part);
    EXPECT_LE(d.collections.size(), 2u) << cut;
  }
  // Cut in the middle of the second collection: the first is whole.
  const std::vector<uint8_t> half(kVendor.begin(), kVendor.begin() + 50);
  const ReportDescriptor d = ReportDescriptor::Parse(half);
  ASSERT_EQ(d.collections.size(), 2u);
  EXPECT_EQ(d.collections[0].featureReportLength, 136);

  // Nonsense: pops without pushes, end collections without collections, main items outside
  // any collection, huge counts.
  const std::vector<uint8_t> junk =
      Bytes({0xB4, 0xC0, 0xC0, 0x81, 0x02, 0x97, 0xFF, 0xFF, 0xFF, 0xFF,
             0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0xA1, 0x01, 0x81, 0x02, 0xFE});
  const ReportDescriptor j = ReportDescriptor::Parse(junk);
  ASSERT_EQ(j.collections.size(), 1u);
  EXPECT_EQ(j.collections[0].inputReportLength, 0xFFFF);  // capped, not wrapped
}

}  // namespace
