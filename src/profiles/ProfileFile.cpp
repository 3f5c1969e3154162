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
using settings_text::HexField;

namespace {

constexpr std::u16string_view kHeader = u"[Setting]";
constexpr size_t kAllActionDigits = MacroRecord::kMaxActions * 8;  // 1472
// Characters per entry of the list values: "XX|" and "RRGGBB|" (";" closes a colour group).
constexpr size_t kByteStride = 3;
constexpr size_t kColourStride = 7;

// The key of a line up to its "=": `prefix`, the number when there is one, `suffix`.
struct FieldKey {
  std::u16string_view prefix;
  int number = -1;
  std::u16string_view suffix = {};
};

// Where the first "=" of a line may stand for the reader to take it.
enum class Equals {
  NotFirst,  // at position 1 or later
  NotLast,   // anywhere but as the last character
  Anywhere,
};

// The profile file as one list of lines in file order: each call names a line's key, how its
// value is spelt and the field it holds. The writer and the reader both walk this list, so a
// field added, moved or renamed here changes both alike.
template <typename Profile, typename Fields>
void ForEachField(Profile& p, Fields& f) {
  f.Header(kHeader);
  f.Pairs(p.pairs);

  f.Hex2({u"DPIOffOnFlagValue"}, p.DPIOffOnFlagValue);
  for (int d = 0; d < ProfileSettings::kDpiLevelCount; ++d) {
    f.Hex4({u"\tXYSetting", d + 1, u"ValueX"}, p.XYSettingValueX[d]);
    f.Hex4({u"\tXYSetting", d + 1, u"ValueY"}, p.XYSettingValueY[d]);
  }
  f.Hex2({u"\tCurrentDPILevelValue"}, p.CurrentDPILevelValue);
  for (int d = 0; d < ProfileSettings::kDpiLevelCount; ++d) {
    // sic: the key has always been spelt so
    f.Colour({u"\tDPILevelIndication", d, u"Valuer"}, p.DPILevelIndication[d]);
  }
  f.Hex2({u"\tAngleSnapValue"}, p.AngleSnapValue);
  f.Hex2({u"\tLiftDetectionValue"}, p.LiftDetectionValue);
  f.Text({u"PollingRateName"}, p.PollingRateName);
  f.Bytes({u"\tPollingRateValue"}, p.PollingRateValue);

  auto& z = p.lighting;
  f.Text({u"Lighting1Name"}, z.Lighting1Name);
  f.Bytes({u"\tLighting1ModeValue"}, z.Lighting1ModeValue);
  f.Hex2({u"\tLighting1OffOn"}, z.Lighting1OffOn);
  f.EffectList({u"\tLighting1Speed"}, z.Lighting1Speed);
  f.EffectList({u"\tLighting1Brightness"}, z.Lighting1Brightness);
  f.FlagGroups({u"\tLighting1ColorSelected"}, z.Lighting1ColorSelected);
  f.ColourGroups({u"\tLighting1FixedColor"}, z.Lighting1FixedColor);
  f.EffectList({u"\tLighting1Direction"}, z.Lighting1Direction);
  f.Text({u"Lighting2Name"}, z.Lighting2Name);
  f.Bytes({u"\tLighting2ModeValue"}, z.Lighting2ModeValue);
  f.Hex2({u"\tLighting2OffOn"}, z.Lighting2OffOn);
  f.Hex2({u"\tLighting2Speed"}, z.Lighting2Speed);
  f.Hex2({u"\tLighting2Brightness"}, z.Lighting2Brightness);
  f.Colour({u"\tLighting2FixedColor"}, z.Lighting2FixedColor);

  for (int k = 0; k < ProfileSettings::kButtonCount; ++k) {
    auto& b = p.buttons[k];
    f.Text({u"Key", k, u"Name"}, b.KeyName);
    f.Text({u"\tKey", k, u"URL"}, b.KeyURL);
    f.Bytes({u"\tKey", k, u"Value"}, b.KeyValue);
    f.Decimal({u"\tMacroKeyIndex"}, b.MacroKeyIndex);
    f.Text({u"\tMacroKey", k, u"Name"}, b.macro.name, Equals::Anywhere);
    f.ActionCount({u"\t\tMacroActionNum"}, b.macro.MacroActionNum);
    f.Actions({u"\t\tAllAction"}, b.macro.actions);
  }
}

// --- writing ---

class FieldWriter {
 public:
  explicit FieldWriter(std::u16string& out) : m_out(out) {}

