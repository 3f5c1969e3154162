#include "cli/SettingCatalog.h"

#include <algorithm>
#include <optional>

#include "base/Format.h"
#include "base/Language.h"
#include "base/Text.h"
#include "cli/DataFolder.h"
#include "device/DeviceModel.h"
#include "device/SettingsWriter.h"
#include "device/StatusEvents.h"
#include "profiles/PollingRate.h"
#include "profiles/ProfileSettings.h"
#include "profiles/SensorDpiTable.h"

namespace {

using Key = SettingCatalog::Key;
using SC = SettingCatalog;

constexpr SettingCatalog::Entry kEntries[] = {
    {Key::Dpi, "dpi", "<level 1-8> <DPI>  or  <level> <X-DPI>x<Y-DPI>",
     "DPI of each level (X and Y)", SC::kDpiLevels},
    {Key::DpiLevels, "dpi-levels", "<levels, e.g. 1,2,3 or 1-4>", "the levels that are on",
     SC::kDpiLevels},
    {Key::DpiLevel, "dpi-level", "<level 1-8>", "the current level", SC::kDpiLevels},
    {Key::DpiColour, "dpi-colour", "<level 1-8> <RRGGBB>", "indicator colour of each level",
     SC::kDpiColours},
    {Key::Polling, "polling", "<125|250|500|1000|2000|4000|8000>", "polling rate in Hz",
     SC::kPolling},
    {Key::LiftOff, "lift-off", "<low|high>  (1 mm or 2 mm)", "lift-off distance", SC::kLiftOff},
    {Key::Debounce, "debounce", "<0-30>", "button debounce time in ms", SC::kDebounce},
    {Key::PowerDown, "power-down", "<1-8>", "sleep level (power saving)", SC::kPower},
    {Key::MotionWakeup, "motion-wakeup", "<on|off>", "wake on motion", SC::kPower},
    {Key::LightsOffMoving, "lights-off-moving", "<on|off>", "lights off while moving", SC::kPower},
    {Key::AngleSnap, "angle-snap", "<on|off>", "angle snapping", SC::kSensor},
    {Key::MotionSync, "motion-sync", "<on|off>", "motion sync", SC::kSensor},
    {Key::RippleControl, "ripple-control", "<on|off>", "ripple control", SC::kSensor},
    {Key::LightingEffect, "lighting-effect", "<0-9 or a name: off, breathing, steady, neon>",
     "lighting effect", SC::kLighting},
    {Key::LightingBrightness, "lighting-brightness", "<25|50|75|100>",
     "brightness of the current effect, in %", SC::kLighting},
    {Key::LightingSpeed, "lighting-speed", "<1-3>", "speed of the current effect", SC::kLighting},
    {Key::LightingDirection, "lighting-direction", "<up|down>", "direction of the light",
     SC::kLighting},
    {Key::LightingColour, "lighting-colour", "<slot 1-10> <RRGGBB>",
     "colours of the current effect (kept in the profile; the mouse does not take them)",
     SC::kNone},
    {Key::Buttons, "buttons", "", "button functions (change them with: button N FUNCTION)",
     SC::kNone},
};

constexpr int kMaxDebounce = 30;
constexpr int kPowerSteps = 8;
constexpr int kSpeeds = 3;
constexpr int kBrightnessPercent[] = {25, 50, 75, 100};
constexpr int kEffectNameTexts[] = {109, 101, 102, 103};  // named effects 0, 2, 3, 4
constexpr uint8_t kNamedEffects[] = {0, 2, 3, 4};
// Lighting1Direction of this effect is the one the mouse receives.
constexpr int kDirectionEffect = 1;

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::optional<bool> OnOff(std::string_view text) {
  const std::string t = Lower(text);
  if (t == "on" || t == "1" || t == "yes" || t == "true") return true;
  if (t == "off" || t == "0" || t == "no" || t == "false") return false;
  return std::nullopt;
}

std::optional<platform::Colour> Colour(std::string_view text) {
  if (!text.empty() && text[0] == '#') text.remove_prefix(1);
  if (text.size() != 6) return std::nullopt;
  const auto value = base::ParseStrict(text, 0, 0xFFFFFF, 16);
  if (!value) return std::nullopt;
  const auto rgb = static_cast<uint32_t>(*value);
  return platform::Rgb(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                       static_cast<uint8_t>(rgb));
}

std::string ColourText(platform::Colour c) {
  return base::ToUtf8(
      base::Format(u"%.2X%.2X%.2X", platform::RedOf(c), platform::GreenOf(c), platform::BlueOf(c)));
}

// "1,2,5-8" -> mask; nothing for anything else.
std::optional<uint8_t> LevelMask(std::string_view text) {
  uint8_t mask = 0;
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const std::string_view part = text.substr(0, comma);
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    const size_t dash = part.find('-');
    const auto first = base::ParseStrictInt(part.substr(0, dash), 1, 8);
    const auto last =
        dash == std::string_view::npos ? first : base::ParseStrictInt(part.substr(dash + 1), 1, 8);
    if (!first || !last || *last < *first) return std::nullopt;
    for (int level = *first; level <= *last; ++level)
      mask |= static_cast<uint8_t>(1 << (level - 1));
  }
  return mask == 0 ? std::nullopt : std::optional<uint8_t>(mask);
}

