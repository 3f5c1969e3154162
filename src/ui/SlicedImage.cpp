#include "ui/SlicedImage.h"

#include <algorithm>

namespace ui {

void DrawSliced(platform::Canvas& canvas, const platform::Image* image, const platform::Rect& dest,
                int corner) {
  if (!image || dest.IsEmpty() || image->Width() <= 0 || image->Height() <= 0) return;
  const int w = image->Width();
  const int h = image->Height();
  const int c = std::max(0, std::min({corner, w / 2, h / 2, dest.Width() / 2, dest.Height() / 2}));
  // Columns and rows of the source and the destination: corner, middle, corner.
  const int sx[4] = {0, c, w - c, w};
  const int sy[4] = {0, c, h - c, h};
  const int dx[4] = {dest.left, dest.left + c, dest.right - c, dest.right};
  const int dy[4] = {dest.top, dest.top + c, dest.bottom - c, dest.bottom};
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
