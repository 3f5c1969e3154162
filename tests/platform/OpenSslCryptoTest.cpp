// The host adapters' signature check against the known answers.

#include <gtest/gtest.h>

#include "adapters/host/OpenSslCrypto.h"
#include "platform/SignatureKnownAnswers.h"

TEST(OpenSslCrypto, KnownAnswers) {
  platform::host::OpenSslCrypto crypto;
  known_answers::Expect(crypto);
}

TEST(OpenSslCrypto, Sha256) {
  platform::host::OpenSslCrypto crypto;
  known_answers::ExpectSha256(crypto);
}