  void Header(std::u16string_view header) {
    m_out.append(header);
    m_out.push_back(u'\n');
  }
  void Pairs(const std::array<SettingPair, ProfileSettings::kPairCount>& pairs) {
    for (const SettingPair& pair : pairs) {
      AppendText(m_out, pair.key);
      m_out.push_back(u'=');
      AppendText(m_out, pair.value);
      m_out.push_back(u'\n');
    }
  }
  void Hex2(FieldKey key, uint8_t value) {
    Line(key, [&] { AppendHex2(m_out, value); });
  }
  void Hex4(FieldKey key, uint16_t value) {
    Line(key, [&] { AppendHex4(m_out, value); });
  }
  void Bytes(FieldKey key, const std::array<uint8_t, 3>& bytes) {
    Line(key, [&] {
      for (uint8_t b : bytes) AppendHex2(m_out, b);
    });
  }
  void Colour(FieldKey key, platform::Colour colour) {
    Line(key, [&] { AppendColour(colour); });
  }
  void Text(FieldKey key, const std::u16string& text, Equals = Equals::NotFirst) {
    Line(key, [&] { AppendText(m_out, text); });
  }
  void Decimal(FieldKey key, uint32_t value) {
    Line(key, [&] { AppendDecimal(value); });
  }
  void ActionCount(FieldKey key, uint32_t count) { Decimal(key, count); }
  // "XX|" for the first nine values and "XX" for the tenth.
  void EffectList(FieldKey key, const LightingZone::PerEffect<uint8_t>& values) {
    Line(key, [&] {
      for (size_t e = 0; e < values.size(); ++e) {
        if (e > 0) m_out.push_back(u'|');
        AppendHex2(m_out, values[e]);
      }
    });
  }
  void FlagGroups(FieldKey key, const LightingZone::PerEffectSlot<uint8_t>& flags) {
    Line(key, [&] { AppendGroups(flags, [&](uint8_t v) { AppendHex2(m_out, v); }); });
  }
  void ColourGroups(FieldKey key, const LightingZone::PerEffectSlot<platform::Colour>& colours) {
    Line(key, [&] { AppendGroups(colours, [&](platform::Colour c) { AppendColour(c); }); });
  }
  // All 184 places, whatever the count.
  void Actions(FieldKey key, const std::array<MacroAction, MacroRecord::kMaxActions>& actions) {
    Line(key, [&] {
      for (const MacroAction& a : actions) {
        for (uint8_t b : {a.b0, a.b1, a.b2, a.b3}) AppendHex2(m_out, b);
      }
    });
  }

 private:
  template <typename AppendValue>
  void Line(FieldKey key, AppendValue appendValue) {
    m_out.append(key.prefix);
    if (key.number >= 0) AppendDecimal(static_cast<uint32_t>(key.number));
    m_out.append(key.suffix);
    m_out.push_back(u'=');
    appendValue();
    m_out.push_back(u'\n');
  }
  void AppendDecimal(uint32_t value) {
    char16_t digits[10];
    int n = 0;
    do {
      digits[n++] = static_cast<char16_t>(u'0' + value % 10);
      value /= 10;
    } while (value != 0);
    while (n > 0) m_out.push_back(digits[--n]);
  }
  void AppendColour(platform::Colour colour) {
    AppendHex2(m_out, platform::RedOf(colour));
    AppendHex2(m_out, platform::GreenOf(colour));
    AppendHex2(m_out, platform::BlueOf(colour));
  }
  // Groups of ten: "|" after the first nine of a group, ";" after the tenth.
  template <typename T, typename AppendOne>
  void AppendGroups(const LightingZone::PerEffectSlot<T>& groups, AppendOne appendOne) {
    for (const auto& group : groups) {
      for (size_t slot = 0; slot < group.size(); ++slot) {
        appendOne(group[slot]);
        m_out.push_back(slot + 1 < group.size() ? u'|' : u';');
      }
    }
  }

  std::u16string& m_out;
};

// --- reading ---

// Reads the lines in the same order. Values are positional: after the text settings the keys
// are never compared, and each value is taken at fixed character offsets after its line's
// first "=". The first line that breaks the rules stops the reading; the fields before it
// have been overwritten by then.
class FieldReader {
 public:
  explicit FieldReader(CStdioFileEx& file) : m_file(file) {}

  bool Ok() const { return m_ok; }