std::string LevelList(uint8_t mask) {
  std::string out;
  for (int level = 0; level < 8; ++level) {
    if (!(mask & (1 << level))) continue;
    if (!out.empty()) out += ',';
    out += std::to_string(level + 1);
  }
  return out;
}

// The first register index of the table with exactly this DPI.
std::optional<uint16_t> IndexOfDpi(const SensorDpiTable& table, int dpi) {
  for (int i = 0; i < table.count; ++i) {
    if (DpiOf(table, i) == dpi) return static_cast<uint16_t>(i);
  }
  return std::nullopt;
}

JsonWriter DpiJson(const SensorDpiTable& table, int index) {
  const int dpi = DpiOf(table, index);
  return dpi > 0 ? JsonWriter::Int(dpi) : JsonWriter();
}

std::string DpiText(const SensorDpiTable& table, int index) {
  const int dpi = DpiOf(table, index);
  return dpi > 0 ? std::to_string(dpi) : "-";
}

std::string OnOffText(bool on) {
  return on ? "on" : "off";
}

std::string EffectName(DataFolder& data, uint8_t effect) {
  return base::ToUtf8(data.EnglishText(StatusEvents::LightingNameText(effect)));
}

SettingCatalog::Value Bool(bool on) {
  return {OnOffText(on), JsonWriter::Bool(on)};
}

std::variant<SC::Edit, std::string> BoolEdit(std::span<const std::string> words,
                                             TextSetting setting) {
  const auto on = words.size() == 1 ? OnOff(words[0]) : std::nullopt;
  if (!on) return std::string("expects on or off");
  return SC::Edit{[setting, v = *on](ProfileSettings& p) { p.SetBool(setting, v ? 1 : 0); }};
}

SC::Value GetDpiSetting(Key key, const ProfileSettings& p, const SensorDpiTable& table) {
  switch (key) {
    case Key::Dpi: {
      SC::Value v{"", JsonWriter::Array()};
      for (int level = 0; level < ProfileSettings::kDpiLevelCount; ++level) {
        const int x = p.XYSettingValueX[level];
        const int y = p.XYSettingValueY[level];
        std::string text = std::to_string(level + 1) + ":" + DpiText(table, x);
        if (DpiOf(table, x) != DpiOf(table, y)) {
          text += 'x';
          text += DpiText(table, y);
        }
        v.text += (level ? " " : "") + text;
        v.json.Add(JsonWriter::Object()
                       .Set("level", JsonWriter::Int(level + 1))
                       .Set("x", DpiJson(table, x))
                       .Set("y", DpiJson(table, y)));
      }
      return v;
    }
    case Key::DpiLevels: {
      SC::Value v{LevelList(p.DPIOffOnFlagValue), JsonWriter::Array()};
      for (int level = 0; level < 8; ++level) {
        if (p.DPIOffOnFlagValue & (1 << level)) v.json.Add(JsonWriter::Int(level + 1));
      }
      return v;
    }
    case Key::DpiLevel: {
      const int level = p.ActiveDpiLevel();
      return {std::to_string(level + 1) + " (" +
                  DpiText(table, p.XYSettingValueX[static_cast<size_t>(level)]) + " DPI)",
              JsonWriter::Int(level + 1)};
    }
    case Key::DpiColour: {
      SC::Value v{"", JsonWriter::Array()};
      for (int level = 0; level < 8; ++level) {
        const std::string c = ColourText(p.DPILevelIndication[static_cast<size_t>(level)]);
        if (level) v.text += ' ';
        v.text += std::to_string(level + 1) + ":" + c;
        v.json.Add(JsonWriter::Text("0x" + c));
      }
      return v;
    }
    default:
      break;
  }
  return {};
}

