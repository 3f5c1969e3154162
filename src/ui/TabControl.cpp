#include "ui/TabControl.h"

#include "ui/SharedSelection.h"
#include "ui/SkinImage.h"

CTabControl::CTabControl(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                         std::u16string_view title, TabSlot slot, ControlOptions options)
    : CImageButton(hWnd, uID, rc, title, options), m_slot(slot) {}

void CTabControl::LoadDefaultImages() {
  SetImageNormal(ui::SkinPath(u"profile_slot_nr.png"));
  SetImageHover(ui::SkinPath(u"profile_slot_ov.png"));
  SetImageCurrentNormal(ui::SkinPath(u"profile_slot_nr2.png"));
  SetImageCurrentHover(ui::SkinPath(u"profile_slot_ov2.png"));
}

int& CTabControl::GroupSelection() const {
  return m_slot.group == TabSlot::Group::Profile ? g_nProfileTabIndex : g_nPageTabIndex;
}

bool CTabControl::IsCurrent() const {
  return m_slot.index == GroupSelection();
}

void CTabControl::NotifyPressed(int, int) {
  SendToParent(m_uID, 0, Notify::kPressed);
}

void CTabControl::NotifyClicked(int, int) {
  GroupSelection() = m_slot.index;
  SendToParent(m_uID, 0, Notify::kClicked);
}

bool CTabControl::OnRButtonUp(uint32_t, int x, int y) {
  if (!Contains(x, y)) return false;
  SendToParent(m_uID, m_uID, Notify::kRightClicked);
  return false;
}

void CTabControl::Draw(platform::Canvas& canvas, const platform::Rect&) {
  const bool hover = m_enButtonState != kStateNormal;
  const platform::Image* image = nullptr;
  if (IsCurrent()) image = hover && m_pImageHover2 ? m_pImageHover2.get() : m_pImageNormal2.get();
  if (!image) image = hover && m_pImageHover ? m_pImageHover.get() : m_pImageNormal.get();
  ui::DrawWhole(canvas, image, ImageRect());
  DrawTitle(canvas, m_strTitle, kTextNormal, m_uFormat, m_nTextLeft, m_nTextRight);
}

void CTabControl::ReleaseImages() {
  CImageButton::ReleaseImages();
  m_pImageNormal2.reset();
  m_pImageHover2.reset();
}