  void Header(std::u16string_view header) { m_ok = m_file.ReadString(m_line) && m_line == header; }
  // The text settings keep the key the file has at their place.
  void Pairs(std::array<SettingPair, ProfileSettings::kPairCount>& pairs) {
    for (SettingPair& pair : pairs) {
      if (!Next()) return;
      pair.key = m_line.substr(0, m_eq);
      pair.value = Value();
    }
  }
  void Hex2(FieldKey, uint8_t& value) {
    if (Next()) value = Byte(0);
  }
  void Hex4(FieldKey, uint16_t& value) {
    if (Next()) value = static_cast<uint16_t>(HexField(m_line, m_eq + 1, 4));
  }
  void Bytes(FieldKey, std::array<uint8_t, 3>& bytes) {
    if (Next()) bytes = ThreeBytes(0);
  }
  void Colour(FieldKey, platform::Colour& colour) {
    if (Next()) colour = ColourAt(0);
  }
  void Text(FieldKey, std::u16string& text, Equals rule = Equals::NotFirst) {
    if (Next(rule)) text = std::u16string(Value());
  }
  void Decimal(FieldKey, uint32_t& value) {
    if (Next(Equals::NotLast)) value = static_cast<uint32_t>(base::ParseLong(Value(), 10));
  }
  // The count comes from the file and bounds every loop over the 184 action places.
  void ActionCount(FieldKey, uint32_t& count) {
    if (!Next(Equals::NotLast)) return;
    count = static_cast<uint32_t>(
        std::clamp<int64_t>(base::ParseLong(Value(), 10), 0, MacroRecord::kMaxActions));
  }
  void EffectList(FieldKey, LightingZone::PerEffect<uint8_t>& values) {
    if (!Next()) return;
    for (size_t e = 0; e < values.size(); ++e) values[e] = Byte(kByteStride * e);
  }
  void FlagGroups(FieldKey, LightingZone::PerEffectSlot<uint8_t>& flags) {
    if (!Next()) return;
    size_t n = 0;
    for (auto& group : flags) {
      for (uint8_t& flag : group) flag = Byte(kByteStride * n++);
    }
  }
  void ColourGroups(FieldKey, LightingZone::PerEffectSlot<platform::Colour>& colours) {
    if (!Next()) return;
    size_t n = 0;
    for (auto& group : colours) {
      for (platform::Colour& colour : group) colour = ColourAt(kColourStride * n++);
    }
  }
  void Actions(FieldKey, std::array<MacroAction, MacroRecord::kMaxActions>& actions) {
    if (!Next()) return;
    const std::u16string_view digits = Value();
    if (digits.size() != kAllActionDigits) {
      m_ok = false;
      return;
    }
    for (size_t n = 0; n < actions.size(); ++n) {
      const std::u16string_view action = digits.substr(8 * n, 8);
      actions[n] = {static_cast<uint8_t>(HexField(action, 0, 2)),
                    static_cast<uint8_t>(HexField(action, 2, 2)),
                    static_cast<uint8_t>(HexField(action, 4, 2)),
                    static_cast<uint8_t>(HexField(action, 6, 2))};
    }
  }

 private:
  // Reads the next line; false (and stays false) at the end of the file or when its "="
  // breaks the rule.
  bool Next(Equals rule = Equals::NotFirst) {
    if (m_ok && m_file.ReadString(m_line)) {
      m_eq = m_line.find(u'=');
      m_ok = m_eq != std::u16string::npos && Fits(rule);
    } else {
      m_ok = false;
    }
    return m_ok;
  }
  bool Fits(Equals rule) const {
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
  std::u16string_view Value() const { return std::u16string_view(m_line).substr(m_eq + 1); }
  uint8_t Byte(size_t offset) const {
    return static_cast<uint8_t>(HexField(m_line, m_eq + 1 + offset, 2));
  }
  std::array<uint8_t, 3> ThreeBytes(size_t offset) const {
    return {Byte(offset), Byte(offset + 2), Byte(offset + 4)};
  }
  platform::Colour ColourAt(size_t offset) const {
    return platform::Rgb(Byte(offset), Byte(offset + 2), Byte(offset + 4));
  }

  CStdioFileEx& m_file;
  std::u16string m_line;
  size_t m_eq = 0;
  bool m_ok = true;
};

}  // namespace

bool WriteProfileFile(const ProfileSettings& profile, std::u16string_view path) {
  if (path.empty()) return false;  // a slot whose config.ini line names no file
  std::u16string text;
  text.reserve(16 * 1024);
  FieldWriter writer(text);
  ForEachField(profile, writer);
  CStdioFileEx file;
  if (!file.Open(path, CStdioFileEx::kWriteFlags)) return false;
  file.WriteString(text);
  return file.Close();
}

ProfileReadResult ParseProfileFile(std::u16string_view path, ProfileSettings& profile) {
  CStdioFileEx file;
  if (!file.Open(path, CStdioFileEx::kReadFlags)) return ProfileReadResult::CannotOpen;
  FieldReader reader(file);
  ForEachField(profile, reader);
  // Lines after the last button are ignored.
  return reader.Ok() ? ProfileReadResult::Ok : ProfileReadResult::Malformed;
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
