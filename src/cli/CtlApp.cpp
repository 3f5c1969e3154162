#include "cli/CtlApp.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

#include "base/AppGlobals.h"
#include "base/Format.h"
#include "base/Language.h"
#include "base/Text.h"
#include "cli/CtlEnvironment.h"
#include "cli/DataFolder.h"
#include "cli/FunctionNames.h"
#include "cli/Help.h"
#include "cli/MouseSession.h"
#include "cli/ProfileButtons.h"
#include "cli/TerminalProgress.h"
#include "device/DeviceInfoReport.h"
#include "device/FactoryReset.h"
#include "device/FirmwareImage.h"
#include "device/FirmwareUpdater.h"
#include "device/PairingSession.h"
#include "device/StatusReport.h"
#include "keys/ButtonAssignment.h"
#include "platform/Platform.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileOperations.h"

namespace {

using Kind = ConnectionMode::Kind;
constexpr Kind kModes[] = {ConnectionMode::Wired, ConnectionMode::Wireless, ConnectionMode::BLE};

constexpr const char* kUdevHint =
    "Install the udev rule that lets the logged-in user open the mouse: "
    "sudo install -m 0644 dist/linux/70-vantrel.rules /etc/udev/rules.d/ && "
    "sudo udevadm control --reload-rules && sudo udevadm trigger --subsystem-match=hidraw "
    "(see the README), then plug the mouse in again.";

const char* ModeName(Kind mode) {
  switch (mode) {
    case ConnectionMode::Wired:
      return "wired";
    case ConnectionMode::Wireless:
      return "wireless";
    case ConnectionMode::BLE:
      return "bluetooth";
  }
  return "";
}

const char* ModeWay(Kind mode) {
  switch (mode) {
    case ConnectionMode::Wired:
      return "cable";
    case ConnectionMode::Wireless:
      return "2.4 GHz receiver";
    case ConnectionMode::BLE:
      return "Bluetooth LE";
  }
  return "";
}

std::optional<Kind> ModeOfProduct(uint16_t vendor, uint16_t product) {
  if (vendor != ConnectionMode::kVendorId) return std::nullopt;
  for (Kind kind : kModes) {
    if (ConnectionMode::ProductIdOf(kind) == product) return kind;
  }
  return std::nullopt;
}

const char* ChargeName(int charge) {
  return charge == StatusEvents::kCharging ? "charging"
         : charge == StatusEvents::kFull   ? "full"
                                           : "discharging";
}

std::string Hex(uint32_t value, int digits) {
  return base::ToUtf8(base::Format(u"%.*X", digits, value));
}

std::string Join(const std::vector<std::string>& words, size_t from) {
  std::string out;
  for (size_t i = from; i < words.size(); ++i) out += (i > from ? " " : "") + words[i];
  return out;
}

std::string Pad(std::string text, size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

std::optional<int> Int(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

// Multi-line values go on the lines below their name.
std::string Line(std::string_view name, const std::string& value, size_t width) {
  if (value.find('\n') == std::string::npos) return Pad(std::string(name) + ": ", width) + value;
  std::string out = std::string(name) + ":";
  size_t at = 0;
  while (at <= value.size()) {
    const size_t end = std::min(value.find('\n', at), value.size());
    out += "\n  " + value.substr(at, end - at);
    at = end + 1;
  }
  return out;
}

// The firmware engine's checksum read for `info`, which shows nothing while it reads.
class SilentProgress : public FirmwareProgress {
 public:
  void SetImageChecksumLine(const std::u16string&) override {}
  void SetDeviceChecksumLine(const std::u16string&) override {}
  void SetStatus(int, const std::u16string&) override {}
  void SetPercent(const std::u16string&) override {}
  void SetProgress(int, int) override {}
};

// "2, 5" for buttons 1 and 4 (slots) whose macro the mouse could not take.
std::string ButtonList(const std::vector<int>& slots) {
  std::string out;
  for (int slot : slots) out += (out.empty() ? "" : ", ") + std::to_string(slot + 1);
  return out;
}

}  // namespace

CtlApp::CtlApp(CtlEnvironment& environment) : m_env(environment) {}
CtlApp::~CtlApp() = default;

ExitCode CtlApp::Fail(ExitCode code, const std::string& message) {
  m_env.Err("vantrelctl: " + message + "\n");
  return code;
}

void CtlApp::Print(const std::string& human, const JsonWriter& json) {
  m_env.Out((m_args.json ? json.Dump() : human) + "\n");
}

bool CtlApp::LoadData() {
  std::u16string folder;
  if (!m_args.dataDir.empty()) {
    folder = m_env.ProgramPath(m_args.dataDir);
  } else {
    folder = platform::Files().AppDataFolder() + u"\\" + kDataFolderName;
    // Trying things on the simulated mouse must not change what is kept for the real one.
    if (m_args.simulate) folder += u".simulated";
  }
  while (folder.size() > 1 && folder.back() == u'\\') folder.pop_back();
  m_data = std::make_unique<DataFolder>();
  if (!m_data->Load(folder)) {
    (void)Fail(ExitCode::Failed, "cannot create the data folder " + base::ToUtf8(folder));
    return false;
  }
  return true;
}

ExitCode CtlApp::OpenMouse(MouseSession& session, bool needAnswers) {
  session.Connect();
  if (!session.CanSend()) {
    if (const auto path = m_env.PermissionDeniedPath()) {
      return Fail(ExitCode::PermissionDenied,
                  "permission denied opening " + *path + ". " + std::string(kUdevHint));
    }
    if (!session.AnyPresent()) {
      return Fail(ExitCode::NoMouse, "no mouse found: connect it by cable, receiver or Bluetooth.");
    }
    return Fail(ExitCode::NoMouse, "the mouse was found but could not be opened.");
  }
  if (needAnswers && !session.Answers()) {
    return Fail(ExitCode::NotAcknowledged,
                "the mouse does not answer through its receiver: switch it on, or connect the "
                "cable.");
  }
  return ExitCode::Ok;
}

bool CtlApp::Send(MouseSession& session, const std::vector<SettingCatalog::Packet>& packets) {
  for (const auto& p : packets) {
    // A mouse that did not take one packet will not take the next: stop early.
    if (!session.Link().SendCommand(p.command, p.packetField, p.payload, DeviceLink::kSettleMs,
                                    p.sendLength)) {
      return false;
    }
  }
  return true;
}

ExitCode CtlApp::Run(const CtlArgs& args) {
  m_args = args;
  const std::vector<std::string>& w = m_args.words;
  if (m_args.version) {
    m_env.Out("vantrelctl 2.1.6\n");
    return ExitCode::Ok;
  }
  if (w.empty() || (w[0] == "help" && w.size() == 1)) {
    if (m_args.help || !w.empty()) {
      m_env.Out(cli_help::Overview());
      return ExitCode::Ok;
    }
    m_env.Err(cli_help::Overview());
    return ExitCode::Usage;
  }
  const std::string& command = w[0] == "help" ? w[1] : w[0];
  if (m_args.help || w[0] == "help") {
    const std::string text = cli_help::Command(command);
    if (text.empty()) return Fail(ExitCode::Usage, "unknown command \"" + command + "\".");
    m_env.Out(text);
    return ExitCode::Ok;
  }
  if (command == "list") return List();
  if (command == "info") return Info();
  if (command == "get") return Get();
  if (command == "set") return Set();
  if (command == "button") return Button();
  if (command == "profile") return Profile();
  if (command == "pair") return Pair();
  if (command == "reset") return Reset();
  if (command == "firmware") return Firmware();
  if (command == "watch") return Watch();
  return Fail(ExitCode::Usage, "unknown command \"" + command +
                                   "\". Commands: list, info, get, set, button, profile, pair, "
                                   "reset, firmware, watch (vantrelctl --help).");
}

// --- list ---

ExitCode CtlApp::List() {
  if (m_args.words.size() > 1) return Fail(ExitCode::Usage, "list takes no arguments.");
  auto& bus = platform::Hid();
  JsonWriter interfaces = JsonWriter::Array();
  std::string table = Pad("index", 7) + Pad("mode", 11) + Pad("role", 9) + Pad("page", 8) +
                      Pad("usage", 7) + Pad("in", 5) + Pad("feat", 6) + Pad("open", 6) + "path\n";
  std::array<bool, ConnectionMode::kCount> present{};
  for (int i = 0; i < DeviceLink::kScanLimit; ++i) {
    const auto info = bus.At(i);
    if (!info) continue;
    const auto mode = ModeOfProduct(info->vendorId, info->productId);
    if (!mode && !m_args.all) continue;
    // Told apart as the device link tells them apart.
    const char* role = "other";
    if (mode && info->inputReportLength == ConnectionMode::kEventReportLength) {
      role = "events";
    } else if (mode && info->usagePage == ConnectionMode::kCommandUsagePage) {
      role = "commands";
      present[*mode] = true;
    }
    // Only the mouse's own interfaces are tried: a keyboard's node is nobody's business here.
    const bool opens = mode && bus.Open(i) != nullptr;
    const std::string path = base::ToUtf8(info->path);
    table += Pad(std::to_string(i), 7) + Pad(mode ? ModeName(*mode) : "-", 11) + Pad(role, 9) +
             Pad(Hex(info->usagePage, 4), 8) + Pad(Hex(info->usage, 4), 7) +
             Pad(std::to_string(info->inputReportLength), 5) +
             Pad(std::to_string(info->featureReportLength), 6) +
             Pad(!mode   ? "-"
                 : opens ? "yes"
                         : "no",
                 6) +
             path + "\n";
    interfaces.Add(JsonWriter::Object()
                       .Set("index", JsonWriter::Int(i))
                       .Set("mode", mode ? JsonWriter::Text(ModeName(*mode)) : JsonWriter())
                       .Set("role", JsonWriter::Text(role))
                       .Set("vendor", JsonWriter::Text(Hex(info->vendorId, 4)))
                       .Set("product", JsonWriter::Text(Hex(info->productId, 4)))
                       .Set("version", JsonWriter::Text(Hex(info->versionNumber, 4)))
                       .Set("usage_page", JsonWriter::Text(Hex(info->usagePage, 4)))
                       .Set("usage", JsonWriter::Text(Hex(info->usage, 4)))
                       .Set("input_length", JsonWriter::Int(info->inputReportLength))
                       .Set("feature_length", JsonWriter::Int(info->featureReportLength))
                       .Set("opens", mode ? JsonWriter::Bool(opens) : JsonWriter())
                       .Set("path", JsonWriter::Text(path)));
  }
  JsonWriter modes = JsonWriter::Array();
  std::string modeText;
  for (Kind kind : kModes) {
    if (!present[kind]) continue;
    modes.Add(JsonWriter::Text(ModeName(kind)));
    modeText +=
        (modeText.empty() ? "" : ", ") + std::string(ModeName(kind)) + " (" + ModeWay(kind) + ")";
  }
  Print(
      table + "modes: " + (modeText.empty() ? "none" : modeText),
      JsonWriter::Object().Set("modes", std::move(modes)).Set("interfaces", std::move(interfaces)));
  if (modeText.empty()) {
    if (const auto path = m_env.PermissionDeniedPath()) {
      return Fail(ExitCode::PermissionDenied,
                  "permission denied opening " + *path + ". " + kUdevHint);
    }
    return Fail(ExitCode::NoMouse, "no mouse found.");
  }
  return ExitCode::Ok;
}

// --- info ---

ExitCode CtlApp::Info() {
  if (m_args.words.size() > 1) return Fail(ExitCode::Usage, "info takes no arguments.");
  if (!LoadData()) return ExitCode::Failed;
  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, false); code != ExitCode::Ok) return code;
  DeviceLink& link = session.Link();
  // Battery and the polling limit come with the mouse's status reports.
  (void)session.PumpUntil(static_cast<uint32_t>(m_args.waitMs),
                          [&] { return session.StatusReports() > 0; });

