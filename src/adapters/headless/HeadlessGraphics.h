#pragma once
// Images decoded from files (PNG through libpng, uncompressed BMP), resources served from
// the resource scripts' files, fonts with simple fixed metrics, recording canvases.

#include <filesystem>

#include "adapters/headless/HeadlessFileSystem.h"
#include "adapters/host/ResourceScript.h"
#include "platform/Canvas.h"

namespace platform::headless {

class HeadlessGraphics : public Graphics {
 public:
  explicit HeadlessGraphics(HeadlessFileSystem& files) : m_files(files) {}

  void SetResources(const host::ResourceScript* resources) { m_resources = resources; }

  std::unique_ptr<Image> LoadImageFile(std::u16string_view path) override;
  std::unique_ptr<Image> LoadPngResource(int id) override;
  std::unique_ptr<Image> LoadBitmapResource(int id) override;
  std::unique_ptr<Font> CreateFont(const FontDesc& desc) override;
  std::unique_ptr<Canvas> CreateCanvas(int width, int height) override;

  // Decodes PNG or BMP bytes; nothing when they are neither or are damaged.
  static std::unique_ptr<Image> Decode(const std::string& bytes, std::u16string source);

 private:
  std::unique_ptr<Image> LoadResource(const char* type, int id);

  HeadlessFileSystem& m_files;
  const host::ResourceScript* m_resources = nullptr;
};

}  // namespace platform::headless
