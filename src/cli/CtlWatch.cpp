// watch: one line (or JSON object) per thing the mouse reports.

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

#include "base/AppGlobals.h"
#include "base/Text.h"
#include "cli/CtlApp.h"
#include "cli/CtlEnvironment.h"
#include "cli/CtlText.h"
#include "cli/DataFolder.h"
#include "cli/MouseSession.h"
#include "device/StatusReport.h"
#include "platform/Platform.h"

namespace {

using Kind = ConnectionMode::Kind;
using namespace ctl_text;

JsonWriter Event(const char* name) {
  return JsonWriter::Object().Set("event", JsonWriter::Text(name));
}

// What the watcher has told so far, and the lines for what changed since.
class WatchState {
 public:
  using Emit = std::function<void(const std::string& human, JsonWriter json)>;

  WatchState(MouseSession& session, const DataFolder& data, Emit emit)
      : m_session(session), m_data(data), m_emit(std::move(emit)) {
    ProfileDeviceModel& model = session.Model();
    m_level = model.CurrentDpiLevel();
    m_polling = model.PollingIndex();
    m_effect = model.LightingMode();
    m_charge = session.Events().ChargeState();
    m_linked = g_bDeviceActive;
    m_sensor = model.CurrentSensor();
    for (Kind kind : kModes) m_present[kind] = session.Link().IsPresent(kind);
  }

  void OnReport(Kind mode, const std::vector<uint8_t>& bytes) {
    const char* from = ModeName(mode);
    ReportDpi(from);
    ReportPolling(from);
    ReportBattery(from);
    ReportLighting(from);
    ReportLinkAndSensor();
    if (const auto report = StatusReport::Parse(bytes)) ReportLaunch(mode, *report);
  }

  void OnDeviceChange() {
    for (Kind kind : kModes) {
      const bool now = m_session.Link().IsPresent(kind);
      if (now == m_present[kind]) continue;
      m_present[kind] = now;
      m_emit(
          std::string(now ? "connected: " : "disconnected: ") + ModeText(kind),
          Event(now ? "connected" : "disconnected").Set("mode", JsonWriter::Text(ModeName(kind))));
    }
  }

 private:
  void ReportDpi(const char* from) {
    ProfileDeviceModel& model = m_session.Model();
    if (model.CurrentDpiLevel() == m_level) return;
    m_level = model.CurrentDpiLevel();
    const int dpi = DpiOf(m_data.table, model.DpiIndexX(m_level));
    m_emit("dpi: level " + std::to_string(m_level + 1) + " (" + std::to_string(dpi) + " DPI)",
           Event("dpi")
               .Set("level", JsonWriter::Int(m_level + 1))
               .Set("dpi", JsonWriter::Int(dpi))
               .Set("mode", JsonWriter::Text(from)));
  }

  void ReportPolling(const char* from) {
    if (m_session.Model().PollingIndex() == m_polling) return;
    m_polling = m_session.Model().PollingIndex();
    const int hz = SettingCatalog::PollingHz(m_polling);
    m_emit("polling: " + std::to_string(hz) + " Hz",
           Event("polling").Set("hz", JsonWriter::Int(hz)).Set("mode", JsonWriter::Text(from)));
  }

  void ReportBattery(const char* from) {
    StatusEvents& events = m_session.Events();
    if (events.BatteryLevel() == m_battery && events.ChargeState() == m_charge) return;
    m_battery = events.BatteryLevel();
    m_charge = events.ChargeState();
    m_emit("battery: " + std::to_string(*m_battery) + " % (" + ChargeName(m_charge) + ")",
           Event("battery")
               .Set("level", JsonWriter::Int(*m_battery))
               .Set("charge", JsonWriter::Text(ChargeName(m_charge)))
               .Set("mode", JsonWriter::Text(from)));
  }

  void ReportLighting(const char* from) {
    if (m_session.Model().LightingMode() == m_effect) return;
    m_effect = m_session.Model().LightingMode();
    const std::string name =
        base::ToUtf8(m_data.EnglishText(StatusEvents::LightingNameText(m_effect)));
    m_emit("lighting: effect " + std::to_string(m_effect) + " (" + name + ")",
           Event("lighting")
               .Set("effect", JsonWriter::Int(m_effect))
               .Set("name", JsonWriter::Text(name))
               .Set("mode", JsonWriter::Text(from)));
  }

