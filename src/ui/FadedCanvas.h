#pragma once
// How a control that cannot be used now is drawn: through this canvas, which hands every call
// on to the window's canvas with the colours faded into the window's background. Pictures are
// drawn partly transparent over what lies under them; fills, lines and text are mixed with the
// background colour by the same share. So every kind of control gets its disabled look from
// its own drawing, and an enabled control is drawn exactly as before.

#include <cstdint>
#include <string_view>

#include "platform/Canvas.h"

namespace ui {

// The share of a faded control's own colour that is left, out of 255.
constexpr uint8_t kFadedShare = 110;

// `colour` mixed with `background`, keeping `share` / 255 of it.
platform::Colour Faded(platform::Colour colour, platform::Colour background,
                       uint8_t share = kFadedShare);

class FadedCanvas : public platform::Canvas {
 public:
  FadedCanvas(platform::Canvas& target, platform::Colour background)
      : m_target(target), m_background(background) {}

  int Width() const override { return m_target.Width(); }
  int Height() const override { return m_target.Height(); }
  void FillRect(const platform::Rect& rc, platform::Colour colour) override;
  void FrameRect(const platform::Rect& rc, platform::Colour colour) override;
  void DrawLine(platform::Point from, platform::Point to, platform::Colour colour,
                int width) override;
  void DrawImage(const platform::Image& image, const platform::Rect& dest,
                 const platform::Rect& src, uint8_t alpha) override;
  void DrawIconCentred(int iconResource, const platform::Rect& area) override;
  int DrawText(std::u16string_view text, const platform::Font& font, platform::Colour colour,
               const platform::Rect& rc, uint32_t flags) override;
  platform::Size MeasureText(std::u16string_view text, const platform::Font& font, uint32_t flags,
                             int maxWidth) override;
  // Copies pass unchanged: no control draws by copying.
  void CopyFrom(const platform::Canvas& source, const platform::Rect& dest,
                platform::Point sourceOrigin) override;
  void SetClip(const platform::Rect& rc) override { m_target.SetClip(rc); }
  platform::Rect ClipRect() const override { return m_target.ClipRect(); }
  uint32_t PixelArgb(int x, int y) const override { return m_target.PixelArgb(x, y); }

 private:
  platform::Colour Fade(platform::Colour colour) const { return Faded(colour, m_background); }

  platform::Canvas& m_target;
  platform::Colour m_background;
};

}  // namespace ui
