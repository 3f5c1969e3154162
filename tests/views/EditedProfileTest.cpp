// A profile edited by hand, every value out of its range: every settings page shows something
// sensible, nothing indexes past its table, and collecting the page gives values in range.

#include <gtest/gtest.h>

#include "ui/ComboButton.h"
#include "ui/DPIRadioButton.h"
#include "ui/PowerManageButton.h"
#include "ui/SharedSelection.h"
#include "ui/SliderControl.h"
#include "views/PartTestHost.h"
#include "views/main/DebouncePagePart.h"
#include "views/main/DpiPagePart.h"
#include "views/main/LiftOffPagePart.h"
#include "views/main/LightingPagePart.h"
#include "views/main/PointerPagePart.h"
#include "views/main/PollingPagePart.h"
#include "views/main/PowerOptionsPart.h"
#include "views/main/SensorPagePart.h"

namespace {

class EditedProfileTest : public parttest::PartTest {
 protected:
  EditedProfileTest() {
    m_host->AddPart(std::make_unique<PowerOptionsPart>());
    m_host->AddPart(std::make_unique<DpiPagePart>());
    m_host->AddPart(std::make_unique<LightingPagePart>());
    m_host->AddPart(std::make_unique<PointerPagePart>());
    m_host->AddPart(std::make_unique<PollingPagePart>());
    m_host->AddPart(std::make_unique<LiftOffPagePart>());
    m_host->AddPart(std::make_unique<DebouncePagePart>());
    m_host->AddPart(std::make_unique<SensorPagePart>());
  }
  std::u16string Value(const ProfileSettings& p, TextSetting s) {
    return p.PairValue(static_cast<int>(s));
  }
};

TEST_F(EditedProfileTest, OutOfRangeValuesAreShownWithinTheControls) {
  UseSensor(0x3104);
  ProfileSettings& p = Profile();
  p.CurrentDPILevelValue = 200;
  p.DPIOffOnFlagValue = 0;
  p.XYSettingValueX.fill(65535);
  p.XYSettingValueY.fill(600);
  p.PollingRateValue = {250, 7, 7};
  p.PollingRateName = u"fast";
  p.lighting.Lighting1ModeValue = {99, 0, 0};
  p.lighting.Lighting1Speed.fill(255);
  p.lighting.Lighting1Brightness.fill(255);
  p.lighting.Lighting1Direction.fill(7);
  for (TextSetting s : {TextSetting::PowerDownTime, TextSetting::KeyDebounce,
                        TextSetting::PointerSpeed, TextSetting::ScrollWheelSpeed,
                        TextSetting::DoubleClickSpeed, TextSetting::LiftDetectionHeight}) {
    p.SetPairValue(static_cast<int>(s), u"-99999999999");
  }
  p.SetPairValue(static_cast<int>(TextSetting::MotionSync), u"99999999999");
  Open();

  // DPI: every level shows the table's last value; none is enabled, level 0 reads as active.
  for (uint32_t id = 3290; id <= 3297; ++id) EXPECT_EQ(Control(id)->GetTitle(), u"8000");
  EXPECT_TRUE(Control(3290)->m_bDisable);
  // Lighting: an effect beyond the ten reads as effect 0 (nothing but the box).
  EXPECT_FALSE(Control(LightingPagePart::kSpeedSlider)->m_bShow);
  EXPECT_EQ(static_cast<CSliderControl*>(Control(LightingPagePart::kSpeedSlider))->GetValue(), 2);
  EXPECT_EQ(Control(LightingPagePart::kSpeedValue)->GetTitle(), u"3");
  // Polling: the stored index has no area on the dial; the box shows the stored name.
  EXPECT_EQ(g_nPollingRateIndex, 250);
  EXPECT_EQ(Control(3110)->GetTitle(), u"fast");
  // Sliders at their ends, values as their labels say.
  EXPECT_EQ(Control(DebouncePagePart::kValue)->GetTitle(), u"0ms");
  EXPECT_EQ(Control(PointerPagePart::kPointerValue)->GetTitle(), u"1");
  EXPECT_EQ(Control(PowerOptionsPart::kCaption)->GetTitle(), u"Sleep level 1 of 8");
  desktop.Invalidate(H(), nullptr);
  Paint(H());  // drawing every control with these values is safe

  // The page collection writes only values the controls can hold.
  ProfileSettings collected = p;
  Host().CollectInto(collected);
  EXPECT_EQ(collected.CurrentDPILevelValue, 0);
  EXPECT_EQ(collected.DPIOffOnFlagValue, 0);
  EXPECT_EQ(Value(collected, TextSetting::KeyDebounce), u"0");
  EXPECT_EQ(Value(collected, TextSetting::PowerDownTime), u"1");
  EXPECT_EQ(Value(collected, TextSetting::LiftDetectionHeight), u"2");
  EXPECT_EQ(Value(collected, TextSetting::MotionSync), u"0");
  EXPECT_EQ(Value(collected, TextSetting::PointerSpeed), u"0");
  EXPECT_EQ(collected.lighting.Lighting1Speed[0], 2);
  EXPECT_EQ(collected.lighting.Lighting1Brightness[0], 3);
  EXPECT_EQ(collected.lighting.Lighting1Direction[0], 0);
  // What the pages do not collect stays as the file had it until the user edits it.
  EXPECT_EQ(collected.XYSettingValueX[3], 65535);
  EXPECT_EQ(collected.PollingRateValue[0], 250);
}

}  // namespace
