#include "ui/DPIValueShowControl.h"

#include <algorithm>

#include "base/Language.h"
#include "ui/SkinImage.h"

namespace {
// The bar images are vertical strips with tick marks; this band of them is plain.
constexpr int kPlainTop = 44;
constexpr int kPlainBottom = 60;
constexpr platform::Colour kFrameColour = 0x5A4A3A;
constexpr platform::Colour kFrameHover = 0xF0A050;

void DrawBand(platform::Canvas& canvas, const platform::Image* image, const platform::Rect& dest) {
  if (!image || dest.IsEmpty()) return;
  const platform::Rect band = ui::ImagePixels(*image, {0, kPlainTop, 0, kPlainBottom});
  if (band.bottom <= band.top) return;
  canvas.DrawImage(*image, dest, {0, band.top, image->Width(), band.bottom});
}
}  // namespace

CDPIValueShowControl::CDPIValueShowControl(platform::WindowId hWnd, uint32_t uID,
                                           const platform::Rect& rc, ControlOptions options)
    : CImageButton(hWnd, uID, rc, u"", options) {
  // Five digits must fit the narrow field.
  SetFont(std::max(g_nFontHeight - ui::Scaled(5), ui::Scaled(10)), u"Tahoma");
}

void CDPIValueShowControl::LoadDefaultImages() {
  SetImageEmpty(ui::SkinPath(u"mouse\\dpi_bar_1.png"));
  SetImageFilled(ui::SkinPath(u"mouse\\dpi_bar_2.png"));
}

void CDPIValueShowControl::SetIndexes(int xIndex, int yIndex, int count) {
  m_nX = std::max(xIndex, 0);
  m_nY = std::max(yIndex, 0);
  m_nCount = std::max(count, 0);
}

int CDPIValueShowControl::FilledWidth() const {
  if (m_nCount <= 0) return 0;
  const int filled = std::min(m_nX + 1, m_nCount);
  return m_rc.Width() * filled / m_nCount;
}

void CDPIValueShowControl::SetTexts(std::u16string_view x, std::u16string_view y) {
  if (m_strTitle == x && m_strY == y) return;
  m_strTitle.assign(x);
  m_strY.assign(y);
  Invalidate();
}

void CDPIValueShowControl::NotifyClicked(int, int) {
  SendToParent(m_uID, 0, Notify::kClicked);
}

void CDPIValueShowControl::Draw(platform::Canvas& canvas, const platform::Rect&) {
  DrawBand(canvas, m_pImageEmpty.get(), m_rc);
  const int filled = m_bDimmed ? 0 : FilledWidth();
  if (filled > 0) {
    const platform::Rect part{m_rc.left, m_rc.top, m_rc.left + filled, m_rc.bottom};
    DrawBand(canvas, m_pImageFilled.get(), part);
  }
  canvas.FrameRect(m_rc, m_enButtonState == kStateNormal ? kFrameColour : kFrameHover);
  platform::Colour text = m_enButtonState == kStateNormal ? kTextHover : kTextDown;
  if (m_bDimmed && m_enButtonState == kStateNormal) text = kTextNormal;
  if (m_strY.empty()) {
    DrawTitle(canvas, m_strTitle, text, platform::dt::kCenter);
    return;
  }
  // Two lines: X above, Y below.
  const platform::Rect whole = m_rc;
  const int middle = whole.top + whole.Height() / 2;
  if (m_font) {
    const uint32_t format = platform::dt::kCenter | platform::dt::kSingleLine |
                            platform::dt::kVCenter | platform::dt::kWordEllipsis;
    canvas.DrawText(m_strTitle, *m_font, text, {whole.left, whole.top, whole.right, middle},
                    format);
    canvas.DrawText(m_strY, *m_font, text, {whole.left, middle, whole.right, whole.bottom}, format);
  }
}

void CDPIValueShowControl::ReleaseImages() {
  CImageButton::ReleaseImages();
  m_pImageEmpty.reset();
  m_pImageFilled.reset();
}
