#pragma once
// Base64 (RFC 4648, standard alphabet, with padding), strict: what the release script writes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// Nothing for anything but canonical base64: wrong length, characters outside the alphabet,
// misplaced padding or padding bits that are not zero.
[[nodiscard]] std::optional<std::vector<uint8_t>> DecodeBase64(std::u16string_view text);

}  // namespace base
