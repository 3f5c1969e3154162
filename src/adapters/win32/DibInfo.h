#pragma once
// The one pixel layout the adapter draws into and reads back: 32 bits per pixel, rows top
// down, so that row y starts at y * width in memory.

#include "adapters/win32/WindowsInclude.h"

namespace platform::win32 {

inline BITMAPINFO TopDown32BitInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace platform::win32
