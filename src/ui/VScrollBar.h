#pragma once
// The vertical scroll bar of the macro lists: up arrow PNG resource 188, down arrow 187.

#include "ui/ScrollBarBase.h"

class CVScrollBar : public CScrollBarBase {
 public:
  static constexpr int kUpArrowResource = 188;
  static constexpr int kDownArrowResource = 187;

  CVScrollBar(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
              Visibility visibility = {})
      : CScrollBarBase(hWnd, uID, rc, true, kUpArrowResource, kDownArrowResource, visibility) {}
};
