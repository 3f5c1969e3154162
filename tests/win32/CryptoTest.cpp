// The Windows adapter's signature check (CNG) against the known answers.

#include <gtest/gtest.h>

#include "adapters/win32/Win32Crypto.h"
#include "platform/SignatureKnownAnswers.h"

TEST(Win32Crypto, KnownAnswers) {
  platform::win32::FailureLog failures;
  platform::win32::Win32Crypto crypto(failures);
  known_answers::Expect(crypto);
  // The valid case went all the way through CNG, not around it.
  failures.Clear();
  EXPECT_TRUE(
      crypto.VerifyP256(known_answers::kKey, known_answers::Message(), known_answers::kSignature));
  EXPECT_EQ(failures.Last(), "");
  EXPECT_FALSE(crypto.VerifyP256(known_answers::kOtherKey, known_answers::Message(),
                                 known_answers::kSignature));
  EXPECT_NE(failures.Last().find("BCryptVerifySignature"), std::string::npos) << failures.Last();
}

TEST(Win32Crypto, Sha256) {
  platform::win32::FailureLog failures;
  platform::win32::Win32Crypto crypto(failures);
  known_answers::ExpectSha256(crypto);
  EXPECT_EQ(failures.Last(), "");
}
