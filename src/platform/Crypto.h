#pragma once
// Signature checks, done by the system's cryptography (CNG on Windows, OpenSSL elsewhere)
// rather than by code of our own.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace platform {

// SHA-256 over bytes given in pieces.
class Sha256Stream {
 public:
  virtual ~Sha256Stream() = default;
  virtual void Update(std::span<const uint8_t> bytes) = 0;
  // The digest of everything given; nothing when the provider failed at any step.
  [[nodiscard]] virtual std::optional<std::array<uint8_t, 32>> Finish() = 0;
};

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

  // A new SHA-256 (the system's: several times faster than portable code on large files);
  // nothing when the provider cannot make one.
  [[nodiscard]] virtual std::unique_ptr<Sha256Stream> StartSha256() = 0;
};

}  // namespace platform
