#include "ui/SlicedImage.h"

#include <algorithm>
#include <cmath>

#include "base/AppGlobals.h"

namespace ui {

void DrawSliced(platform::Canvas& canvas, const platform::Image* image, const platform::Rect& dest,
                int corner) {
  if (!image || dest.IsEmpty() || image->Width() <= 0 || image->Height() <= 0) return;
  const int w = image->Width();
  const int h = image->Height();
  // The corner in layout pixels, as far as the picture (at its own scale) and the rectangle
  // (at the window's) leave room for it.
  const float scale = image->Scale();
  const float layout =
      std::max(0.0f, std::min({static_cast<float>(corner), static_cast<float>(w / 2) / scale,
                               static_cast<float>(h / 2) / scale,
                               static_cast<float>(dest.Width() / 2) / g_fUiScale,
                               static_cast<float>(dest.Height() / 2) / g_fUiScale}));
  const int c = static_cast<int>(std::lround(layout * scale));
  const int d = static_cast<int>(layout * g_fUiScale);
  // Columns and rows of the source and the destination: corner, middle, corner.
  const int sx[4] = {0, c, w - c, w};
  const int sy[4] = {0, c, h - c, h};
  const int dx[4] = {dest.left, dest.left + d, dest.right - d, dest.right};
  const int dy[4] = {dest.top, dest.top + d, dest.bottom - d, dest.bottom};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const platform::Rect to{dx[col], dy[row], dx[col + 1], dy[row + 1]};
      const platform::Rect from{sx[col], sy[row], sx[col + 1], sy[row + 1]};
      if (to.IsEmpty() || from.IsEmpty()) continue;
      canvas.DrawImage(*image, to, from);
    }
  }
}

}  // namespace ui