SC::Value GetOption(Key key, const ProfileSettings& p) {
  switch (key) {
    case Key::Polling: {
      const int hz = SC::PollingHz(p.PollingRateValue[0]);
      return {std::to_string(hz) + " Hz", JsonWriter::Int(hz)};
    }
    case Key::LiftOff: {
      // Anything but 1 reaches the mouse as 2.
      const bool low = p.Int(TextSetting::LiftDetectionHeight) == 1;
      return {low ? "low (1 mm)" : "high (2 mm)", JsonWriter::Text(low ? "low" : "high")};
    }
    case Key::Debounce: {
      const int ms = p.Int(TextSetting::KeyDebounce);
      return {std::to_string(ms) + " ms", JsonWriter::Int(ms)};
    }
    case Key::PowerDown: {
      const int level = p.Int(TextSetting::PowerDownTime);
      return {std::to_string(level) + " of 8", JsonWriter::Int(level)};
    }
    case Key::MotionWakeup:
      return Bool(p.Int(TextSetting::MotionWakeup) == 1);
    case Key::LightsOffMoving:
      return Bool(p.Int(TextSetting::MoveLightingOnOffMode) == 1);
    case Key::AngleSnap:
      return Bool(p.Int(TextSetting::AngleSnap) == 1);
    case Key::MotionSync:
      return Bool(p.Int(TextSetting::MotionSync) == 1);
    case Key::RippleControl:
      return Bool(p.Int(TextSetting::RippleControl) == 1);
    default:
      break;
  }
  return {};
}

SC::Value GetLighting(Key key, const ProfileSettings& p) {
  const LightingZone& light = p.lighting;
  const int effect = light.CurrentEffect();
  switch (key) {
    case Key::LightingEffect: {
      const uint8_t mode = light.Lighting1ModeValue[0];
      return {std::to_string(mode) + " (" + base::ToUtf8(light.Lighting1Name) + ")",
              JsonWriter::Object()
                  .Set("effect", JsonWriter::Int(mode))
                  .Set("name", JsonWriter::Text(light.Lighting1Name))};
    }
    case Key::LightingBrightness: {
      const int percent = kBrightnessPercent[std::min<int>(light.Lighting1Brightness[effect], 3)];
      return {std::to_string(percent) + " %", JsonWriter::Int(percent)};
    }
    case Key::LightingSpeed: {
      const int speed = light.Lighting1Speed[effect] + 1;
      return {std::to_string(speed), JsonWriter::Int(speed)};
    }
    case Key::LightingDirection: {
      const bool up = light.Lighting1Direction[kDirectionEffect] != 0;
      return {up ? "up" : "down", JsonWriter::Text(up ? "up" : "down")};
    }
    case Key::LightingColour: {
      SC::Value v{"", JsonWriter::Array()};
      for (int slot = 0; slot < LightingZone::kColourSlots; ++slot) {
        const std::string c = ColourText(light.Lighting1FixedColor[effect][slot]);
        const bool used = light.Lighting1ColorSelected[effect][slot] != 0;
        if (slot) v.text += ' ';
        v.text += std::to_string(slot + 1) + ":" + (used ? c : "(" + c + ")");
        v.json.Add(JsonWriter::Object()
                       .Set("colour", JsonWriter::Text("0x" + c))
                       .Set("used", JsonWriter::Bool(used)));
      }
      return v;
    }
    default:
      break;
  }
  return {};
}

