#include "views/macros/ImageShowList.h"

#include <algorithm>
#include <cstdlib>

#include "base/Format.h"
#include "keys/KeyTables.h"
#include "macros/MacroRecord.h"
#include "ui/SkinImage.h"

namespace {

constexpr platform::Colour kRowText = kTextNormal;
constexpr platform::Colour kSelectedText = 0xFFFFFF;
constexpr platform::Colour kSelectedFill = 0x6B4A2A;
constexpr int kIconSize = 16;
constexpr int kIconLeft = 4;
constexpr int kTextLeft = 26;

}  // namespace

CImageShowList::CImageShowList(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc)
    : CRowList(hWnd, uID, rc) {
  (void)LoadImageFile(ui::SkinPath(u"action_press.png"), m_pPress);
  (void)LoadImageFile(ui::SkinPath(u"action_release.png"), m_pRelease);
  (void)LoadImageFile(ui::SkinPath(u"action_delay.png"), m_pDelay);
}

CImageShowList::~CImageShowList() = default;

void CImageShowList::ReleaseImages() {
  m_pPress.reset();
  m_pRelease.reset();
  m_pDelay.reset();
}

void CImageShowList::SetMacro(const MacroRecord* macro) {
  m_pMacro = macro;
  m_nSelected = -1;
  SetTopRow(0);
  Reload();
}

int CImageShowList::RowCount() const {
  return m_pMacro ? static_cast<int>(std::min(m_pMacro->MacroActionNum, MacroRecord::kMaxActions))
                  : 0;
}

void CImageShowList::Select(int row) {
  m_nSelected = row >= 0 && row < RowCount() ? row : -1;
  EnsureVisible(m_nSelected);
  Repaint();
}

std::u16string CImageShowList::RowText(const MacroAction& action) {
  if (action.IsDelay()) return base::Format(u"%ums", action.DelayMs());
  const int amount = static_cast<int8_t>(action.b3);
  const int magnitude = std::abs(amount);
  const bool negative = amount < 0;
  switch (action.b0) {
    case MacroAction::kMouseX:
      return base::Format(negative ? u"Move Left %d" : u"Move Right %d", magnitude);
    case MacroAction::kMouseY:
      return base::Format(negative ? u"Move Up %d" : u"Move Down %d", magnitude);
    case MacroAction::kMouseWheel:
      return base::Format(negative ? u"Wheel Up %d" : u"Wheel Down %d", magnitude);
    default:
      return std::u16string(keys::KeyName(action.b0));
  }
}

bool CImageShowList::OnLButtonDown(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  const int row = RowAt(y);
  m_nSelected = row >= 0 && row < RowCount() ? row : -1;
  Repaint();
  SendToParent(m_uID, 0, Notify::kClicked);
  return true;
}

bool CImageShowList::OnLButtonDblClk(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  SendToParent(m_uID, 0, Notify::kDoubleClicked);
  return true;
}

void CImageShowList::DrawRow(platform::Canvas& canvas, int row, const platform::Rect& rc) {
  if (!m_pMacro) return;
  const MacroAction action = m_pMacro->GetAction(static_cast<uint32_t>(row));
  const bool selected = row == m_nSelected;
  if (selected) canvas.FillRect(rc, kSelectedFill);
  const bool move = action.b0 >= MacroAction::kMouseX && action.b0 <= MacroAction::kMouseWheel;
  const platform::Image* icon = action.IsDelay()     ? m_pDelay.get()
                                : move               ? nullptr
                                : action.IsRelease() ? m_pRelease.get()
                                                     : m_pPress.get();
  const int size = ui::Scaled(kIconSize);
  const int left = rc.left + ui::Scaled(kIconLeft);
  const int top = rc.top + (rc.Height() - size) / 2;
  ui::DrawWhole(canvas, icon, {left, top, left + size, top + size});
  if (!m_font) return;
  namespace dt = platform::dt;
  canvas.DrawText(RowText(action), *m_font, selected ? kSelectedText : kRowText,
                  {rc.left + ui::Scaled(kTextLeft), rc.top, rc.right - 2, rc.bottom},
                  dt::kLeft | dt::kVCenter | dt::kSingleLine | dt::kNoPrefix | dt::kEndEllipsis);
}
