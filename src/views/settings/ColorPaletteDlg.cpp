#include "views/settings/ColorPaletteDlg.h"

#include "base/AppGlobals.h"
#include "base/Format.h"
#include "base/Language.h"
#include "platform/Platform.h"
#include "profiles/ProfileSettings.h"
#include "ui/DialogParts.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "views/main/LightingRules.h"
#include "views/main/SettingsTexts.h"

namespace {
constexpr platform::Colour kPreviewFrame = 0x5A4A3A;

platform::Rect ScaledRect(const platform::Rect& rc) {
  return {ui::Scaled(rc.left), ui::Scaled(rc.top), ui::Scaled(rc.right), ui::Scaled(rc.bottom)};
}

// Client pixels to the picture's own.
platform::Point Unscaled(platform::Point client) {
  const float scale = g_fUiScale > 0.0f ? g_fUiScale : 1.0f;
  return {static_cast<int>(static_cast<float>(client.x) / scale),
          static_cast<int>(static_cast<float>(client.y) / scale)};
}

bool ValidTarget(CColorPaletteDlg::Kind kind, int index, int slot) {
  if (kind == CColorPaletteDlg::Kind::DpiLevel) {
    return index >= 0 && index < ProfileSettings::kDpiLevelCount;
  }
  return index >= 0 && index < LightingZone::kEffectCount && slot >= 0 &&
         slot < LightingZone::kColourSlots;
}
}  // namespace

CColorPaletteDlg::CColorPaletteDlg(ProfileSettings& profile, Kind kind, int index, int slot,
                                   platform::WindowId parent)
    : CDlgBase(kDialogTemplate, parent),
      m_profile(profile),
      m_kind(kind),
      m_nIndex(index),
      m_nSlot(slot) {
  m_nWidth = kWidth;
  m_nHeight = kHeight;
  m_clrWorking = TargetColour();
}

CColorPaletteDlg::~CColorPaletteDlg() = default;

platform::Colour CColorPaletteDlg::TargetColour() const {
  if (!ValidTarget(m_kind, m_nIndex, m_nSlot)) return 0;
  if (m_kind == Kind::DpiLevel) {
    return m_profile.DPILevelIndication[static_cast<size_t>(m_nIndex)] & 0xFFFFFF;
  }
  return m_profile.lighting
             .Lighting1FixedColor[static_cast<size_t>(m_nIndex)][static_cast<size_t>(m_nSlot)] &
         0xFFFFFF;
}

void CColorPaletteDlg::WriteTarget() {
  if (!ValidTarget(m_kind, m_nIndex, m_nSlot)) return;
  if (m_kind == Kind::DpiLevel) {
    m_profile.DPILevelIndication[static_cast<size_t>(m_nIndex)] = m_clrWorking;
  } else {
    m_profile.lighting
        .Lighting1FixedColor[static_cast<size_t>(m_nIndex)][static_cast<size_t>(m_nSlot)] =
        m_clrWorking;
  }
}

void CColorPaletteDlg::InitUI(const platform::Rect&) {
  const platform::WindowId w = GetSafeHwnd();
  m_picture = platform::Gfx().LoadBitmapResource(kPictureResource);

  auto close = std::make_unique<CImageButton>(w, kCloseButton, ScaledRect({480, 5, 495, 20}), u"");
  close->SetImageNormal(ui::SkinPath(u"exit_nr.png"));
  close->SetImageHover(ui::SkinPath(u"exit_ov.png"));
  AddControl(0, std::move(close));

  AddControl(0,
             std::make_unique<CStaticText>(w, 2001, ScaledRect({18, 2, 240, 24}), ui::kTitleColour,
                                           platform::dt::kLeft | platform::dt::kSingleLine,
                                           LangText(settings_text::kColour)));
  const char16_t* names[3] = {u"R", u"G", u"B"};
  for (int i = 0; i < 3; ++i) {
    const int top = 210 + i * 18;
    AddControl(0, std::make_unique<CStaticText>(w, 2014 + i, ScaledRect({326, top, 342, top + 18}),
                                                kTextNormal, platform::dt::kLeft, names[i]));
    m_components[i] =
        AddControl(0, std::make_unique<CStaticText>(w, kRedText + static_cast<uint32_t>(i),
                                                    ScaledRect({344, top, 390, top + 18}),
                                                    kTextHover, platform::dt::kLeft, u""));
  }
  auto ok = std::make_unique<CImageButton>(w, kOkButton, ScaledRect({398, 242, 467, 262}),
                                           LangText(settings_text::kOk));
  ok->SetImageNormal(ui::SkinPath(u"button2_nr.png"));
  ok->SetImageHover(ui::SkinPath(u"button2_ov.png"));
  AddControl(0, std::move(ok));
  ShowComponents();
}

void CColorPaletteDlg::ShowComponents() {
  const uint8_t parts[3] = {platform::RedOf(m_clrWorking), platform::GreenOf(m_clrWorking),
                            platform::BlueOf(m_clrWorking)};
  for (int i = 0; i < 3; ++i) {
    if (m_components[i]) m_components[i]->SetTitle(base::Format(u"%d", parts[i]));
  }
}

void CColorPaletteDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  if (m_picture) {
    canvas.DrawImage(*m_picture, ScaledRect({0, 0, kWidth, kHeight}),
                     {0, 0, m_picture->Width(), m_picture->Height()});
  }
  const platform::Rect preview = ScaledRect(kPreview);
  canvas.FillRect(preview, m_clrWorking);
  canvas.FrameRect(preview, kPreviewFrame);
  DrawControls(canvas, client);
}

bool CColorPaletteDlg::PickAt(platform::Point client) {
  const platform::Point unscaled = Unscaled(client);
  if (!LightingRules::InPickArea(unscaled) || !m_picture) return false;
  if (unscaled.x >= m_picture->Width() || unscaled.y >= m_picture->Height()) return false;
  const uint32_t argb = m_picture->PixelArgb(unscaled.x, unscaled.y);
  const platform::Colour pixel =
      platform::Rgb(static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                    static_cast<uint8_t>(argb));
  const auto picked = LightingRules::PickedColour(pixel);
  if (!picked || *picked == m_clrWorking) return false;
  m_clrWorking = *picked;
  ShowComponents();
  const platform::Rect preview = ScaledRect(kPreview);
  InvalidateRect(&preview);
  return true;
}

void CColorPaletteDlg::OnOK() {
  WriteTarget();
  ResetControls();
  EndDialog(kIdOk);
}

platform::LResult CColorPaletteDlg::OnMessage(platform::WindowId window, uint32_t message,
                                              platform::WParam wParam, platform::LParam lParam,
                                              bool& handled) {
  if (message == platform::msg::kLButtonDown) {
    const platform::Point pt = platform::PointFromParam(lParam);
    // A press on the picture picks a colour instead of dragging the window.
    if (LightingRules::InPickArea(Unscaled(pt))) {
      handled = true;
      PickAt(pt);
      return 0;
    }
  }
  if (OnOkOrCloseClicked(message, lParam, kOkButton, kCloseButton)) {
    handled = true;
    return 0;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
