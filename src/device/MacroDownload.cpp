#include "device/MacroDownload.h"

#include <algorithm>
#include <utility>

#include "base/Language.h"
#include "device/CommandReport.h"
#include "device/DeviceLink.h"
#include "keys/ButtonFunctionCode.h"
#include "keys/KeyTables.h"
#include "macros/MacroLibrary.h"
#include "platform/Platform.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"

namespace {

constexpr uint8_t kRecordMarker = 0x09;
constexpr uint8_t kRecordType = 0x90;  // also for shooting actions
constexpr uint8_t kLoopRepeat = 2;

bool IsMacroCode(const ButtonSlot& button) {
  return button.KeyValue[0] == ButtonFunctionCode::MacroFunction ||
         button.KeyValue[0] == ButtonFunctionCode::ShootingFunction;
}

uint8_t SlotOf(const ButtonSlot& button) {
  return button.KeyValue[1] & 0x0F;
}

}  // namespace

MacroDownload::MacroDownload(DeviceLink& link, ProfileStore& store, GlobalSettings& settings,
                             MacroLibrary& macros, MacroLibrary& bullets)
    : m_link(link), m_store(store), m_settings(settings), m_macros(macros), m_bullets(bullets) {}

ProfileSettings& MacroDownload::Current() {
  ProfileSettings* profile = m_store.At(m_settings.CurrentProfileIndex());
  return profile ? *profile : m_store.profiles[0];
}

const MacroRecord* MacroDownload::FindInLibrary(const MacroLibrary& library, uint32_t macroKeyIndex,
                                                LibraryLocation& found) {
  const MacroRecord* match = nullptr;
  for (int32_t stage = 0; stage < LibraryLocation::kLevels && !match; ++stage) {
    library.ForEachEntry(stage, [&](const LibraryLocation& location, const LibraryEntry& entry) {
      if (match || !entry.IsMacro() || entry.record->MacroKeyIndex != macroKeyIndex) return;
      match = entry.record.get();
      found = location;
    });
  }
  return match;
}

void MacroDownload::AssignMacroSlots() {
  // The slot maps: library position to slot, one map per library.
  std::vector<std::pair<LibraryLocation, int>> maps[2];
  int nextSlot = 1;
  for (ButtonSlot& button : Current().buttons) {
    if (!IsMacroCode(button)) continue;
    const bool bullet = button.KeyValue[0] == ButtonFunctionCode::ShootingFunction;
    LibraryLocation location;
    const MacroRecord* macro =
        button.MacroKeyIndex == 0
            ? nullptr
            : FindInLibrary(bullet ? m_bullets : m_macros, button.MacroKeyIndex, location);
    if (!macro) {
      button.KeyName = LangText(kDisabledText);
      button.KeyValue = {0, 0, 0};
      continue;
    }
    auto& map = maps[bullet ? 1 : 0];
    auto it =
        std::find_if(map.begin(), map.end(), [&](const auto& e) { return e.first == location; });
    if (it == map.end()) it = map.insert(map.end(), {location, nextSlot++});
    const int slot = it->second;
    button.KeyValue[1] = static_cast<uint8_t>((slot & 0x0F) | (macro->MacroKeyLoopType << 4));
    button.KeyValue[2] = macro->MacroKeyLoopType == kLoopRepeat ? macro->MacroKeyLoopNum : 0;
    if (m_managerOpened) button.macro = *macro;
  }
  m_managerOpened = false;
}

std::array<uint8_t, 4> MacroDownload::DeviceAction(uint8_t vk, uint8_t b1, uint8_t b2, uint8_t b3,
                                                   uint32_t delayMs) {
  const uint32_t delay = std::min(delayMs, kMaxDelayMs);
  const uint8_t usage = keys::KeyUsage(vk);
  uint8_t type = 0;
  uint8_t data = usage;
  uint8_t extra = 0;
  if (usage < 0x91) {
    type = 3;
  } else if (usage <= 0xE7) {
    type = 2;
    data = static_cast<uint8_t>(1u << (usage & 7));
  } else if (usage >= 0xF0 && usage <= 0xF2) {
    type = 1;
    data = static_cast<uint8_t>(1u << (usage & 7));
  } else if (usage == 0xF3) {
    type = 6;
    data = b3;
    extra = 8;
  } else if (usage == 0xF4) {
    type = 7;
    data = b3;
    extra = b2;
  } else if (usage == 0xF5) {
    type = 4;
    data = b3;
  } else if (usage == 0xF6) {
    type = 5;
    data = b3;
  }
  return {static_cast<uint8_t>((b1 & 0x80) | (type << 4) | ((delay >> 8) & 0x0F)),
          static_cast<uint8_t>(delay & 0xFF), data, extra};
}

