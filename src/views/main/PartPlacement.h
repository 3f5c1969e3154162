#pragma once
// The controls of one page part with their places relative to the part's origin, so that the
// part can be moved as a whole when the right-hand column stacks the open pages. Coordinates
// are unscaled pixels; g_fUiScale is applied when the controls are placed.

#include <vector>

#include "platform/Types.h"
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"

class PartPlacement {
 public:
  // Remembers where `control` sits relative to the origin; returns the control.
  template <typename T>
  T* Add(T* control, const platform::Rect& relative) {
    m_items.push_back({control, relative});
    Move(m_items.back(), m_origin);
    return control;
  }
  // Moves every control so that the part starts at `origin` (client pixels, already scaled).
  void Place(platform::Point origin) {
    m_origin = origin;
    for (const Item& item : m_items) Move(item, origin);
  }
  platform::Point Origin() const { return m_origin; }
  // Whether any of the part's controls is on screen: a closed page keeps its last origin, and
  // must not draw anything there.
  bool AnyDrawable() const {
    for (const Item& item : m_items) {
      if (item.control->IsDrawable()) return true;
    }
    return false;
  }
  // The part's rectangle for a width and height in unscaled pixels.
  platform::Rect Area(int width, int height) const {
    return {m_origin.x, m_origin.y, m_origin.x + ui::Scaled(width),
            m_origin.y + ui::Scaled(height)};
  }

 private:
  struct Item {
    CControlBase* control;
    platform::Rect relative;
  };
  static void Move(const Item& item, platform::Point origin) {
    item.control->SetRect(
        origin.x + ui::Scaled(item.relative.left), origin.y + ui::Scaled(item.relative.top),
        origin.x + ui::Scaled(item.relative.right), origin.y + ui::Scaled(item.relative.bottom));
  }

  std::vector<Item> m_items;
  platform::Point m_origin;
};
