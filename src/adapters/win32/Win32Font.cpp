#include "adapters/win32/Win32Font.h"

#include "adapters/win32/WindowsInclude.h"

#include "adapters/win32/WideText.h"

namespace platform::win32 {

Win32Font::Win32Font(const FontDesc& desc, FailureLog& failures) : m_desc(desc) {
  // LOGFONT keeps at most 31 characters of the face name.
  std::wstring face = Wide(desc.face.substr(0, LF_FACESIZE - 1));
  HFONT font = ::CreateFontW(desc.height, desc.width, 0, 0, desc.weight, FALSE,
                             desc.underline ? TRUE : FALSE, FALSE, desc.charset, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, face.c_str());
  if (font == nullptr) failures.Record("CreateFontW");
  m_font = font;
}

Win32Font::~Win32Font() {
  if (m_font != nullptr) ::DeleteObject(static_cast<HFONT>(m_font));
}

}  // namespace platform::win32
