#include "views/main/LightingRules.h"

#include <algorithm>

#include "base/Format.h"
#include "base/Language.h"
#include "profiles/ProfileSettings.h"
#include "views/main/SettingsTexts.h"

namespace {
bool ValidSlot(int slot) {
  return slot >= 0 && slot < LightingRules::kColourButtons;
}

int SelectedAmong(const ProfileSettings& profile, int effect, int first, int last) {
  int count = 0;
  for (int i = first; i <= last; ++i) {
    count += profile.lighting
                 .Lighting1ColorSelected[static_cast<size_t>(effect)][static_cast<size_t>(i)] != 0;
  }
  return count;
}
}  // namespace

int LightingRules::CurrentEffect(const ProfileSettings& profile) {
  return profile.lighting.CurrentEffect();
}

bool LightingRules::ChooseEffect(ProfileSettings& profile, int entry) {
  if (entry < 0 || entry >= static_cast<int>(kEffectMenu.size())) return false;
  const EffectMenuEntry& chosen = kEffectMenu[static_cast<size_t>(entry)];
  LightingZone& zone = profile.lighting;
  const std::array<uint8_t, 3> mode{chosen.effect, 0, 0};
  const std::u16string& name = LangText(chosen.text);
  if (zone.Lighting1ModeValue == mode && zone.Lighting1Name == name) return false;
  zone.Lighting1ModeValue = mode;
  zone.Lighting1Name = name;
  return true;
}

LightingVisibility LightingRules::VisibilityFor(int effect) {
  LightingVisibility v;
  v.colourLabel = effect == 8;
  v.colourButtons[0] = v.colourButtons[1] = effect == 8;
  v.brightness = effect == 3 || effect == 6;
  v.speed = effect != 0 && effect != 3 && effect != 6;
  v.direction = effect == 1;
  return v;
}

int LightingRules::SpeedPosition(const ProfileSettings& profile) {
  const auto e = static_cast<size_t>(CurrentEffect(profile));
  return std::min<int>(profile.lighting.Lighting1Speed[e], kSpeedStops - 1);
}

int LightingRules::BrightnessPosition(const ProfileSettings& profile) {
  const auto e = static_cast<size_t>(CurrentEffect(profile));
  return std::min<int>(profile.lighting.Lighting1Brightness[e], kBrightnessStops - 1);
}

bool LightingRules::DirectionUp(const ProfileSettings& profile) {
  const auto e = static_cast<size_t>(CurrentEffect(profile));
  return profile.lighting.Lighting1Direction[e] == 1;
}

std::u16string LightingRules::SpeedLabel(int position) {
  return base::Format(u"%d", position + 1);
}

std::u16string LightingRules::BrightnessLabel(int position) {
  static constexpr const char16_t* kPercent[4] = {u"25%", u"50%", u"75%", u"100%"};
  return kPercent[((position % 4) + 4) % 4];
}

void LightingRules::Collect(ProfileSettings& profile, int speed, int brightness, bool up) {
  const auto e = static_cast<size_t>(CurrentEffect(profile));
  LightingZone& zone = profile.lighting;
  zone.Lighting1Speed[e] = static_cast<uint8_t>(std::clamp(speed, 0, kSpeedStops - 1));
  zone.Lighting1Brightness[e] =
      static_cast<uint8_t>(std::clamp(brightness, 0, kBrightnessStops - 1));
  zone.Lighting1Direction[e] = up ? 1 : 0;
}

LightingRules::SlotView LightingRules::Slot(const ProfileSettings& profile, int slot) {
  if (!ValidSlot(slot)) return {};
  const auto e = static_cast<size_t>(CurrentEffect(profile));
  const auto i = static_cast<size_t>(slot);
  return {profile.lighting.Lighting1FixedColor[e][i] & 0xFFFFFF,
          profile.lighting.Lighting1ColorSelected[e][i] != 0};
}

LightingRules::SlotToggle LightingRules::ToggleSlot(ProfileSettings& profile, int slot) {
  if (!ValidSlot(slot)) return {};
  const int effect = CurrentEffect(profile);
  uint8_t& selected =
      profile.lighting
          .Lighting1ColorSelected[static_cast<size_t>(effect)][static_cast<size_t>(slot)];
  if (selected == 0) {
    selected = 1;
    return {true, 0};
  }
  int refusal = 0;
  switch (effect) {
    case 3:
      refusal = settings_text::kKeepOneColour;
      break;
    case 2:
      if (SelectedAmong(profile, effect, 0, 6) <= 1) refusal = settings_text::kKeepOneColour;
      break;
    case 6:
      if (SelectedAmong(profile, effect, 0, 7) <= 2) refusal = settings_text::kKeepTwoColours;
      break;
    case 8:
      if (SelectedAmong(profile, effect, 0, 1) <= 1) refusal = settings_text::kKeepOneColour;
      break;
    default:
      break;
  }
  if (refusal != 0) return {false, refusal};
  selected = 0;
  return {true, 0};
}

void LightingRules::SetSlotColour(ProfileSettings& profile, int slot, platform::Colour colour) {
  if (!ValidSlot(slot)) return;
  const auto e = static_cast<size_t>(CurrentEffect(profile));
  profile.lighting.Lighting1FixedColor[e][static_cast<size_t>(slot)] = colour & 0xFFFFFF;
}

bool LightingRules::InPickArea(platform::Point point) {
  return std::any_of(std::begin(kPickAreas), std::end(kPickAreas),
                     [point](const platform::Rect& area) { return area.Contains(point); });
}

std::optional<platform::Colour> LightingRules::PickedColour(platform::Colour pixel) {
  pixel &= 0xFFFFFF;
  if (pixel == kPaletteBackground) return std::nullopt;
  return pixel;
}
