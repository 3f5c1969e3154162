#pragma once
// Signature checks, done by the system's cryptography (CNG on Windows, OpenSSL elsewhere)
// rather than by code of our own.

#include <cstdint>
#include <span>

namespace platform {

class Crypto {
 public:
  virtual ~Crypto() = default;

  static constexpr size_t kP256PublicKeySize = 65;  // 0x04, X, Y (uncompressed point)
  static constexpr size_t kP256SignatureSize = 64;  // r, s: 32 bytes each, big-endian

  // True only when `signature` is a valid ECDSA P-256 signature with SHA-256 over every byte
  // of `message` under `publicKey`. Keys and signatures of any other size, points off the
  // curve and failures of the system's provider all give false.
  [[nodiscard]] virtual bool VerifyP256(std::span<const uint8_t> publicKey,
                                        std::span<const uint8_t> message,
                                        std::span<const uint8_t> signature) = 0;
};

}  // namespace platform
