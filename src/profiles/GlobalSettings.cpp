#include "profiles/GlobalSettings.h"

#include "base/AppGlobals.h"
#include "base/Format.h"
#include "base/StdioFileEx.h"
#include "base/Text.h"
#include "platform/Platform.h"
#include "profiles/SettingsText.h"

GlobalSettings g_GlobalSettings;

namespace {

constexpr std::u16string_view kHeader = u"[Setting]";

constexpr const char16_t* kDefaultPairs[GlobalSettings::kProfileSlot0URL][2] = {
    {u"NeedPassword", u"1"},     {u"Sensor", u"0x3950"},      {u"PreST", u"0xC6AF"},
    {u"Mac_ID", u"0xFFFFFFFF"},  {u"DataChange", u"0x1234"},  {u"CurrentProfile", u"0"},
    {u"ProfileShowCount", u"3"}, {u"ProfileShowList0", u"0"}, {u"ProfileShowList1", u"1"},
    {u"ProfileShowList2", u"2"}, {u"ProfileShowList3", u"3"}, {u"ProfileShowList4", u"4"},
};

bool IsSlot(int slot) {
  return slot >= 0 && slot < GlobalSettings::kSlotCount;
}

bool IsProfilePath(std::u16string_view path) {
  constexpr std::u16string_view kExtension = u".psf";
  if (path.size() <= kExtension.size()) return false;
  const std::u16string_view end = path.substr(path.size() - kExtension.size());
  for (size_t i = 0; i < kExtension.size(); ++i) {
    const char16_t c =
        end[i] >= u'A' && end[i] <= u'Z' ? static_cast<char16_t>(end[i] - u'A' + u'a') : end[i];
    if (c != kExtension[i]) return false;
  }
  return true;
}

}  // namespace

GlobalSettings::GlobalSettings() {
  ResetToDefaults(u"");
}

void GlobalSettings::ResetToDefaults(std::u16string_view dataDir) {
  m_dataDir.assign(dataDir);
  for (int i = 0; i < kProfileSlot0URL; ++i)
    m_pairs[i] = {kDefaultPairs[i][0], kDefaultPairs[i][1]};
  for (int slot = 0; slot < kSlotCount; ++slot) {
    m_pairs[kProfileSlot0URL + slot] = {base::Format(u"ProfileSlot%dURL", slot),
                                        base::Format(u"%sconfig\\default%d.psf", dataDir, slot)};
  }
}

const std::u16string& GlobalSettings::KeyAt(int i) const {
  static const std::u16string empty;
  return i >= 0 && i < kPairCount ? m_pairs[i].key : empty;
}

const std::u16string& GlobalSettings::ValueAt(int i) const {
  static const std::u16string empty;
  return i >= 0 && i < kPairCount ? m_pairs[i].value : empty;
}

void GlobalSettings::SetValueAt(int i, std::u16string_view value) {
  if (i >= 0 && i < kPairCount) m_pairs[i].value.assign(value);
}

int GlobalSettings::ParsedInt(int i) const {
  return base::ParseDecimal(ValueAt(i));
}

int GlobalSettings::CurrentProfileIndex() const {
  // The value comes from config.ini and selects one of the five profiles.
  const int slot = ParsedInt(kCurrentProfile);
  return IsSlot(slot) ? slot : 0;
}

void GlobalSettings::SetCurrentProfile(int slot) {
  SetValueAt(kCurrentProfile, base::Format(u"%d", slot));
}

int GlobalSettings::ShowCount() const {
  // The count comes from config.ini and bounds loops over the show list.
  const int count = ParsedInt(kProfileShowCount);
  return count < 1 ? 1 : (count > kSlotCount ? kSlotCount : count);
}

void GlobalSettings::SetShowCount(int count) {
  SetValueAt(kProfileShowCount, base::Format(u"%d", count));
}

int GlobalSettings::ShowList(int position) const {
  if (!IsSlot(position)) return -1;
  // Entries come from config.ini and index the profile store; a bad one stands for its own
  // position.
  const int slot = ParsedInt(kProfileShowList0 + position);
  return IsSlot(slot) ? slot : position;
}

void GlobalSettings::SetShowList(int position, int slot) {
  if (IsSlot(position)) SetValueAt(kProfileShowList0 + position, base::Format(u"%d", slot));
}

std::vector<int> GlobalSettings::ShownSlots() const {
  std::vector<int> slots;
  for (int position = 0; position < ShowCount(); ++position) slots.push_back(ShowList(position));
  return slots;
}

std::u16string GlobalSettings::ProfileSlotPath(int slot) const {
  if (!IsSlot(slot)) return {};
  const std::u16string& stored = m_pairs[kProfileSlot0URL + slot].value;
  if (m_dataDir.empty()) return stored;
  // The line keeps what it says, so the program that wrote it still finds its files.
  const size_t cut = stored.find_last_of(u"\\/");
  const std::u16string name = cut == std::u16string::npos ? stored : stored.substr(cut + 1);
  return name.empty() ? std::u16string() : m_dataDir + u"config\\" + name;
}

