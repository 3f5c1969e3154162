#include "ui/ControlBase.h"

#include <cmath>

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/SkinImage.h"

CControlBase::CControlBase(platform::WindowId hWnd, uint32_t uID, const platform::Rect& rc,
                           std::u16string_view title, ControlOptions options)
    : m_uID(uID),
      m_rc(rc),
      m_bVisible(options.visible),
      m_bShow(options.show),
      m_bDisable(options.disabled),
      m_bResponse(options.response),
      m_strTitle(title),
      m_hWnd(hWnd),
      m_font(ui::CreateUiFont(g_nFontHeight, g_strFontFace)) {}

CControlBase::~CControlBase() = default;

void CControlBase::SetRect(int left, int top, int right, int bottom) {
  m_rc = {left, top, right, bottom};
}

void CControlBase::SetTitle(std::u16string_view title) {
  if (title == m_strTitle) return;
  m_strTitle.assign(title);
  Invalidate();
}

bool CControlBase::OnMouseMove(uint32_t, int, int) {
  return false;
}
bool CControlBase::OnLButtonDown(uint32_t, int, int) {
  return false;
}
bool CControlBase::OnLButtonUp(uint32_t, int, int) {
  return false;
}
bool CControlBase::OnRButtonUp(uint32_t, int, int) {
  return false;
}
bool CControlBase::OnLButtonDblClk(uint32_t, int, int) {
  return false;
}
bool CControlBase::LooksDisabled() const {
  if (!m_bDisable || m_enDisabledLook != DisabledLook::Faded) return false;
  switch (ui::RoleOf(*this)) {
    case ui::Role::StaticText:
    case ui::Role::Graphic:
    case ui::Role::ProgressBar:
      return false;
    default:
      return true;
  }
}

bool CControlBase::CanFocus() const {
  return ui::IsOperable(ui::RoleOf(*this));
}
bool CControlBase::OnKeyDown(uint32_t, uint32_t) {
  return false;
}
bool CControlBase::OnChar(char16_t) {
  return false;
}
bool CControlBase::OnMouseWheel(int, int, int) {
  return false;
}

namespace {
int Rescaled(int value, float from, float to) {
  return static_cast<int>(std::lround(static_cast<float>(value) * to / from));
}
}  // namespace

void CControlBase::OnScaleChanged(float from, float to) {
  if (from <= 0.0f || to <= 0.0f) return;
  if (ui::ArtSetFor(from) != ui::ArtSetFor(to)) {
    const std::vector<ImageSource> sources = m_imageSources;
    // A slot emptied since (ReleaseImages) stays empty.
    for (const ImageSource& source : sources) {
      if (*source.slot) (void)LoadImageAt(source.path, *source.slot, to);
    }
  }
  SetRect(Rescaled(m_rc.left, from, to), Rescaled(m_rc.top, from, to),
          Rescaled(m_rc.right, from, to), Rescaled(m_rc.bottom, from, to));
  if (m_font) {
    platform::FontDesc desc = m_font->Desc();
    desc.height = Rescaled(desc.height, from, to);
    desc.width = Rescaled(desc.width, from, to);
    m_font = platform::Gfx().CreateFont(desc);
  }
}

void CControlBase::SetFont(int height, std::u16string_view face) {
  m_font = ui::CreateUiFont(height, face);
}

bool CControlBase::SendToParent(uint32_t message, platform::WParam wParam,
                                platform::LParam lParam) {
  if (!m_hWnd) return false;
  return platform::Windows().SendMessage(m_hWnd, message, wParam, lParam) != 0;
}

bool CControlBase::LoadImageFile(std::u16string_view path, std::unique_ptr<platform::Image>& slot) {
  return LoadImageAt(path, slot, g_fUiScale);
}

// `scale` is the window's: a dialog may follow a DPI change before the program's scale does.
bool CControlBase::LoadImageAt(std::u16string_view path, std::unique_ptr<platform::Image>& slot,
                               float scale) {
  std::erase_if(m_imageSources, [&](const ImageSource& s) { return s.slot == &slot; });
  slot = ui::LoadSkinImage(path, scale);
  if (!slot) return false;
  m_imageSources.push_back({&slot, std::u16string(path)});
  m_sizeImage = ui::LayoutSize(*slot);
  return true;
}

void CControlBase::DrawTitle(platform::Canvas& canvas, std::u16string_view text,
                             platform::Colour colour, uint32_t format, int textLeft,
                             int textRight) const {
  if (!m_font || text.empty()) return;
  const platform::Rect rc{m_rc.left + textLeft, m_rc.top, m_rc.right - textRight, m_rc.bottom};
  if (rc.IsEmpty()) return;
  canvas.DrawText(
      text, *m_font, colour, rc,
      format | platform::dt::kSingleLine | platform::dt::kVCenter | platform::dt::kWordEllipsis);
}

void CControlBase::Invalidate() const {
  if (m_hWnd) platform::Windows().Invalidate(m_hWnd, &m_rc);
}
