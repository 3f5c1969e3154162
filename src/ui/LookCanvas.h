#pragma once
// What a window would draw, call by call, without drawing it: each call is kept as the part
// of the surface it reaches and a hash of everything that decides its pixels. Comparing two
// looks of one window tells which parts of it changed, so that a refresh after a report from
// the mouse repaints those and not the whole window.

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"

namespace ui {

struct LookEntry {
  platform::Rect bounds;  // clipped to the surface and the clip in force
  uint64_t hash = 0;
};

using Look = std::vector<LookEntry>;

class LookCanvas : public platform::Canvas {
 public:
  // Text is measured on `measure`, a real canvas (fonts need one); nothing is drawn on it.
  LookCanvas(int width, int height, platform::Canvas& measure);

  int Width() const override { return m_width; }
  int Height() const override { return m_height; }
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
  // A copy is known by its source surface, which must not change while it is in use (the
  // prepared frame of a dialog).
  void CopyFrom(const platform::Canvas& source, const platform::Rect& dest,
                platform::Point sourceOrigin) override;
  void SetClip(const platform::Rect& rc) override;
  platform::Rect ClipRect() const override;
  uint32_t PixelArgb(int, int) const override { return 0; }

  Look Take() { return std::move(m_look); }

 private:
  void Add(const platform::Rect& reach, uint64_t hash);

  int m_width;
  int m_height;
  platform::Canvas& m_measure;
  platform::Rect m_clip{};
  Look m_look;
};

// The rectangles where two looks of one window differ: the reach of every call found in one
// look and not in the other (a changed call gives its old and its new reach).
std::vector<platform::Rect> ChangedAreas(const Look& before, const Look& after);

}  // namespace ui
