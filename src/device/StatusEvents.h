#pragma once
// What the mouse reports by itself: status reports (level, polling, battery, lighting, launch
// requests, sensor, leave requests) and the link, battery and leave timers 80, 110 and 130.
//
// Reports are applied on the UI thread, one at a time, as the readers hand them over.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device/ConnectionMode.h"
#include "device/StatusReport.h"

class DeviceHost;
class DeviceLink;
class DeviceModel;
class SettingsWriter;

class StatusEvents {
 public:
  // Displayed link state.
  enum LinkShown : int { kNothingShown = 0, kLinkedShown = 1, kNotLinkedShown = 2 };
  enum ChargeState : int { kDischarging = 0, kCharging = 1, kFull = 2 };

  StatusEvents(DeviceLink& link, SettingsWriter& writer, DeviceModel& model, DeviceHost& host);

  // One input report from the reader of `mode`, read from the device at `arrivedMs`. False
  // when the reader must leave its loop (a leave request).
  bool OnStatusReport(ConnectionMode::Kind mode, std::span<const uint8_t> report,
                      uint64_t arrivedMs);
  // Timers 80, 110, 130; false for a timer that is not handled here.
  bool OnTimer(uintptr_t id);

  int BatteryLevel() const { return m_battery; }
  int ChargeState() const { return m_charge; }
  int LinkStateShown() const { return m_linkShown; }
  int BatteryAnimation() const { return m_animation; }

  // Polling index for a reported code, limited to what the mode and class allow.
  static uint8_t PollingIndexFor(ConnectionMode::Kind mode, uint8_t code, int pollingClass);
  // The sensor model word of a reported sensor code; nothing for an unknown code.
  static std::optional<uint16_t> SensorWordFor(uint8_t code);
  // The language text that names a lighting effect in Lighting1Name.
  static int LightingNameText(uint8_t mode);

 private:
  void LinkReport(const StatusReport& report);
  bool Apply(ConnectionMode::Kind mode, const StatusReport& report);
  // The steps of Apply; those that return true changed the profile.
  bool ApplyDpiLevel(const StatusReport& report);
  void ApplyBattery(const StatusReport& report);
  bool ApplyPolling(ConnectionMode::Kind mode, const StatusReport& report);
  bool ApplyLightingMode(const StatusReport& report);
  void ApplyLaunchRequest(ConnectionMode::Kind mode, const StatusReport& report);
  void ApplySensorCode(const StatusReport& report);
  void ReloadSensor(uint16_t sensor);

  DeviceLink& m_link;
  SettingsWriter& m_writer;
  DeviceModel& m_model;
  DeviceHost& m_host;

  int m_battery = 100;
  int m_charge = kDischarging;
  int m_animation = 0;
  int m_linkShown = kNothingShown;
  int m_lastDpiLevel = 2;
  std::array<uint8_t, ConnectionMode::kCount> m_lastLaunch{};
  // An unknown sensor code reloads once, not on every report that repeats it.
  uint8_t m_lastUnknownSensor = 0;
};
