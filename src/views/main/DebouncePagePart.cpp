#include "views/main/DebouncePagePart.h"

#include "profiles/ProfileSettings.h"
#include "ui/DlgBase.h"
#include "ui/SliderControl.h"
#include "ui/StaticText.h"
#include "views/main/SensorOptionRules.h"

using Rules = SensorOptionRules;

void DebouncePagePart::Build(CDlgBase& dialog, PartRegistry& registry) {
  Attach(dialog, registry);
  m_slider = AddSlider(kBar, Rules::kDebounce, {8, 13, 208, 27}, Rules::kDebounceStops,
                       u"Slider_bar2.png");
  m_value = AddLabel(kValue, {214, 10, 262, 30}, u"12ms", true);
  registry.RouteMessage(Rules::kDebounce, *this);
}

void DebouncePagePart::Refresh() {
  m_slider->SetValue(
      Rules::SliderPosition(Profile(), TextSetting::KeyDebounce, Rules::kDebounceStops));
  m_value->SetTitle(Rules::DebounceLabel(m_slider->GetValue()));
}

void DebouncePagePart::Collect(ProfileSettings& profile) {
  profile.SetInt(TextSetting::KeyDebounce, m_slider->GetValue());
}

void DebouncePagePart::OnNotice(uint32_t message, platform::WParam, platform::LParam lParam) {
  if (message != Rules::kDebounce) return;
  if (lParam != Notify::kValueChanged && lParam != Notify::kClicked) return;
  m_value->SetTitle(Rules::DebounceLabel(m_slider->GetValue()));
  Services().CollectPage();
  if (lParam == Notify::kValueChanged) {
    Services().MarkPendingWhileDragging(ViewServices::Group::Dpi);
  } else {
    Services().MarkPending(ViewServices::Group::Dpi);
  }
}
