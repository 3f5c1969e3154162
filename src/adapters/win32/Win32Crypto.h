#pragma once
// Signature checks with CNG (bcrypt.dll).

#include "adapters/win32/FailureLog.h"
#include "platform/Crypto.h"

namespace platform::win32 {

class Win32Crypto : public Crypto {
 public:
  explicit Win32Crypto(FailureLog& failures) : m_failures(failures) {}

  bool VerifyP256(std::span<const uint8_t> publicKey, std::span<const uint8_t> message,
                  std::span<const uint8_t> signature) override;
  std::unique_ptr<Sha256Stream> StartSha256() override;

 private:
  FailureLog& m_failures;
};

}  // namespace platform::win32
