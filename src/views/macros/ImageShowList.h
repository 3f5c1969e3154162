#pragma once
// The action list of the macro manager: one row per action of the current macro. A delay
// shows "<ms>ms"; a cursor or wheel move its direction and amount; any other action its key
// name with a press or release icon. A click selects the row (none below the last action) and
// notifies (id, 0, 2); a double click notifies (id, 0, 10).

#include <memory>
#include <string>

#include "views/macros/RowList.h"

struct MacroAction;
struct MacroRecord;

class CImageShowList : public CRowList {
 public:
  CImageShowList(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc);
  ~CImageShowList() override;

  // The macro shown (nothing: an empty list); back to the top with no selection.
  void SetMacro(const MacroRecord* macro);
  const MacroRecord* Macro() const { return m_pMacro; }
  int Selected() const { return m_nSelected; }
  // Selects a row (-1 for none) and scrolls to it.
  void Select(int row);

  int RowCount() const override;
  static std::u16string RowText(const MacroAction& action);

  bool OnLButtonDown(uint32_t flags, int x, int y) override;
  bool OnLButtonDblClk(uint32_t flags, int x, int y) override;
  void ReleaseImages() override;

 protected:
  void DrawRow(platform::Canvas& canvas, int row, const platform::Rect& rc) override;

 private:
  const MacroRecord* m_pMacro = nullptr;
  int m_nSelected = -1;
  std::unique_ptr<platform::Image> m_pPress;
  std::unique_ptr<platform::Image> m_pRelease;
  std::unique_ptr<platform::Image> m_pDelay;
};
