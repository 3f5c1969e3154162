#pragma once
// Base of every popup menu: rows of text, some with a submenu marker, the row under the
// pointer (or chosen with Up/Down) highlighted, Enter or a click choosing, Escape closing.
// A submenu is a second menu that the opener places with SubmenuRect and opens with
// SetNoActivate(true), so that this menu keeps the keyboard and stays open.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Types.h"
#include "ui/WndPopup.h"

struct MenuItem {
  std::u16string text;
  platform::LParam value = 0;  // lParam of the result message when chosen
  bool submenu = false;        // drawn with the submenu marker; clicking it does nothing
  bool enabled = true;
};

class CMenuPopup : public CWndPopup, public platform::AccessibleTree {
 public:
  // Unscaled layout; every value is multiplied by g_fUiScale.
  static constexpr int kRowHeight = 22;
  static constexpr int kPadding = 3;  // above the first and below the last row
  static constexpr int kTextLeft = 12;
  static constexpr int kMarkerSize = 12;
  static constexpr int kMarkerRight = 8;
  static constexpr int kMinWidth = 120;
  static constexpr int kBackgroundPng = 151;

  CMenuPopup(int nKind, std::vector<MenuItem> items);
  ~CMenuPopup() override;

  const std::vector<MenuItem>& Items() const { return m_items; }
  // Size for the items (row height, widest text); the opener uses it for the rectangle.
  platform::Size MeasureSize() const;
  // Screen rectangle of a popup of `size` opened at `anchor` (screen) and kept inside
  // `workArea`: below the anchor, else above; shifted left to stay on screen; at least as
  // wide as the anchor.
  static platform::Rect PlaceBelow(const platform::Rect& anchor, platform::Size size,
                                   const platform::Rect& workArea);
  // Screen rectangle for a submenu of `size` beside row `row` of this popup: to the right,
  // else to the left when it would leave `workArea`; shifted up to stay on screen.
  platform::Rect SubmenuRect(int row, platform::Size size, const platform::Rect& workArea) const;
  // The same for a menu at `menu` (screen) whose row is at `row` (screen).
  static platform::Rect PlaceBeside(const platform::Rect& menu, const platform::Rect& row,
                                    platform::Size size, const platform::Rect& workArea);
  int HotItem() const { return m_nHot; }
  // Highlights a row (-1 for none) as the pointer would; disabled rows are not taken.
  void SetHotItem(int index);
  // Client rectangle of a row, and the row at a client point (-1 for none).
  platform::Rect RowRect(int row) const;
  int RowAt(int x, int y) const;

  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  bool OnMouseMove(int x, int y) override;
  bool OnLButtonUp(int x, int y) override;
  bool OnKeyDown(uint32_t vk) override;

  // Screen readers: one menu item per row; the highlighted row has the focus, and a move of
  // the highlight is told to them (MenuPopupAccessible.cpp).
  platform::AccessibleTree* Accessible() override;
  int AccessibleCount() override { return static_cast<int>(m_items.size()); }
  bool AccessibleItemAt(int index, platform::AccessibleItem& item) override;
  std::u16string AccessibleName() override { return {}; }
  bool IsMenu() override { return true; }
  int AccessibleFocus() override { return m_nHot; }
  // Chooses the row, as Enter would.
  bool DoDefaultAction(int index) override;

 protected:
  // The highlighted row changed (pointer or Up/Down); -1 for none. Derived menus send their
  // "open submenu" / "close submenu" messages here.
  virtual void OnHotItemChanged(int index);
  // An enabled, non-submenu row was chosen (click or Enter). Default: SendToParent(m_uMessage,
  // m_wParam, item.value), then Close().
  virtual void OnChoose(int index);

  std::vector<MenuItem> m_items;

 private:
  bool ChangeHot(int index);
  bool Step(int direction);
  bool Choosable(int index) const;
  void LoadImages();

  int m_nHot = -1;
  bool m_bImagesLoaded = false;
  bool m_bAccessibleWatched = false;
  std::unique_ptr<platform::Image> m_pImageHot;
  std::unique_ptr<platform::Image> m_pImageMarker;
  std::unique_ptr<platform::Image> m_pImageMarkerHot;
};
