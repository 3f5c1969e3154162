#include "views/main/PointerPagePart.h"

#include "base/Language.h"
#include "platform/Platform.h"
#include "profiles/ProfileSettings.h"
#include "ui/CheckButton.h"
#include "ui/DlgBase.h"
#include "ui/ImageButton.h"
#include "ui/RadioButton.h"
#include "ui/SharedSelection.h"
#include "ui/SliderControl.h"
#include "ui/StaticText.h"
#include "views/main/SensorOptionRules.h"
#include "views/main/SettingsTexts.h"

using Rules = SensorOptionRules;

void PointerPagePart::Build(CDlgBase& dialog, PartRegistry& registry) {
  Attach(dialog, registry);
  auto properties = std::make_unique<CImageButton>(Hwnd(), kMousePropertiesButton, platform::Rect{},
                                                   LangText(settings_text::kMouseProperties));
  properties->SetImageNormal(ui::SkinPath(u"button4_nr.png"));
  properties->SetImageHover(ui::SkinPath(u"button4_ov.png"));
  Add(std::move(properties), {8, 8, 158, 32});

  const int texts[6] = {settings_text::kPointerSpeed,     settings_text::kScrollSpeed,
                        settings_text::kDoubleClickSpeed, settings_text::kAcceleration,
                        settings_text::kScrollByLines,    settings_text::kScrollByPage};
  const platform::Rect labels[6] = {{8, 38, 230, 56},    {8, 80, 230, 98},    {8, 122, 230, 140},
                                    {28, 164, 262, 184}, {24, 190, 130, 210}, {152, 190, 264, 210}};
  for (int i = 0; i < 6; ++i) AddLabel(kFirstLabel + i, labels[i], LangText(texts[i]));

  m_pointer = AddSlider(kFirstBar, Rules::kPointerSpeed, {8, 58, 208, 72}, Rules::kPointerStops,
                        u"Slider_bar2.png");
  m_scroll = AddSlider(kFirstBar + 1, Rules::kScrollSpeed, {8, 100, 208, 114},
                       Rules::kScrollSpeedStops, u"Slider_bar2.png");
  m_doubleClick = AddSlider(kFirstBar + 2, Rules::kDoubleClickSpeed, {8, 142, 208, 156},
                            Rules::kPointerStops, u"Slider_bar2.png");
  m_pointerValue = AddLabel(kPointerValue, {214, 55, 260, 75}, u"", true);
  m_scrollValue = AddLabel(kScrollValue, {214, 97, 260, 117}, u"", true);
  m_doubleClickValue = AddLabel(kDoubleClickValue, {214, 139, 260, 159}, u"", true);

  m_acceleration = AddCheck(Rules::kAcceleration, {8, 167, 22, 181});
  m_byLines = AddRadio(Rules::kScrollByLines, {6, 193, 20, 207});
  m_byPage = AddRadio(Rules::kScrollByPage, {134, 193, 148, 207});

  registry.RouteMessages(Rules::kScrollByLines, Rules::kScrollByPage, *this);
  registry.RouteMessage(Rules::kAcceleration, *this);
  registry.RouteMessage(Rules::kScrollSpeed, *this);
  registry.RouteMessages(Rules::kPointerSpeed, Rules::kDoubleClickSpeed, *this);
  registry.RouteMessage(kMousePropertiesButton, *this);
}

void PointerPagePart::Refresh() {
  const ProfileSettings& p = Profile();
  m_pointer->SetValue(Rules::SliderPosition(p, TextSetting::PointerSpeed, Rules::kPointerStops));
  m_scroll->SetValue(
      Rules::SliderPosition(p, TextSetting::ScrollWheelSpeed, Rules::kScrollSpeedStops));
  m_doubleClick->SetValue(
      Rules::SliderPosition(p, TextSetting::DoubleClickSpeed, Rules::kPointerStops));
  ShowValues();
  m_acceleration->SetCheck(Rules::IsOn(p, TextSetting::AccelerationEnable));
  const bool byPage = Rules::IsOn(p, TextSetting::ScrollWheelPageEnable);
  const RadioGroupBits lines = RadioBitsOf(Rules::kScrollByLines);
  const RadioGroupBits page = RadioBitsOf(Rules::kScrollByPage);
  g_nRadioFlags = (g_nRadioFlags & ~lines.group) | (byPage ? page.own : lines.own);
  EnableScrollSpeed();
}

void PointerPagePart::ShowValues() {
  m_pointerValue->SetTitle(Rules::PlusOneLabel(m_pointer->GetValue()));
  m_scrollValue->SetTitle(Rules::PlusOneLabel(m_scroll->GetValue()));
  m_doubleClickValue->SetTitle(Rules::PlusOneLabel(m_doubleClick->GetValue()));
}

void PointerPagePart::EnableScrollSpeed() {
  // Scrolling by page has no speed.
  m_scroll->SetDisable(m_byPage->IsSelected());
  Invalidate(m_scroll);
}

void PointerPagePart::Collect(ProfileSettings& profile) {
  Rules::CollectPointer(profile,
                        {m_byPage->IsSelected(), m_acceleration->GetCheck(), m_scroll->GetValue(),
                         m_pointer->GetValue(), m_doubleClick->GetValue()});
}

void PointerPagePart::OnNotice(uint32_t message, platform::WParam, platform::LParam lParam) {
  switch (message) {
    case kMousePropertiesButton:
      // A failure to start it is not reported, as with any shell request.
      if (lParam == Notify::kClicked)
        (void)platform::ShellServices().Execute(kMousePropertiesCommand);
      break;
    case Rules::kPointerSpeed:
    case Rules::kScrollSpeed:
    case Rules::kDoubleClickSpeed:
      if (lParam != Notify::kValueChanged && lParam != Notify::kClicked) break;
      ShowValues();
      Services().CollectPage();
      // Nothing is sent: the release only starts the write that arms the delayed save.
      if (lParam == Notify::kClicked) Services().MarkSaveOnly();
      break;
    case Rules::kAcceleration:
    case Rules::kScrollByLines:
    case Rules::kScrollByPage:
      if (lParam != Notify::kClicked) break;
      Services().CollectPage();
      EnableScrollSpeed();
      Services().MarkSaveOnly();
      break;
    default:
      break;
  }
}
