#pragma once
// Draws a skin picture with rounded corners into a rectangle of another size: the corners
// stay at their size, the edges stretch along one side and the middle both ways, so a field
// or menu background keeps its look at any size.

#include "platform/Canvas.h"

namespace ui {

// `corner` 1x pixels of the image at each side are kept, drawn at the window's scale; it
// shrinks for small images or rectangles. Draws nothing without an image.
void DrawSliced(platform::Canvas& canvas, const platform::Image* image, const platform::Rect& dest,
                int corner);

}  // namespace ui
