#include "device/StatusEvents.h"

#include "base/Format.h"
#include "base/Language.h"
#include "device/DeviceHost.h"
#include "device/DeviceLink.h"
#include "device/DeviceModel.h"
#include "device/SettingsWriter.h"
#include "profiles/PollingRate.h"

namespace {

struct SensorEntry {
  uint8_t code;
  uint16_t word;
};
constexpr SensorEntry kSensors[] = {
    {0x04, 0x3104}, {0x06, 0x0205}, {0x09, 0x3809}, {0x11, 0x3311}, {0x12, 0x3212},
    {0x20, 0x3220}, {0x25, 0x3325}, {0x27, 0x3327}, {0x35, 0x3335}, {0x50, 0x3950},
    {0x60, 0x3360}, {0x70, 0x0070}, {0x89, 0x3389}, {0x95, 0x3395}, {0x99, 0x3399},
};

constexpr uint32_t kLinkTimerAfterReportMs = 100;
constexpr uint32_t kLeaveDelayMs = 100;

}  // namespace

int StatusEvents::LightingNameText(uint8_t mode) {
  switch (mode) {
    case 2:
      return 101;
    case 3:
      return 102;
    case 4:
      return 103;
    default:
      return 109;
  }
}

StatusEvents::StatusEvents(DeviceLink& link, SettingsWriter& writer, DeviceModel& model,
                           DeviceHost& host)
    : m_link(link), m_writer(writer), m_model(model), m_host(host) {}

uint8_t StatusEvents::PollingIndexFor(ConnectionMode::Kind mode, uint8_t code, int pollingClass) {
  const uint8_t index = PollingRate::IndexOfCode(code);
  uint8_t limit = PollingRate::kHighestIndex;
  if (mode == ConnectionMode::Wired) {
    limit = PollingRate::HighestIndexForClass(pollingClass);
  } else if (mode == ConnectionMode::BLE) {
    limit = PollingRate::kIndex1000Hz;
  }
  return index < limit ? index : limit;
}

std::optional<uint16_t> StatusEvents::SensorWordFor(uint8_t code) {
  for (const auto& entry : kSensors) {
    if (entry.code == code) return entry.word;
  }
  return std::nullopt;
}

bool StatusEvents::OnStatusReport(ConnectionMode::Kind mode, std::span<const uint8_t> bytes,
                                  uint64_t arrivedMs) {
  const auto report = StatusReport::Parse(bytes);
  if (!report) return true;  // another report id: keep reading

  if (mode == ConnectionMode::Wireless) {
    const bool otherLink =
        m_link.IsPresent(ConnectionMode::Wired) || m_link.IsPresent(ConnectionMode::BLE);
    const bool linked = report->link != 0;
    if (!otherLink &&
        (linked != m_link.DeviceActive() || (!linked && m_linkShown != kNotLinkedShown))) {
      m_host.SetTimer(DeviceHost::kTimerLinkState, kLinkTimerAfterReportMs);
    }
    if (!linked) {
      m_link.SetDeviceActive(false);
      if (!otherLink && !m_writer.IsDirty(SettingsWriter::Group::Dpi)) {
        m_battery = 0;
        m_charge = kDischarging;
      }
      return true;
    }
    m_link.SetDeviceActive(true);
    if (report->IsLeaveRequest()) {
      m_host.SetTimer(DeviceHost::kTimerLeave, kLeaveDelayMs);
      return false;
    }
  }
  // A change waiting to be written wins over what the mouse reports; so does one that was
  // being written when the report arrived, though the report is handled only afterwards.
  if (m_writer.IsDirty(SettingsWriter::Group::Dpi) ||
      m_writer.PendingAt(SettingsWriter::Group::Dpi, arrivedMs)) {
    return true;
  }
  if (report->IsLeaveRequest()) {
    m_host.SetTimer(DeviceHost::kTimerLeave, kLeaveDelayMs);
    return false;
  }
  Apply(mode, *report);
  return true;
}

bool StatusEvents::Apply(ConnectionMode::Kind mode, const StatusReport& r) {
  bool changed = ApplyDpiLevel(r);
  ApplyBattery(r);
  const int oldClass = m_link.MaxPollingClass();
  changed = ApplyPolling(mode, r) || changed;
  changed = ApplyLightingMode(r) || changed;
  ApplyLaunchRequest(mode, r);
  if (m_link.MaxPollingClass() != oldClass) m_host.RefreshPage();
  ApplySensorCode(r);

  if (changed) {
    m_host.MarkSavePending();
    m_host.PostOsdMessage();
    m_host.RefreshPage();
    m_writer.SnapshotSentState();
  }
  return changed;
}

