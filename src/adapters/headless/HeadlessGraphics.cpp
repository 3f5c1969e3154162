#include "adapters/headless/HeadlessGraphics.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "adapters/headless/RecordingCanvas.h"
#include "base/Text.h"

namespace platform::headless {
namespace {

uint32_t ReadLe(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i)
    v = (v << 8) | static_cast<uint8_t>(b[at + static_cast<size_t>(i)]);
  return v;
}

std::unique_ptr<Image> DecodePng(const std::string& bytes, std::u16string source) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return nullptr;
  image.format = PNG_FORMAT_BGRA;  // little-endian BGRA bytes are 0xAARRGGBB words
  if (image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384) {
    png_image_free(&image);
    return nullptr;
  }
  std::vector<uint32_t> pixels(static_cast<size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return nullptr;
  }
  return std::make_unique<HeadlessImage>(static_cast<int>(image.width),
                                         static_cast<int>(image.height), std::move(pixels),
                                         std::move(source));
}

// Uncompressed 24- and 32-bit bitmaps, bottom-up or top-down.
std::unique_ptr<Image> DecodeBmp(const std::string& b, std::u16string source) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return nullptr;
  const uint32_t offset = ReadLe(b, 10, 4);
  const int width = static_cast<int32_t>(ReadLe(b, 18, 4));
  const int rawHeight = static_cast<int32_t>(ReadLe(b, 22, 4));
  const int bpp = static_cast<int>(ReadLe(b, 28, 2));
  const uint32_t compression = ReadLe(b, 30, 4);
  const int height = rawHeight < 0 ? -rawHeight : rawHeight;
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
  if ((bpp != 24 && bpp != 32) || (compression != 0 && compression != 3)) return nullptr;
  const size_t stride =
      (static_cast<size_t>(width) * static_cast<size_t>(bpp / 8) + 3) & ~size_t{3};
  if (offset + stride * static_cast<size_t>(height) > b.size()) return nullptr;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    const int row = rawHeight < 0 ? y : height - 1 - y;
    const size_t base = offset + stride * static_cast<size_t>(row);
    for (int x = 0; x < width; ++x) {
      const size_t p = base + static_cast<size_t>(x) * static_cast<size_t>(bpp / 8);
      const uint32_t bgr = ReadLe(b, p, 3);
      pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
          0xFF000000u | bgr;
    }
  }
  return std::make_unique<HeadlessImage>(width, height, std::move(pixels), std::move(source));
}

}  // namespace

std::unique_ptr<Image> HeadlessGraphics::Decode(const std::string& bytes, std::u16string source) {
  if (bytes.size() >= 8 && std::memcmp(bytes.data(), "\x89PNG", 4) == 0) {
    return DecodePng(bytes, std::move(source));
  }
  return DecodeBmp(bytes, std::move(source));
}

std::unique_ptr<Image> HeadlessGraphics::LoadImageFile(std::u16string_view path) {
  const auto bytes = m_files.ReadAll(path);
  if (!bytes) return nullptr;
  return Decode(*bytes, std::u16string(path));
}

std::unique_ptr<Image> HeadlessGraphics::LoadResource(const char* type, int id) {
  if (m_resources == nullptr) return nullptr;
  const auto path = m_resources->Find(type, id);
  if (!path) return nullptr;
  std::ifstream in(*path, std::ios::binary);
  if (!in) return nullptr;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return Decode(bytes, base::FromUtf8(std::string(type) + ":" + std::to_string(id)));
}

std::unique_ptr<Image> HeadlessGraphics::LoadPngResource(int id) {
  return LoadResource("PNG", id);
}
std::unique_ptr<Image> HeadlessGraphics::LoadBitmapResource(int id) {
  return LoadResource("BITMAP", id);
}

std::unique_ptr<Font> HeadlessGraphics::CreateFont(const FontDesc& desc) {
  return std::make_unique<HeadlessFont>(desc);
}

std::unique_ptr<Canvas> HeadlessGraphics::CreateCanvas(int width, int height) {
  return std::make_unique<RecordingCanvas>(width, height);
}

}  // namespace platform::headless
