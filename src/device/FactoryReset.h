#pragma once
// Restoring the mouse and the current profile to factory settings (the reset control of the
// main window): command 0x0F to the mouse, then the current profile back to its defaults
// under its own name, written to its file and counted as what the mouse now holds.

#include <cstdint>

#include "base/TextNumbers.h"

class DeviceHost;
class DeviceLink;
class GlobalSettings;
class SettingsWriter;
struct ProfileStore;

class FactoryReset {
 public:
  static constexpr uint8_t kResetCommand = 0x0F;
  static constexpr int kNoDeviceText = common_text::kNotLinked;
  static constexpr int kProgressText = common_text::kSaving;
  static constexpr int kNotConfirmedText = 342;

  enum class Result {
    NoDevice,     // nothing can take commands: attention text 156 shown
    Cancelled,    // the confirmation was not given
    Done,         // the mouse acknowledged the command; the profile is reset
    Unconfirmed,  // the mouse never acknowledged: the profile is reset all the same and the
                  // user is told (attention text 342)
  };

  FactoryReset(DeviceLink& link, SettingsWriter& writer, DeviceHost& host, ProfileStore& store,
               GlobalSettings& settings);

  // The whole reset, on a click of the reset control; asks the host for the confirmation.
  Result Run();
  // Command 0x0F, payload 0xFF, retried as every command. True when acknowledged.
  bool SendFactoryResetCommand();
  // The current profile to its defaults, keeping its name; returns its slot.
  static int ResetCurrentProfile(ProfileStore& store, const GlobalSettings& settings);

 private:
  DeviceLink& m_link;
  SettingsWriter& m_writer;
  DeviceHost& m_host;
  ProfileStore& m_store;
  GlobalSettings& m_settings;
};
