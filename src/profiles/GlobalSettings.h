#pragma once
// The global settings kept in config\config.ini: the active profile, which profiles the main
// page shows and in what order, each slot's profile file, the sensor the DPI values were made
// for and the start-up visibility switch. Held as 17 key and value texts in file order; the
// meaning of a pair is its position, whatever its key says.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "profiles/SettingPair.h"

class GlobalSettings {
 public:
  static constexpr int kPairCount = 17;
  static constexpr int kSlotCount = 5;
  enum Pair : int {
    kNeedPassword = 0,
    kSensor = 1,
    kPreST = 2,
    kMacId = 3,
    kDataChange = 4,
    kCurrentProfile = 5,
    kProfileShowCount = 6,
    kProfileShowList0 = 7,  // .. 11
    kProfileSlot0URL = 12,  // .. 16
  };

  // CannotOpen: there is no such file; Unreadable: it exists but could not be read.
  enum class ReadResult { Ok, CannotOpen, Unreadable, Malformed };

  // The defaults, with slot files relative to an empty data folder.
  GlobalSettings();

  // Every pair to its default; slot files are dataDir + "config\default<n>.psf".
  void ResetToDefaults(std::u16string_view dataDir);

  // Pair i (0..16); an empty text for any other index.
  const std::u16string& KeyAt(int i) const;
  const std::u16string& ValueAt(int i) const;
  void SetValueAt(int i, std::u16string_view value);

  // Decimal value of CurrentProfile: the active slot 0..4. Set with "%d".
  int CurrentProfileIndex() const;
  void SetCurrentProfile(int slot);
  // Number of profiles shown on the main page, 1..5.
  int ShowCount() const;
  void SetShowCount(int count);
  // The slot shown at list position 0..4 (positions at or after ShowCount are hidden slots).
  int ShowList(int position) const;
  void SetShowList(int position, int slot);
  // The slots of the profile buttons, in list order.
  std::vector<int> ShownSlots() const;
  // Path of a slot's profile file; empty outside 0..4. After ResetToDefaults(dataDir) it is
  // the file of that name in dataDir's config folder, whatever folder config.ini names: the
  // folder may have been written on another machine or account, or under Wine, and read here.
  std::u16string ProfileSlotPath(int slot) const;
  int NeedPassword() const;

  // Hides a shown slot: it moves to the last list position and the count drops by one. False
  // (nothing changes) when the slot is not shown or is the only one shown.
  bool HideProfile(int slot);
  // Shows the first hidden slot and returns it; -1 when all five are shown.
  int ShowNextProfile();

  // The process-wide current sensor id, and the two sensor texts.
  uint16_t SensorId() const { return m_nSensorId; }
  void SetSensorId(uint16_t id) { m_nSensorId = id; }
  // Sensor (base 16, low 16 bits) and PreST parsed from their texts.
  uint16_t ParsedSensor() const;
  uint16_t ParsedPreST() const;
  // Sensor = "0x%.4X" of the current sensor id.
  void SetSensorText();
  // PreST = "0x%4X" (space-padded); Mac_ID = "0x%4X".
  void SetPreST(uint16_t value);
  void SetMacId(uint32_t value);

  // Reads config.ini into the pairs in file order. Pairs after the last line keep what they
  // held. Fails on a missing header, a line without "=" at position 1 or later, an 18th pair
  // line, a slot file that does not end in ".psf", or a last line without its LF (a file
  // cut off).
  [[nodiscard]] ReadResult ReadConfigFile(std::u16string_view path);
  // "[Setting]" and the 17 pairs.
  [[nodiscard]] bool WriteConfigFile(std::u16string_view path) const;

  // Turns the show list into an order of the five slots again: the valid entries keep their
  // order (a repeated slot counts once), the missing slots follow in ascending order.
  void RepairShowList();

  friend bool operator==(const GlobalSettings&, const GlobalSettings&) = default;

 private:
  int ParsedInt(int i) const;

  std::array<SettingPair, kPairCount> m_pairs;
  std::u16string m_dataDir;  // with its trailing backslash; empty: paths as stored
  uint16_t m_nSensorId = 0x3950;
};

// The process-wide settings.
extern GlobalSettings g_GlobalSettings;

// g_strDataDir + "config\config.ini".
std::u16string ConfigFilePath();

// Writes config.ini; false when it could not be written.
bool SaveGlobalSettings(const GlobalSettings& settings);
// Stores the active slot with "%d" (so an unreadable CurrentProfile becomes "0"), then saves.
bool SaveCurrentProfileIndex(GlobalSettings& settings);
