#pragma once
// Signature checks with OpenSSL, for the adapters that run on the build host.

#include "platform/Crypto.h"

namespace platform::host {

class OpenSslCrypto : public Crypto {
 public:
  bool VerifyP256(std::span<const uint8_t> publicKey, std::span<const uint8_t> message,
                  std::span<const uint8_t> signature) override;
  std::unique_ptr<Sha256Stream> StartSha256() override;
};

}  // namespace platform::host
