#include "views/main/SensorPagePart.h"

#include "base/Language.h"
#include "profiles/ProfileSettings.h"
#include "ui/CheckButton.h"
#include "ui/DlgBase.h"
#include "views/main/SensorOptionRules.h"
#include "views/main/SettingsTexts.h"

using Rules = SensorOptionRules;

namespace {
constexpr uint32_t kIds[3] = {Rules::kAngleSnap, Rules::kMotionSync, Rules::kRippleControl};
constexpr TextSetting kSettings[3] = {TextSetting::AngleSnap, TextSetting::MotionSync,
                                      TextSetting::RippleControl};
}  // namespace

void SensorPagePart::Build(CDlgBase& dialog, PartRegistry& registry) {
  Attach(dialog, registry);
  const int texts[3] = {settings_text::kAngleSnapping, settings_text::kMotionSync,
                        settings_text::kRippleControl};
  for (int i = 0; i < 3; ++i) {
    const int y = 8 + i * 26;
    m_checks[static_cast<size_t>(i)] = AddCheck(kIds[i], {8, y + 3, 22, y + 17});
  }
  for (int i = 0; i < 3; ++i) {
    const int y = 8 + i * 26;
    AddLabel(3543 + i, {28, y, 262, y + 20}, LangText(texts[i]));
  }
  registry.RouteMessages(Rules::kAngleSnap, Rules::kRippleControl, *this);
}

void SensorPagePart::Refresh() {
  for (int i = 0; i < 3; ++i) {
    m_checks[static_cast<size_t>(i)]->SetCheck(Rules::IsOn(Profile(), kSettings[i]));
  }
}

void SensorPagePart::Collect(ProfileSettings& profile) {
  for (int i = 0; i < 3; ++i) {
    profile.SetBool(kSettings[i], m_checks[static_cast<size_t>(i)]->GetCheck());
  }
}

void SensorPagePart::OnNotice(uint32_t message, platform::WParam, platform::LParam lParam) {
  if (lParam != Notify::kClicked) return;
  for (int i = 0; i < 3; ++i) {
    if (message != kIds[i]) continue;
    Profile().SetBool(kSettings[i], m_checks[static_cast<size_t>(i)]->GetCheck());
    Services().MarkPending(ViewServices::Group::Sensor);
    Services().RefreshPage();
  }
}