SC::Value GetButtons(const ProfileSettings& p) {
  SC::Value v{"", JsonWriter::Array()};
  for (int b = 0; b < ProfileSettings::kButtonCount; ++b) {
    const ButtonSlot& slot = p.buttons[static_cast<size_t>(b)];
    const std::string code = base::ToUtf8(
        base::Format(u"%.2X %.2X %.2X", slot.KeyValue[0], slot.KeyValue[1], slot.KeyValue[2]));
    if (b) v.text += '\n';
    v.text += std::to_string(b + 1) + ": " + base::ToUtf8(slot.KeyName) + " (" + code + ")";
    JsonWriter button =
        JsonWriter::Object()
            .Set("button", JsonWriter::Int(b + 1))
            .Set("name", JsonWriter::Text(slot.KeyName))
            .Set("code",
                 JsonWriter::Text(base::ToUtf8(base::Format(u"0x%.2X%.2X%.2X", slot.KeyValue[0],
                                                            slot.KeyValue[1], slot.KeyValue[2]))));
    if (!slot.KeyURL.empty()) button.Set("url", JsonWriter::Text(slot.KeyURL));
    v.json.Add(std::move(button));
  }
  return v;
}

// "2 1600" or "2 1600x800": a level and a DPI value of the sensor's table.
std::variant<SC::Edit, std::string> CheckDpi(std::span<const std::string> words,
                                             const SensorDpiTable& table) {
  if (words.size() != 2) return std::string("expects a level and a DPI value");
  const auto l = base::ParseStrictInt(words[0], 1, 8);
  if (!l) return std::string("level must be 1 to 8");
  if (table.count == 0) return std::string("the mouse's sensor has no DPI table");
  const std::string value = Lower(words[1]);
  const size_t x = value.find('x');
  const auto dpiX = base::ParseStrictInt(std::string_view(value).substr(0, x), 1, 1000000);
  const auto dpiY = x == std::string::npos
                        ? dpiX
                        : base::ParseStrictInt(std::string_view(value).substr(x + 1), 1, 1000000);
  if (x != std::string::npos && !table.separateXY && dpiX != dpiY) {
    return std::string("this sensor takes one DPI value for X and Y");
  }
  const auto ix = dpiX ? IndexOfDpi(table, *dpiX) : std::nullopt;
  const auto iy = dpiY ? IndexOfDpi(table, *dpiY) : std::nullopt;
  if (!ix || !iy) return "DPI must be one of " + SC::DpiChoices(table);
  return SC::Edit{[lv = *l - 1, xi = *ix, yi = *iy](ProfileSettings& q) {
    q.XYSettingValueX[static_cast<size_t>(lv)] = xi;
    q.XYSettingValueY[static_cast<size_t>(lv)] = yi;
  }};
}

std::variant<SC::Edit, std::string> CheckDpiSetting(Key key, std::span<const std::string> words,
                                                    const ProfileSettings& p,
                                                    const SensorDpiTable& table) {
  auto level = [](std::string_view w) { return base::ParseStrictInt(w, 1, 8); };
  switch (key) {
    case Key::Dpi:
      return CheckDpi(words, table);
    case Key::DpiLevels: {
      const auto mask = words.size() == 1 ? LevelMask(words[0]) : std::nullopt;
      if (!mask) return std::string("expects levels 1 to 8, e.g. 1,2,3 or 1-4 (at least one)");
      return SC::Edit{[m = *mask](ProfileSettings& q) {
        q.DPIOffOnFlagValue = m;
        // The current level must stay on: it moves on to the next level that is, as on the
        // main page.
        int current = q.ActiveDpiLevel();
        for (int i = 0; i < 8 && !(m & (1 << current)); ++i) current = (current + 1) % 8;
        q.CurrentDPILevelValue = static_cast<uint8_t>(current);
      }};
    }
    case Key::DpiLevel: {
      const auto l = words.size() == 1 ? level(words[0]) : std::nullopt;
      if (!l) return std::string("level must be 1 to 8");
      if (!(p.DPIOffOnFlagValue & (1 << (*l - 1)))) {
        return "level " + std::to_string(*l) +
               " is off; the levels that are on: " + LevelList(p.DPIOffOnFlagValue);
      }
      return SC::Edit{
          [lv = *l - 1](ProfileSettings& q) { q.CurrentDPILevelValue = static_cast<uint8_t>(lv); }};
    }
    case Key::DpiColour: {
      if (words.size() != 2) return std::string("expects a level and a colour RRGGBB");
      const auto l = level(words[0]);
      const auto c = Colour(words[1]);
      if (!l) return std::string("level must be 1 to 8");
      if (!c) return std::string("colour must be six hex digits RRGGBB, e.g. FF8000");
      return SC::Edit{[lv = *l - 1, colour = *c](ProfileSettings& q) {
        q.DPILevelIndication[static_cast<size_t>(lv)] = colour;
      }};
    }
    default:
      break;
  }
  return std::string("cannot be set");
}

