#pragma once
// The known answers through one adapter's check: the valid file, and the ways a file, a
// signature or a key can be wrong.

#include <gtest/gtest.h>

#include <string>

#include "base/Sha256.h"
#include "platform/Crypto.h"
#include "platform/SignatureVectors.h"

namespace known_answers {

// Every case through one adapter's check.
inline void Expect(platform::Crypto& crypto) {
  const std::vector<uint8_t> message = Message();
  struct Case {
    const char* what;
    std::vector<uint8_t> key;
    std::vector<uint8_t> message;
    std::vector<uint8_t> signature;
    bool valid;
  };
  const Case cases[] = {
      {"valid", kKey, message, kSignature, true},
      {"one bit of the file", kKey, Flipped(message, 2, 0), kSignature, false},
      {"one bit of the file's last byte", kKey, Flipped(message, message.size() - 1, 7), kSignature,
       false},
      {"one bit of r", kKey, message, Flipped(kSignature, 5, 3), false},
      {"one bit of s", kKey, message, Flipped(kSignature, 63, 0), false},
      {"the wrong key", kOtherKey, message, kSignature, false},
      {"a key off the curve", Flipped(kKey, 64, 0), message, kSignature, false},
      {"a truncated file", kKey, Cut(message, message.size() - 2), kSignature, false},
      {"an empty file", kKey, {}, kSignature, false},
      {"a truncated signature", kKey, message, Cut(kSignature, 63), false},
      {"no signature", kKey, message, {}, false},
      {"a truncated key", Cut(kKey, 64), message, kSignature, false},
      {"a compressed-point marker", Flipped(kKey, 0, 1), message, kSignature, false},
      {"r and s swapped", kKey, message,
       [] {
         std::vector<uint8_t> swapped(kSignature.begin() + 32, kSignature.end());
         swapped.insert(swapped.end(), kSignature.begin(), kSignature.begin() + 32);
         return swapped;
       }(),
       false},
      {"r and s zero", kKey, message, std::vector<uint8_t>(64, 0), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(crypto.VerifyP256(c.key, c.message, c.signature), c.valid) << c.what;
  }
}

// The system's SHA-256: the standard's examples, and a few MiB given in uneven pieces
// against the portable implementation.
inline void ExpectSha256(platform::Crypto& crypto) {
  const auto digest = [&](const std::vector<std::string>& pieces) {
    auto hash = crypto.StartSha256();
    if (!hash) return std::u16string(u"no hash");
    for (const std::string& piece : pieces) {
      hash->Update({reinterpret_cast<const uint8_t*>(piece.data()), piece.size()});
    }
    const auto result = hash->Finish();
    return result ? base::Sha256::Hex(*result) : std::u16string(u"failed");
  };
  EXPECT_EQ(digest({}), u"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(digest({"a", "", "bc"}),
            u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  std::string large(3u << 20, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 2654435761u >> 24);
  std::vector<std::string> pieces;
  for (size_t at = 0, size = 1; at < large.size(); at += size, size = size * 3 + 7) {
    pieces.push_back(large.substr(at, size));
  }
  EXPECT_EQ(digest(pieces), base::Sha256::Hex(base::Sha256::Of(large)));
}

}  // namespace known_answers
