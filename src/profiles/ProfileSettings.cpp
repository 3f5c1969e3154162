#include "profiles/ProfileSettings.h"

#include "base/Format.h"
#include "base/Language.h"
#include "base/Text.h"
#include "profiles/PollingRate.h"
#include "profiles/SensorDpiTable.h"

namespace {

using platform::Rgb;

// Button function type bytes of the default assignments.
constexpr uint8_t kMouseButton = 0x10;
constexpr uint8_t kDpiFunction = 0x40;

struct DefaultPair {
  const char16_t* key;
  const char16_t* value;  // pair 0 takes its value from the language instead
};

constexpr DefaultPair kDefaultPairs[ProfileSettings::kPairCount] = {
    {u"ProfileName", u""},
    {u"GameFile0", u""},
    {u"GameFile1", u""},
    {u"GameFile2", u""},
    {u"DoubleClickSpeed", u"6"},
    {u"PointerSpeed", u"5"},
    {u"AccelerationEnable", u"1"},
    {u"ScrollWheelSpeed", u"2"},
    {u"ScrollWheelPageEnable", u"0"},
    {u"TiltSpeed", u"2"},
    {u"Sensitivity_X", u"4"},
    {u"Sensitivity_Y", u"4"},
    {u"XYSynchronous", u"1"},
    {u"X_DPI", u"1"},
    {u"Y_DPI", u"1"},
    {u"MoveLightingOnOffMode", u"0"},
    {u"PowerDownTime", u"1"},
    {u"LiftDetectionHeight", u"2"},
    {u"KeyDebounce", u"2"},
    {u"MotionWakeup", u"1"},
    {u"AngleSnap", u"0"},
    {u"MotionSync", u"1"},
    {u"RippleControl", u"0"},
};

struct DefaultButton {
  int nameText;
  std::array<uint8_t, 3> code;
};

constexpr DefaultButton kDefaultButtons[ProfileSettings::kButtonCount] = {
    {20, {kMouseButton, 0x01, 0}}, {21, {kMouseButton, 0x02, 0}}, {22, {kMouseButton, 0x04, 0}},
    {23, {kMouseButton, 0x10, 0}}, {24, {kMouseButton, 0x08, 0}}, {42, {kDpiFunction, 0x01, 0}},
};

constexpr int kFirstProfileNameText = 85;
constexpr int kZone1NameText = 109;
constexpr int kZone2NameText = 100;

constexpr std::array<platform::Colour, ProfileSettings::kDpiLevelCount> kDefaultLevelColours = {
    Rgb(0xFF, 0, 0),    Rgb(0, 0, 0xFF),    Rgb(0, 0xFF, 0),       Rgb(0xFF, 0xFF, 0),
    Rgb(0, 0xFF, 0xFF), Rgb(0xFF, 0, 0xFF), Rgb(0xFF, 0xFF, 0xFF), Rgb(0xFF, 0xFF, 0xFF),
};

// The effects that come with colours: slots 0..count-1 are used.
struct DefaultEffectColours {
  int effect;
  int count;
  std::array<platform::Colour, LightingZone::kColourSlots> colours;
};

constexpr DefaultEffectColours kDefaultEffectColours[] = {
    {2,
     7,
     {Rgb(0xFF, 0, 0), Rgb(0, 0xFF, 0), Rgb(0, 0, 0xFF), Rgb(0, 0xFF, 0xFF), Rgb(0xFF, 0xFF, 0),
      Rgb(0xFF, 0, 0xFF), Rgb(0xFF, 0xFF, 0xFF)}},
    {3, 1, {Rgb(0xFF, 0, 0xFF)}},
    {6,
     8,
     {Rgb(0xFF, 0, 0), Rgb(0, 0xFF, 0), Rgb(0, 0, 0xFF), Rgb(0xFF, 0xFF, 0), Rgb(0, 0xFF, 0xFF),
      Rgb(0xFA, 0, 0xFA), Rgb(0xFF, 0xFF, 0xFF), Rgb(0xFA, 0x46, 0xFF)}},
    {8, 2, {Rgb(0, 0xFF, 0), Rgb(0xFA, 0, 0x6A)}},
};

void ResetLighting(LightingZone& zone) {
  zone.Lighting1OffOn = 1;
  zone.Lighting1Name = LangText(kZone1NameText);
  zone.Lighting1ModeValue = {0, 0, 0};
  for (int e = 0; e < LightingZone::kEffectCount; ++e) {
    zone.Lighting1Speed[e] = 1;
    zone.Lighting1Brightness[e] = 3;
    zone.Lighting1Direction[e] = e == 1 ? 1 : 0;
    zone.Lighting1ColorSelected[e].fill(0);
    zone.Lighting1FixedColor[e].fill(0);
  }
  for (const auto& row : kDefaultEffectColours) {
    for (int slot = 0; slot < row.count; ++slot) {
      zone.Lighting1ColorSelected[row.effect][slot] = 1;
      zone.Lighting1FixedColor[row.effect][slot] = row.colours[slot];
    }
  }
  zone.Lighting2OffOn = 0;
  zone.Lighting2Name = LangText(kZone2NameText);
  zone.Lighting2ModeValue = {1, 0, 0};
  zone.Lighting2Speed = 0;
  zone.Lighting2Brightness = 0;
  zone.Lighting2FixedColor = 0;
}

}  // namespace

