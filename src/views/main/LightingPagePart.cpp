#include "views/main/LightingPagePart.h"

#include <algorithm>

#include "base/Language.h"
#include "platform/Platform.h"
#include "profiles/ProfileSettings.h"
#include "ui/ColorSelectCheckButton.h"
#include "ui/ComboButton.h"
#include "ui/DlgBase.h"
#include "ui/RadioButton.h"
#include "ui/SharedSelection.h"
#include "ui/SliderControl.h"
#include "ui/StaticImage.h"
#include "ui/StaticText.h"
#include "views/main/LightingRules.h"
#include "views/main/SettingsTexts.h"
#include "views/settings/ColorPaletteDlg.h"
#include "views/settings/ComboLightingPopup.h"

namespace {
constexpr platform::Rect kLabelRow1{6, 40, 82, 60};
constexpr platform::Rect kLabelRow2{6, 70, 82, 94};
constexpr platform::Rect kSliderRow{84, 43, 224, 57};
constexpr platform::Rect kValueRow{226, 40, 262, 60};

void SetShown(CControlBase* control, bool show) {
  if (control) control->SetShow(show);
}
}  // namespace

void LightingPagePart::Build(CDlgBase& dialog, PartRegistry& registry) {
  Attach(dialog, registry);
  const platform::WindowId w = Hwnd();
  auto effect =
      std::make_unique<CComboButton>(w, kEffectBox, platform::Rect{}, kEffectBoxMessage, u"", u"");
  effect->SetImageNormal(ui::SkinPath(u"combo3_nr.png"));
  effect->SetImageHover(ui::SkinPath(u"combo3_ov.png"));
  effect->SetFormat(platform::dt::kLeft);
  effect->SetTextOffset(8, 24);
  m_effect = Add(std::move(effect), {6, 8, 176, 32});

  m_labels[1] = AddLabel(kBrightnessLabel, kLabelRow1, LangText(settings_text::kBrightness));
  m_labels[2] = AddLabel(kSpeedLabel, kLabelRow1, LangText(settings_text::kSpeed));
  m_labels[0] = AddLabel(kColourLabel, kLabelRow2, LangText(settings_text::kColour));
  m_labels[3] = AddLabel(kDirectionLabel, kLabelRow2, LangText(settings_text::kDirection));

  m_brightness = AddSlider(kBrightnessBar, kBrightnessSlider, kSliderRow,
                           LightingRules::kBrightnessStops, u"Slider_bar.png");
  m_brightnessBar = static_cast<CStaticImage*>(dialog.GetControl(kBrightnessBar));
  m_speed =
      AddSlider(kSpeedBar, kSpeedSlider, kSliderRow, LightingRules::kSpeedStops, u"Slider_bar.png");
  m_speedBar = static_cast<CStaticImage*>(dialog.GetControl(kSpeedBar));
  m_brightnessValue = AddLabel(kBrightnessValue, kValueRow, u"", true);
  m_speedValue = AddLabel(kSpeedValue, kValueRow, u"", true);

  for (int i = 0; i < LightingRules::kColourButtons; ++i) {
    auto colour = std::make_unique<CColorSelectCheckButton>(w, kFirstColour + i, platform::Rect{});
    colour->LoadDefaultImages();
    m_colours[static_cast<size_t>(i)] = Add(std::move(colour), {84 + i * 22, 72, 104 + i * 22, 92});
  }
  m_up = AddRadio(kDirectionUp, {84, 70, 108, 94}, u"up", u"_check.png");
  m_down = AddRadio(kDirectionDown, {114, 70, 138, 94}, u"down", u"_check.png");

  registry.RouteMessages(kEffectBoxMessage, kEffectMenuClosed, *this);
  registry.RouteMessages(kFirstColour, kFirstColour + 7, *this);
  registry.RouteMessage(kSpeedSlider, *this);
  registry.RouteMessage(kBrightnessSlider, *this);
  registry.RouteMessage(kDirectionUp, *this);
  registry.RouteMessage(kDirectionDown, *this);
  for (uintptr_t id = 1; id <= 8; ++id) registry.RouteTimer(id, *this);
}

void LightingPagePart::Refresh() {
  const ProfileSettings& profile = Profile();
  m_effect->SetTitle(profile.lighting.Lighting1Name);
  for (int i = 0; i < LightingRules::kColourButtons; ++i) {
    const LightingRules::SlotView slot = LightingRules::Slot(profile, i);
    CColorSelectCheckButton* button = m_colours[static_cast<size_t>(i)];
    button->SetColour(slot.colour);
    button->SetCheck(slot.selected);
  }
  const LightingVisibility v = LightingRules::VisibilityFor(LightingRules::CurrentEffect(profile));
  SetShown(m_labels[0], v.colourLabel);
  for (int i = 0; i < LightingRules::kColourButtons; ++i) {
    SetShown(m_colours[static_cast<size_t>(i)], v.colourButtons[static_cast<size_t>(i)]);
  }
  for (CControlBase* c : std::initializer_list<CControlBase*>{m_labels[1], m_brightnessBar,
                                                              m_brightness, m_brightnessValue}) {
    SetShown(c, v.brightness);
  }
  for (CControlBase* c :
       std::initializer_list<CControlBase*>{m_labels[2], m_speedBar, m_speed, m_speedValue}) {
    SetShown(c, v.speed);
  }
  for (CControlBase* c : std::initializer_list<CControlBase*>{m_labels[3], m_up, m_down}) {
    SetShown(c, v.direction);
  }
  m_speed->SetValue(LightingRules::SpeedPosition(profile));
  m_brightness->SetValue(LightingRules::BrightnessPosition(profile));
  ShowSliderValues();
  const RadioGroupBits up = RadioBitsOf(kDirectionUp);
  const RadioGroupBits down = RadioBitsOf(kDirectionDown);
  g_nRadioFlags =
      (g_nRadioFlags & ~up.group) | (LightingRules::DirectionUp(profile) ? up.own : down.own);
}

