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

}  // namespace

bool Win32Crypto::VerifyP256(std::span<const uint8_t> publicKey, std::span<const uint8_t> message,
                             std::span<const uint8_t> signature) {
  if (publicKey.size() != kP256PublicKeySize || publicKey[0] != 0x04) return false;
  if (signature.size() != kP256SignatureSize) return false;

  Algorithm sha;
  NTSTATUS status = ::BCryptOpenAlgorithmProvider(&sha.handle, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
  if (status != kSuccess) {
    m_failures.RecordCode("BCryptOpenAlgorithmProvider", static_cast<uint32_t>(status));
    return false;
  }
  Hash hash;
  status = ::BCryptCreateHash(sha.handle, &hash.handle, nullptr, 0, nullptr, 0, 0);
  // BCryptHashData takes a ULONG; a longer message goes in pieces.
  size_t done = 0;
  while (status == kSuccess && done < message.size()) {
    const ULONG piece = static_cast<ULONG>(std::min<size_t>(message.size() - done, 1u << 30));
    status = ::BCryptHashData(hash.handle, const_cast<PUCHAR>(message.data() + done), piece, 0);
    done += piece;
  }
  UCHAR digest[32];
  if (status == kSuccess) status = ::BCryptFinishHash(hash.handle, digest, sizeof digest, 0);
  if (status != kSuccess) {
    m_failures.RecordCode("BCryptHashData", static_cast<uint32_t>(status));
    return false;
  }

  Algorithm ecdsa;
  status = ::BCryptOpenAlgorithmProvider(&ecdsa.handle, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0);
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
  status = ::BCryptVerifySignature(key.handle, nullptr, digest, sizeof digest,
                                   const_cast<PUCHAR>(signature.data()),
                                   static_cast<ULONG>(signature.size()), 0);
  if (status != kSuccess) {
    m_failures.RecordCode("BCryptVerifySignature", static_cast<uint32_t>(status));
    return false;
  }
  return true;
}

}  // namespace platform::win32
