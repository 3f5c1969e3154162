// list, info, pair, reset and firmware update: the commands about the mouse itself.

#include <array>
#include <optional>

#include "base/AppGlobals.h"
#include "base/Format.h"
#include "base/Text.h"
#include "cli/CtlApp.h"
#include "cli/CtlEnvironment.h"
#include "cli/CtlText.h"
#include "cli/DataFolder.h"
#include "cli/MouseSession.h"
#include "cli/TerminalProgress.h"
#include "device/DeviceInfoReport.h"
#include "device/FactoryReset.h"
#include "device/FirmwareImage.h"
#include "device/FirmwareUpdater.h"
#include "device/PairingSession.h"
#include "platform/Platform.h"

namespace {

using Kind = ConnectionMode::Kind;
using namespace ctl_text;

// The firmware engine's checksum read for `info`, which shows nothing while it reads.
class SilentProgress : public FirmwareProgress {
 public:
  void SetImageChecksumLine(const std::u16string&) override {}
  void SetDeviceChecksumLine(const std::u16string&) override {}
  void SetStatus(int, const std::u16string&) override {}
  void SetPercent(const std::u16string&) override {}
  void SetProgress(int, int) override {}
};

std::string Checksum(uint32_t value) {
  return base::ToUtf8(base::Format(u"%.8x", value));
}

// The firmware lines of `info`: the two firmware bytes, and over the cable the interface
// version and (while the application runs) its checksum against the carried image.
void AddFirmware(DeviceLink& link, const DeviceInfoReport& device, std::string& text,
                 JsonWriter& json) {
  const std::string bytes = Hex(device.firmware8, 2) + " " + Hex(device.firmware9, 2);
  text = bytes;
  json =
      JsonWriter::Object().Set("bytes", JsonWriter::Array()
                                            .Add(JsonWriter::Text(JsonHex(device.firmware8, 2)))
                                            .Add(JsonWriter::Text(JsonHex(device.firmware9, 2))));
  if (!link.HasCommandHandle(ConnectionMode::Wired)) return;
  const uint16_t version = link.WiredVersionNumber();
  text += ", interface version " + Hex(version, 4);
  json.Set("interface_version", JsonWriter::Text(JsonHex(version, 4)));
  // The application header can be read only while the application runs.
  if ((version >> 8) != 2) return;
  FirmwareImage image;
  const bool haveImage = image.LoadFromResources() == FirmwareImage::Check::Ok;
  SilentProgress silent;
  FirmwareUpdater updater(link, silent, image);
  const auto checksum = updater.ReadDeviceChecksum();
  if (!checksum) return;
  text += "\nchecksum " + Checksum(*checksum);
  json.Set("checksum", JsonWriter::Text(JsonHex(*checksum, 8)));
  if (!haveImage) return;
  const bool same = *checksum == image.Header().checksum;
  text += same ? " (the same as the image this tool carries)"
               : " (this tool carries " + Checksum(image.Header().checksum) +
                     ": vantrelctl firmware update)";
  json.Set("update_available", JsonWriter::Bool(!same));
}

std::optional<DeviceInfoReport> ReadDeviceInfo(DeviceLink& link) {
  std::array<uint8_t, DeviceInfoReport::kLength> buffer;
  buffer.fill(0xFF);
  buffer[0] = DeviceInfoReport::kReportId;
  platform::HidDevice* handle = link.CommandHandle();
  if (!handle || !handle->GetFeature(buffer)) return std::nullopt;
  return DeviceInfoReport::Parse(buffer);
}

struct ListRow {
  std::string text;
  JsonWriter json;
  bool mine = false;
  bool opens = false;
};

// One row of `list`: told apart as the device link tells them apart. Only the mouse's own
// interfaces are opened: a keyboard's node is nobody's business here.
ListRow ListInterface(int index, const platform::HidInterfaceInfo& info, std::optional<Kind> mode,
                      bool& commands) {
  const char* role = "other";
  if (mode && info.inputReportLength == ConnectionMode::kEventReportLength) {
    role = "events";
  } else if (mode && info.usagePage == ConnectionMode::kCommandUsagePage) {
    role = "commands";
    commands = true;
  }
  ListRow row;
  row.mine = mode.has_value();
  row.opens = mode && platform::Hid().Open(index) != nullptr;
  const std::string path = base::ToUtf8(info.path);
  row.text = Pad(std::to_string(index), 7) + Pad(mode ? ModeName(*mode) : "-", 11) + Pad(role, 9) +
             Pad(Hex(info.usagePage, 4), 8) + Pad(Hex(info.usage, 4), 7) +
             Pad(std::to_string(info.inputReportLength), 5) +
             Pad(std::to_string(info.featureReportLength), 6) +
             Pad(!mode       ? "-"
                 : row.opens ? "yes"
                             : "no",
                 6) +
             path;
  row.json = JsonWriter::Object()
                 .Set("index", JsonWriter::Int(index))
                 .Set("mode", mode ? JsonWriter::Text(ModeName(*mode)) : JsonWriter())
                 .Set("role", JsonWriter::Text(role))
                 .Set("vendor", JsonWriter::Text(JsonHex(info.vendorId, 4)))
                 .Set("product", JsonWriter::Text(JsonHex(info.productId, 4)))
                 .Set("version", JsonWriter::Text(JsonHex(info.versionNumber, 4)))
                 .Set("usage_page", JsonWriter::Text(JsonHex(info.usagePage, 4)))
                 .Set("usage", JsonWriter::Text(JsonHex(info.usage, 4)))
                 .Set("input_length", JsonWriter::Int(info.inputReportLength))
                 .Set("feature_length", JsonWriter::Int(info.featureReportLength))
                 .Set("opens", mode ? JsonWriter::Bool(row.opens) : JsonWriter())
                 .Set("path", JsonWriter::Text(path));
  return row;
}

// Battery and the polling limit: what the mouse's status reports said.
void AddStatus(MouseSession& session, std::string& text, JsonWriter& json) {
  const size_t width = 14;
  if (session.StatusReports() > 0) {
    const int level = session.Events().BatteryLevel();
    const int charge = session.Events().ChargeState();
    text +=
        "\n" + Line("battery", std::to_string(level) + " % (" + ChargeName(charge) + ")", width);
    json.Set("battery", JsonWriter::Object()
                            .Set("level", JsonWriter::Int(level))
                            .Set("charge", JsonWriter::Text(ChargeName(charge))));
  } else {
    text += "\n" + Line("battery", "not reported", width);
    json.Set("battery", JsonWriter());
  }
  const int maxIndex = SettingCatalog::MaxPollingIndex(session.Link().MaxPollingClass());
  const std::string limit =
      maxIndex < 0 ? "the link offers no rate to choose"
                   : "up to " + std::to_string(SettingCatalog::PollingHz(maxIndex)) + " Hz";
  text += "\n" + Line("polling", limit + (session.StatusReports() > 0 ? "" : " (not reported yet)"),
                      width);
  json.Set("max_polling_hz",
           maxIndex < 0 ? JsonWriter() : JsonWriter::Int(SettingCatalog::PollingHz(maxIndex)));
}

}  // namespace