  const Kind mode = link.CommandMode().value_or(ConnectionMode::Wired);
  std::string others;
  JsonWriter present = JsonWriter::Array();
  for (Kind kind : kModes) {
    if (!link.IsPresent(kind)) continue;
    present.Add(JsonWriter::Text(ModeName(kind)));
    if (kind != mode) others += (others.empty() ? "" : ", ") + std::string(ModeName(kind));
  }

  std::array<uint8_t, DeviceInfoReport::kLength> buffer;
  buffer.fill(0xFF);
  buffer[0] = DeviceInfoReport::kReportId;
  std::optional<DeviceInfoReport> device;
  if (platform::HidDevice* handle = link.CommandHandle(); handle && handle->GetFeature(buffer)) {
    device = DeviceInfoReport::Parse(buffer);
  }

  const int width = 14;
  std::string text =
      Line("connection", std::string(ModeName(mode)) + " (" + ModeWay(mode) + ")", width);
  if (!others.empty()) text += "\n" + Line("also present", others, width);
  text += "\n" + Line("answers",
                      session.Answers() ? "yes" : "no (the mouse is not linked to its receiver)",
                      width);
  JsonWriter json = JsonWriter::Object()
                        .Set("mode", JsonWriter::Text(ModeName(mode)))
                        .Set("present", std::move(present))
                        .Set("answers", JsonWriter::Bool(session.Answers()));

