#pragma once
// The macro side of every write: gives each macro or shooting action used by a button of the
// current profile a slot on the mouse, writes the slot into the button's function code, and
// downloads the compact device records when one of them changed since the last download.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/TextNumbers.h"
#include "device/MacroSync.h"
#include "macros/LibraryLocation.h"

class DeviceLink;
class GlobalSettings;
class MacroLibrary;
struct MacroRecord;
struct ProfileStore;
struct ProfileSettings;

class MacroDownload : public MacroSync {
 public:
  static constexpr uint8_t kEraseCommand = 0x11;
  static constexpr uint8_t kDataCommand = 0x10;
  static constexpr int kSlotCopies = 11;  // slots 0..10
  static constexpr size_t kWorkLength = 1024;
  static constexpr size_t kCompareLength = 512;
  static constexpr size_t kPieceLength = 25;
  static constexpr size_t kActionOffset = 4;
  // The packet field holds index and count in four bits each: 15 packets of 25 bytes carry
  // at most 93 device actions; the macro model stops at 92.
  static constexpr uint32_t kMaxDeviceActions = 92;
  static constexpr uint32_t kMaxDelayMs = 0xFFF;
  static constexpr uint32_t kEraseWaitMs = 10;
  static constexpr int kDisabledText = common_text::kDisabled;

  using WorkBuffer = std::array<uint8_t, kWorkLength>;
  using SlotCopy = std::array<uint8_t, kCompareLength>;

  MacroDownload(DeviceLink& link, ProfileStore& store, GlobalSettings& settings,
                MacroLibrary& macros, MacroLibrary& bullets);

  // Set when the macro manager or the shooting-action manager opens: the next pass copies
  // the library macros into the buttons that use them.
  void MarkManagerOpened() { m_managerOpened = true; }

  void AssignMacroSlots() override;
  void SendMacros(bool transmit) override;

  // Buttons (0..5) whose macro was too long for the mouse at the last pass; their macro was
  // not sent. Empty after a pass without such a button.
  const std::vector<int>& RefusedButtons() const override { return m_refused; }

  // The device record of a macro for `slot`; nothing when it holds more device actions than
  // the mouse can take.
  [[nodiscard]] static bool BuildDeviceRecord(const MacroRecord& macro, uint8_t slot,
                                              WorkBuffer& out);
  // One device action from a macro action and the delay that follows it.
  static std::array<uint8_t, 4> DeviceAction(uint8_t vk, uint8_t b1, uint8_t b2, uint8_t b3,
                                             uint32_t delayMs);

 private:
  ProfileSettings& Current();
  // The first macro of the library with this number, searched level by level.
  static const MacroRecord* FindInLibrary(const MacroLibrary& library, uint32_t macroKeyIndex,
                                          LibraryLocation& found);
  // Sends the record of one button in 25-byte pieces; false when a piece was not taken.
  bool Download(const WorkBuffer& record);

  DeviceLink& m_link;
  ProfileStore& m_store;
  GlobalSettings& m_settings;
  MacroLibrary& m_macros;
  MacroLibrary& m_bullets;
  bool m_managerOpened = false;
  std::array<SlotCopy, kSlotCopies> m_sent{};
  std::vector<int> m_refused;
};
