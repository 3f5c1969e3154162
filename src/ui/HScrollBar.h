#pragma once
// The horizontal scroll bar (id 2037). Its arrows have no artwork of their own: they are
// drawn flat unless PNG resources are given.

#include "ui/ScrollBarBase.h"

class CHScrollBar : public CScrollBarBase {
 public:
  static constexpr uint32_t kId = 2037;

  CHScrollBar(platform::WindowId hWnd, const platform::Rect& rc, int leftArrowResource = 0,
              int rightArrowResource = 0, Visibility visibility = {})
      : CScrollBarBase(hWnd, kId, rc, false, leftArrowResource, rightArrowResource, visibility) {}
};
