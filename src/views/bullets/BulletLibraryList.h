#pragma once
// The shooting-action library as a flat list of its visible rows, 20 pixels a row, indented
// one icon width per level. It changes the shared library selection itself and tells its
// dialog: click (id, row, 2), double click (id, row, 10), right click (id, row, 11). A click
// on a folder's icon (or left of it) also opens or closes the folder, as a double click
// anywhere on the row does. The wheel and the scroll bar move the top row.

#include <memory>

#include "macros/LibraryLocation.h"
#include "ui/ControlBase.h"

class CScrollBarBase;
class MacroLibrary;

class CBulletLibraryList : public CControlBase {
 public:
  static constexpr int kRowHeight = 20;
  static constexpr int kIconSize = 16;

  CBulletLibraryList(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                     MacroLibrary& library, LibraryLocation& selection);
  ~CBulletLibraryList() override;

  // The bar that follows the top row; the dialog passes the bar's notices to OnScrollBar.
  void AttachScrollBar(CScrollBarBase* bar);
  void OnScrollBar(platform::WParam wParam, platform::LParam lParam);

  // Rows changed (entries added, removed, folders opened): keeps the top row in range.
  void Reload();
  // Scrolls so that the row of `location` is shown.
  void ScrollTo(const LibraryLocation& location);
  int TopRow() const { return m_nTopRow; }
  int RowsShown() const;
  // The row under a client point, or -1 below the last row.
  int RowAt(int y) const;
  // The client rectangle of a visible row.
  platform::Rect RowRect(int row) const;

  void Draw(platform::Canvas& canvas, const platform::Rect& update) override;
  bool OnLButtonDown(uint32_t flags, int x, int y) override;
  bool OnLButtonDblClk(uint32_t flags, int x, int y) override;
  bool OnRButtonUp(uint32_t flags, int x, int y) override;
  bool OnMouseWheel(int delta, int x, int y) override;
  void ReleaseImages() override;

 private:
  int MaxTopRow() const;
  bool SetTopRow(int row);
  void SyncBar();
  void LoadImages();

  MacroLibrary& m_library;
  LibraryLocation& m_selection;
  CScrollBarBase* m_pBar = nullptr;
  int m_nTopRow = 0;
  bool m_bImagesLoaded = false;
  std::unique_ptr<platform::Image> m_pFolder;
  std::unique_ptr<platform::Image> m_pFolderOpen;
  std::unique_ptr<platform::Image> m_pEntry;
};
