#include "views/device/OSDDialog.h"

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/SkinImage.h"

COSDDialog::~COSDDialog() {
  Destroy();
}

bool COSDDialog::Create() {
  auto& windows = platform::Windows();
  platform::WindowDesc desc;
  desc.className = kClassName;
  desc.kind = platform::WindowKind::Overlay;
  desc.rect = OsdRules::Placement(windows.WorkArea(), g_fUiScale);
  desc.visible = false;
  const platform::WindowId created = windows.CreateWindow(desc, this);
  if (!created) return false;
  m_hWnd = created;
  windows.SetLayeredAlpha(m_hWnd, OsdRules::kAlpha);
  windows.ShowWindow(m_hWnd, platform::ShowCommand::ShowNoActivate);
  return true;
}

void COSDDialog::Destroy() {
  if (!m_hWnd) return;
  const platform::WindowId window = m_hWnd;
  m_hWnd = 0;
  platform::Windows().DestroyWindow(window);
}

void COSDDialog::SetTexts(const OsdTexts& texts) {
  m_texts = texts;
  if (m_hWnd) platform::Windows().Invalidate(m_hWnd, nullptr);
}

platform::FontDesc COSDDialog::FontOf(const OsdFont& font) {
  platform::FontDesc desc;
  desc.face = g_strFontFace;
  desc.height = ui::Scaled(font.height);
  desc.width = ui::Scaled(font.width);
  desc.weight = font.weight;
  desc.charset = 0;
  return desc;
}

void COSDDialog::Paint() {
  namespace dt = platform::dt;
  auto& windows = platform::Windows();
  platform::Canvas& canvas = windows.BeginPaint(m_hWnd);
  const platform::Rect client{0, 0, canvas.Width(), canvas.Height()};
  canvas.FillRect(client, OsdRules::kBackground);
  auto small = platform::Gfx().CreateFont(FontOf(OsdRules::kSmallFont));
  auto large = platform::Gfx().CreateFont(FontOf(OsdRules::kLargeFont));
  const uint32_t flags = dt::kLeft | dt::kSingleLine | dt::kNoClip;
  auto at = [&](int x, int y) {
    return platform::Rect{ui::Scaled(x), ui::Scaled(y), client.right, client.bottom};
  };
  if (m_texts.kind == OsdKind::Profile) {
    PaintProfile(canvas, client);
    windows.EndPaint(m_hWnd);
    return;
  }
  if (small) {
    canvas.DrawText(m_texts.level, *small, OsdRules::kTextColour,
                    at(OsdRules::kLevelAt.x, OsdRules::kLevelAt.y), flags);
  }
  if (large) {
    canvas.DrawText(m_texts.value, *large, OsdRules::kTextColour,
                    at(OsdRules::ValueLeft(m_texts.value, g_strFontFace), OsdRules::kValueTop),
                    flags);
  }
  if (small) {
    canvas.DrawText(m_texts.rate, *small, OsdRules::kTextColour,
                    at(OsdRules::RateLeft(m_texts.rate), OsdRules::kRateTop), flags);
  }
  windows.EndPaint(m_hWnd);
}

// The caption centred above the profile's name; a name wider than the window ends in "...".
void COSDDialog::PaintProfile(platform::Canvas& canvas, const platform::Rect& client) {
  namespace dt = platform::dt;
  const uint32_t flags = dt::kCenter | dt::kSingleLine | dt::kNoPrefix | dt::kEndEllipsis;
  const int margin = ui::Scaled(OsdRules::kNameMargin);
  if (auto small = platform::Gfx().CreateFont(FontOf(OsdRules::kSmallFont))) {
    const platform::Rect rc{margin, ui::Scaled(OsdRules::kCaptionTop), client.right - margin,
                            ui::Scaled(OsdRules::kNameTop)};
    canvas.DrawText(m_texts.level, *small, OsdRules::kTextColour, rc, flags);
  }
  if (auto name = platform::Gfx().CreateFont(FontOf(OsdRules::kNameFont))) {
    const platform::Rect rc{margin, ui::Scaled(OsdRules::kNameTop), client.right - margin,
                            client.bottom - margin};
    canvas.DrawText(m_texts.value, *name, OsdRules::kTextColour, rc, flags);
  }
}

platform::LResult COSDDialog::OnMessage(platform::WindowId window, uint32_t message,
                                        platform::WParam, platform::LParam, bool& handled) {
  handled = true;
  switch (message) {
    case platform::msg::kCreate:
      m_hWnd = window;
      return 0;
    case platform::msg::kPaint:
      Paint();
      return 0;
    case platform::msg::kEraseBkgnd:
      return 1;
    case platform::msg::kDestroy:
      m_hWnd = 0;
      return 0;
    default:
      handled = false;
      return 0;
  }
}
