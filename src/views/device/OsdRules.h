#pragma once
// What the on-screen display shows and where, apart from its window: the three lines for the
// current profile, their fonts and their positions (client pixels at scale 1).

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Types.h"

struct ProfileSettings;
struct SensorDpiTable;

// What the display tells: the DPI level with the polling rate (the mouse's buttons), or the
// profile that a program in front brought in.
enum class OsdKind { Dpi, Profile };

struct OsdTexts {
  std::u16string level;  // "DPI-%d"; Profile: the caption
  std::u16string value;  // the level's DPI; Profile: the profile's name
  std::u16string rate;   // "125Hz" .. "8000Hz"; Profile: empty
  OsdKind kind = OsdKind::Dpi;
  friend bool operator==(const OsdTexts&, const OsdTexts&) = default;
};

// A font of the display: character cell height and width, weight.
struct OsdFont {
  int height;
  int width;
  int weight;
};

class OsdRules {
 public:
  static constexpr int kWidth = 180;
  static constexpr int kHeight = 140;
  static constexpr platform::Colour kBackground = 0xA449A4;
  static constexpr platform::Colour kTextColour = 0xFFFFFF;
  static constexpr uint8_t kAlpha = 128;
  static constexpr uint32_t kTickMs = 300;
  static constexpr int kTicks = 5;  // the display goes 6 ticks (1.8 s) after its last update
  static constexpr OsdFont kSmallFont{24, 12, 700};
  static constexpr OsdFont kLargeFont{48, 24, 400};
  static constexpr platform::Point kLevelAt{58, 20};
  static constexpr int kValueTop = 44;
  static constexpr int kRateTop = 92;

  // The lines for the current DPI level (a level above 7 counts as 0) and polling rate.
  [[nodiscard]] static OsdTexts Texts(const ProfileSettings& profile, const SensorDpiTable& table);
  // The profile kind: caption text `captionText` above the profile's name.
  [[nodiscard]] static OsdTexts ProfileTexts(std::u16string_view name, int captionText);
  static constexpr OsdFont kNameFont{28, 0, 700};
  static constexpr int kCaptionTop = 24;
  static constexpr int kNameTop = 60;
  static constexpr int kNameMargin = 8;
  // Rate text of a polling-rate index: 0 "125Hz" .. 5 "4000Hz", anything else "8000Hz".
  [[nodiscard]] static std::u16string RateText(int index);
  // Left edge of the value line: by its length and the font face.
  [[nodiscard]] static int ValueLeft(std::u16string_view value, std::u16string_view face);
  [[nodiscard]] static int RateLeft(std::u16string_view rate);
  // Bottom-right corner of the work area, scaled.
  [[nodiscard]] static platform::Rect Placement(const platform::Rect& workArea, float scale);
};
