#pragma once
// A throw-away P-256 key for tests: signs version files the way the release script does
// (r and s, 32 bytes each, in base64).

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>

#include <array>
#include <cstdint>
#include <string>

class TestSigner {
 public:
  TestSigner() : m_key(EVP_EC_gen("P-256")) {
    size_t size = 0;
    if (m_key) {
      EVP_PKEY_get_octet_string_param(m_key, OSSL_PKEY_PARAM_PUB_KEY, m_public.data(),
                                      m_public.size(), &size);
    }
  }
  ~TestSigner() { EVP_PKEY_free(m_key); }
  TestSigner(const TestSigner&) = delete;
  TestSigner& operator=(const TestSigner&) = delete;

  const std::array<uint8_t, 65>& PublicKey() const { return m_public; }

  // r and s of a signature over `bytes`.
  std::string Sign(const std::string& bytes) const {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    size_t size = 0;
    std::string der;
    if (EVP_DigestSignInit_ex(context, nullptr, "SHA256", nullptr, nullptr, m_key, nullptr) == 1 &&
        EVP_DigestSign(context, nullptr, &size,
                       reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()) == 1) {
      der.resize(size);
      EVP_DigestSign(context, reinterpret_cast<unsigned char*>(der.data()), &size,
                     reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
      der.resize(size);
    }
    EVP_MD_CTX_free(context);
    const unsigned char* in = reinterpret_cast<const unsigned char*>(der.data());
    ECDSA_SIG* sig = d2i_ECDSA_SIG(nullptr, &in, static_cast<long>(der.size()));
    std::string raw(64, '\0');
    if (sig) {
      BN_bn2binpad(ECDSA_SIG_get0_r(sig), reinterpret_cast<unsigned char*>(raw.data()), 32);
      BN_bn2binpad(ECDSA_SIG_get0_s(sig), reinterpret_cast<unsigned char*>(raw.data()) + 32, 32);
      ECDSA_SIG_free(sig);
    }
    return raw;
  }

  static std::string Base64(const std::string& bytes) {
    std::string out(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int n = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                                  reinterpret_cast<const unsigned char*>(bytes.data()),
                                  static_cast<int>(bytes.size()));
    out.resize(static_cast<size_t>(n));
    return out;
  }

  // `signedPart` followed by its signature line, in UTF-16LE.
  std::string SignedFile(const std::string& signedPart) const {
    std::string file = signedPart;
    for (char c : "SIGNATURE=" + Base64(Sign(signedPart)) + "\n") {
      file.push_back(c);
      file.push_back('\0');
    }
    return file;
  }

 private:
  EVP_PKEY* m_key = nullptr;
  std::array<uint8_t, 65> m_public{};
};
