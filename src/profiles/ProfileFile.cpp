#include "profiles/ProfileFile.h"

#include <algorithm>

#include "base/FileBackup.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"
#include "profiles/GlobalSettings.h"
#include "profiles/SettingsText.h"

using settings_text::AppendHex2;
using settings_text::AppendHex4;
using settings_text::AppendText;

namespace {

constexpr std::u16string_view kHeader = u"[Setting]";
constexpr size_t kAllActionDigits = MacroRecord::kMaxActions * 8;  // 1472

void AppendDecimal(std::u16string& out, uint32_t value) {
  char16_t digits[10];
  int n = 0;
  do {
    digits[n++] = static_cast<char16_t>(u'0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) out.push_back(digits[--n]);
}

void AppendBytes(std::u16string& out, const std::array<uint8_t, 3>& bytes) {
  for (uint8_t b : bytes) AppendHex2(out, b);
}

void AppendColour(std::u16string& out, platform::Colour colour) {
  AppendHex2(out, platform::RedOf(colour));
  AppendHex2(out, platform::GreenOf(colour));
  AppendHex2(out, platform::BlueOf(colour));
}

// "%.2X|" for the first nine values and "%.2X" for the tenth.
void AppendEffectList(std::u16string& out, const LightingZone::PerEffect<uint8_t>& values) {
  for (int e = 0; e < LightingZone::kEffectCount; ++e) {
    AppendHex2(out, values[e]);
    if (e + 1 < LightingZone::kEffectCount) out.push_back(u'|');
  }
}

// Groups of ten: "|" after the first nine of a group, ";" after the tenth.
template <typename T, typename AppendOne>
void AppendGroups(std::u16string& out, const LightingZone::PerEffectSlot<T>& values,
                  AppendOne appendOne) {
  for (const auto& group : values) {
    for (int slot = 0; slot < LightingZone::kColourSlots; ++slot) {
      appendOne(out, group[slot]);
      out.push_back(slot + 1 < LightingZone::kColourSlots ? u'|' : u';');
    }
  }
}

std::u16string ProfileText(const ProfileSettings& p) {
  std::u16string out;
  out.reserve(16 * 1024);
  out.append(kHeader);
  out.push_back(u'\n');
  for (const SettingPair& pair : p.pairs) {
    AppendText(out, pair.key);
    out.push_back(u'=');
    AppendText(out, pair.value);
    out.push_back(u'\n');
  }

  out.append(u"DPIOffOnFlagValue=");
  AppendHex2(out, p.DPIOffOnFlagValue);
  out.push_back(u'\n');
  for (int d = 1; d <= ProfileSettings::kDpiLevelCount; ++d) {
    out.append(u"\tXYSetting");
    AppendDecimal(out, static_cast<uint32_t>(d));
    out.append(u"ValueX=");
    AppendHex4(out, p.XYSettingValueX[d - 1]);
    out.append(u"\n\tXYSetting");
    AppendDecimal(out, static_cast<uint32_t>(d));
    out.append(u"ValueY=");
    AppendHex4(out, p.XYSettingValueY[d - 1]);
    out.push_back(u'\n');
  }
  out.append(u"\tCurrentDPILevelValue=");
  AppendHex2(out, p.CurrentDPILevelValue);
  out.push_back(u'\n');
  for (int d = 0; d < ProfileSettings::kDpiLevelCount; ++d) {
    out.append(u"\tDPILevelIndication");
    AppendDecimal(out, static_cast<uint32_t>(d));
    out.append(u"Valuer=");  // sic: the key has always been spelt so
    AppendColour(out, p.DPILevelIndication[d]);
    out.push_back(u'\n');
  }
  out.append(u"\tAngleSnapValue=");
  AppendHex2(out, p.AngleSnapValue);
  out.append(u"\n\tLiftDetectionValue=");
  AppendHex2(out, p.LiftDetectionValue);
  out.append(u"\nPollingRateName=");
  AppendText(out, p.PollingRateName);
  out.append(u"\n\tPollingRateValue=");
  AppendBytes(out, p.PollingRateValue);
  out.push_back(u'\n');

  const LightingZone& z = p.lighting;
  out.append(u"Lighting1Name=");
  AppendText(out, z.Lighting1Name);
  out.append(u"\n\tLighting1ModeValue=");
  AppendBytes(out, z.Lighting1ModeValue);
  out.append(u"\n\tLighting1OffOn=");
  AppendHex2(out, z.Lighting1OffOn);
  out.append(u"\n\tLighting1Speed=");
  AppendEffectList(out, z.Lighting1Speed);
  out.append(u"\n\tLighting1Brightness=");
  AppendEffectList(out, z.Lighting1Brightness);
  out.append(u"\n\tLighting1ColorSelected=");
  AppendGroups(out, z.Lighting1ColorSelected,
               [](std::u16string& o, uint8_t v) { AppendHex2(o, v); });
  out.append(u"\n\tLighting1FixedColor=");
  AppendGroups(out, z.Lighting1FixedColor, AppendColour);
  out.append(u"\n\tLighting1Direction=");
  AppendEffectList(out, z.Lighting1Direction);
  out.append(u"\nLighting2Name=");
  AppendText(out, z.Lighting2Name);
  out.append(u"\n\tLighting2ModeValue=");
  AppendBytes(out, z.Lighting2ModeValue);
  out.append(u"\n\tLighting2OffOn=");
  AppendHex2(out, z.Lighting2OffOn);
  out.append(u"\n\tLighting2Speed=");
  AppendHex2(out, z.Lighting2Speed);
  out.append(u"\n\tLighting2Brightness=");
  AppendHex2(out, z.Lighting2Brightness);
  out.append(u"\n\tLighting2FixedColor=");
  AppendColour(out, z.Lighting2FixedColor);
  out.push_back(u'\n');

  for (int k = 0; k < ProfileSettings::kButtonCount; ++k) {
    const ButtonSlot& b = p.buttons[k];
    const auto slot = static_cast<uint32_t>(k);
    out.append(u"Key");
    AppendDecimal(out, slot);
    out.append(u"Name=");
    AppendText(out, b.KeyName);
    out.append(u"\n\tKey");
    AppendDecimal(out, slot);
    out.append(u"URL=");
    AppendText(out, b.KeyURL);
    out.append(u"\n\tKey");
    AppendDecimal(out, slot);
    out.append(u"Value=");
    AppendBytes(out, b.KeyValue);
    out.append(u"\n\tMacroKeyIndex=");
    AppendDecimal(out, b.MacroKeyIndex);
    out.append(u"\n\tMacroKey");
    AppendDecimal(out, slot);
    out.append(u"Name=");
    AppendText(out, b.macro.name);
    out.append(u"\n\t\tMacroActionNum=");
    AppendDecimal(out, b.macro.MacroActionNum);
    out.append(u"\n\t\tAllAction=");
    for (const MacroAction& a : b.macro.actions) {  // all 184 places, whatever the count
      AppendHex2(out, a.b0);
      AppendHex2(out, a.b1);
      AppendHex2(out, a.b2);
      AppendHex2(out, a.b3);
    }
    out.push_back(u'\n');
  }
  return out;
}

// Walks the lines after the text settings. Each line's value starts after its first "=".
class FieldLines {
 public:
  enum class Equals {
    NotFirst,  // "=" at position 1 or later
    NotLast,   // "=" anywhere but as the last character
    Anywhere,
  };

  explicit FieldLines(CStdioFileEx& file) : m_file(file) {}

  // Reads the next line; false at the end of the file or when its "=" breaks the rule.
  [[nodiscard]] bool Next(Equals rule = Equals::NotFirst) {
    if (!m_file.ReadString(m_line)) return false;
    m_eq = m_line.find(u'=');
    if (m_eq == std::u16string::npos) return false;
    switch (rule) {
      case Equals::NotFirst:
        return m_eq >= 1;
      case Equals::NotLast:
        return m_eq + 1 < m_line.size();
      case Equals::Anywhere:
        return true;
    }
    return false;
  }

  // Fixed-width hex fields at a character offset from the start of the value.
  uint8_t Byte(size_t offset = 0) const {
    return static_cast<uint8_t>(settings_text::HexField(m_line, m_eq + 1 + offset, 2));
  }
  uint16_t Word() const {
    return static_cast<uint16_t>(settings_text::HexField(m_line, m_eq + 1, 4));
  }
  std::array<uint8_t, 3> Bytes(size_t offset = 0) const {
    return {Byte(offset), Byte(offset + 2), Byte(offset + 4)};
  }
  platform::Colour Colour(size_t offset = 0) const {
    return platform::Rgb(Byte(offset), Byte(offset + 2), Byte(offset + 4));
  }
  std::u16string_view Value() const { return std::u16string_view(m_line).substr(m_eq + 1); }
  std::u16string Text() const { return std::u16string(Value()); }

 private:
  CStdioFileEx& m_file;
  std::u16string m_line;
  size_t m_eq = 0;
};

using Equals = FieldLines::Equals;

ProfileReadResult ParseFields(FieldLines& in, ProfileSettings& p) {
  constexpr auto kMalformed = ProfileReadResult::Malformed;
  if (!in.Next()) return kMalformed;
  p.DPIOffOnFlagValue = in.Byte();
  for (int level = 0; level < ProfileSettings::kDpiLevelCount; ++level) {
    if (!in.Next()) return kMalformed;
    p.XYSettingValueX[level] = in.Word();
    if (!in.Next()) return kMalformed;
    p.XYSettingValueY[level] = in.Word();
  }
  if (!in.Next()) return kMalformed;
  p.CurrentDPILevelValue = in.Byte();
  for (auto& colour : p.DPILevelIndication) {
    if (!in.Next()) return kMalformed;
    colour = in.Colour();
  }
  if (!in.Next()) return kMalformed;
  p.AngleSnapValue = in.Byte();
  if (!in.Next()) return kMalformed;
  p.LiftDetectionValue = in.Byte();
  if (!in.Next()) return kMalformed;
  p.PollingRateName = in.Text();
  if (!in.Next()) return kMalformed;
  p.PollingRateValue = in.Bytes();

  LightingZone& z = p.lighting;
  if (!in.Next()) return kMalformed;
  z.Lighting1Name = in.Text();
  if (!in.Next()) return kMalformed;
  z.Lighting1ModeValue = in.Bytes();
  if (!in.Next()) return kMalformed;
  z.Lighting1OffOn = in.Byte();
  for (auto* list : {&z.Lighting1Speed, &z.Lighting1Brightness}) {
    if (!in.Next()) return kMalformed;
    for (size_t e = 0; e < list->size(); ++e) (*list)[e] = in.Byte(3 * e);
  }
  if (!in.Next()) return kMalformed;
  for (size_t n = 0; n < LightingZone::kEffectCount * LightingZone::kColourSlots; ++n) {
    z.Lighting1ColorSelected[n / 10][n % 10] = in.Byte(3 * n);
  }
  if (!in.Next()) return kMalformed;
  for (size_t n = 0; n < LightingZone::kEffectCount * LightingZone::kColourSlots; ++n) {
    z.Lighting1FixedColor[n / 10][n % 10] = in.Colour(7 * n);
  }
  if (!in.Next()) return kMalformed;
  for (size_t e = 0; e < z.Lighting1Direction.size(); ++e) z.Lighting1Direction[e] = in.Byte(3 * e);
  if (!in.Next()) return kMalformed;
  z.Lighting2Name = in.Text();
  if (!in.Next()) return kMalformed;
  z.Lighting2ModeValue = in.Bytes();
  if (!in.Next()) return kMalformed;
  z.Lighting2OffOn = in.Byte();
  if (!in.Next()) return kMalformed;
  z.Lighting2Speed = in.Byte();
  if (!in.Next()) return kMalformed;
  z.Lighting2Brightness = in.Byte();
  if (!in.Next()) return kMalformed;
  z.Lighting2FixedColor = in.Colour();

  for (ButtonSlot& b : p.buttons) {
    if (!in.Next()) return kMalformed;
    b.KeyName = in.Text();
    if (!in.Next()) return kMalformed;
    b.KeyURL = in.Text();
    if (!in.Next()) return kMalformed;
    b.KeyValue = in.Bytes();
    if (!in.Next(Equals::NotLast)) return kMalformed;
    b.MacroKeyIndex = static_cast<uint32_t>(base::ParseLong(in.Value(), 10));
    if (!in.Next(Equals::Anywhere)) return kMalformed;
    b.macro.name = in.Text();
    if (!in.Next(Equals::NotLast)) return kMalformed;
    // The count comes from the file and bounds every loop over the 184 action places.
    b.macro.MacroActionNum = static_cast<uint32_t>(
        std::clamp<int64_t>(base::ParseLong(in.Value(), 10), 0, MacroRecord::kMaxActions));
    if (!in.Next()) return kMalformed;
    const std::u16string_view digits = in.Value();
    if (digits.size() != kAllActionDigits) return kMalformed;
    for (size_t n = 0; n < MacroRecord::kMaxActions; ++n) {
      const std::u16string_view action = digits.substr(8 * n, 8);
      MacroAction& a = b.macro.actions[n];
      a.b0 = static_cast<uint8_t>(settings_text::HexField(action, 0, 2));
      a.b1 = static_cast<uint8_t>(settings_text::HexField(action, 2, 2));
      a.b2 = static_cast<uint8_t>(settings_text::HexField(action, 4, 2));
      a.b3 = static_cast<uint8_t>(settings_text::HexField(action, 6, 2));
    }
  }
  // Lines after the last button are ignored.
  return ProfileReadResult::Ok;
}

}  // namespace

bool WriteProfileFile(const ProfileSettings& profile, std::u16string_view path) {
  if (path.empty()) return false;  // a slot whose config.ini line names no file
  CStdioFileEx file;
  if (!file.Open(path, CStdioFileEx::kWriteFlags)) return false;
  file.WriteString(ProfileText(profile));
  return file.Close();
}

ProfileReadResult ParseProfileFile(std::u16string_view path, ProfileSettings& profile) {
  CStdioFileEx file;
  if (!file.Open(path, CStdioFileEx::kReadFlags)) return ProfileReadResult::CannotOpen;
  std::u16string line;
  if (!file.ReadString(line) || line != kHeader) return ProfileReadResult::Malformed;
  for (SettingPair& pair : profile.pairs) {
    if (!file.ReadString(line)) return ProfileReadResult::Malformed;
    const size_t eq = line.find(u'=');
    if (eq == std::u16string::npos || eq == 0) return ProfileReadResult::Malformed;
    pair.key = line.substr(0, eq);
    pair.value = line.substr(eq + 1);
  }
  FieldLines fields(file);
  return ParseFields(fields, profile);
}

bool ReadProfileFile(ProfileStore& store, const GlobalSettings& settings, int slot,
                     std::u16string_view path) {
  ProfileSettings* target = store.At(slot);
  if (!target) return false;
  ProfileSettings scratch = *target;
  if (ParseProfileFile(path, scratch) == ProfileReadResult::Ok) {
    *target = std::move(scratch);
    return true;
  }
  ResetProfileToDefaults(*target, slot, settings.SensorId());
  const std::u16string& own = settings.ProfileSlotPath(slot);
  // What stands at the slot's path is either the file that just failed or a profile the user
  // still has: keep it before the defaults replace it.
  if (base::KeepBackup(own)) (void)WriteProfileFile(*target, own);
  return false;
}

bool SaveAllProfiles(const ProfileStore& store, const GlobalSettings& settings) {
  bool ok = true;
  for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
    ok = WriteProfileFile(store.profiles[slot], settings.ProfileSlotPath(slot)) && ok;
  }
  return ok;
}
