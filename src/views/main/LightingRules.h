#pragma once
// The lighting page's rules: the effect menu, which controls each effect shows, the colour-slot
// selection rule, the slider labels, and what the palette may pick. Platform-free. Every value
// read from the profile is limited before it positions a control.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Types.h"

struct ProfileSettings;

struct LightingVisibility {
  bool colourLabel = false;             // 3161
  std::array<bool, 8> colourButtons{};  // 3180..3187
  bool brightness = false;              // 3162, 3191, 3220, 3230
  bool speed = false;                   // 3163, 3190, 3200, 3210
  bool direction = false;               // 3164, 3240, 3250

  friend bool operator==(const LightingVisibility&, const LightingVisibility&) = default;
};

struct EffectMenuEntry {
  int text;        // language text of the entry, stored as Lighting1Name
  uint8_t effect;  // stored as Lighting1ModeValue (effect, 0, 0)
};

class LightingRules {
 public:
  static constexpr int kColourButtons = 8;
  static constexpr int kSpeedStops = 3;
  static constexpr int kBrightnessStops = 4;
  // The palette picture's background, which is never picked.
  static constexpr platform::Colour kPaletteBackground = platform::Rgb(0x0F, 0x0F, 0x0F);
  // The two pick areas of the palette picture, in unscaled dialog pixels.
  static constexpr platform::Rect kPickAreas[2] = {{18, 26, 222, 270}, {244, 26, 473, 190}};

  static constexpr std::array<EffectMenuEntry, 3> kEffectMenu = {{{101, 2}, {102, 3}, {109, 0}}};

  // The effect whose parameter set the page edits (limited to 0..9).
  static int CurrentEffect(const ProfileSettings& profile);
  // Entry 0..2 of the effect menu: name and mode; false for another entry or no change.
  static bool ChooseEffect(ProfileSettings& profile, int entry);
  static LightingVisibility VisibilityFor(int effect);

  // Slider positions and direction of the current effect, limited to the sliders' stops.
  static int SpeedPosition(const ProfileSettings& profile);
  static int BrightnessPosition(const ProfileSettings& profile);
  static bool DirectionUp(const ProfileSettings& profile);
  // "1".."3" for the speed; "25%", "50%", "75%", "100%" by brightness position modulo 4.
  static std::u16string SpeedLabel(int position);
  static std::u16string BrightnessLabel(int position);
  // The page collection for the current effect.
  static void Collect(ProfileSettings& profile, int speed, int brightness, bool up);

  struct SlotView {
    platform::Colour colour = 0;
    bool selected = false;
  };
  static SlotView Slot(const ProfileSettings& profile, int slot);

  struct SlotToggle {
    bool toggled = false;
    int message = 0;  // language text to show (caption 150) when a clear was refused
  };
  // A single click on colour slot 0..7: select it, or clear it when the effect allows.
  [[nodiscard]] static SlotToggle ToggleSlot(ProfileSettings& profile, int slot);
  static void SetSlotColour(ProfileSettings& profile, int slot, platform::Colour colour);

  // True inside one of the palette's pick areas (unscaled dialog pixels).
  static bool InPickArea(platform::Point point);
  // The working colour a picked pixel gives: none for the picture's background.
  static std::optional<platform::Colour> PickedColour(platform::Colour pixel);
};