const std::u16string& ProfileSettings::PairKey(int i) const {
  static const std::u16string empty;
  return i >= 0 && i < kPairCount ? pairs[i].key : empty;
}

const std::u16string& ProfileSettings::PairValue(int i) const {
  static const std::u16string empty;
  return i >= 0 && i < kPairCount ? pairs[i].value : empty;
}

void ProfileSettings::SetPairValue(int i, std::u16string_view value) {
  if (i >= 0 && i < kPairCount) pairs[i].value.assign(value);
}

ButtonSlot* ProfileSettings::ButtonAt(int k) {
  return k >= 0 && k < kButtonCount ? &buttons[k] : nullptr;
}

const ButtonSlot* ProfileSettings::ButtonAt(int k) const {
  return k >= 0 && k < kButtonCount ? &buttons[k] : nullptr;
}

int ProfileSettings::Int(TextSetting s) const {
  return base::ParseDecimal(PairValue(static_cast<int>(s)));
}

void ProfileSettings::SetInt(TextSetting s, int value) {
  SetPairValue(static_cast<int>(s), base::Format(u"%d", value));
}

void ProfileSettings::SetBool(TextSetting s, int value) {
  SetPairValue(static_cast<int>(s), value != 0 ? u"1" : u"0");
}

int ProfileSettings::ActiveDpiLevel() const {
  // The level comes from a file or a device report and indexes the eight level arrays.
  return CurrentDPILevelValue < kDpiLevelCount ? CurrentDPILevelValue : 0;
}

void ResetProfileToDefaults(ProfileSettings& profile, int slot, uint16_t sensorId) {
  for (int i = 0; i < ProfileSettings::kPairCount; ++i) {
    profile.pairs[i] = {kDefaultPairs[i].key, kDefaultPairs[i].value};
  }
  // Only slots 0..4 have a default name (texts 85..89).
  if (slot >= 0 && slot < 5) profile.pairs[0].value = LangText(kFirstProfileNameText + slot);

  for (int k = 0; k < ProfileSettings::kButtonCount; ++k) {
    ButtonSlot& button = profile.buttons[k];
    button.KeyName = LangText(kDefaultButtons[k].nameText);
    button.KeyURL.clear();
    button.KeyValue = kDefaultButtons[k].code;
    button.MacroKeyIndex = 0;
    button.macro = MacroRecord{};
  }

  profile.PollingRateName = PollingRate::Name(PollingRate::kDefaultIndex);
  profile.PollingRateValue = {PollingRate::kDefaultIndex, 0, 0};

  ResetLighting(profile.lighting);

  // A sensor without a default row keeps the X and Y values; after a reset they must not be
  // whatever a half-read file left behind.
  profile.XYSettingValueX.fill(0);
  profile.XYSettingValueY.fill(0);
  ApplySensorDpiDefaults(profile, sensorId);
}

void ApplySensorDpiDefaults(ProfileSettings& profile, uint16_t sensorId) {
  if (const auto* row = SensorDpiDefaults(sensorId)) {
    profile.XYSettingValueX = *row;
    profile.XYSettingValueY = *row;
  }
  profile.DPIOffOnFlagValue = 0x3F;
  profile.CurrentDPILevelValue = 1;
  profile.DPILevelIndication = kDefaultLevelColours;
  profile.AngleSnapValue = 0;
  profile.LiftDetectionValue = 1;
}