void LightingPagePart::ShowSliderValues() {
  m_speedValue->SetTitle(LightingRules::SpeedLabel(m_speed->GetValue()));
  m_brightnessValue->SetTitle(LightingRules::BrightnessLabel(m_brightness->GetValue()));
}

void LightingPagePart::Collect(ProfileSettings& profile) {
  LightingRules::Collect(profile, m_speed->GetValue(), m_brightness->GetValue(),
                         m_up->IsSelected());
}

void LightingPagePart::Changed() {
  Services().RefreshPage();
  Services().MarkPending(ViewServices::Group::Dpi);
}

void LightingPagePart::OnNotice(uint32_t message, platform::WParam, platform::LParam lParam) {
  if (message >= kFirstColour && message < kFirstColour + 8) {
    OnColourButton(static_cast<int>(message - kFirstColour), lParam);
    return;
  }
  switch (message) {
    case kEffectBoxMessage:
      if (lParam == Notify::kClicked) OpenEffectMenu();
      break;
    case kEffectChosen:
      OnEffectChosen(lParam);
      break;
    case kEffectMenuClosed:
      CloseEffectMenu();
      break;
    case kSpeedSlider:
      OnSlider(m_speed, lParam);
      break;
    case kBrightnessSlider:
      OnSlider(m_brightness, lParam);
      break;
    case kDirectionUp:
    case kDirectionDown:
      if (lParam == Notify::kClicked) {
        Services().CollectPage();
        Services().MarkPending(ViewServices::Group::Dpi);
      }
      break;
    default:
      break;
  }
}

void LightingPagePart::OnSlider(CSliderControl* slider, platform::LParam code) {
  if (code != Notify::kValueChanged && code != Notify::kClicked) return;
  ShowSliderValues();
  Services().CollectPage();
  if (code == Notify::kValueChanged) {
    Services().MarkPendingWhileDragging(ViewServices::Group::Dpi);
  } else {
    Services().MarkPending(ViewServices::Group::Dpi);
  }
  Invalidate(slider);
}

void LightingPagePart::OnColourButton(int slot, platform::LParam code) {
  const auto i = static_cast<size_t>(slot);
  const uintptr_t timer = static_cast<uintptr_t>(slot) + 1;
  const platform::WindowId main = Dialog().GetSafeHwnd();
  if (code == Notify::kClicked) {
    // The click that ends a double click must not toggle.
    if (m_slotTimers[i] == SlotTimer::Palette) return;
    m_slotTimers[i] = SlotTimer::Toggle;
    platform::Windows().SetTimer(main, timer, kClickDelayMs);
  } else if (code == Notify::kDoubleClicked) {
    // The palette opens once the gesture is over, so that the gesture's last click is not
    // taken for a new single click.
    platform::Windows().KillTimer(main, timer);
    m_slotTimers[i] = SlotTimer::Palette;
    platform::Windows().SetTimer(main, timer, kClickDelayMs);
  }
}

void LightingPagePart::OnTimer(uintptr_t id) {
  if (id < 1 || id > 8) return;
  platform::Windows().KillTimer(Dialog().GetSafeHwnd(), id);  // one shot
  const int slot = static_cast<int>(id) - 1;
  const SlotTimer what = m_slotTimers[static_cast<size_t>(slot)];
  m_slotTimers[static_cast<size_t>(slot)] = SlotTimer::None;
  ProfileSettings& profile = Profile();
  if (what == SlotTimer::Toggle) {
    const LightingRules::SlotToggle toggle = LightingRules::ToggleSlot(profile, slot);
    if (!toggle.toggled) {
      if (toggle.message != 0) Services().ShowMessage(toggle.message, ViewServices::Box::Modal);
      return;
    }
    m_colours[static_cast<size_t>(slot)]->SetCheck(LightingRules::Slot(profile, slot).selected);
    Invalidate(m_colours[static_cast<size_t>(slot)]);
    Services().MarkPending(ViewServices::Group::Dpi);
  } else if (what == SlotTimer::Palette) {
    CColorPaletteDlg palette(profile, CColorPaletteDlg::Kind::Lighting,
                             LightingRules::CurrentEffect(profile), slot, Dialog().GetSafeHwnd());
    if (palette.DoModal() != CDlgBase::kIdOk) return;
    Changed();
  }
}

void LightingPagePart::OpenEffectMenu() {
  std::vector<MenuItem> items;
  for (size_t i = 0; i < LightingRules::kEffectMenu.size(); ++i) {
    items.push_back(
        {LangText(LightingRules::kEffectMenu[i].text), static_cast<platform::LParam>(i)});
  }
  auto popup = std::make_unique<CComboLightingPopup>(std::move(items));
  platform::Size size = popup->MeasureSize();
  size.cx = std::max(size.cx, m_effect->GetRect().Width());
  const platform::Rect rc = MenuBelow(*m_effect, size);
  m_effect->SetMenuOpen(true);
  Dialog().OpenPopup(kEffectMenuSlot, std::move(popup), rc, kEffectChosen, kEffectBox);
}

void LightingPagePart::OnEffectChosen(platform::LParam entry) {
  m_effect->SetMenuOpen(false);
  if (entry < 0 || entry >= static_cast<platform::LParam>(LightingRules::kEffectMenu.size())) {
    return;
  }
  (void)LightingRules::ChooseEffect(Profile(), static_cast<int>(entry));
  Changed();
}

void LightingPagePart::CloseEffectMenu() {
  m_effect->SetMenuOpen(false);
  Dialog().ClosePopup(kEffectMenuSlot);
}
