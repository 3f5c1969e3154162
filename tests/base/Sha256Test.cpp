#include <gtest/gtest.h>

#include <string>

#include "base/Sha256.h"

namespace {

std::u16string Hex(std::string_view data) {
  return base::Sha256::Hex(base::Sha256::Of(data));
}

TEST(Sha256Test, KnownDigests) {
  struct Case {
    std::string data;
    const char16_t* digest;
  };
  const Case cases[] = {
      {"", u"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      // 56 bytes: the padding needs a second block.
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       u"248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'),
       u"cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Hex(c.data), c.digest) << c.data.size();
}

TEST(Sha256Test, PiecesGiveTheSameDigestAsTheWhole) {
  std::string data;
  for (int i = 0; i < 1000; ++i) data.push_back(static_cast<char>(i * 7));
  const auto whole = base::Sha256::Of(data);
  for (size_t piece : {1u, 3u, 63u, 64u, 65u, 200u}) {
    base::Sha256 hash;
    for (size_t at = 0; at < data.size(); at += piece) {
      hash.Update(std::string_view(data).substr(at, piece));
    }
    EXPECT_EQ(hash.Finish(), whole) << piece;
  }
}

}  // namespace