ExitCode CtlApp::List() {
  if (m_args.words.size() > 1) return Fail(ExitCode::Usage, "list takes no arguments.");
  JsonWriter interfaces = JsonWriter::Array();
  std::string table = Pad("index", 7) + Pad("mode", 11) + Pad("role", 9) + Pad("page", 8) +
                      Pad("usage", 7) + Pad("in", 5) + Pad("feat", 6) + Pad("open", 6) + "path\n";
  std::array<bool, ConnectionMode::kCount> present{};
  bool refused = false;
  for (int i = 0; i < DeviceLink::kScanLimit; ++i) {
    const auto info = platform::Hid().At(i);
    if (!info) continue;
    const auto mode = ModeOfProduct(info->vendorId, info->productId);
    if (!mode && !m_args.all) continue;
    ListRow row = ListInterface(i, *info, mode, present[mode.value_or(ConnectionMode::Wired)]);
    refused = refused || (row.mine && !row.opens);
    table += row.text + "\n";
    interfaces.Add(std::move(row.json));
  }
  JsonWriter modes = JsonWriter::Array();
  std::string modeText;
  for (Kind kind : kModes) {
    if (!present[kind]) continue;
    modes.Add(JsonWriter::Text(ModeName(kind)));
    modeText += (modeText.empty() ? "" : ", ") + ModeText(kind);
  }
  const auto denied = refused ? m_env.PermissionDeniedPath() : std::nullopt;
  const JsonWriter json =
      JsonWriter::Object().Set("modes", std::move(modes)).Set("interfaces", std::move(interfaces));
  const std::string text = table + "modes: " + (modeText.empty() ? "none" : modeText);
  if (!denied && !modeText.empty()) return Print(text, json);
  // The table says what was seen, the message why it cannot be used.
  if (!m_args.json) (void)Emit(text);
  if (denied) return PermissionDenied(*denied, json);
  return Fail(ExitCode::NoMouse, "no mouse found.", json);
}

