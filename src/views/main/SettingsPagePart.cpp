#include "views/main/SettingsPagePart.h"

#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/CheckButton.h"
#include "ui/DlgBase.h"
#include "ui/MenuPopup.h"
#include "ui/RadioButton.h"
#include "ui/SliderControl.h"
#include "ui/StaticImage.h"
#include "ui/StaticText.h"

namespace {
constexpr platform::Colour kPanelFill = 0x231D19;
constexpr platform::Colour kPanelBorder = 0x3F342C;
constexpr int kThumbHalf = 7;
}  // namespace

void SettingsPagePart::Attach(CDlgBase& dialog, PartRegistry& registry) {
  m_dialog = &dialog;
  m_services = &registry.Services();
}

ProfileSettings& SettingsPagePart::Profile() const {
  return m_services->CurrentProfile();
}

const SensorDpiTable& SettingsPagePart::Table() const {
  return m_services->SensorTable();
}

platform::WindowId SettingsPagePart::Hwnd() const {
  return m_dialog->GetSafeHwnd();
}

int SettingsPagePart::Layout(platform::Point origin) {
  if (m_tab == 0) return 0;
  m_layout.Place(origin);
  return ui::Scaled(m_height);
}

void SettingsPagePart::DrawDecorations(platform::Canvas& canvas, const platform::Rect& update) {
  if (m_tab == 0 || !m_layout.AnyDrawable()) return;
  const platform::Rect area = Area();
  if (area.Intersect(update).IsEmpty()) return;
  canvas.FillRect(area, kPanelFill);
  canvas.FrameRect(area, kPanelBorder);
}

CStaticText* SettingsPagePart::AddLabel(uint32_t id, const platform::Rect& relative,
                                        std::u16string_view text, bool valueFont) {
  auto label = std::make_unique<CStaticText>(
      Hwnd(), id, relative, kLabelColour,
      (valueFont ? platform::dt::kCenter : platform::dt::kLeft) | platform::dt::kSingleLine, text);
  if (valueFont) label->SetFont(g_nFontHeight, u"Tahoma");
  return Add(std::move(label), relative);
}

CSliderControl* SettingsPagePart::AddSlider(uint32_t barId, uint32_t sliderId,
                                            const platform::Rect& relative, int stops,
                                            std::u16string_view barImage) {
  auto bar = std::make_unique<CStaticImage>(Hwnd(), barId, relative);
  bar->SetImage(ui::SkinPath(barImage));
  Add(std::move(bar), relative);
  auto slider = std::make_unique<CSliderControl>(
      Hwnd(), sliderId, relative, stops, ui::Scaled(kThumbHalf), ui::Scaled(kThumbHalf), u"");
  slider->SetThumbImage(ui::SkinPath(u"Slider_Circle.png"));
  m_sliders.push_back(Add(std::move(slider), relative));
  return m_sliders.back();
}

CCheckButton* SettingsPagePart::AddCheck(uint32_t id, const platform::Rect& relative,
                                         std::u16string_view prefix) {
  auto check = std::make_unique<CCheckButton>(Hwnd(), id, relative, u"");
  const std::u16string base(prefix);
  check->SetImageNormal(ui::SkinPath(base + u"_nr.png"));
  check->SetImageHover(ui::SkinPath(base + u"_ov.png"));
  check->SetImageDown(ui::SkinPath(base + u"_dn.png"));
  return Add(std::move(check), relative);
}

CRadioButton* SettingsPagePart::AddRadio(uint32_t id, const platform::Rect& relative,
                                         std::u16string_view prefix,
                                         std::u16string_view selectedSuffix) {
  auto radio = std::make_unique<CRadioButton>(Hwnd(), id, relative, u"");
  const std::u16string base(prefix);
  radio->SetImageNormal(ui::SkinPath(base + u"_nr.png"));
  radio->SetImageHover(ui::SkinPath(base + u"_ov.png"));
  radio->SetImageDown(ui::SkinPath(base + std::u16string(selectedSuffix)));
  return Add(std::move(radio), relative);
}

void SettingsPagePart::Invalidate(const CControlBase* control) const {
  if (control && m_dialog && m_dialog->GetSafeHwnd()) {
    const platform::Rect rc = control->GetRect();
    platform::Windows().Invalidate(m_dialog->GetSafeHwnd(), &rc);
  }
}

platform::Rect SettingsPagePart::MenuBelow(const CControlBase& anchor, platform::Size size) const {
  auto& windows = platform::Windows();
  const platform::Rect window = windows.WindowRect(Hwnd());
  const platform::Rect screen = CMenuPopup::PlaceBelow(
      anchor.GetRect().Offset(window.left, window.top), size, windows.WorkArea());
  return screen.Offset(-window.left, -window.top);
}

bool SettingsPagePart::OnDrag(platform::Point pt) {
  bool changed = false;
  for (CSliderControl* slider : m_sliders) {
    if (!slider->IsDragging() || !slider->IsDrawable()) continue;
    const int before = slider->GetValue();
    slider->OnMouseMove(0, pt.x, pt.y);
    slider->SetValue(slider->GetValue());
    Invalidate(slider);
    changed = changed || slider->GetValue() != before;
  }
  return changed;
}