  if (device) {
    const std::string bytes = Hex(device->firmware8, 2) + " " + Hex(device->firmware9, 2);
    std::string firmware = bytes;
    JsonWriter fw = JsonWriter::Object().Set("bytes", JsonWriter::Text(bytes));
    if (link.HasCommandHandle(ConnectionMode::Wired)) {
      const uint16_t version = link.WiredVersionNumber();
      firmware += ", interface version " + Hex(version, 4);
      fw.Set("interface_version", JsonWriter::Text(Hex(version, 4)));
      // The application header can be read only while the application runs.
      if ((version >> 8) == 2) {
        FirmwareImage image;
        const bool haveImage = image.LoadFromResources() == FirmwareImage::Check::Ok;
        SilentProgress silent;
        FirmwareUpdater updater(link, silent, image);
        if (const auto checksum = updater.ReadDeviceChecksum()) {
          firmware += "\nchecksum " + base::ToUtf8(base::Format(u"%.8x", *checksum));
          fw.Set("checksum", JsonWriter::Text(base::ToUtf8(base::Format(u"%.8x", *checksum))));
          if (haveImage) {
            const bool same = *checksum == image.Header().checksum;
            firmware += same ? " (the same as the image this tool carries)"
                             : " (this tool carries " +
                                   base::ToUtf8(base::Format(u"%.8x", image.Header().checksum)) +
                                   ": vantrelctl firmware update)";
            fw.Set("update_available", JsonWriter::Bool(!same));
          }
        }
      }
    }
    text += "\n" + Line("firmware", firmware, width);
    json.Set("firmware", std::move(fw));
  }

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
  const int maxIndex = SettingCatalog::MaxPollingIndex(link.MaxPollingClass());
  const std::string limit =
      maxIndex < 0 ? "the link offers no rate to choose"
                   : "up to " + std::to_string(SettingCatalog::PollingHz(maxIndex)) + " Hz";
  text += "\n" + Line("polling", limit + (session.StatusReports() > 0 ? "" : " (not reported yet)"),
                      width);
  json.Set("max_polling_hz",
           maxIndex < 0 ? JsonWriter() : JsonWriter::Int(SettingCatalog::PollingHz(maxIndex)));
  const std::string sensor = "0x" + Hex(m_data->settings.SensorId(), 4);
  text += "\n" + Line("sensor", sensor, width);
  json.Set("sensor", JsonWriter::Text(sensor));
  const std::string profile = std::to_string(m_data->CurrentSlot() + 1) + " (" +
                              base::ToUtf8(m_data->Current().ProfileName()) + ")";
  text += "\n" + Line("profile", profile, width);
  json.Set("profile", JsonWriter::Object()
                          .Set("slot", JsonWriter::Int(m_data->CurrentSlot() + 1))
                          .Set("name", JsonWriter::Text(m_data->Current().ProfileName())));
  Print(text, json);
  return ExitCode::Ok;
}

