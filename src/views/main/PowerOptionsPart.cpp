#include "views/main/PowerOptionsPart.h"

#include "base/Language.h"
#include "profiles/ProfileSettings.h"
#include "ui/CheckButton.h"
#include "ui/DialRegions.h"
#include "ui/DlgBase.h"
#include "ui/PowerManageButton.h"
#include "ui/StaticText.h"
#include "views/main/SensorOptionRules.h"
#include "views/main/SettingsTexts.h"

using Rules = SensorOptionRules;

void PowerOptionsPart::Build(CDlgBase& dialog, PartRegistry& registry) {
  Attach(dialog, registry);
  const platform::WindowId w = Hwnd();
  auto dial = std::make_unique<CPowerManageButton>(w, platform::Rect{}, CDialRegions::Load());
  dial->LoadDefaultImages();
  m_dial = Add(std::move(dial), kDialPlace);
  m_caption = AddLabel(kCaption, kCaptionPlace, u"");

  m_lightsOff = AddCheck(Rules::kLightsOffWhileMoving, {690, 567, 704, 581});
  m_wake = AddCheck(Rules::kWakeOnMotion, {690, 613, 704, 627});
  const uint32_t wrap = platform::dt::kLeft | platform::dt::kWordBreak;
  const std::pair<int, platform::Rect> labels[2] = {
      {settings_text::kLightsOffWhileMoving, {708, 556, 834, 592}},
      {settings_text::kWakeOnMotion, {708, 602, 834, 638}}};
  for (const auto& [text, place] : labels) {
    Add(std::make_unique<CStaticText>(w, kOptionLabel, place, kLabelColour, wrap, LangText(text)),
        place);
  }
  registry.RouteMessages(Rules::kPowerDial, Rules::kLightsOffWhileMoving, *this);
  registry.RouteMessage(Rules::kWakeOnMotion, *this);
}

void PowerOptionsPart::ShowCaption() {
  m_caption->SetTitle(Rules::PowerCaption(m_dial->Value()));
}

void PowerOptionsPart::Refresh() {
  const ProfileSettings& p = Profile();
  // A level outside 1..8 leaves the dial where it was.
  if (const auto region = Rules::PowerRegion(p)) m_dial->SetSelection(*region);
  ShowCaption();
  m_lightsOff->SetCheck(Rules::IsOn(p, TextSetting::MoveLightingOnOffMode));
  m_wake->SetCheck(Rules::IsOn(p, TextSetting::MotionWakeup));
}

void PowerOptionsPart::Collect(ProfileSettings& profile) {
  profile.SetInt(TextSetting::PowerDownTime, m_dial->Value());
  profile.SetBool(TextSetting::MoveLightingOnOffMode, m_lightsOff->GetCheck());
  profile.SetBool(TextSetting::MotionWakeup, m_wake->GetCheck());
}

platform::LResult PowerOptionsPart::OnMessage(uint32_t message, platform::WParam,
                                              platform::LParam lParam) {
  if (lParam != Notify::kClicked) return 0;
  ProfileSettings& p = Profile();
  switch (message) {
    case Rules::kPowerDial:
      (void)Rules::SetPowerLevel(p, m_dial->Selection());
      ShowCaption();
      break;
    case Rules::kLightsOffWhileMoving:
      p.SetBool(TextSetting::MoveLightingOnOffMode, m_lightsOff->GetCheck());
      break;
    case Rules::kWakeOnMotion:
      p.SetBool(TextSetting::MotionWakeup, m_wake->GetCheck());
      break;
    default:
      return 0;
  }
  Services().MarkPending(ViewServices::Group::Power);
  Services().RefreshPage();
  return 0;
}
