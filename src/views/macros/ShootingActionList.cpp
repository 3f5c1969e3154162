#include "views/macros/ShootingActionList.h"

#include <algorithm>

#include "base/Format.h"
#include "keys/KeyTables.h"
#include "macros/MacroRecord.h"
#include "macros/editing/BulletRules.h"
#include "platform/Platform.h"
#include "ui/DialogParts.h"
#include "ui/ScrollBarBase.h"
#include "ui/SkinImage.h"

namespace {

constexpr platform::Colour kBackground = 0x2B231D;
constexpr platform::Colour kColumnBackground = 0x3A2F27;
constexpr platform::Colour kSelected = 0xD87034;
constexpr platform::Colour kText = 0xE6E6E6;

// Which action of its bullet each line shows: the fire, the first delay, the cursor step
// twice (X, Y), the second delay.
constexpr int kActionOfLine[CShootingActionList::kLines] = {0, 1, 2, 2, 3};

uint32_t Count(const MacroRecord& record) {
  return std::min(record.MacroActionNum, MacroRecord::kMaxActions);
}

std::u16string Describe(const MacroAction& action) {
  if (action.IsDelay()) return base::Format(u"delay %ums", action.DelayMs());
  std::u16string name(keys::KeyName(action.b0));
  if (name.empty()) name = base::Format(u"%.2X", action.b0);
  return name + (action.IsRelease() ? u" \u2191" : u" \u2193");
}

}  // namespace

CShootingActionList::CShootingActionList(platform::WindowId hWnd, uint32_t uID,
                                         const platform::Rect& rc)
    : CControlBase(hWnd, uID, rc, u"") {}

void CShootingActionList::AttachScrollBar(CScrollBarBase* bar) {
  m_pBar = bar;
  SyncBar();
}

std::u16string CShootingActionList::LineText(const MacroRecord& record, int column, int line) {
  if (line < 0 || line >= kLines || column < 0) return {};
  const uint32_t position = static_cast<uint32_t>(column) * bullets::kActionsPerBullet +
                            static_cast<uint32_t>(kActionOfLine[line]);
  if (position >= Count(record)) return {};
  const MacroAction& action = record.actions[position];
  if (line == 0 && action.b0 == bullets::kFire) return base::Format(u"bullet %d", column + 1);
  if (bullets::IsCursor(action)) {
    const bullets::CursorStep step = bullets::StepOf(action);
    return line == 2   ? base::Format(u"X = %d", step.x)
           : line == 3 ? base::Format(u"Y = %d", step.y)
                       : Describe(action);
  }
  if (line == 3) return {};  // the Y line belongs to a cursor step only
  return Describe(action);
}

void CShootingActionList::SetRecord(const MacroRecord* record) {
  m_pRecord = record;
  m_nFirstColumn = 0;
  m_nSelected = -1;
  SyncBar();
  Invalidate();
}

void CShootingActionList::Reload() {
  if (m_pRecord) {
    m_nFirstColumn = bullets::ClampFirstColumn(m_nFirstColumn, *m_pRecord);
    if (m_nSelected >= static_cast<int>(Count(*m_pRecord))) m_nSelected = -1;
  }
  SyncBar();
  Invalidate();
}

void CShootingActionList::SelectAction(int position) {
  if (!m_pRecord || position < 0 || position >= static_cast<int>(Count(*m_pRecord))) {
    m_nSelected = -1;
  } else {
    m_nSelected = position;
    const int column = position / static_cast<int>(bullets::kActionsPerBullet);
    if (column < m_nFirstColumn) {
      SetFirstColumn(column);
    } else if (column >= m_nFirstColumn + bullets::kColumnsShown) {
      SetFirstColumn(column - bullets::kColumnsShown + 1);
    }
  }
  Invalidate();
}

bool CShootingActionList::SetFirstColumn(int column) {
  const int first = m_pRecord ? bullets::ClampFirstColumn(column, *m_pRecord) : 0;
  if (first == m_nFirstColumn) return false;
  m_nFirstColumn = first;
  SyncBar();
  return true;
}