// --- get and set ---

ExitCode CtlApp::Get() {
  const auto& w = m_args.words;
  if (w.size() > 2) return Fail(ExitCode::Usage, "get takes at most one setting.");
  const SettingCatalog::Entry* only = nullptr;
  if (w.size() == 2) {
    only = SettingCatalog::Find(w[1]);
    if (!only) {
      return Fail(ExitCode::Usage,
                  "unknown setting \"" + w[1] + "\". Settings: " + SettingCatalog::Names() + ".");
    }
  }
  if (!LoadData()) return ExitCode::Failed;
  if (only) {
    const auto value = SettingCatalog::Get(only->key, *m_data);
    Print(Line(only->name, value.text, 0), JsonWriter::Object().Set(only->name, value.json));
    return ExitCode::Ok;
  }
  const std::string profile = std::to_string(m_data->CurrentSlot() + 1) + " (" +
                              base::ToUtf8(m_data->Current().ProfileName()) + ")";
  std::string text = Line("profile", profile, 21);
  JsonWriter json = JsonWriter::Object().Set(
      "profile", JsonWriter::Object()
                     .Set("slot", JsonWriter::Int(m_data->CurrentSlot() + 1))
                     .Set("name", JsonWriter::Text(m_data->Current().ProfileName())));
  for (const auto& entry : SettingCatalog::Entries()) {
    const auto value = SettingCatalog::Get(entry.key, *m_data);
    text += "\n" + Line(entry.name, value.text, 21);
    json.Set(entry.name, value.json);
  }
  Print(text, json);
  return ExitCode::Ok;
}

ExitCode CtlApp::Set() {
  const auto& w = m_args.words;
  if (w.size() < 2) {
    return Fail(ExitCode::Usage,
                "set needs a setting and a value. Settings: " + SettingCatalog::Names() + ".");
  }
  const SettingCatalog::Entry* entry = SettingCatalog::Find(w[1]);
  if (!entry) {
    return Fail(ExitCode::Usage,
                "unknown setting \"" + w[1] + "\". Settings: " + SettingCatalog::Names() + ".");
  }
  if (!LoadData()) return ExitCode::Failed;
  auto checked = SettingCatalog::Check(*entry, std::span<const std::string>(w).subspan(2), *m_data);
  if (auto* message = std::get_if<std::string>(&checked)) {
    std::string usage = entry->arguments.empty() ? std::string()
                                                 : " (set " + std::string(entry->name) + " " +
                                                       std::string(entry->arguments) + ")";
    return Fail(ExitCode::Usage, std::string(entry->name) + ": " + *message + usage + ".");
  }
  const SettingCatalog::Edit& edit = std::get<SettingCatalog::Edit>(checked);

  auto report = [&] {
    const auto value = SettingCatalog::Get(entry->key, *m_data);
    Print(Line(entry->name, value.text, 0), JsonWriter::Object().Set(entry->name, value.json));
  };

  if (entry->commands == SettingCatalog::kNone) {
    // Kept in the profile only: no mouse needed.
    edit.apply(m_data->Current());
    if (!m_data->SaveCurrent())
      return Fail(ExitCode::Failed, "the data folder could not be saved.");
    report();
    return ExitCode::Ok;
  }

  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, true); code != ExitCode::Ok) return code;
  if (edit.pollingIndex >= 0) {
    auto allowed = [&] {
      return SettingCatalog::MaxPollingIndex(session.Link().MaxPollingClass());
    };
    // The limit comes with the mouse's status report; the start-up class allows 1000 Hz.
    if (edit.pollingIndex > allowed() && session.StatusReports() == 0) {
      (void)session.PumpUntil(static_cast<uint32_t>(m_args.waitMs),
                              [&] { return session.StatusReports() > 0; });
    }
    if (edit.pollingIndex > allowed()) {
      return Fail(ExitCode::Usage,
                  "polling: the link allows " + SettingCatalog::PollingChoices(allowed()) +
                      (session.StatusReports() == 0 ? " until the mouse reports more" : "") + ".");
    }
  }
  edit.apply(m_data->Current());
  if (!Send(session, SettingCatalog::Packets(entry->commands, session.Model()))) {
    return Fail(ExitCode::NotAcknowledged,
                "the mouse did not acknowledge the change; nothing was saved.");
  }
  if (!m_data->SaveCurrent()) {
    return Fail(ExitCode::Failed,
                "the mouse took the change, but the data folder could not be saved.");
  }
  report();
  return ExitCode::Ok;
}

