#pragma once
// The actions of a shooting action as columns of four, one column per bullet, four columns
// at a time. A column's five lines show the bullet's number (its fire action), the first
// delay, the cursor step as X and Y, and the second delay; a position that holds something
// else (an imported entry) shows what it holds. Clicking a line selects its action and sends
// (id, position, 2); a double click sends (id, position, 10). The wheel and the horizontal
// scroll bar move one column at a time.

#include <string>

#include "ui/ControlBase.h"

class CScrollBarBase;
struct MacroRecord;

class CShootingActionList : public CControlBase {
 public:
  static constexpr int kLines = 5;
  static constexpr int kLineHeight = 24;

  CShootingActionList(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc);

  void AttachScrollBar(CScrollBarBase* bar);
  void OnScrollBar(platform::WParam wParam, platform::LParam lParam);

  // Shows `record` (nothing for nullptr) from its first column with no selected action.
  void SetRecord(const MacroRecord* record);
  // The record's actions changed: keeps the columns in range and repaints.
  void Reload();
  const MacroRecord* Record() const { return m_pRecord; }
  int FirstColumn() const { return m_nFirstColumn; }
  // -1 for none.
  int SelectedAction() const { return m_nSelected; }
  // Selects an action and scrolls so that its column is shown; -1 clears the selection.
  void SelectAction(int position);

  // The action a client point falls on, or -1.
  int ActionAt(int x, int y) const;
  // The client rectangle of line `line` (0..4) of shown column `column` (0..3).
  platform::Rect LineRect(int column, int line) const;
  // What line `line` of bullet column `column` of the record reads ("" for nothing).
  static std::u16string LineText(const MacroRecord& record, int column, int line);

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnLButtonDown(uint32_t flags, int x, int y) override;
  bool OnLButtonDblClk(uint32_t flags, int x, int y) override;
  bool OnMouseWheel(int delta, int x, int y) override;

 private:
  bool SetFirstColumn(int column);
  void SyncBar();

  const MacroRecord* m_pRecord = nullptr;
  CScrollBarBase* m_pBar = nullptr;
  int m_nFirstColumn = 0;
  int m_nSelected = -1;
};
