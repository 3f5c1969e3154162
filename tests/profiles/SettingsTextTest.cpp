#include "profiles/SettingsText.h"

#include <gtest/gtest.h>

namespace {

using settings_text::HexField;

TEST(SettingsTextTest, HexFieldsAtFixedOffsets) {
  const std::u16string line = u"\tKey0Value=10A4zz";
  const size_t value = line.find(u'=') + 1;
  EXPECT_EQ(HexField(line, value, 2), 0x10u);
  EXPECT_EQ(HexField(line, value + 2, 2), 0xA4u);
  EXPECT_EQ(HexField(line, value + 4, 2), 0u);  // not hex
  EXPECT_EQ(HexField(line, value + 5, 2), 0u);  // one character left
  EXPECT_EQ(HexField(line, value + 6, 2), 0u);  // past the end
  EXPECT_EQ(HexField(line, std::u16string::npos, 2), 0u);
  EXPECT_EQ(HexField(u"=F", 1, 2), 0xFu);      // a short field
  EXPECT_EQ(HexField(u"=0x1F", 1, 4), 0x1Fu);  // "0x" is a prefix, as for wcstol
}

}  // namespace