// --- button ---

ExitCode CtlApp::Button() {
  const auto& w = m_args.words;
  const auto number = w.size() >= 2 ? Int(w[1], 1, 6) : std::nullopt;
  if (!number) {
    return Fail(ExitCode::Usage,
                "button needs a button number 1 to 6 (1 left, 2 right, 3 middle, 4 and 5 the side "
                "buttons, 6 the DPI button) and a function.");
  }
  if (w.size() < 3) return Fail(ExitCode::Usage, "button " + w[1] + " needs a function.");
  if (!LoadData()) return ExitCode::Failed;
  const FunctionNames names(*m_data);
  const auto parsed = names.Parse(Join(w, 2));
  if (const auto* message = std::get_if<std::string>(&parsed)) {
    return Fail(ExitCode::Usage, "button " + w[1] + ": " + *message + ".");
  }
  const FunctionNames::Function& function = std::get<FunctionNames::Function>(parsed);
  const int control = keys::kFirstButtonControl + *number - 1;
  auto assign = [&](ProfileSettings& profile) {
    ProfileButtons buttons(profile);
    return keys::AssignButtonFunction(buttons, control, function.name, function.code.bytes.data(),
                                      function.macro, function.url);
  };
  // The left-button guard, tried on a copy: a choice it would undo is refused instead.
  {
    ProfileSettings copy = m_data->Current();
    ProfileButtons buttons(copy);
    if (!assign(copy) ||
        keys::RunLeftButtonGuard(buttons, control) == keys::LeftButtonGuard::LeftButtonRestored) {
      return Fail(ExitCode::Usage, "button " + w[1] +
                                       ": one button must stay the left click; give another "
                                       "button \"Left click\" first.");
    }
  }

  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, true); code != ExitCode::Ok) return code;
  (void)assign(m_data->Current());
  MacroDownload& macros = session.Macros();
  macros.AssignMacroSlots();
  const uint32_t dropped = session.Dropped();
  bool taken = session.Link().SendCommand(SettingsWriter::kKeyTable, SettingsWriter::kSinglePacket,
                                          SettingsWriter::BuildKeyTable(session.Model()));
  if (taken) {
    macros.SendMacros(true);
    taken = session.Dropped() == dropped;
  }
  if (!taken) {
    return Fail(ExitCode::NotAcknowledged,
                "the mouse did not acknowledge the button table; nothing was saved.");
  }
  if (!macros.RefusedButtons().empty()) {
    return Fail(ExitCode::Failed, "the macro of button " + ButtonList(macros.RefusedButtons()) +
                                      " is too long for the mouse and was not sent; nothing "
                                      "was saved.");
  }
  if (!m_data->SaveCurrent()) {
    return Fail(ExitCode::Failed,
                "the mouse took the change, but the data folder could not be saved.");
  }
  const auto value = SettingCatalog::Get(SettingCatalog::Key::Buttons, *m_data);
  Print(value.text, JsonWriter::Object().Set("buttons", value.json));
  return ExitCode::Ok;
}

// --- profile apply ---

