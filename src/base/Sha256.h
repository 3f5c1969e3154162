#pragma once
// SHA-256 (FIPS 180-4) of a byte string, for checking downloaded files.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace base {

class Sha256 {
 public:
  using Digest = std::array<uint8_t, 32>;

  Sha256();
  void Update(std::span<const uint8_t> data);
  void Update(std::string_view data);
  // Ends the hash; the object must not be updated afterwards.
  [[nodiscard]] Digest Finish();

  [[nodiscard]] static Digest Of(std::string_view data);
  // 64 lower-case hex digits.
  [[nodiscard]] static std::u16string Hex(const Digest& digest);

 private:
  void Block(const uint8_t* block);

  std::array<uint32_t, 8> m_state;
  std::array<uint8_t, 64> m_buffer{};
  size_t m_buffered = 0;
  uint64_t m_length = 0;  // bytes
};

}  // namespace base