std::variant<SC::Edit, std::string> CheckOption(Key key, std::span<const std::string> words) {
  switch (key) {
    case Key::Polling: {
      std::string value = words.size() == 1 ? Lower(words[0]) : std::string();
      if (value.size() > 2 && value.substr(value.size() - 2) == "hz")
        value.resize(value.size() - 2);
      const auto hz = base::ParseStrictInt(value, 1, 1000000);
      const auto& rows = PollingRate::kRows;
      const auto found = std::find_if(rows.begin(), rows.end(), [&](const PollingRate::Row& row) {
        return hz && row.hertz == *hz;
      });
      if (found == rows.end()) return "must be " + SC::PollingChoices(PollingRate::kHighestIndex);
      const auto index = static_cast<uint8_t>(found - rows.begin());
      SC::Edit edit{[index](ProfileSettings& q) {
        q.PollingRateValue = {index, 0, 0};
        q.PollingRateName = PollingRate::Name(index);
      }};
      edit.pollingIndex = index;
      return edit;
    }
    case Key::LiftOff: {
      const std::string v = words.size() == 1 ? Lower(words[0]) : std::string();
      const int height = v == "low" || v == "1" ? 1 : v == "high" || v == "2" ? 2 : 0;
      if (height == 0) return std::string("expects low (1 mm) or high (2 mm)");
      return SC::Edit{
          [height](ProfileSettings& q) { q.SetInt(TextSetting::LiftDetectionHeight, height); }};
    }
    case Key::Debounce: {
      std::string value = words.size() == 1 ? Lower(words[0]) : std::string();
      if (value.size() > 2 && value.substr(value.size() - 2) == "ms")
        value.resize(value.size() - 2);
      const auto ms = base::ParseStrictInt(value, 0, kMaxDebounce);
      if (!ms) return std::string("must be 0 to 30 (ms)");
      return SC::Edit{[v = *ms](ProfileSettings& q) { q.SetInt(TextSetting::KeyDebounce, v); }};
    }
    case Key::PowerDown: {
      const auto v =
          words.size() == 1 ? base::ParseStrictInt(words[0], 1, kPowerSteps) : std::nullopt;
      if (!v) return std::string("must be 1 to 8");
      return SC::Edit{[v = *v](ProfileSettings& q) { q.SetInt(TextSetting::PowerDownTime, v); }};
    }
    case Key::MotionWakeup:
      return BoolEdit(words, TextSetting::MotionWakeup);
    case Key::LightsOffMoving:
      return BoolEdit(words, TextSetting::MoveLightingOnOffMode);
    case Key::AngleSnap:
      return BoolEdit(words, TextSetting::AngleSnap);
    case Key::MotionSync:
      return BoolEdit(words, TextSetting::MotionSync);
    case Key::RippleControl:
      return BoolEdit(words, TextSetting::RippleControl);
    default:
      break;
  }
  return std::string("cannot be set");
}

std::variant<SC::Edit, std::string> CheckEffect(std::span<const std::string> words,
                                                DataFolder& data) {
  if (words.size() != 1) return std::string("expects one effect");
  std::optional<int> effect = base::ParseStrictInt(words[0], 0, LightingZone::kEffectCount - 1);
  const std::string typed = Lower(words[0]);
  for (size_t i = 0; !effect && i < std::size(kNamedEffects); ++i) {
    const int text = kEffectNameTexts[i];
    if (typed == Lower(base::ToUtf8(data.EnglishText(text))) ||
        typed == Lower(base::ToUtf8(LangText(text)))) {
      effect = kNamedEffects[i];
    }
  }
  if (!effect) {
    std::string names;
    for (size_t i = 0; i < std::size(kNamedEffects); ++i) {
      names += ", " + Lower(EffectName(data, kNamedEffects[i])) + " (" +
               std::to_string(kNamedEffects[i]) + ")";
    }
    return "must be 0 to 9 or a name" + names;
  }
  return SC::Edit{[e = static_cast<uint8_t>(*effect)](ProfileSettings& q) {
    q.lighting.Lighting1ModeValue = {e, 0, 0};
    q.lighting.Lighting1Name = LangText(StatusEvents::LightingNameText(e));
  }};
}