ExitCode CtlApp::Profile() {
  const auto& w = m_args.words;
  if (w.size() != 3 || w[1] != "apply") {
    return Fail(ExitCode::Usage, "usage: vantrelctl profile apply FILE.psf [--slot=N]");
  }
  if (!LoadData()) return ExitCode::Failed;
  GlobalSettings& settings = m_data->settings;
  const int slot = m_args.slot > 0 ? m_args.slot - 1 : m_data->CurrentSlot();
  const std::vector<int> shown = settings.ShownSlots();
  if (std::find(shown.begin(), shown.end(), slot) == shown.end()) {
    std::string list;
    for (int s : shown) list += (list.empty() ? "" : ", ") + std::to_string(s + 1);
    return Fail(ExitCode::Usage,
                "slot " + std::to_string(slot + 1) +
                    " is not one of the program's profiles; slots in use: " + list + ".");
  }
  const std::u16string path = m_env.ProgramPath(w[2]);
  // Read into a copy: a bad file must not cost the slot its profile.
  ProfileSettings scratch = m_data->store.profiles[static_cast<size_t>(slot)];
  switch (ParseProfileFile(path, scratch)) {
    case ProfileReadResult::CannotOpen:
      return Fail(ExitCode::BadFile, "cannot read " + w[2] + ".");
    case ProfileReadResult::Malformed:
      return Fail(ExitCode::BadFile, w[2] + " is not a profile file; nothing was changed.");
    case ProfileReadResult::Ok:
      break;
  }

  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, true); code != ExitCode::Ok) return code;
  m_data->store.profiles[static_cast<size_t>(slot)] = std::move(scratch);
  (void)SwitchProfile(settings, slot);
  // What a write after a switch sends: the button table, the DPI group, then the macros.
  MacroDownload& macros = session.Macros();
  macros.AssignMacroSlots();
  const uint32_t dropped = session.Dropped();
  std::vector<SettingCatalog::Packet> packets;
  const auto keys = SettingsWriter::BuildKeyTable(session.Model());
  packets.push_back({SettingsWriter::kKeyTable, SettingsWriter::kSinglePacket,
                     std::vector<uint8_t>(keys.begin(), keys.end()), CommandReport::kLength});
  for (auto& p : SettingCatalog::Packets(SettingCatalog::kDpiGroup, session.Model())) {
    packets.push_back(std::move(p));
  }
  bool taken = Send(session, packets);
  if (taken) {
    macros.SendMacros(true);
    taken = session.Dropped() == dropped;
  }
  if (!taken) {
    return Fail(ExitCode::NotAcknowledged,
                "the mouse did not acknowledge the profile; nothing was saved.");
  }
  if (!macros.RefusedButtons().empty()) {
    return Fail(ExitCode::Failed, "the macro of button " + ButtonList(macros.RefusedButtons()) +
                                      " is too long for the mouse and was not sent; nothing "
                                      "was saved.");
  }
  if (!m_data->Save()) {
    return Fail(ExitCode::Failed,
                "the mouse took the profile, but the data folder could not be saved.");
  }
  const std::u16string& name = m_data->Current().ProfileName();
  Print(
      "profile " + std::to_string(slot + 1) + " (" + base::ToUtf8(name) + ") applied from " + w[2],
      JsonWriter::Object()
          .Set("applied", JsonWriter::Text(w[2]))
          .Set("slot", JsonWriter::Int(slot + 1))
          .Set("name", JsonWriter::Text(name)));
  return ExitCode::Ok;
}

// --- pair ---

ExitCode CtlApp::Pair() {
  if (m_args.words.size() > 1) return Fail(ExitCode::Usage, "pair takes no arguments.");
  if (!LoadData()) return ExitCode::Failed;
  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, false); code != ExitCode::Ok) return code;
  if (!session.Link().HasCommandHandle(ConnectionMode::Wireless)) {
    return Fail(ExitCode::NoMouse, "pairing needs the receiver: plug it in.");
  }
  PairingSession pairing;
  if (pairing.Start() != PairingSession::StartAction::SendAndTick ||
      !session.Link().SendPairingReport()) {
    return Fail(ExitCode::Failed, "the receiver did not take the pairing request.");
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
    if (m_env.Interrupted()) return Fail(ExitCode::Failed, "pairing interrupted.");
    const auto result = pairing.Tick(g_bDeviceActive);
    show();
    if (result == PairingSession::TickResult::Stop) break;
  }
  const bool paired = pairing.state() == PairingSession::State::Paired;
  if (!paired) {
    return Fail(ExitCode::NotAcknowledged, "no mouse linked within " +
                                               std::to_string(PairingSession::kGiveUpAfter + 1) +
                                               " seconds: wake the mouse and try again.");
  }
  Print("paired", JsonWriter::Object().Set("paired", JsonWriter::Bool(true)));
  return ExitCode::Ok;
}

// --- reset ---

