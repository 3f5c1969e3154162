#include "views/macros/EditShowList.h"

#include "macros/MacroLibrary.h"
#include "ui/SkinImage.h"

namespace {

constexpr platform::Colour kRowText = kTextNormal;
constexpr platform::Colour kSelectedText = 0xFFFFFF;
constexpr platform::Colour kSelectedFill = 0x6B4A2A;
constexpr int kIconGap = 4;

}  // namespace

CEditShowList::CEditShowList(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                             MacroLibrary& library, LibraryLocation& selection,
                             std::u16string_view itemIcon)
    : CRowList(hWnd, uID, rc), m_library(library), m_selection(selection) {
  (void)LoadImageFile(ui::SkinPath(u"list_folder.png"), m_pFolder);
  (void)LoadImageFile(ui::SkinPath(u"list_folder_open.png"), m_pFolderOpen);
  (void)LoadImageFile(ui::SkinPath(itemIcon), m_pItem);
}

CEditShowList::~CEditShowList() = default;

void CEditShowList::ReleaseImages() {
  m_pFolder.reset();
  m_pFolderOpen.reset();
  m_pItem.reset();
}

int CEditShowList::RowCount() const {
  return m_library.VisibleRowCount();
}

void CEditShowList::ShowSelection() {
  EnsureVisible(m_library.LocationToRow(m_selection));
  Repaint();
}

LibraryLocation CEditShowList::LocationAt(int y) const {
  const int row = RowAt(y);
  return row < 0 ? LibraryLocation::None() : m_library.RowToLocation(row);
}

bool CEditShowList::OnLButtonDown(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  m_selection = LocationAt(y);
  const LibraryEntry* entry = m_library.EntryAt(m_selection);
  if (entry && entry->IsFolder() &&
      x - m_rc.left < ui::Scaled(kIconWidth) * (m_selection.stage + 1)) {
    (void)m_library.SetFolderOpen(m_selection, !entry->IsOpenFolder());
    Reload();
  }
  Repaint();
  SendToParent(m_uID, 0, Notify::kClicked);
  return true;
}

bool CEditShowList::OnLButtonDblClk(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  const LibraryLocation location = LocationAt(y);
  if (const LibraryEntry* entry = m_library.EntryAt(location); entry && entry->IsFolder()) {
    (void)m_library.SetFolderOpen(location, !entry->IsOpenFolder());
    Reload();
  }
  SendToParent(m_uID, 0, Notify::kDoubleClicked);
  return true;
}

bool CEditShowList::OnRButtonUp(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  m_selection = LocationAt(y);
  Repaint();
  SendToParent(m_uID, 0, Notify::kRightClicked);
  return true;
}

void CEditShowList::DrawRow(platform::Canvas& canvas, int row, const platform::Rect& rc) {
  const LibraryLocation location = m_library.RowToLocation(row);
  const LibraryEntry* entry = m_library.EntryAt(location);
  if (!entry) return;
  const bool selected = location == m_selection.Normalized() && !m_selection.IsNone();
  if (selected) canvas.FillRect(rc, kSelectedFill);
  const int icon = ui::Scaled(kIconWidth);
  const int left = rc.left + icon * location.stage;
  const platform::Image* image = !entry->IsFolder()      ? m_pItem.get()
                                 : entry->IsOpenFolder() ? m_pFolderOpen.get()
                                                         : m_pFolder.get();
  const int iconTop = rc.top + (rc.Height() - icon) / 2;
  ui::DrawWhole(canvas, image, {left, iconTop, left + icon, iconTop + icon});
  if (!m_font) return;
  const platform::Rect text{left + icon + ui::Scaled(kIconGap), rc.top, rc.right - 2, rc.bottom};
  namespace dt = platform::dt;
  canvas.DrawText(entry->name, *m_font, selected ? kSelectedText : kRowText, text,
                  dt::kLeft | dt::kVCenter | dt::kSingleLine | dt::kNoPrefix | dt::kEndEllipsis);
}