std::variant<SC::Edit, std::string> CheckLighting(Key key, std::span<const std::string> words) {
  switch (key) {
    case Key::LightingBrightness: {
      std::string value = words.size() == 1 ? words[0] : std::string();
      if (!value.empty() && value.back() == '%') value.pop_back();
      const auto percent = base::ParseStrictInt(value, 0, 100);
      const int* found = percent ? std::find(std::begin(kBrightnessPercent),
                                             std::end(kBrightnessPercent), *percent)
                                 : std::end(kBrightnessPercent);
      if (found == std::end(kBrightnessPercent)) return std::string("must be 25, 50, 75 or 100");
      return SC::Edit{
          [b = static_cast<uint8_t>(found - std::begin(kBrightnessPercent))](ProfileSettings& q) {
            q.lighting.Lighting1Brightness[static_cast<size_t>(q.lighting.CurrentEffect())] = b;
          }};
    }
    case Key::LightingSpeed: {
      const auto v = words.size() == 1 ? base::ParseStrictInt(words[0], 1, kSpeeds) : std::nullopt;
      if (!v) return std::string("must be 1, 2 or 3");
      return SC::Edit{[s = static_cast<uint8_t>(*v - 1)](ProfileSettings& q) {
        q.lighting.Lighting1Speed[static_cast<size_t>(q.lighting.CurrentEffect())] = s;
      }};
    }
    case Key::LightingDirection: {
      const std::string v = words.size() == 1 ? Lower(words[0]) : std::string();
      if (v != "up" && v != "down") return std::string("must be up or down");
      return SC::Edit{[up = v == "up"](ProfileSettings& q) {
        q.lighting.Lighting1Direction[kDirectionEffect] = up ? 1 : 0;
      }};
    }
    case Key::LightingColour: {
      if (words.size() != 2) return std::string("expects a slot and a colour RRGGBB");
      const auto slot = base::ParseStrictInt(words[0], 1, LightingZone::kColourSlots);
      const auto c = Colour(words[1]);
      if (!slot) return std::string("slot must be 1 to 10");
      if (!c) return std::string("colour must be six hex digits RRGGBB, e.g. FF8000");
      return SC::Edit{[s = *slot - 1, colour = *c](ProfileSettings& q) {
        q.lighting.Lighting1FixedColor[static_cast<size_t>(q.lighting.CurrentEffect())]
                                      [static_cast<size_t>(s)] = colour;
      }};
    }
    default:
      break;
  }
  return std::string("cannot be set");
}

}  // namespace

std::span<const SettingCatalog::Entry> SettingCatalog::Entries() {
  return kEntries;
}

const SettingCatalog::Entry* SettingCatalog::Find(std::string_view name) {
  const std::string wanted = Lower(name);
  for (const Entry& e : kEntries) {
    if (e.name == wanted) return &e;
  }
  // The spelling of the other side of the ocean.
  if (wanted == "dpi-color") return Find("dpi-colour");
  if (wanted == "lighting-color") return Find("lighting-colour");
  return nullptr;
}

std::string SettingCatalog::Names() {
  std::string out;
  for (const Entry& e : kEntries) out += (out.empty() ? "" : ", ") + std::string(e.name);
  return out;
}

int SettingCatalog::PollingHz(int index) {
  return PollingRate::Hertz(
      static_cast<uint8_t>(std::clamp<int>(index, 0, PollingRate::kHighestIndex)));
}

int SettingCatalog::MaxPollingIndex(int pollingClass) {
  switch (pollingClass) {
    case 0x31:
      return 1;
    case 0x30:
      return -1;
    default:
      return PollingRate::HighestIndexForClass(pollingClass);
  }
}

