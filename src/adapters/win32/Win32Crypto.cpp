#include "adapters/win32/Win32Crypto.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "adapters/win32/WindowsInclude.h"

#include <bcrypt.h>

namespace platform::win32 {

namespace {

constexpr NTSTATUS kSuccess = 0;

struct Algorithm {
  BCRYPT_ALG_HANDLE handle = nullptr;
  ~Algorithm() {
    if (handle) ::BCryptCloseAlgorithmProvider(handle, 0);
  }
};

struct Key {
  BCRYPT_KEY_HANDLE handle = nullptr;
  ~Key() {
    if (handle) ::BCryptDestroyKey(handle);
  }
};

struct Hash {
  BCRYPT_HASH_HANDLE handle = nullptr;
  ~Hash() {
    if (handle) ::BCryptDestroyHash(handle);
  }
};

class CngSha256 : public Sha256Stream {
 public:
  explicit CngSha256(FailureLog& failures) : m_failures(failures) {
    NTSTATUS status =
        ::BCryptOpenAlgorithmProvider(&m_algorithm.handle, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
    if (status == kSuccess)
      status = ::BCryptCreateHash(m_algorithm.handle, &m_hash.handle, nullptr, 0, nullptr, 0, 0);
    Check(status, "BCryptCreateHash");
  }
  void Update(std::span<const uint8_t> bytes) override {
    // BCryptHashData takes a ULONG; more goes in pieces.
    size_t done = 0;
    while (m_ok && done < bytes.size()) {
      const ULONG piece = static_cast<ULONG>(std::min<size_t>(bytes.size() - done, 1u << 30));
      Check(::BCryptHashData(m_hash.handle, const_cast<PUCHAR>(bytes.data() + done), piece, 0),
            "BCryptHashData");
      done += piece;
    }
  }
  std::optional<std::array<uint8_t, 32>> Finish() override {
    std::array<uint8_t, 32> digest{};
    if (m_ok) Check(::BCryptFinishHash(m_hash.handle, digest.data(), 32, 0), "BCryptFinishHash");
    if (!m_ok) return std::nullopt;
    m_ok = false;  // a finished CNG hash cannot be used again
    return digest;
  }

 private:
  void Check(NTSTATUS status, const char* call) {
    if (status == kSuccess || !m_ok) return;
    m_failures.RecordCode(call, static_cast<uint32_t>(status));
    m_ok = false;
  }

  FailureLog& m_failures;
  Algorithm m_algorithm;
  Hash m_hash;
  bool m_ok = true;
};

}  // namespace

std::unique_ptr<Sha256Stream> Win32Crypto::StartSha256() {
  return std::make_unique<CngSha256>(m_failures);
}

bool Win32Crypto::VerifyP256(std::span<const uint8_t> publicKey, std::span<const uint8_t> message,
                             std::span<const uint8_t> signature) {
  if (publicKey.size() != kP256PublicKeySize || publicKey[0] != 0x04) return false;
  if (signature.size() != kP256SignatureSize) return false;

  CngSha256 hash(m_failures);
  hash.Update(message);
  const auto digest = hash.Finish();
  if (!digest) return false;

  Algorithm ecdsa;
  NTSTATUS status =
      ::BCryptOpenAlgorithmProvider(&ecdsa.handle, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0);
  if (status != kSuccess) {
    m_failures.RecordCode("BCryptOpenAlgorithmProvider", static_cast<uint32_t>(status));
    return false;
  }
  // The blob is the header followed by X and Y, without the point's leading 0x04.
  std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + 64);
  BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
  std::memcpy(blob.data(), &header, sizeof header);
  std::memcpy(blob.data() + sizeof header, publicKey.data() + 1, 64);
  Key key;
  status = ::BCryptImportKeyPair(ecdsa.handle, nullptr, BCRYPT_ECCPUBLIC_BLOB, &key.handle,
                                 blob.data(), static_cast<ULONG>(blob.size()), 0);
  if (status != kSuccess) {
    m_failures.RecordCode("BCryptImportKeyPair", static_cast<uint32_t>(status));
    return false;
  }
  status = ::BCryptVerifySignature(key.handle, nullptr, const_cast<PUCHAR>(digest->data()), 32,
                                   const_cast<PUCHAR>(signature.data()),
                                   static_cast<ULONG>(signature.size()), 0);
  if (status != kSuccess) {
    m_failures.RecordCode("BCryptVerifySignature", static_cast<uint32_t>(status));
    return false;
  }
  return true;
}

}  // namespace platform::win32
