#pragma once
// The library list of the managers and select dialogs: the visible rows of a library, each
// indented by one icon per level with a folder (open or closed) or macro icon and the name;
// the row of the library selection is highlighted.
//
// A click selects the row (none below the last row) and notifies (id, 0, 2); on a folder's
// icon or left of it, it also opens or closes the folder. A double click opens or closes the
// folder and notifies (id, 0, 10); a right click selects and notifies (id, 0, 11).

#include <memory>

#include "macros/LibraryLocation.h"
#include "views/macros/RowList.h"

class MacroLibrary;

class CEditShowList : public CRowList {
 public:
  static constexpr int kIconWidth = 16;  // unscaled

  // `itemIcon`: the skin image of a macro row (list_macro.png or list_shooting.png).
  CEditShowList(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                MacroLibrary& library, LibraryLocation& selection,
                std::u16string_view itemIcon = u"list_macro.png");
  ~CEditShowList() override;

  int RowCount() const override;
  // Scrolls to the selection's row.
  void ShowSelection();

  bool OnLButtonDown(uint32_t flags, int x, int y) override;
  bool OnLButtonDblClk(uint32_t flags, int x, int y) override;
  bool OnRButtonUp(uint32_t flags, int x, int y) override;
  void ReleaseImages() override;

 protected:
  void DrawRow(platform::Canvas& canvas, int row, const platform::Rect& rc) override;

 private:
  LibraryLocation LocationAt(int y) const;

  MacroLibrary& m_library;
  LibraryLocation& m_selection;
  std::unique_ptr<platform::Image> m_pFolder;
  std::unique_ptr<platform::Image> m_pFolderOpen;
  std::unique_ptr<platform::Image> m_pItem;
};
