#include "ui/FadedCanvas.h"

namespace ui {

platform::Colour Faded(platform::Colour colour, platform::Colour background, uint8_t share) {
  platform::Colour out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t own = (colour >> shift) & 0xFF;
    const uint32_t under = (background >> shift) & 0xFF;
    const uint32_t mixed = (own * share + under * (255u - share) + 127u) / 255u;
    out |= mixed << shift;
  }
  return out;
}

void FadedCanvas::FillRect(const platform::Rect& rc, platform::Colour colour) {
  m_target.FillRect(rc, Fade(colour));
}

void FadedCanvas::FrameRect(const platform::Rect& rc, platform::Colour colour) {
  m_target.FrameRect(rc, Fade(colour));
}

void FadedCanvas::DrawLine(platform::Point from, platform::Point to, platform::Colour colour,
                           int width) {
  m_target.DrawLine(from, to, Fade(colour), width);
}

void FadedCanvas::DrawImage(const platform::Image& image, const platform::Rect& dest,
                            const platform::Rect& src, uint8_t alpha) {
  const auto faded = static_cast<uint8_t>((alpha * kFadedShare + 127u) / 255u);
  m_target.DrawImage(image, dest, src, faded);
}

void FadedCanvas::DrawIconCentred(int iconResource, const platform::Rect& area) {
  m_target.DrawIconCentred(iconResource, area);
}

int FadedCanvas::DrawText(std::u16string_view text, const platform::Font& font,
                          platform::Colour colour, const platform::Rect& rc, uint32_t flags) {
  return m_target.DrawText(text, font, Fade(colour), rc, flags);
}

platform::Size FadedCanvas::MeasureText(std::u16string_view text, const platform::Font& font,
                                        uint32_t flags, int maxWidth) {
  return m_target.MeasureText(text, font, flags, maxWidth);
}

void FadedCanvas::CopyFrom(const platform::Canvas& source, const platform::Rect& dest,
                           platform::Point sourceOrigin) {
  m_target.CopyFrom(source, dest, sourceOrigin);
}

}  // namespace ui
