#pragma once
// Shared body of the managers' lists: rows of a fixed height, a top row, a selected row, an
// optional vertical scroll bar that follows the top row, and the wheel. Scrolling repaints
// the list and its bar only. A derived list says how many rows there are and draws one.

#include <cstdint>

#include "ui/ControlBase.h"

class CVScrollBar;

class CRowList : public CControlBase {
 public:
  static constexpr int kRowHeight = 20;  // unscaled

  CRowList(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc);

  void SetScrollBar(CVScrollBar* bar) { m_pBar = bar; }
  CVScrollBar* ScrollBar() const { return m_pBar; }

  virtual int RowCount() const = 0;
  // Rows that fit in the list.
  int PageRows() const;
  int RowHeight() const;
  int TopRow() const { return m_nTopRow; }
  // Sets the top row, kept within 0..RowCount()-PageRows(); repaints when it moved.
  void SetTopRow(int row);
  // Scrolls as little as needed to show `row`.
  void EnsureVisible(int row);
  // The row count changed: keeps the top row in range and updates the bar; repaints.
  void Reload();
  // The row at a point of the parent's client area, without regard to the row count (-1
  // above the list).
  int RowAt(int y) const;

  // A notice of the list's scroll bar (its wParam and lParam).
  void OnScrollNotice(platform::WParam wParam, platform::LParam lParam);

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnMouseWheel(int delta, int x, int y) override;

 protected:
  // Draws row `row` (RowCount() > row >= 0) into `rc`.
  virtual void DrawRow(platform::Canvas& canvas, int row, const platform::Rect& rc) = 0;
  void Repaint() const;

 private:
  void UpdateBar();

  CVScrollBar* m_pBar = nullptr;
  int m_nTopRow = 0;
};
