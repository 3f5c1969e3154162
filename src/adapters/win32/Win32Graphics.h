#pragma once
// Images, fonts and canvases on GDI and GDI+. GDI+ must be started before the first call
// (Win32Platform does it).

#include <string>

#include "adapters/win32/FailureLog.h"
#include "platform/Canvas.h"
#include "platform/FileSystem.h"
#include "platform/System.h"

namespace platform::win32 {

class Win32Graphics : public Graphics {
 public:
  Win32Graphics(FileSystem& files, System& system, FailureLog& failures)
      : m_files(files), m_system(system), m_failures(failures) {}

  std::unique_ptr<Image> LoadImageFile(std::u16string_view path) override;
  std::unique_ptr<Image> LoadPngResource(int id) override;
  std::unique_ptr<Image> LoadBitmapResource(int id) override;
  std::unique_ptr<Font> CreateFont(const FontDesc& desc) override;
  std::unique_ptr<Canvas> CreateCanvas(int width, int height) override;

 private:
  // PNG, BMP or any other format GDI+ decodes, from bytes in memory.
  std::unique_ptr<Image> Decode(const std::string& bytes);

  FileSystem& m_files;
  System& m_system;
  FailureLog& m_failures;
};

}  // namespace platform::win32
