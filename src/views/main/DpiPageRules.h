#pragma once
// What the DPI page shows for each of the eight levels and what its clicks, its slider and its
// value dialogs store in the profile. Platform-free: the page part applies the results to its
// controls. Register indices come from files and reports, so every index is limited to the
// sensor's table before it is looked up.

#include <cstdint>
#include <string>

#include "platform/Types.h"

struct ProfileSettings;
struct SensorDpiTable;

struct DpiLevelView {
  bool enabled = false;  // bit of the enable mask; the level's button ignores clicks without it
  bool active = false;   // the level the mouse uses now
  int xIndex = 0;        // stored register indices
  int yIndex = 0;
  int sliderPosition = 0;  // X index limited to the table
  std::u16string dpiText;  // DPI of the slider position, empty for an empty table
  platform::Colour colour = 0;
  platform::Colour textColour = 0;
};

class DpiPageRules {
 public:
  static constexpr int kLevels = 8;
  static constexpr platform::Colour kActiveText = platform::Rgb(0xFF, 0x00, 0x00);
  static constexpr platform::Colour kLevelText = platform::Rgb(0xB4, 0xB4, 0xB4);

  // The index the page shows for a stored one: the nearest index of the table (its last for
  // one at or beyond the end, as an edited file or a default level 6/7 of a small sensor may
  // hold); 0 for an empty table.
  static int ShownIndex(const SensorDpiTable& table, int index);
  // "%d" of the DPI of ShownIndex(index); empty for an empty table.
  static std::u16string DpiText(const SensorDpiTable& table, int index);
  static DpiLevelView Level(const ProfileSettings& profile, const SensorDpiTable& table, int level);

  enum class Toggle {
    Refused,  // the only enabled level: its box is checked again and nothing changes
    Changed,
  };
  // Level `level`'s check box now shows `checked`. Clearing the active level moves the active
  // level on to the next enabled one (mask as it was before the click).
  [[nodiscard]] static Toggle ToggleLevel(ProfileSettings& profile, int level, bool checked);
  // Makes an enabled level active; false when it already was (or cannot be).
  [[nodiscard]] static bool SelectLevel(ProfileSettings& profile, int level);
  // The slider changes the X index only; false for an empty table or no change.
  static bool SetSliderIndex(ProfileSettings& profile, const SensorDpiTable& table, int level,
                             int position);
  // Dialog results, limited to the table; false for an empty table.
  static bool ApplySingleDialog(ProfileSettings& profile, const SensorDpiTable& table, int level,
                                int index);
  static bool ApplyXYDialog(ProfileSettings& profile, const SensorDpiTable& table, int level,
                            int xIndex, int yIndex);
  static void SetLevelColour(ProfileSettings& profile, int level, platform::Colour colour);

  static bool ValidLevel(int level) { return level >= 0 && level < kLevels; }
};