int GlobalSettings::NeedPassword() const {
  return ParsedInt(kNeedPassword);
}

bool GlobalSettings::HideProfile(int slot) {
  const int count = ShowCount();
  if (count <= 1) return false;
  int found = -1;
  for (int position = 0; position < count; ++position) {
    if (ShowList(position) == slot) found = position;
  }
  if (found < 0) return false;
  for (int position = found; position + 1 < kSlotCount; ++position) {
    SetShowList(position, ShowList(position + 1));
  }
  SetShowList(kSlotCount - 1, slot);
  SetShowCount(count - 1);
  return true;
}

int GlobalSettings::ShowNextProfile() {
  const int count = ShowCount();
  if (count >= kSlotCount) return -1;
  const int slot = ShowList(count);
  SetShowCount(count + 1);
  return slot;
}

uint16_t GlobalSettings::ParsedSensor() const {
  return static_cast<uint16_t>(base::ParseLong(ValueAt(kSensor), 16));
}

uint16_t GlobalSettings::ParsedPreST() const {
  return static_cast<uint16_t>(base::ParseLong(ValueAt(kPreST), 16));
}

void GlobalSettings::SetSensorText() {
  SetValueAt(kSensor, base::Format(u"0x%.4X", m_nSensorId));
}

void GlobalSettings::SetPreST(uint16_t value) {
  SetValueAt(kPreST, base::Format(u"0x%4X", value));
}

void GlobalSettings::SetMacId(uint32_t value) {
  SetValueAt(kMacId, base::Format(u"0x%4X", value));
}

void GlobalSettings::RepairShowList() {
  std::array<int, kSlotCount> order{};
  std::array<bool, kSlotCount> seen{};
  int n = 0;
  bool changed = false;
  for (int position = 0; position < kSlotCount; ++position) {
    const int slot = ParsedInt(kProfileShowList0 + position);
    if (IsSlot(slot) && !seen[slot]) {
      seen[slot] = true;
      order[n++] = slot;
    } else {
      changed = true;
    }
  }
  if (!changed) return;
  // A slot listed twice would get two buttons and another none.
  for (int slot = 0; slot < kSlotCount; ++slot) {
    if (!seen[slot]) order[n++] = slot;
  }
  for (int position = 0; position < kSlotCount; ++position) SetShowList(position, order[position]);
}

GlobalSettings::ReadResult GlobalSettings::ReadConfigFile(std::u16string_view path) {
  CStdioFileEx file;
  if (!file.Open(path, CStdioFileEx::kReadFlags)) {
    return platform::Files().FileExists(path) ? ReadResult::Unreadable : ReadResult::CannotOpen;
  }
  std::u16string line;
  if (!file.ReadString(line) || line != kHeader) return ReadResult::Malformed;
  int pair = 0;
  bool ended = file.LineEnded();
  while (file.ReadString(line)) {
    ended = file.LineEnded();
    if (pair >= kPairCount) return ReadResult::Malformed;
    const size_t eq = line.find(u'=');
    if (eq == std::u16string::npos || eq == 0) return ReadResult::Malformed;
    m_pairs[pair].key = line.substr(0, eq);
    m_pairs[pair].value = line.substr(eq + 1);
    // A slot value names the file the profile is saved to: one cut short (a file that ended
    // in this line) would make a new profile appear there and orphan the user's.
    if (pair >= kProfileSlot0URL && !IsProfilePath(m_pairs[pair].value)) {
      return ReadResult::Malformed;
    }
    ++pair;
  }
  // The program ends every line it writes: a file that ends inside a line was cut off.
  if (!ended) return ReadResult::Malformed;
  return ReadResult::Ok;
}

bool GlobalSettings::WriteConfigFile(std::u16string_view path) const {
  CStdioFileEx file;
  if (!file.Open(path, CStdioFileEx::kWriteFlags)) return false;
  std::u16string text(kHeader);
  text.push_back(u'\n');
  for (const SettingPair& pair : m_pairs) {
    settings_text::AppendText(text, pair.key);
    text.push_back(u'=');
    settings_text::AppendText(text, pair.value);
    text.push_back(u'\n');
  }
  file.WriteString(text);
  return file.Close();
}

std::u16string ConfigFilePath() {
  return g_strDataDir + u"config\\config.ini";
}

bool SaveGlobalSettings(const GlobalSettings& settings) {
  return settings.WriteConfigFile(ConfigFilePath());
}

bool SaveCurrentProfileIndex(GlobalSettings& settings) {
  settings.SetCurrentProfile(settings.CurrentProfileIndex());
  return SaveGlobalSettings(settings);
}
