#include "adapters/host/OpenSslCrypto.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/param_build.h>

#include <memory>

namespace platform::host {

namespace {

template <typename T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const { Free(p); }
};
template <typename T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Deleter<T, Free>>;

using Key = Owned<EVP_PKEY, EVP_PKEY_free>;
using KeyContext = Owned<EVP_PKEY_CTX, EVP_PKEY_CTX_free>;
using DigestContext = Owned<EVP_MD_CTX, EVP_MD_CTX_free>;
using Signature = Owned<ECDSA_SIG, ECDSA_SIG_free>;

Key ImportPublicKey(std::span<const uint8_t> point) {
  KeyContext context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
  if (!context || EVP_PKEY_fromdata_init(context.get()) != 1) return nullptr;
  char group[] = "prime256v1";
  OSSL_PARAM params[] = {
      OSSL_PARAM_construct_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, group, 0),
      OSSL_PARAM_construct_octet_string(OSSL_PKEY_PARAM_PUB_KEY, const_cast<uint8_t*>(point.data()),
                                        point.size()),
      OSSL_PARAM_construct_end()};
  EVP_PKEY* key = nullptr;
  if (EVP_PKEY_fromdata(context.get(), &key, EVP_PKEY_PUBLIC_KEY, params) != 1) return nullptr;
  Key owned(key);
  // fromdata takes a point as given; one off the curve must not reach the verification.
  KeyContext check(EVP_PKEY_CTX_new_from_pkey(nullptr, key, nullptr));
  if (!check || EVP_PKEY_public_check(check.get()) != 1) return nullptr;
  return owned;
}

// OpenSSL verifies the DER form; the files carry r and s as two fixed-size numbers.
std::basic_string<uint8_t> ToDer(std::span<const uint8_t> signature) {
  Signature sig(ECDSA_SIG_new());
  if (!sig) return {};
  BIGNUM* r = BN_bin2bn(signature.data(), 32, nullptr);
  BIGNUM* s = BN_bin2bn(signature.data() + 32, 32, nullptr);
  if (r == nullptr || s == nullptr || ECDSA_SIG_set0(sig.get(), r, s) != 1) {
    BN_free(r);
    BN_free(s);
    return {};
  }
  const int size = i2d_ECDSA_SIG(sig.get(), nullptr);
  if (size <= 0) return {};
  std::basic_string<uint8_t> der(static_cast<size_t>(size), 0);
  uint8_t* out = der.data();
  if (i2d_ECDSA_SIG(sig.get(), &out) != size) return {};
  return der;
}

class OpenSslSha256 : public Sha256Stream {
 public:
  OpenSslSha256() : m_context(EVP_MD_CTX_new()) {
    m_ok = m_context && EVP_DigestInit_ex(m_context.get(), EVP_sha256(), nullptr) == 1;
  }
  void Update(std::span<const uint8_t> bytes) override {
    m_ok = m_ok && EVP_DigestUpdate(m_context.get(), bytes.data(), bytes.size()) == 1;
  }
  std::optional<std::array<uint8_t, 32>> Finish() override {
    std::array<uint8_t, 32> digest{};
    unsigned int size = 0;
    if (!m_ok || EVP_DigestFinal_ex(m_context.get(), digest.data(), &size) != 1 || size != 32)
      return std::nullopt;
    m_ok = false;
    return digest;
  }

 private:
  DigestContext m_context;
  bool m_ok = false;
};

}  // namespace

std::unique_ptr<Sha256Stream> OpenSslCrypto::StartSha256() {
  return std::make_unique<OpenSslSha256>();
}

bool OpenSslCrypto::VerifyP256(std::span<const uint8_t> publicKey, std::span<const uint8_t> message,
                               std::span<const uint8_t> signature) {
  if (publicKey.size() != kP256PublicKeySize || publicKey[0] != 0x04) return false;
  if (signature.size() != kP256SignatureSize) return false;
  const Key key = ImportPublicKey(publicKey);
  if (!key) return false;
  const auto der = ToDer(signature);
  if (der.empty()) return false;
  DigestContext digest(EVP_MD_CTX_new());
  if (!digest || EVP_DigestVerifyInit_ex(digest.get(), nullptr, "SHA256", nullptr, nullptr,
                                         key.get(), nullptr) != 1)
    return false;
  return EVP_DigestVerify(digest.get(), der.data(), der.size(), message.data(), message.size()) ==
         1;
}

}  // namespace platform::host
