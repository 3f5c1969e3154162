#include "ui/MenuPopup.h"

#include <algorithm>

#include "platform/Keys.h"
#include "platform/Platform.h"
#include "ui/ControlBase.h"
#include "ui/SkinImage.h"
#include "ui/SlicedImage.h"

namespace {

constexpr platform::Colour kMenuFill = 0x29201B;
constexpr platform::Colour kMenuEdge = 0x504239;
constexpr platform::Colour kHotFill = 0xC8642F;
constexpr platform::Colour kTextDisabled = 0x68625E;
constexpr int kMarkerGap = 8;
constexpr int kCorner = 3;
constexpr uint32_t kMeasureFlags = platform::dt::kSingleLine | platform::dt::kNoPrefix;
// A text wider than the menu (a long language text) ends in an ellipsis.
constexpr uint32_t kTextFlags =
    kMeasureFlags | platform::dt::kLeft | platform::dt::kVCenter | platform::dt::kEndEllipsis;

}  // namespace

CMenuPopup::CMenuPopup(int nKind, std::vector<MenuItem> items)
    : CWndPopup(nKind), m_items(std::move(items)) {}

CMenuPopup::~CMenuPopup() = default;

// --- geometry ---

platform::Size CMenuPopup::MeasureSize() const {
  int widest = 0;
  if (m_font) {
    if (auto measure = platform::Gfx().CreateCanvas(1, 1)) {
      for (const MenuItem& item : m_items) {
        // Measured without the ellipsis, which would cut the text to the empty width given.
        widest = std::max(widest, measure->MeasureText(item.text, *m_font, kMeasureFlags, 0).cx);
      }
    }
  }
  const int width =
      ui::Scaled(kTextLeft) + widest + ui::Scaled(kMarkerGap + kMarkerSize + kMarkerRight);
  const int rows = static_cast<int>(std::min<size_t>(m_items.size(), 1000));
  return {std::max(width, ui::Scaled(kMinWidth)),
          rows * ui::Scaled(kRowHeight) + 2 * ui::Scaled(kPadding)};
}

platform::Rect CMenuPopup::PlaceBelow(const platform::Rect& anchor, platform::Size size,
                                      const platform::Rect& workArea) {
  // A drop-down is never narrower than the field that opens it.
  size.cx = std::max(size.cx, anchor.Width());
  int x = anchor.left;
  int y = anchor.bottom;
  if (y + size.cy > workArea.bottom) {
    const int above = anchor.top - size.cy;
    // Neither side has room: as low as the screen allows, but never above its top.
    y = above >= workArea.top ? above : std::max(workArea.top, workArea.bottom - size.cy);
  }
  if (x + size.cx > workArea.right) x = workArea.right - size.cx;
  if (x < workArea.left) x = workArea.left;
  return {x, y, x + size.cx, y + size.cy};
}

platform::Rect CMenuPopup::PlaceBeside(const platform::Rect& menu, const platform::Rect& row,
                                       platform::Size size, const platform::Rect& workArea) {
  int x = menu.right;
  if (x + size.cx > workArea.right) {
    x = menu.left - size.cx;
    // No room on either side: the side with more room, inside the screen.
    if (x < workArea.left) x = std::max(workArea.left, workArea.right - size.cx);
  }
  // The submenu's first row beside the row that opened it.
  int y = row.top - ui::Scaled(kPadding);
  if (y + size.cy > workArea.bottom) y = workArea.bottom - size.cy;
  if (y < workArea.top) y = workArea.top;
  return {x, y, x + size.cx, y + size.cy};
}

platform::Rect CMenuPopup::SubmenuRect(int row, platform::Size size,
                                       const platform::Rect& workArea) const {
  platform::Rect menu{m_ptPos.x, m_ptPos.y, m_ptPos.x + m_sizeWindow.cx,
                      m_ptPos.y + m_sizeWindow.cy};
  if (IsAlive()) menu = platform::Windows().WindowRect(m_hWnd);
  return PlaceBeside(menu, RowRect(row).Offset(menu.left, menu.top), size, workArea);
}

platform::Rect CMenuPopup::RowRect(int row) const {
  const int height = ui::Scaled(kRowHeight);
  const int top = ui::Scaled(kPadding) + row * height;
  return {0, top, m_sizeWindow.cx, top + height};
}

int CMenuPopup::RowAt(int x, int y) const {
  if (x < 0 || x >= m_sizeWindow.cx) return -1;
  const int top = ui::Scaled(kPadding);
  const int height = ui::Scaled(kRowHeight);
  if (y < top || height <= 0) return -1;
  const int row = (y - top) / height;
  return row < static_cast<int>(m_items.size()) ? row : -1;
}

// --- highlight and choice ---

bool CMenuPopup::Choosable(int index) const {
  return index >= 0 && index < static_cast<int>(m_items.size()) &&
         m_items[static_cast<size_t>(index)].enabled;
}