ExitCode CtlApp::Info() {
  if (m_args.words.size() > 1) return Fail(ExitCode::Usage, "info takes no arguments.");
  if (const ExitCode code = LoadData(); code != ExitCode::Ok) return code;
  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, false); code != ExitCode::Ok) return code;
  DeviceLink& link = session.Link();
  // Battery and the polling limit come with the mouse's status reports.
  (void)session.PumpUntil(static_cast<uint32_t>(m_args.waitMs),
                          [&] { return session.StatusReports() > 0; });
  if (m_env.Interrupted()) return Interrupted();

  const Kind mode = link.CommandMode().value_or(ConnectionMode::Wired);
  std::string others;
  JsonWriter present = JsonWriter::Array();
  for (Kind kind : kModes) {
    if (!link.IsPresent(kind)) continue;
    present.Add(JsonWriter::Text(ModeName(kind)));
    if (kind != mode) others += (others.empty() ? "" : ", ") + std::string(ModeName(kind));
  }
  // Whether it answers is what the device-info read says, not what is plugged.
  const std::optional<DeviceInfoReport> device = ReadDeviceInfo(link);
  const bool answers = device && session.Answers();
  const size_t width = 14;
  std::string text = Line("connection", ModeText(mode), width);
  if (!others.empty()) text += "\n" + Line("also present", others, width);
  text += "\n" + Line("answers",
                      answers  ? "yes"
                      : device ? "no (the mouse is not linked to its receiver)"
                               : "no (the device-info request failed)",
                      width);
  JsonWriter json = JsonWriter::Object()
                        .Set("mode", JsonWriter::Text(ModeName(mode)))
                        .Set("present", std::move(present))
                        .Set("answers", JsonWriter::Bool(answers));
  std::string firmware = "not read";
  JsonWriter fw;
  if (device) AddFirmware(link, *device, firmware, fw);
  text += "\n" + Line("firmware", firmware, width);
  json.Set("firmware", std::move(fw));

  AddStatus(session, text, json);
  text += "\n" + Line("sensor", "0x" + Hex(m_data->settings.SensorId(), 4), width);
  json.Set("sensor", JsonWriter::Text(JsonHex(m_data->settings.SensorId(), 4)));
  text += "\n" + Line("profile", ProfileText(), width);
  json.Set("profile", ProfileJson());
  if (!device) {
    if (!m_args.json) (void)Emit(text);
    return Fail(ExitCode::NotAcknowledged, "the mouse did not answer the device-info request.",
                json);
  }
  return Print(text, json);
}

ExitCode CtlApp::Pair() {
  if (m_args.words.size() > 1) return Fail(ExitCode::Usage, "pair takes no arguments.");
  if (const ExitCode code = LoadData(); code != ExitCode::Ok) return code;
  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, false); code != ExitCode::Ok) return code;
  if (!session.Link().HasCommandHandle(ConnectionMode::Wireless)) {
    return Fail(ExitCode::NoMouse, "pairing needs the receiver: plug it in.");
  }
  PairingSession pairing;
  if (pairing.Start() != PairingSession::StartAction::SendAndTick ||
      !session.Link().SendPairingReport()) {
    return NotTaken(session, "the pairing request");
  }
  int shown = 0;
  auto show = [&] {
    if (pairing.StatusText() == shown) return;
    shown = pairing.StatusText();
    if (!m_args.json) m_env.Err(base::ToUtf8(m_data->EnglishText(shown)) + "\n");
  };
  show();
  for (;;) {
    (void)session.PumpUntil(PairingSession::kTickMs, nullptr);
    if (m_env.Interrupted()) return Interrupted();
    const auto result = pairing.Tick(g_bDeviceActive);
    show();
    if (result == PairingSession::TickResult::Stop) break;
  }
  if (pairing.state() != PairingSession::State::Paired) {
    return Fail(ExitCode::NotAcknowledged, "no mouse linked within " +
                                               std::to_string(PairingSession::kGiveUpAfter + 1) +
                                               " seconds: wake the mouse and try again.");
  }
  return Print("paired", JsonWriter::Object().Set("paired", JsonWriter::Bool(true)));
}

