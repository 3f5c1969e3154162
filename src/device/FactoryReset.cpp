#include "device/FactoryReset.h"

#include <array>
#include <string>

#include "device/DeviceHost.h"
#include "device/DeviceLink.h"
#include "device/SettingsWriter.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileStore.h"

FactoryReset::FactoryReset(DeviceLink& link, SettingsWriter& writer, DeviceHost& host,
                           ProfileStore& store, GlobalSettings& settings)
    : m_link(link), m_writer(writer), m_host(host), m_store(store), m_settings(settings) {}

bool FactoryReset::SendFactoryResetCommand() {
  return m_link.SendCommand(kResetCommand, SettingsWriter::kSinglePacket,
                            std::array<uint8_t, 1>{0xFF});
}

int FactoryReset::ResetCurrentProfile(ProfileStore& store, const GlobalSettings& settings) {
  const int current = settings.CurrentProfileIndex();
  // An unreadable CurrentProfile means slot 0 everywhere else in the device link.
  const int slot = store.At(current) ? current : 0;
  ProfileSettings& profile = store.profiles[slot];
  const std::u16string name = profile.ProfileName();
  ResetProfileToDefaults(profile, slot, settings.SensorId());
  profile.SetProfileName(name);
  return slot;
}

FactoryReset::Result FactoryReset::Run() {
  if (!m_link.CanReachMouse()) {
    m_host.ShowAttention(kNoDeviceText);
    return Result::NoDevice;
  }
  if (!m_host.ConfirmFactoryReset()) return Result::Cancelled;
  const bool acknowledged = SendFactoryResetCommand();  // the PC's profile is reset anyway
  const int slot = ResetCurrentProfile(m_store, m_settings);
  // A file that cannot be written now is written by the next save.
  if (!WriteProfileFile(m_store.profiles[slot], m_settings.ProfileSlotPath(slot))) {
    m_host.MarkSavePending();
  }
  m_writer.SnapshotSentState();
  m_host.RefreshPage();
  m_host.ShowProgress(kProgressText);
  if (!acknowledged) {
    m_host.ShowAttention(kNotConfirmedText);
    return Result::Unconfirmed;
  }
  return Result::Done;
}