bool CMenuPopup::ChangeHot(int index) {
  if (!Choosable(index)) index = -1;
  if (index == m_nHot) return false;
  m_nHot = index;
  if (m_bAccessibleWatched && index >= 0 && m_hWnd) {
    platform::Windows().NotifyAccessible(m_hWnd, platform::AccessibleEvent::Focus, index);
  }
  OnHotItemChanged(index);
  return true;
}

void CMenuPopup::SetHotItem(int index) {
  if (ChangeHot(index)) RedrawLayered();
}

bool CMenuPopup::Step(int direction) {
  const int n = static_cast<int>(m_items.size());
  int at = m_nHot;
  if (at < 0) at = direction > 0 ? -1 : n;
  for (int tried = 0; tried < n; ++tried) {
    at = ((at + direction) % n + n) % n;
    if (Choosable(at)) return ChangeHot(at);
  }
  return false;
}

void CMenuPopup::OnHotItemChanged(int) {}

void CMenuPopup::OnChoose(int index) {
  if (!Choosable(index)) return;
  SendToParent(m_uMessage, m_wParam, m_items[static_cast<size_t>(index)].value);
  Close();
}

bool CMenuPopup::OnMouseMove(int x, int y) {
  const bool inside = x >= 0 && y >= 0 && x < m_sizeWindow.cx && y < m_sizeWindow.cy;
  // Off the menu a submenu row stays lit: the pointer has gone over to its submenu.
  if (!inside && m_nHot >= 0 && m_items[static_cast<size_t>(m_nHot)].submenu) return false;
  return ChangeHot(RowAt(x, y));
}

bool CMenuPopup::OnLButtonUp(int x, int y) {
  const int row = RowAt(x, y);
  if (Choosable(row) && !m_items[static_cast<size_t>(row)].submenu) OnChoose(row);
  return false;
}

bool CMenuPopup::OnKeyDown(uint32_t vk) {
  switch (vk) {
    case platform::kVkUp:
      return Step(-1);
    case platform::kVkDown:
      return Step(1);
    case platform::kVkReturn:
      if (Choosable(m_nHot) && !m_items[static_cast<size_t>(m_nHot)].submenu) OnChoose(m_nHot);
      return false;
    default:
      return CWndPopup::OnKeyDown(vk);
  }
}

// --- drawing ---

void CMenuPopup::LoadImages() {
  if (m_bImagesLoaded) return;
  m_bImagesLoaded = true;
  if (!m_pImage) LoadBackgroundPng(kBackgroundPng);
  m_pImageHot = ui::LoadSkinImage(ui::SkinPath(u"popup_item_ov.png"));
  m_pImageMarker = ui::LoadSkinImage(ui::SkinPath(u"popup_submenu.png"));
  m_pImageMarkerHot = ui::LoadSkinImage(ui::SkinPath(u"popup_submenu_ov.png"));
}

void CMenuPopup::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  LoadImages();
  if (m_pImage) {
    ui::DrawSliced(canvas, m_pImage.get(), client, kCorner + 1);
  } else {
    canvas.FillRect(client, kMenuFill);
    canvas.FrameRect(client, kMenuEdge);
  }
  const int markerSize = ui::Scaled(kMarkerSize);
  const int markerRoom = ui::Scaled(kMarkerGap + kMarkerSize + kMarkerRight);
  for (size_t i = 0; i < m_items.size(); ++i) {
    const MenuItem& item = m_items[i];
    const platform::Rect row = RowRect(static_cast<int>(i));
    if (row.top >= client.bottom) break;
    const bool hot = static_cast<int>(i) == m_nHot;
    if (hot) {
      if (m_pImageHot) {
        ui::DrawSliced(canvas, m_pImageHot.get(), row, kCorner);
      } else {
        canvas.FillRect(row, kHotFill);
      }
    }
    const platform::Colour colour = !item.enabled ? kTextDisabled : hot ? kTextHover : kTextNormal;
    if (m_font) {
      canvas.DrawText(
          item.text, *m_font, colour,
          {row.left + ui::Scaled(kTextLeft), row.top, row.right - markerRoom, row.bottom},
          kTextFlags);
    }
    if (!item.submenu) continue;
    const int x = row.right - ui::Scaled(kMarkerRight) - markerSize;
    const int y = row.top + (row.Height() - markerSize) / 2;
    const platform::Image* marker =
        hot && m_pImageMarkerHot ? m_pImageMarkerHot.get() : m_pImageMarker.get();
    if (marker) {
      ui::DrawWhole(canvas, marker, {x, y, x + markerSize, y + markerSize});
    } else {
      // A small arrow pointing to where the submenu opens.
      const int cy = y + markerSize / 2;
      const int tip = x + markerSize * 2 / 3;
      canvas.DrawLine({x + markerSize / 3, cy - markerSize / 4}, {tip, cy}, colour, 1);
      canvas.DrawLine({tip, cy}, {x + markerSize / 3, cy + markerSize / 4}, colour, 1);
    }
  }
}
