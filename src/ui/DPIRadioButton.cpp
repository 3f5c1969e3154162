#include "ui/DPIRadioButton.h"

#include "base/Language.h"
#include "ui/SharedSelection.h"

CDPIRadioButton::CDPIRadioButton(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                                 std::u16string_view title, ControlOptions options)
    : CImageButton(hWnd, uID, rc, title, options) {
  SetFont(g_nFontHeight, u"Tahoma");
}

bool CDPIRadioButton::IsSelected() const {
  const int k = Level();
  return k >= 0 && k < 8 && (g_nDpiLevelFlags & (1u << k)) != 0;
}

void CDPIRadioButton::NotifyPressed(int, int) {
  SendToParent(m_uID, 0, Notify::kPressed);
}

void CDPIRadioButton::NotifyClicked(int, int) {
  const int k = Level();
  if (k >= 0 && k < 8) {
    g_nDpiLevelFlags = (g_nDpiLevelFlags & ~0xFFu) | ((1u << (k + 1)) - 1u);
  }
  SendToParent(m_uID, 0, Notify::kClicked);
}

bool CDPIRadioButton::IsCurrent() const {
  const int k = Level();
  if (k < 0 || k >= 8) return false;
  // Levels 1..k+1 are on in the shared word; the highest of them is the current one.
  return (g_nDpiLevelFlags & 0xFFu) >> k == 1u;
}

int CDPIRadioButton::ShownFrame() const {
  if (IsCurrent()) return kStateDown;
  return m_enButtonState == kStateNormal ? kStateNormal : kStateHover;
}

platform::Colour CDPIRadioButton::TextColour() const {
  if (m_bTextColourSet) return m_clrText;
  if (IsCurrent()) return kTextDown;
  return m_enButtonState == kStateNormal ? kTextNormal : kTextHover;
}
