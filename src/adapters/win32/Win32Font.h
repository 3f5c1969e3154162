#pragma once
// A GDI font made from a FontDesc.

#include "adapters/win32/FailureLog.h"
#include "platform/Canvas.h"

namespace platform::win32 {

class Win32Font : public Font {
 public:
  // When the system cannot create the font, Handle() is null and text is drawn with the
  // device context's current font.
  Win32Font(const FontDesc& desc, FailureLog& failures);
  ~Win32Font() override;
  Win32Font(const Win32Font&) = delete;
  Win32Font& operator=(const Win32Font&) = delete;

  const FontDesc& Desc() const override { return m_desc; }
  void* Handle() const { return m_font; }  // HFONT

 private:
  FontDesc m_desc;
  void* m_font = nullptr;
};

}  // namespace platform::win32