void CShootingActionList::SyncBar() {
  if (!m_pBar) return;
  const int columns = m_pRecord ? bullets::ColumnCount(*m_pRecord) : 0;
  m_pBar->SetRange(std::max(0, columns - bullets::kColumnsShown) + 1);
  m_pBar->SetPos(m_nFirstColumn);
  if (m_hWnd) platform::Windows().Invalidate(m_hWnd, &m_pBar->m_rc);
}

void CShootingActionList::OnScrollBar(platform::WParam wParam, platform::LParam lParam) {
  bool moved = false;
  if (lParam == Notify::kPressed && wParam == CScrollBarBase::kFirstArrow) {
    moved = SetFirstColumn(m_nFirstColumn - 1);
  } else if (lParam == Notify::kPressed && wParam == CScrollBarBase::kSecondArrow) {
    moved = SetFirstColumn(m_nFirstColumn + 1);
  } else if (m_pBar && (lParam == Notify::kValueChanged || lParam == Notify::kPressed)) {
    moved = SetFirstColumn(m_pBar->GetPos());
  }
  if (moved) Invalidate();
}

platform::Rect CShootingActionList::LineRect(int column, int line) const {
  const int width = m_rc.Width() / bullets::kColumnsShown;
  const int left = m_rc.left + column * width;
  const int top = m_rc.top + ui::Scaled(4) + line * ui::Scaled(kLineHeight);
  return {left + ui::Scaled(3), top, left + width - ui::Scaled(3), top + ui::Scaled(kLineHeight)};
}

int CShootingActionList::ActionAt(int x, int y) const {
  if (!m_pRecord || !Contains(x, y)) return -1;
  for (int column = 0; column < bullets::kColumnsShown; ++column) {
    for (int line = 0; line < kLines; ++line) {
      if (!LineRect(column, line).Contains({x, y})) continue;
      const int position =
          (m_nFirstColumn + column) * static_cast<int>(bullets::kActionsPerBullet) +
          kActionOfLine[line];
      return position < static_cast<int>(Count(*m_pRecord)) ? position : -1;
    }
  }
  return -1;
}

void CShootingActionList::Draw(platform::Canvas& canvas, const platform::Rect&) {
  canvas.FillRect(m_rc, kBackground);
  if (!m_pRecord || !m_font) return;
  const int columns = bullets::ColumnCount(*m_pRecord);
  for (int shown = 0; shown < bullets::kColumnsShown; ++shown) {
    const int column = m_nFirstColumn + shown;
    if (column >= columns) break;
    const platform::Rect top = LineRect(shown, 0);
    const platform::Rect bottom = LineRect(shown, kLines - 1);
    canvas.FillRect({top.left, top.top, top.right, bottom.bottom}, kColumnBackground);
    for (int line = 0; line < kLines; ++line) {
      const platform::Rect rc = LineRect(shown, line);
      const int position =
          column * static_cast<int>(bullets::kActionsPerBullet) + kActionOfLine[line];
      if (position == m_nSelected) canvas.FillRect(rc, kSelected);
      canvas.DrawText(LineText(*m_pRecord, column, line), *m_font,
                      line == 0 ? ui::kTitleColour : kText, rc,
                      platform::dt::kCenter | platform::dt::kSingleLine | platform::dt::kVCenter |
                          platform::dt::kNoPrefix);
    }
  }
}

bool CShootingActionList::OnLButtonDown(uint32_t, int x, int y) {
  const int position = ActionAt(x, y);
  m_nSelected = position;
  SendToParent(m_uID, static_cast<platform::WParam>(position), Notify::kClicked);
  return true;
}

bool CShootingActionList::OnLButtonDblClk(uint32_t, int x, int y) {
  const int position = ActionAt(x, y);
  if (position < 0) return false;
  m_nSelected = position;
  SendToParent(m_uID, static_cast<platform::WParam>(position), Notify::kDoubleClicked);
  return true;
}

bool CShootingActionList::OnMouseWheel(int delta, int, int) {
  if (!m_pRecord) return false;
  return SetFirstColumn(bullets::WheelColumn(m_nFirstColumn, delta, *m_pRecord));
}