ExitCode CtlApp::Reset() {
  if (m_args.words.size() > 1)
    return Fail(ExitCode::Usage, "reset takes no arguments (only --yes).");
  if (!LoadData()) return ExitCode::Failed;
  MouseSession session(*m_data, m_env);
  if (const ExitCode code = OpenMouse(session, true); code != ExitCode::Ok) return code;
  if (!m_args.yes) {
    const auto answer =
        m_env.AskLine("Restore the mouse and profile " + std::to_string(m_data->CurrentSlot() + 1) +
                      " to factory settings? [y/N] ");
    if (!answer) return Fail(ExitCode::Usage, "reset asks first; add --yes to confirm.");
    if (*answer != "y" && *answer != "Y" && *answer != "yes") {
      return Fail(ExitCode::Failed, "nothing was reset.");
    }
  }
  FactoryReset reset(session.Link(), session.Writer(), session, m_data->store, m_data->settings);
  if (!reset.SendFactoryResetCommand()) {
    return Fail(ExitCode::NotAcknowledged,
                "the mouse did not confirm the reset; the profile was not changed.");
  }
  const int slot = FactoryReset::ResetCurrentProfile(m_data->store, m_data->settings);
  if (!m_data->SaveCurrent()) {
    return Fail(ExitCode::Failed, "the mouse was reset, but the data folder could not be saved.");
  }
  Print("the mouse and profile " + std::to_string(slot + 1) + " are back to factory settings",
        JsonWriter::Object()
            .Set("reset", JsonWriter::Bool(true))
            .Set("slot", JsonWriter::Int(slot + 1)));
  return ExitCode::Ok;
}

// --- firmware update ---

ExitCode CtlApp::Firmware() {
  if (m_args.words.size() != 2 || m_args.words[1] != "update") {
    return Fail(ExitCode::Usage, "usage: vantrelctl firmware update");
  }
  if (!LoadData()) return ExitCode::Failed;
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
  const FirmwareUpdater::Outcome outcome = updater.Run();
  m_env.SetInterruptible(true);

  const char* name = "failed";
  ExitCode code = ExitCode::Failed;
  switch (outcome) {
    case FirmwareUpdater::Outcome::Updated:
      name = "updated";
      code = ExitCode::Ok;
      break;
    case FirmwareUpdater::Outcome::UpToDate:
      name = "up-to-date";
      code = ExitCode::Ok;
      break;
    case FirmwareUpdater::Outcome::NoAnswer:
      name = "no-answer";
      code = ExitCode::NotAcknowledged;
      break;
    case FirmwareUpdater::Outcome::NotApplicationMode:
      name = "not-application-mode";
      break;
    case FirmwareUpdater::Outcome::NoImage:
      name = "no-image";
      break;
    case FirmwareUpdater::Outcome::Failed:
      break;
  }
  const std::string status = progress.Status();
  JsonWriter json = JsonWriter::Object()
                        .Set("outcome", JsonWriter::Text(name))
                        .Set("status", JsonWriter::Text(status))
                        .Set("image", JsonWriter::Text(progress.ImageLine()))
                        .Set("device", JsonWriter::Text(progress.DeviceLine()));
  if (code != ExitCode::Ok) {
    if (m_args.json) m_env.Out(json.Dump() + "\n");
    return Fail(code, "firmware: " + status);
  }
  Print("firmware: " + status, json);
  return ExitCode::Ok;
}

// --- watch ---

