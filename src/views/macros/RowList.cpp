#include "views/macros/RowList.h"

#include <algorithm>

#include "platform/Platform.h"
#include "ui/SkinImage.h"
#include "ui/VScrollBar.h"

namespace {

constexpr platform::Colour kListBackground = 0x1F1A14;
constexpr platform::Colour kListEdge = 0x635449;

}  // namespace

CRowList::CRowList(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc)
    : CControlBase(hWnd, uID, rc, u"") {}

int CRowList::RowHeight() const {
  return std::max(1, ui::Scaled(kRowHeight));
}

int CRowList::PageRows() const {
  return std::max(1, m_rc.Height() / RowHeight());
}

int CRowList::RowAt(int y) const {
  if (y < m_rc.top) return -1;
  return m_nTopRow + (y - m_rc.top) / RowHeight();
}

void CRowList::SetTopRow(int row) {
  const int top = std::clamp(row, 0, std::max(0, RowCount() - PageRows()));
  if (top == m_nTopRow) return;
  m_nTopRow = top;
  UpdateBar();
  Repaint();
}

void CRowList::EnsureVisible(int row) {
  if (row < 0) return;
  if (row < m_nTopRow) {
    SetTopRow(row);
  } else if (row >= m_nTopRow + PageRows()) {
    SetTopRow(row - PageRows() + 1);
  }
}

void CRowList::Reload() {
  m_nTopRow = std::clamp(m_nTopRow, 0, std::max(0, RowCount() - PageRows()));
  UpdateBar();
  Repaint();
}

void CRowList::UpdateBar() {
  if (!m_pBar) return;
  m_pBar->SetRange(std::max(0, RowCount() - PageRows()) + 1);
  m_pBar->SetPos(m_nTopRow);
  platform::Windows().Invalidate(m_hWnd, &m_pBar->m_rc);
}

void CRowList::Repaint() const {
  Invalidate();
}

void CRowList::OnScrollNotice(platform::WParam wParam, platform::LParam lParam) {
  if (lParam == Notify::kPressed && wParam == CScrollBarBase::kFirstArrow) {
    SetTopRow(m_nTopRow - 1);
  } else if (lParam == Notify::kPressed && wParam == CScrollBarBase::kSecondArrow) {
    SetTopRow(m_nTopRow + 1);
  } else if (m_pBar && wParam == 0 &&
             (lParam == Notify::kValueChanged || lParam == Notify::kClicked)) {
    SetTopRow(m_pBar->GetPos());
  }
}

bool CRowList::OnMouseWheel(int delta, int, int) {
  // Only a list with more rows than it shows scrolls.
  if (RowCount() <= PageRows()) return false;
  const int before = m_nTopRow;
  SetTopRow(m_nTopRow + (delta > 0 ? -1 : 1));
  return m_nTopRow != before;
}

void CRowList::Draw(platform::Canvas& canvas, const platform::Rect&) {
  canvas.FillRect(m_rc, kListBackground);
  canvas.FrameRect(m_rc, kListEdge);
  const int h = RowHeight();
  const int count = RowCount();
  for (int i = 0; i < PageRows() && m_nTopRow + i < count; ++i) {
    const int top = m_rc.top + i * h;
    DrawRow(canvas, m_nTopRow + i, {m_rc.left + 1, top, m_rc.right - 1, top + h});
  }
}
