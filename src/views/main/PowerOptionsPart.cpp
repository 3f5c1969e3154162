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

namespace {
constexpr int kOptionStep = 44;

platform::Rect LabelBeside(const platform::Rect& check) {
  return {check.right + 4, check.top - 13, page::kStatusColumn.right - 1, check.bottom + 15};
}
}  // namespace

void PowerOptionsPart::Build(CDlgBase& dialog, PartRegistry& registry) {
  Attach(dialog, registry);
  const platform::WindowId w = Hwnd();
  auto dial = std::make_unique<CPowerManageButton>(w, platform::Rect{}, CDialRegions::Load());
  dial->LoadDefaultImages();
  m_dial = Add(std::move(dial), page::kPowerDial);
  m_caption = AddLabel(kCaption, page::kPowerLabel, u"");

  // Each option's label may take two lines, so the second box sits lower than one row.
  const platform::Rect check2 = page::kOptionCheck1.Offset(0, kOptionStep);
  m_lightsOff = AddCheck(Rules::kLightsOffWhileMoving, page::kOptionCheck1);
  m_wake = AddCheck(Rules::kWakeOnMotion, check2);
  const uint32_t wrap = platform::dt::kLeft | platform::dt::kWordBreak;
  const std::pair<int, platform::Rect> labels[2] = {
      {settings_text::kLightsOffWhileMoving, LabelBeside(page::kOptionCheck1)},
      {settings_text::kWakeOnMotion, LabelBeside(check2)}};
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

void PowerOptionsPart::OnNotice(uint32_t message, platform::WParam, platform::LParam lParam) {
  if (lParam != Notify::kClicked) return;
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
      return;
  }
  Services().MarkPending(ViewServices::Group::Power);
  Services().RefreshPage();
}
