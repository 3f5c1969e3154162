#include "views/bullets/BulletLibraryList.h"

#include <algorithm>

#include "macros/MacroLibrary.h"
#include "platform/Platform.h"
#include "ui/ScrollBarBase.h"
#include "ui/SkinImage.h"

namespace {

constexpr platform::Colour kBackground = 0x2B231D;
constexpr platform::Colour kSelected = 0xD87034;
constexpr platform::Colour kText = 0xE6E6E6;

}  // namespace

CBulletLibraryList::CBulletLibraryList(platform::WindowId hWnd, uint32_t uID,
                                       const platform::Rect& rc, MacroLibrary& library,
                                       LibraryLocation& selection)
    : CControlBase(hWnd, uID, rc, u""), m_library(library), m_selection(selection) {}

CBulletLibraryList::~CBulletLibraryList() = default;

void CBulletLibraryList::AttachScrollBar(CScrollBarBase* bar) {
  m_pBar = bar;
  SyncBar();
}

int CBulletLibraryList::RowsShown() const {
  return std::max(1, m_rc.Height() / ui::Scaled(kRowHeight));
}

int CBulletLibraryList::MaxTopRow() const {
  return std::max(0, m_library.VisibleRowCount() - RowsShown());
}

int CBulletLibraryList::RowAt(int y) const {
  if (y < m_rc.top || y >= m_rc.bottom) return -1;
  const int row = m_nTopRow + (y - m_rc.top) / ui::Scaled(kRowHeight);
  return row < m_library.VisibleRowCount() ? row : -1;
}

platform::Rect CBulletLibraryList::RowRect(int row) const {
  const int top = m_rc.top + (row - m_nTopRow) * ui::Scaled(kRowHeight);
  return {m_rc.left, top, m_rc.right, top + ui::Scaled(kRowHeight)};
}

bool CBulletLibraryList::SetTopRow(int row) {
  const int top = std::clamp(row, 0, MaxTopRow());
  if (top == m_nTopRow) return false;
  m_nTopRow = top;
  SyncBar();
  return true;
}

void CBulletLibraryList::SyncBar() {
  if (!m_pBar) return;
  m_pBar->SetRange(MaxTopRow() + 1);
  m_pBar->SetPos(m_nTopRow);
  if (m_hWnd) platform::Windows().Invalidate(m_hWnd, &m_pBar->m_rc);
}

void CBulletLibraryList::OnScrollBar(platform::WParam wParam, platform::LParam lParam) {
  bool moved = false;
  if (lParam == Notify::kPressed && wParam == CScrollBarBase::kFirstArrow) {
    moved = SetTopRow(m_nTopRow - 1);
  } else if (lParam == Notify::kPressed && wParam == CScrollBarBase::kSecondArrow) {
    moved = SetTopRow(m_nTopRow + 1);
  } else if (m_pBar && (lParam == Notify::kValueChanged || lParam == Notify::kPressed)) {
    moved = SetTopRow(m_pBar->GetPos());
  }
  if (moved) Invalidate();
}

void CBulletLibraryList::Reload() {
  m_nTopRow = std::clamp(m_nTopRow, 0, MaxTopRow());
  SyncBar();
  Invalidate();
}

void CBulletLibraryList::ScrollTo(const LibraryLocation& location) {
  const int row = m_library.LocationToRow(location);
  if (row >= 0 && row < m_nTopRow) {
    SetTopRow(row);
  } else if (row >= m_nTopRow + RowsShown()) {
    SetTopRow(row - RowsShown() + 1);
  }
  Reload();
}

void CBulletLibraryList::LoadImages() {
  if (m_bImagesLoaded) return;
  m_bImagesLoaded = true;
  LoadImageFile(ui::SkinPath(u"list_folder.png"), m_pFolder);
  LoadImageFile(ui::SkinPath(u"list_folder_open.png"), m_pFolderOpen);
  LoadImageFile(ui::SkinPath(u"list_shooting.png"), m_pEntry);
}

void CBulletLibraryList::Draw(platform::Canvas& canvas, const platform::Rect&) {
  LoadImages();
  canvas.FillRect(m_rc, kBackground);
  const int rows = m_library.VisibleRowCount();
  const int icon = ui::Scaled(kIconSize);
  const int last = std::min(rows, m_nTopRow + RowsShown());
  for (int row = m_nTopRow; row < last; ++row) {
    const LibraryLocation location = m_library.RowToLocation(row);
    const LibraryEntry* entry = m_library.EntryAt(location);
    if (!entry) continue;
    const platform::Rect rc = RowRect(row);
    if (location == m_selection) canvas.FillRect(rc, kSelected);
    const int left = rc.left + location.stage * icon + ui::Scaled(2);
    const platform::Image* image = !entry->IsFolder()      ? m_pEntry.get()
                                   : entry->IsOpenFolder() ? m_pFolderOpen.get()
                                                           : m_pFolder.get();
    const int iconTop = rc.top + (rc.Height() - icon) / 2;
    ui::DrawWhole(canvas, image, {left, iconTop, left + icon, iconTop + icon});
    if (m_font) {
      const platform::Rect text{left + icon + ui::Scaled(4), rc.top, rc.right, rc.bottom};
      canvas.DrawText(entry->name, *m_font, kText, text,
                      platform::dt::kLeft | platform::dt::kSingleLine | platform::dt::kVCenter |
                          platform::dt::kNoPrefix | platform::dt::kEndEllipsis);
    }
  }
}

bool CBulletLibraryList::OnLButtonDown(uint32_t, int x, int y) {
  const int row = RowAt(y);
  m_selection = row < 0 ? LibraryLocation::None() : m_library.RowToLocation(row);
  if (const LibraryEntry* entry = m_library.EntryAt(m_selection)) {
    // The icon sits one icon width further in per level: a click on it or left of it
    // opens or closes the folder.
    if (entry->IsFolder() &&
        x - m_rc.left < ui::Scaled(kIconSize) * (m_selection.stage + 1) + ui::Scaled(2)) {
      (void)m_library.SetFolderOpen(m_selection, !entry->IsOpenFolder());
      Reload();
    }
  }
  SendToParent(m_uID, static_cast<platform::WParam>(row), Notify::kClicked);
  return true;
}

bool CBulletLibraryList::OnLButtonDblClk(uint32_t, int, int y) {
  const int row = RowAt(y);
  const LibraryLocation location = m_library.RowToLocation(row);
  if (const LibraryEntry* entry = m_library.EntryAt(location); entry && entry->IsFolder()) {
    (void)m_library.SetFolderOpen(location, !entry->IsOpenFolder());
    Reload();
  }
  SendToParent(m_uID, static_cast<platform::WParam>(row), Notify::kDoubleClicked);
  return true;
}

bool CBulletLibraryList::OnRButtonUp(uint32_t, int, int y) {
  const int row = RowAt(y);
  m_selection = row < 0 ? LibraryLocation::None() : m_library.RowToLocation(row);
  SendToParent(m_uID, static_cast<platform::WParam>(row), Notify::kRightClicked);
  return true;
}

bool CBulletLibraryList::OnMouseWheel(int delta, int, int) {
  if (m_library.VisibleRowCount() <= RowsShown()) return false;
  return SetTopRow(m_nTopRow + (delta > 0 ? -1 : 1));
}

void CBulletLibraryList::ReleaseImages() {
  m_pFolder.reset();
  m_pFolderOpen.reset();
  m_pEntry.reset();
  m_bImagesLoaded = true;  // released with the dialog: stay without them
}
