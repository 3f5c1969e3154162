#include "views/main/LiftOffPagePart.h"

#include "base/Language.h"
#include "profiles/ProfileSettings.h"
#include "profiles/SensorDpiTable.h"
#include "ui/DlgBase.h"
#include "ui/RadioButton.h"
#include "ui/SharedSelection.h"
#include "ui/StaticText.h"
#include "views/main/SensorOptionRules.h"
#include "views/main/SettingsTexts.h"

using Rules = SensorOptionRules;

void LiftOffPagePart::Build(CDlgBase& dialog, PartRegistry& registry) {
  Attach(dialog, registry);
  m_low = AddRadio(Rules::kLiftOffLow, {8, 13, 22, 27});
  m_high = AddRadio(Rules::kLiftOffHigh, {144, 13, 158, 27});
  m_lowLabel = AddLabel(3520, {26, 10, 140, 30}, LangText(settings_text::kLiftOffLow));
  m_highLabel = AddLabel(3521, {162, 10, 262, 30}, LangText(settings_text::kLiftOffHigh));
  registry.RouteMessages(Rules::kLiftOffLow, Rules::kLiftOffHigh, *this);
  FollowSensor();
}

bool LiftOffPagePart::Offered() const {
  return Table().liftOffPage;
}

void LiftOffPagePart::FollowSensor() {
  // The tab belongs to the main window; it is there when the page is built after it.
  if (CControlBase* tab = Dialog().GetControl(kTab)) tab->SetDisable(!Offered());
  for (CControlBase* c :
       std::initializer_list<CControlBase*>{m_low, m_high, m_lowLabel, m_highLabel}) {
    c->SetShow(Offered());
  }
}

int LiftOffPagePart::Layout(platform::Point origin) {
  const int height = SettingsPagePart::Layout(origin);
  return Offered() ? height : 0;
}

void LiftOffPagePart::DrawDecorations(platform::Canvas& canvas, const platform::Rect& update) {
  if (Offered()) SettingsPagePart::DrawDecorations(canvas, update);
}

void LiftOffPagePart::Refresh() {
  FollowSensor();
  const RadioGroupBits low = RadioBitsOf(Rules::kLiftOffLow);
  const RadioGroupBits high = RadioBitsOf(Rules::kLiftOffHigh);
  g_nRadioFlags =
      (g_nRadioFlags & ~low.group) | (Rules::LiftOffLowSelected(Profile()) ? low.own : high.own);
}

void LiftOffPagePart::Collect(ProfileSettings& profile) {
  (void)Rules::SetLiftOff(profile, m_low->IsSelected());
}

void LiftOffPagePart::OnNotice(uint32_t message, platform::WParam, platform::LParam lParam) {
  if (lParam != Notify::kClicked) return;
  if (message != Rules::kLiftOffLow && message != Rules::kLiftOffHigh) return;
  (void)Rules::SetLiftOff(Profile(), message == Rules::kLiftOffLow);
  Services().MarkPending(ViewServices::Group::Dpi);
  Services().RefreshPage();
}

void LiftOffPagePart::OnSensorTableChanged() {
  FollowSensor();
}