  void ReportLinkAndSensor() {
    if (g_bDeviceActive != m_linked) {
      m_linked = g_bDeviceActive;
      m_emit(m_linked ? "link: the mouse is linked to its receiver"
                      : "link: the mouse is not linked to its receiver",
             Event("link").Set("linked", JsonWriter::Bool(m_linked)));
    }
    if (m_session.Model().CurrentSensor() != m_sensor) {
      m_sensor = m_session.Model().CurrentSensor();
      m_emit("sensor: 0x" + Hex(m_sensor, 4) + " (the DPI levels were set to its defaults)",
             Event("sensor").Set("sensor", JsonWriter::Text(JsonHex(m_sensor, 4))));
    }
  }

  // A launch request counts once until the mouse reports none again, as in the program;
  // reports of a receiver without its mouse carry none.
  void ReportLaunch(Kind mode, const StatusReport& report) {
    if (mode == ConnectionMode::Wireless && report.link == 0) return;
    uint8_t& last = m_launch[mode];
    if (report.launch == 0) {
      last = 0;
      return;
    }
    if (report.launch == last || report.IsLeaveRequest()) return;
    last = report.launch;
    JsonWriter json = Event("launch").Set("button", JsonWriter::Int(report.launch));
    std::string human = "launch: button " + std::to_string(report.launch);
    if (report.launch <= DeviceModel::kButtons) {
      const std::u16string target = m_session.Model().ButtonUrl(report.launch - 1);
      json.Set("target", JsonWriter::Text(target));
      if (!target.empty()) human += " (" + base::ToUtf8(target) + ")";
    }
    m_emit(human, std::move(json));
  }

  MouseSession& m_session;
  const DataFolder& m_data;
  Emit m_emit;
  uint8_t m_level = 0;
  uint8_t m_polling = 0;
  uint8_t m_effect = 0;
  std::optional<int> m_battery;
  int m_charge = 0;
  bool m_linked = false;
  uint16_t m_sensor = 0;
  std::array<bool, ConnectionMode::kCount> m_present{};
  std::array<uint8_t, ConnectionMode::kCount> m_launch{};
};

}  // namespace

ExitCode CtlApp::Watch() {
  if (m_args.words.size() > 1) return Fail(ExitCode::Usage, "watch takes no arguments.");
  if (const ExitCode code = LoadData(); code != ExitCode::Ok) return code;
  MouseSession session(*m_data, m_env);
  session.Connect();
  if (!session.CanSend()) {
    if (const auto path = m_env.PermissionDeniedPath()) return PermissionDenied(*path);
    if (!m_args.json) m_env.Err("waiting for the mouse...\n");
  }
  auto& clock = platform::Time();
  const uint64_t start = clock.NowMs();
  int count = 0;
  auto enough = [&] { return (m_args.count > 0 && count >= m_args.count) || m_outputFailed; };
  auto emit = [&](const std::string& human, JsonWriter json) {
    // Several reports may be applied in one turn of the loop; the count is exact.
    if (enough()) return;
    json.Set("ms", JsonWriter::Int(static_cast<int64_t>(clock.NowMs() - start)));
    if (Emit(m_args.json ? json.Dump() : human)) ++count;
  };
  WatchState state(session, *m_data, emit);
  session.onReport = [&](Kind mode, const std::vector<uint8_t>& bytes) {
    state.OnReport(mode, bytes);
  };
  session.onDeviceChange = [&](uint32_t) { state.OnDeviceChange(); };

  const uint64_t limit = m_args.seconds > 0 ? uint64_t(m_args.seconds) * 1000 : UINT64_MAX;
  for (;;) {
    if (enough()) break;
    if (m_env.Interrupted()) return Interrupted();
    if (session.EndRequest() == DeviceHost::ProgramEnd::LeaveRequest) {
      emit("leave: the mouse asked the program to end", Event("leave"));
      break;
    }
    // The program ends when the last interface goes; a watcher waits for it to come back.
    if (session.EndRequest()) session.ClearEndRequest();
    const uint64_t elapsed = clock.NowMs() - start;
    if (elapsed >= limit) break;
    (void)session.PumpUntil(static_cast<uint32_t>(std::min<uint64_t>(limit - elapsed, 1000)),
                            [&] { return enough() || session.EndRequest().has_value(); });
  }
  return m_outputFailed ? ExitCode::Failed : ExitCode::Ok;
}
