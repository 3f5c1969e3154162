// The host adapters' signature check against the known answers.

#include <gtest/gtest.h>

#include "adapters/host/OpenSslCrypto.h"
#include "platform/SignatureKnownAnswers.h"

TEST(OpenSslCrypto, KnownAnswers) {
  platform::host::OpenSslCrypto crypto;
  known_answers::Expect(crypto);
}