bool StatusEvents::ApplyDpiLevel(const StatusReport& r) {
  // A level beyond the eight the profile has is not stored.
  if (r.dpiLevel == m_lastDpiLevel || r.dpiLevel >= DeviceModel::kDpiLevels) return false;
  m_lastDpiLevel = r.dpiLevel;
  m_model.SetCurrentDpiLevel(r.dpiLevel);
  return true;
}

void StatusEvents::ApplyBattery(const StatusReport& r) {
  m_battery = r.battery;
  m_charge = r.chargeState == 1 ? kCharging : r.chargeState == 2 ? kFull : kDischarging;
  if (m_charge == kFull) m_battery = 100;
  m_host.OnBatteryReport(m_battery, m_charge);
}

bool StatusEvents::ApplyPolling(ConnectionMode::Kind mode, const StatusReport& r) {
  int pollingClass = m_link.MaxPollingClass();
  if (mode == ConnectionMode::BLE) {
    pollingClass = r.pollingClass == 0x31 ? 0x31 : 0x30;
  } else if (r.pollingClass == 8 || r.pollingClass == 4 || r.pollingClass == 2 ||
             r.pollingClass == 1) {
    pollingClass = r.pollingClass;
  }
  m_link.SetMaxPollingClass(pollingClass);

  const uint8_t polling = PollingIndexFor(mode, r.pollingCode, pollingClass);
  if (polling == m_model.PollingIndex()) return false;
  m_model.SetPollingRate(polling, PollingRate::Label(polling));
  return true;
}

bool StatusEvents::ApplyLightingMode(const StatusReport& r) {
  // Only the ten effects the profile has a parameter set for are stored.
  if (r.lightingMode == m_model.LightingMode() || r.lightingMode >= DeviceModel::kEffects) {
    return false;
  }
  m_model.SetLightingMode(r.lightingMode, LangText(LightingNameText(r.lightingMode)));
  return true;
}

void StatusEvents::ApplyLaunchRequest(ConnectionMode::Kind mode, const StatusReport& r) {
  uint8_t& lastLaunch = m_lastLaunch[mode];
  if (r.launch == 0) {
    lastLaunch = 0;
    return;
  }
  if (r.launch == lastLaunch) return;
  lastLaunch = r.launch;
  if (r.launch > DeviceModel::kButtons) return;
  const std::u16string target = m_model.ButtonUrl(r.launch - 1);
  // Nothing bound: opening an empty name would show some folder instead.
  if (!target.empty()) m_host.ShellOpen(target);
}

void StatusEvents::ApplySensorCode(const StatusReport& r) {
  if (r.sensorCode == 0) return;
  if (const auto word = SensorWordFor(r.sensorCode)) {
    m_lastUnknownSensor = 0;
    if (*word != m_model.CurrentSensor()) {
      m_model.SetCurrentSensor(*word);
      ReloadSensor(*word);
    }
  } else if (r.sensorCode != m_lastUnknownSensor) {
    m_lastUnknownSensor = r.sensorCode;
    ReloadSensor(m_model.CurrentSensor());
  }
}

void StatusEvents::ReloadSensor(uint16_t sensor) {
  m_model.SetSensorTexts(base::Format(u"0x%.4X", sensor),
                         base::Format(u"0x%4X", static_cast<uint16_t>(~sensor)));
  (void)m_model.SaveGlobalSettings();
  m_model.ApplySensorDefaultsToAllProfiles();
  m_model.SaveAllProfiles();
  m_model.RebuildSensorDpiTable();
  m_host.OnSensorTableChanged();
  m_host.RefreshPage();
}

bool StatusEvents::OnTimer(uintptr_t id) {
  switch (id) {
    case DeviceHost::kTimerLinkState: {
      m_host.KillTimer(id);
      const bool wireless = m_link.HasCommandHandle(ConnectionMode::Wireless);
      if (m_link.HasCommandHandle(ConnectionMode::Wired) ||
          m_link.HasCommandHandle(ConnectionMode::BLE) || (wireless && m_link.DeviceActive())) {
        if (m_linkShown != kLinkedShown) {
          m_linkShown = kLinkedShown;
          m_host.ShowNotLinkedLabel(false);
        }
      } else if (wireless) {
        if (m_linkShown != kNotLinkedShown) {
          m_linkShown = kNotLinkedShown;
          m_host.ShowNotLinkedLabel(true);
        }
      } else {
        m_host.ShowAttention(155);
      }
      return true;
    }
    case DeviceHost::kTimerBattery:
      if (!m_host.ShowWindowFlag()) return true;
      if (m_battery > 100) m_battery = 0;
      m_animation += 25;
      if (m_animation > 100) m_animation = 25;
      m_host.ShowBattery(m_battery, m_charge, m_animation);
      return true;
    case DeviceHost::kTimerLeave:
      m_host.KillTimer(id);
      m_host.EndProgram(DeviceHost::ProgramEnd::LeaveRequest);
      return true;
    default:
      return false;
  }
}
