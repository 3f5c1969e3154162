#pragma once
// CRC-32 as the mouse firmware computes it: reflected, polynomial 0xEDB88320, initial value
// 0xFFFFFFFF and no final inversion (so it is the bitwise NOT of the common zip CRC-32).

#include <cstddef>
#include <cstdint>
#include <span>

namespace base {

uint32_t Crc32(std::span<const uint8_t> data, uint32_t crc = 0xFFFFFFFFu);

}  // namespace base
