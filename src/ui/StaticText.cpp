#include "ui/StaticText.h"

CStaticText::CStaticText(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                         platform::Colour colour, uint32_t format, std::u16string_view title,
                         Visibility visibility)
    : CControlBase(hWnd, uID, rc, title, visibility.Inert()),
      m_clrText(colour),
      m_uFormat(format) {}

void CStaticText::Draw(platform::Canvas& canvas, const platform::Rect&) {
  if (!m_font || m_strTitle.empty() || m_rc.IsEmpty()) return;
  namespace dt = platform::dt;
  const uint32_t flags = m_uFormat | dt::kVCenter | dt::kWordEllipsis;
  platform::Rect rc = m_rc;
  if ((flags & dt::kWordBreak) != 0 && (flags & dt::kSingleLine) == 0) {
    // DrawTextW centres vertically only single lines: centre the wrapped block ourselves.
    const platform::Size size = canvas.MeasureText(m_strTitle, *m_font, flags, rc.Width());
    if (size.cy < rc.Height()) {
      rc.top += (rc.Height() - size.cy) / 2;
      rc.bottom = rc.top + size.cy;
    }
  }
  canvas.DrawText(m_strTitle, *m_font, m_clrText, rc, flags);
}