ExitCode CtlApp::Watch() {
  if (m_args.words.size() > 1) return Fail(ExitCode::Usage, "watch takes no arguments.");
  if (!LoadData()) return ExitCode::Failed;
  MouseSession session(*m_data, m_env);
  session.Connect();
  if (!session.CanSend()) {
    if (const auto path = m_env.PermissionDeniedPath()) {
      return Fail(ExitCode::PermissionDenied,
                  "permission denied opening " + *path + ". " + kUdevHint);
    }
    if (!m_args.json) m_env.Err("waiting for the mouse...\n");
  }

  auto& clock = platform::Time();
  ProfileDeviceModel& model = session.Model();
  StatusEvents& events = session.Events();
  DeviceLink& link = session.Link();
  struct Seen {
    uint8_t level;
    uint8_t polling;
    uint8_t effect;
    std::optional<int> battery;
    int charge;
    bool linked;
    uint16_t sensor;
    std::array<bool, ConnectionMode::kCount> present;
    std::array<uint8_t, ConnectionMode::kCount> launch;
  };
  Seen seen{model.CurrentDpiLevel(),
            model.PollingIndex(),
            model.LightingMode(),
            std::nullopt,
            events.ChargeState(),
            g_bDeviceActive,
            model.CurrentSensor(),
            {},
            {}};
  for (Kind kind : kModes) seen.present[kind] = link.IsPresent(kind);

  const uint64_t start = clock.NowMs();
  int count = 0;
  auto enough = [&] { return m_args.count > 0 && count >= m_args.count; };
  auto emit = [&](const std::string& human, JsonWriter json) {
    // Several reports may be applied in one turn of the loop; the count is exact.
    if (enough()) return;
    json.Set("ms", JsonWriter::Int(static_cast<int64_t>(clock.NowMs() - start)));
    m_env.Out((m_args.json ? json.Dump() : human) + "\n");
    ++count;
  };
  auto event = [](const char* name) {
    return JsonWriter::Object().Set("event", JsonWriter::Text(name));
  };

  session.onReport = [&](Kind mode, const std::vector<uint8_t>& bytes) {
    const auto report = StatusReport::Parse(bytes);
    const char* from = ModeName(mode);
    if (model.CurrentDpiLevel() != seen.level) {
      seen.level = model.CurrentDpiLevel();
      const int dpi = DpiOf(m_data->table, model.DpiIndexX(seen.level));
      emit("dpi: level " + std::to_string(seen.level + 1) + " (" + std::to_string(dpi) + " DPI)",
           event("dpi")
               .Set("level", JsonWriter::Int(seen.level + 1))
               .Set("dpi", JsonWriter::Int(dpi))
               .Set("mode", JsonWriter::Text(from)));
    }
    if (model.PollingIndex() != seen.polling) {
      seen.polling = model.PollingIndex();
      const int hz = SettingCatalog::PollingHz(seen.polling);
      emit("polling: " + std::to_string(hz) + " Hz",
           event("polling").Set("hz", JsonWriter::Int(hz)).Set("mode", JsonWriter::Text(from)));
    }
    if (events.BatteryLevel() != seen.battery || events.ChargeState() != seen.charge) {
      seen.battery = events.BatteryLevel();
      seen.charge = events.ChargeState();
      emit("battery: " + std::to_string(*seen.battery) + " % (" + ChargeName(seen.charge) + ")",
           event("battery")
               .Set("level", JsonWriter::Int(*seen.battery))
               .Set("charge", JsonWriter::Text(ChargeName(seen.charge)))
               .Set("mode", JsonWriter::Text(from)));
    }
    if (model.LightingMode() != seen.effect) {
      seen.effect = model.LightingMode();
      const std::string name =
          base::ToUtf8(m_data->EnglishText(StatusEvents::LightingNameText(seen.effect)));
      emit("lighting: effect " + std::to_string(seen.effect) + " (" + name + ")",
           event("lighting")
               .Set("effect", JsonWriter::Int(seen.effect))
               .Set("name", JsonWriter::Text(name))
               .Set("mode", JsonWriter::Text(from)));
    }
    if (g_bDeviceActive != seen.linked) {
      seen.linked = g_bDeviceActive;
      emit(seen.linked ? "link: the mouse is linked to its receiver"
                       : "link: the mouse is not linked to its receiver",
           event("link").Set("linked", JsonWriter::Bool(seen.linked)));
    }
    if (model.CurrentSensor() != seen.sensor) {
      seen.sensor = model.CurrentSensor();
      emit("sensor: 0x" + Hex(seen.sensor, 4) + " (the DPI levels were set to its defaults)",
           event("sensor").Set("sensor", JsonWriter::Text("0x" + Hex(seen.sensor, 4))));
    }
    // A launch request counts once until the mouse reports none again, as in the program;
    // reports of a receiver without its mouse carry none.
    if (report && !(mode == ConnectionMode::Wireless && report->link == 0)) {
      uint8_t& last = seen.launch[mode];
      if (report->launch == 0) {
        last = 0;
      } else if (report->launch != last && !report->IsLeaveRequest()) {
        last = report->launch;
        JsonWriter json = event("launch").Set("button", JsonWriter::Int(report->launch));
        std::string human = "launch: button " + std::to_string(report->launch);
        if (report->launch <= DeviceModel::kButtons) {
          const std::u16string target = model.ButtonUrl(report->launch - 1);
          json.Set("target", JsonWriter::Text(target));
          if (!target.empty()) human += " (" + base::ToUtf8(target) + ")";
        }
        emit(human, std::move(json));
      }
    }
  };
  session.onDeviceChange = [&](uint32_t) {
    for (Kind kind : kModes) {
      if (link.IsPresent(kind) == seen.present[kind]) continue;
      seen.present[kind] = link.IsPresent(kind);
      const bool now = seen.present[kind];
      emit(std::string(now ? "connected: " : "disconnected: ") + ModeName(kind) + " (" +
               ModeWay(kind) + ")",
           event(now ? "connected" : "disconnected").Set("mode", JsonWriter::Text(ModeName(kind))));
    }
  };

  const uint64_t limit = m_args.seconds > 0 ? uint64_t(m_args.seconds) * 1000 : UINT64_MAX;
  for (;;) {
    if (enough() || m_env.Interrupted()) break;
    if (session.EndRequest() == DeviceHost::ProgramEnd::LeaveRequest) {
      emit("leave: the mouse asked the program to end", event("leave"));
      break;
    }
    // The program ends when the last interface goes; a watcher waits for it to come back.
    if (session.EndRequest()) session.ClearEndRequest();
    const uint64_t elapsed = clock.NowMs() - start;
    if (elapsed >= limit) break;
    (void)session.PumpUntil(static_cast<uint32_t>(std::min<uint64_t>(limit - elapsed, 1000)),
                            [&] { return enough() || session.EndRequest().has_value(); });
  }
  return ExitCode::Ok;
}