bool MacroDownload::BuildDeviceRecord(const MacroRecord& macro, uint8_t slot, WorkBuffer& out) {
  out.fill(0);
  out[0] = kRecordMarker;
  out[1] = kRecordType;
  out[2] = slot;
  const uint32_t count = std::min(macro.MacroActionNum, MacroRecord::kMaxActions);
  uint32_t built = 0;
  size_t at = kActionOffset;
  for (uint32_t i = 0; i < count; ++i) {
    const MacroAction& a = macro.actions[i];
    if (a.IsDelay()) continue;
    if (built == kMaxDeviceActions) return false;
    const MacroAction next = i + 1 < count ? macro.actions[i + 1] : MacroAction{};
    const uint32_t delay = i + 1 < count && next.IsDelay() ? next.DelayMs() : 0;
    const auto bytes = DeviceAction(a.b0, a.b1, a.b2, a.b3, delay);
    std::copy(bytes.begin(), bytes.end(), out.begin() + at);
    at += bytes.size();
    ++built;
  }
  // The mouse plays as many actions as byte 3 says; never more than were built.
  out[3] = static_cast<uint8_t>(std::min<uint32_t>(macro.MacroCommandActionNum, built));
  return true;
}

bool MacroDownload::Download(const WorkBuffer& record) {
  const size_t total = size_t{record[3]} * 4;
  const size_t packets = std::max<size_t>(1, (total + kPieceLength - 1) / kPieceLength);
  bool taken = true;
  for (size_t index = 0; index < packets; ++index) {
    const size_t done = index * kPieceLength;
    const size_t remaining = total - done;
    std::array<uint8_t, 2 + kPieceLength> payload{};
    payload[0] = static_cast<uint8_t>(remaining >= kPieceLength ? kPieceLength + 1 : remaining + 1);
    payload[1] = record[2];
    std::copy_n(record.begin() + kActionOffset + done, kPieceLength, payload.begin() + 2);
    const uint8_t field = static_cast<uint8_t>(((index & 0x0F) << 4) | (packets & 0x0F));
    const CommandReport frame = CommandReport::Build(kDataCommand, 0, field, payload);
    if (!m_link.SendFrame(frame, DeviceLink::kMacroSettleMs)) taken = false;
  }
  return taken;
}

void MacroDownload::SendMacros(bool transmit) {
  ProfileSettings& profile = Current();
  m_refused.clear();
  WorkBuffer record;
  bool changed = false;
  for (int b = 0; b < ProfileSettings::kButtonCount; ++b) {
    const ButtonSlot& button = profile.buttons[b];
    if (!IsMacroCode(button)) continue;
    const uint8_t slot = SlotOf(button);
    if (slot >= kSlotCopies) continue;
    if (!BuildDeviceRecord(button.macro, slot, record)) {
      m_refused.push_back(b);
      continue;
    }
    SlotCopy& copy = m_sent[slot];
    if (!std::equal(copy.begin(), copy.end(), record.begin())) changed = true;
    std::copy_n(record.begin(), kCompareLength, copy.begin());
  }
  if (!transmit || !changed) return;

  const bool erased = m_link.SendCommand(kEraseCommand, 0x01, std::array<uint8_t, 1>{0xFF});
  platform::Time().Sleep(kEraseWaitMs);
  for (auto& copy : m_sent) copy.fill(0);

  std::array<bool, kSlotCopies> failed{};
  for (const ButtonSlot& button : profile.buttons) {
    if (!IsMacroCode(button)) continue;
    const uint8_t slot = SlotOf(button);
    if (slot >= kSlotCopies || !BuildDeviceRecord(button.macro, slot, record)) continue;
    SlotCopy& copy = m_sent[slot];
    if (std::equal(copy.begin(), copy.end(), record.begin())) continue;
    std::copy_n(record.begin(), kCompareLength, copy.begin());
    if (!Download(record) || !erased) failed[slot] = true;
  }
  // A slot the mouse did not take (or an erase it did not take) must go out again at the
  // next write, not only after the next edit: a copy that can never match forces that.
  for (int slot = 0; slot < kSlotCopies; ++slot) {
    if (failed[slot]) m_sent[slot].fill(0xFF);
  }
}