ExitCode CtlApp::Reset() {
  if (m_args.words.size() > 1) {
    return Fail(ExitCode::Usage, "reset takes no arguments (only --yes).");
  }
  if (const ExitCode code = LoadData(); code != ExitCode::Ok) return code;
  if (!m_data->CanWrite()) {
    return Fail(ExitCode::Failed, "the data folder " + m_env.UserPath(g_strDataDir) +
                                      " cannot be written; nothing was sent to the mouse.");
  }
  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, true); code != ExitCode::Ok) return code;
  if (!m_args.yes) {
    const auto answer =
        m_env.AskLine("Restore the mouse and profile " + std::to_string(m_data->CurrentSlot() + 1) +
                      " to factory settings? [y/N] ");
    if (m_env.Interrupted()) return Interrupted();
    if (!answer) return Fail(ExitCode::Usage, "reset asks first; add --yes to confirm.");
    if (*answer != "y" && *answer != "Y" && *answer != "yes") {
      return Fail(ExitCode::Failed, "nothing was reset.");
    }
  }
  FactoryReset reset(session.Link(), session.Writer(), session, m_data->store, m_data->settings);
  if (!reset.SendFactoryResetCommand()) {
    return NotTaken(session, "the reset (the profile was not changed)");
  }
  const int slot = FactoryReset::ResetCurrentProfile(m_data->store, m_data->settings);
  if (!m_data->SaveCurrent()) {
    return Fail(ExitCode::Failed, "the mouse was reset, but the data folder could not be saved.");
  }
  return Print(
      "the mouse and profile " + std::to_string(slot + 1) + " are back to factory settings",
      JsonWriter::Object()
          .Set("reset", JsonWriter::Bool(true))
          .Set("slot", JsonWriter::Int(slot + 1)));
}

namespace {

struct FirmwareResult {
  const char* name;
  ExitCode code;
};

FirmwareResult ResultOf(FirmwareUpdater::Outcome outcome) {
  switch (outcome) {
    case FirmwareUpdater::Outcome::Updated:
      return {"updated", ExitCode::Ok};
    case FirmwareUpdater::Outcome::UpToDate:
      return {"up_to_date", ExitCode::Ok};
    case FirmwareUpdater::Outcome::NoAnswer:
      return {"no_answer", ExitCode::NotAcknowledged};
    case FirmwareUpdater::Outcome::NotApplicationMode:
      return {"not_application_mode", ExitCode::Failed};
    case FirmwareUpdater::Outcome::NoImage:
      return {"no_image", ExitCode::Failed};
    case FirmwareUpdater::Outcome::Failed:
      break;
  }
  return {"failed", ExitCode::Failed};
}

}  // namespace

ExitCode CtlApp::Firmware() {
  if (m_args.words.size() != 2 || m_args.words[1] != "update") {
    return Fail(ExitCode::Usage, "usage: vantrelctl firmware update");
  }
  if (const ExitCode code = LoadData(); code != ExitCode::Ok) return code;
  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, false); code != ExitCode::Ok) return code;
  if (!session.Link().HasCommandHandle(ConnectionMode::Wired)) {
    return Fail(ExitCode::NoMouse, base::ToUtf8(m_data->EnglishText(291)));
  }
  FirmwareImage image;
  if (image.LoadFromResources() != FirmwareImage::Check::Ok) {
    return Fail(ExitCode::Failed, "the firmware image this tool carries is missing or damaged.");
  }
  TerminalProgress progress(m_env, *m_data);
  FirmwareUpdater updater(session.Link(), progress, image);
  updater.Open();
  // Cut safety as in the program: once it runs, the update is not left half way.
  m_env.SetInterruptible(false);
  const FirmwareResult result = ResultOf(updater.Run());
  m_env.SetInterruptible(true);
  const std::string status = progress.Status();
  JsonWriter json = JsonWriter::Object()
                        .Set("outcome", JsonWriter::Text(result.name))
                        .Set("status", JsonWriter::Text(status))
                        .Set("image", JsonWriter::Text(progress.ImageLine()))
                        .Set("device", JsonWriter::Text(progress.DeviceLine()));
  if (result.code != ExitCode::Ok) return Fail(result.code, "firmware: " + status, json);
  return Print("firmware: " + status, json);
}