std::string SettingCatalog::PollingChoices(int maxIndex) {
  if (maxIndex < 0) return "no rate";
  std::string out;
  for (int i = 0; i <= maxIndex; ++i) {
    if (i > 0) out += i == maxIndex ? " or " : ", ";
    out += std::to_string(PollingHz(i));
  }
  return out + " Hz";
}

std::string SettingCatalog::DpiChoices(const SensorDpiTable& table) {
  std::string out;
  int i = 0;
  while (i < table.count) {
    const int first = DpiOf(table, i);
    int j = i;
    int step = 0;
    if (i + 1 < table.count) step = DpiOf(table, i + 1) - first;
    while (step > 0 && j + 1 < table.count && DpiOf(table, j + 1) - DpiOf(table, j) == step) ++j;
    if (!out.empty()) out += ", ";
    if (j - i >= 2) {
      out += std::to_string(first) + ".." + std::to_string(DpiOf(table, j)) + " in steps of " +
             std::to_string(step);
      i = j + 1;
    } else {
      out += std::to_string(first);
      ++i;
    }
  }
  return out.empty() ? "none (the sensor is not known)" : out;
}

SettingCatalog::Value SettingCatalog::Get(Key key, DataFolder& data) {
  const ProfileSettings& p = data.Current();
  if (key <= Key::DpiColour) return GetDpiSetting(key, p, data.table);
  if (key <= Key::RippleControl) return GetOption(key, p);
  if (key <= Key::LightingColour) return GetLighting(key, p);
  return GetButtons(p);
}

std::variant<SettingCatalog::Edit, std::string> SettingCatalog::Check(
    const Entry& entry, std::span<const std::string> words, DataFolder& data) {
  const Key key = entry.key;
  if (key <= Key::DpiColour) return CheckDpiSetting(key, words, data.Current(), data.table);
  if (key <= Key::RippleControl) return CheckOption(key, words);
  if (key == Key::LightingEffect) return CheckEffect(words, data);
  if (key <= Key::LightingColour) return CheckLighting(key, words);
  return std::string("is changed with: vantrelctl button <1-6> <function>");
}

std::string SettingCatalog::JsonKey(const Entry& entry) {
  std::string key(entry.name);
  for (char& c : key) {
    if (c == '-') c = '_';
  }
  return key;
}

std::vector<SettingCatalog::Packet> SettingCatalog::Packets(uint32_t commands,
                                                            const DeviceModel& model) {
  using W = SettingsWriter;
  auto bytes = [](const auto& payload) {
    return std::vector<uint8_t>(payload.begin(), payload.end());
  };
  std::vector<Packet> packets;
  const uint8_t single = W::kSinglePacket;
  if (commands & kDpiLevels) {
    const W::DpiCopy dpi = W::BuildDpi(model);
    packets.push_back({W::kDpiLevels, W::kDpiPacketX, bytes(W::DpiPacket(dpi, false)), 32});
    packets.push_back({W::kDpiLevels, W::kDpiPacketY, bytes(W::DpiPacket(dpi, true)), 32});
  }
  if (commands & kDpiColours)
    packets.push_back({W::kDpiColours, single, bytes(W::BuildColours(model)), 32});
  if (commands & kPolling) {
    packets.push_back({W::kPolling, single, {PollingRate::Code(model.PollingIndex())}, 32});
  }
  if (commands & kLiftOff) {
    packets.push_back({W::kLiftOff,
                       single,
                       {W::LiftOffCode(model.PairValue(DeviceModel::LiftDetectionHeight))},
                       32});
  }
  if (commands & kDebounce) {
    packets.push_back(
        {W::kDebounce, single, {W::DebounceCode(model.PairValue(DeviceModel::KeyDebounce))}, 32});
  }
  if (commands & kLighting) {
    packets.push_back(
        {W::kLighting, single, bytes(W::BuildLighting(model)), W::kLightingSendLength});
  }
  if (commands & kPower) packets.push_back({W::kPower, single, bytes(W::BuildPower(model)), 32});
  if (commands & kSensor) {
    packets.push_back({W::kSensorOptions, single, bytes(W::BuildSensorOptions(model)), 32});
  }
  return packets;
}
