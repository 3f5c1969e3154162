#include "device/FirmwareImage.h"

#include <string>

#include "base/Crc32.h"
#include "device/FirmwareReport.h"
#include "platform/Platform.h"
#include "platform/System.h"

namespace {

std::span<const uint8_t> AsBytes(const std::string& s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

}  // namespace

std::optional<FirmwareHeader> FirmwareHeader::Parse(std::span<const uint8_t> b) {
  if (b.size() < kLength) return std::nullopt;
  FirmwareHeader h;
  h.checksum =
      uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24);
  h.word4 = static_cast<uint16_t>(b[4] | (b[5] << 8));
  h.lengthWords = static_cast<uint16_t>(b[6] | (b[7] << 8));
  return h;
}

FirmwareImage::Check FirmwareImage::SetApplication(std::span<const uint8_t> bytes) {
  m_app.clear();
  m_header = {};
  if (bytes.empty()) return Check::Missing;
  if (bytes.size() > kApplicationLimit) return Check::TooLarge;
  const auto header = FirmwareHeader::Parse(bytes);
  if (!header || bytes.size() <= FirmwareHeader::kLength) return Check::Malformed;
  if (size_t{header->lengthWords} * 4 > bytes.size()) return Check::Malformed;
  // An image that does not carry its own checksum could never verify after writing; it
  // would only wear the update area out.
  if (base::Crc32(bytes.subspan(FirmwareHeader::kLength)) != header->checksum) {
    return Check::Malformed;
  }
  m_app.assign(bytes.begin(), bytes.end());
  m_header = *header;
  return Check::Ok;
}

FirmwareImage::Check FirmwareImage::SetBase(std::span<const uint8_t> bytes) {
  m_base.clear();
  if (bytes.empty()) return Check::Missing;
  if (bytes.size() > kBaseLimit) return Check::TooLarge;
  if (bytes.size() < FirmwareReport::kBaseEnd) return Check::Malformed;
  m_base.assign(bytes.begin(), bytes.end());
  return Check::Ok;
}

FirmwareImage::Check FirmwareImage::LoadFromResources() {
  auto& system = platform::Sys();
  const auto base = system.LoadResource(u"BIN", kBaseResource);
  (void)SetBase(base ? AsBytes(*base) : std::span<const uint8_t>{});
  const auto app = system.LoadResource(u"BIN", kApplicationResource);
  return SetApplication(app ? AsBytes(*app) : std::span<const uint8_t>{});
}
