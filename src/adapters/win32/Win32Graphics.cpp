#include "adapters/win32/Win32Graphics.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "adapters/win32/DibInfo.h"
#include "adapters/win32/GdiPlusInclude.h"
#include "adapters/win32/Win32Canvas.h"
#include "adapters/win32/Win32Font.h"
#include "adapters/win32/Win32Image.h"

namespace platform::win32 {
namespace {

// Skin pictures are a few hundred pixels a side; this only keeps a broken file from
// allocating gigabytes.
constexpr int kMaxSide = 16384;

bool SaneSize(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide;
}

}  // namespace

std::unique_ptr<Image> Win32Graphics::Decode(const std::string& bytes) {
  if (bytes.empty()) return nullptr;
  // The stream owns the memory block and frees it when released (the resource bytes
  // themselves are read-only and must not be handed to it).
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (block == nullptr) {
    m_failures.Record("GlobalAlloc");
    return nullptr;
  }
  void* memory = ::GlobalLock(block);
  if (memory == nullptr) {
    m_failures.Record("GlobalLock");
    ::GlobalFree(block);
    return nullptr;
  }
  std::memcpy(memory, bytes.data(), bytes.size());
  ::GlobalUnlock(block);
  IStream* stream = nullptr;
  HRESULT hr = ::CreateStreamOnHGlobal(block, TRUE, &stream);
  if (FAILED(hr) || stream == nullptr) {
    m_failures.RecordCode("CreateStreamOnHGlobal", static_cast<uint32_t>(hr));
    ::GlobalFree(block);
    return nullptr;
  }

  std::unique_ptr<Image> image;
  {
    Gdiplus::Bitmap decoded(stream);
    Gdiplus::Status status = decoded.GetLastStatus();
    int width = status == Gdiplus::Ok ? static_cast<int>(decoded.GetWidth()) : 0;
    int height = status == Gdiplus::Ok ? static_cast<int>(decoded.GetHeight()) : 0;
    if (status != Gdiplus::Ok) {
      m_failures.RecordCode("GdipCreateBitmapFromStream", status);
    } else if (!SaneSize(width, height)) {
      m_failures.RecordCode("GdipCreateBitmapFromStream", Gdiplus::InvalidParameter);
    } else {
      Gdiplus::Rect all(0, 0, width, height);
      Gdiplus::BitmapData data{};
      status = decoded.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data);
      if (status != Gdiplus::Ok) {
        m_failures.RecordCode("GdipBitmapLockBits", status);
      } else {
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
          const auto* row =
              static_cast<const uint8_t*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
          std::memcpy(pixels.data() + static_cast<size_t>(y) * width, row,
                      static_cast<size_t>(width) * 4);
        }
        decoded.UnlockBits(&data);
        image = std::make_unique<Win32Image>(width, height, std::move(pixels));
      }
    }
  }  // the bitmap reads from the stream until it is gone
  stream->Release();
  return image;
}

std::unique_ptr<Image> Win32Graphics::LoadImageFile(std::u16string_view path) {
  // Decoding from a copy in memory keeps the file free for the user to replace.
  std::optional<std::string> bytes = m_files.ReadAll(path);
  if (!bytes) return nullptr;
  return Decode(*bytes);
}

std::unique_ptr<Image> Win32Graphics::LoadPngResource(int id) {
  std::optional<std::string> bytes = m_system.LoadResource(u"PNG", id);
  if (!bytes) return nullptr;
  return Decode(*bytes);
}

std::unique_ptr<Image> Win32Graphics::LoadBitmapResource(int id) {
  HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageW(
      ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (bitmap == nullptr) {
    m_failures.Record("LoadImageW");
    return nullptr;
  }
  std::unique_ptr<Image> image;
  BITMAP info{};
  if (::GetObjectW(bitmap, sizeof info, &info) == 0 ||
      !SaneSize(info.bmWidth, std::abs(info.bmHeight))) {
    m_failures.Record("GetObjectW");
  } else {
    int width = info.bmWidth, height = std::abs(info.bmHeight);
    BITMAPINFO request = TopDown32BitInfo(width, height);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    HDC dc = ::CreateCompatibleDC(nullptr);
    int lines = dc != nullptr
                    ? ::GetDIBits(dc, bitmap, 0, height, pixels.data(), &request, DIB_RGB_COLORS)
                    : 0;
    if (dc != nullptr) ::DeleteDC(dc);
    if (lines != height) {
      m_failures.Record("GetDIBits");
    } else {
      // Frame bitmaps carry no alpha: every pixel is opaque.
      for (uint32_t& p : pixels) p |= 0xFF000000u;
      image = std::make_unique<Win32Image>(width, height, std::move(pixels));
    }
  }
  ::DeleteObject(bitmap);
  return image;
}

std::unique_ptr<Font> Win32Graphics::CreateFont(const FontDesc& desc) {
  return std::make_unique<Win32Font>(desc, m_failures);
}

std::unique_ptr<Canvas> Win32Graphics::CreateCanvas(int width, int height) {
  return std::make_unique<Win32Canvas>(width, height, m_failures);
}

}  // namespace platform::win32
