#include "cli/CtlApp.h"

#include "base/AppGlobals.h"
#include "base/Text.h"
#include "cli/CtlEnvironment.h"
#include "cli/CtlText.h"
#include "cli/DataFolder.h"
#include "cli/Help.h"
#include "cli/MouseSession.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kVersion = "vantrelctl 2.1.6\n";

}  // namespace

CtlApp::CtlApp(CtlEnvironment& environment) : m_env(environment) {}
CtlApp::~CtlApp() = default;

const CtlApp::Command* CtlApp::FindCommand(std::string_view name) {
  static constexpr Command kCommands[] = {
      {"list", &CtlApp::List, "--all", false},
      {"info", &CtlApp::Info, "", false},
      {"get", &CtlApp::Get, "", false},
      {"set", &CtlApp::Set, "", true},
      {"button", &CtlApp::Button, "", true},
      {"profile", &CtlApp::Profile, "--slot", true},
      {"pair", &CtlApp::Pair, "", false},
      {"reset", &CtlApp::Reset, "--yes", true},
      {"firmware", &CtlApp::Firmware, "", false},
      {"watch", &CtlApp::Watch, "--count --seconds", false},
  };
  for (const Command& c : kCommands) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

const char* CtlApp::ExitCodeName(ExitCode code) {
  switch (code) {
    case ExitCode::Ok:
      return "ok";
    case ExitCode::Failed:
      return "failed";
    case ExitCode::Usage:
      return "usage";
    case ExitCode::NoMouse:
      return "no_mouse";
    case ExitCode::PermissionDenied:
      return "permission_denied";
    case ExitCode::NotAcknowledged:
      return "not_acknowledged";
    case ExitCode::BadFile:
      return "bad_file";
    case ExitCode::Interrupted:
      return "interrupted";
  }
  return "failed";
}

ExitCode CtlApp::Fail(ExitCode code, const std::string& message, JsonWriter details) {
  m_env.Err("vantrelctl: " + message + "\n");
  if (m_args.json && !m_outputFailed) {
    JsonWriter json =
        JsonWriter::Object().Set("error", JsonWriter::Object()
                                              .Set("code", JsonWriter::Int(static_cast<int>(code)))
                                              .Set("name", JsonWriter::Text(ExitCodeName(code)))
                                              .Set("message", JsonWriter::Text(message)));
    if (!details.IsNull()) json.Merge(details);
    (void)Emit(json.Dump());
  }
  return code;
}

ExitCode CtlApp::Print(const std::string& human, const JsonWriter& json) {
  return Emit(m_args.json ? json.Dump() : human) ? ExitCode::Ok : ExitCode::Failed;
}

bool CtlApp::Emit(const std::string& line) {
  return Write(line + "\n");
}

bool CtlApp::Write(std::string_view text) {
  if (!m_outputFailed) m_outputFailed = !m_env.Out(text);
  return !m_outputFailed;
}

ExitCode CtlApp::Interrupted() {
  return Fail(ExitCode::Interrupted, "interrupted.");
}

ExitCode CtlApp::PermissionDenied(const std::string& path, JsonWriter details) {
  return Fail(ExitCode::PermissionDenied,
              "permission denied opening " + path +
                  ". Install the udev rule that lets the logged-in user open the mouse: sudo "
                  "install -m 0644 " +
                  m_env.UdevRulePath() +
                  " /etc/udev/rules.d/ && sudo udevadm control --reload-rules && sudo udevadm "
                  "trigger --subsystem-match=hidraw, then plug the mouse in again.",
              std::move(details));
}

ExitCode CtlApp::LoadData() {
  std::u16string folder;
  const bool own = m_args.dataDir.empty();
  if (!own) {
    folder = m_env.ProgramPath(m_args.dataDir);
  } else {
    const std::u16string base = platform::Files().AppDataFolder();
    if (base.empty()) {
      return Fail(ExitCode::Failed,
                  "cannot tell where the data folder is: HOME is not set. Set HOME, or give "
                  "--data=DIR.");
    }
    folder = base + u"\\" + kDataFolderName;
    // Trying things on the simulated mouse must not change what is kept for the real one.
    if (m_args.simulate) folder += u".simulated";
  }
  while (folder.size() > 1 && folder.back() == u'\\') folder.pop_back();
  const std::string shown = m_env.UserPath(folder);
  // Only the program's own folder is made; a mistyped --data must not become a new one.
  if (!own && !platform::Files().DirectoryExists(folder)) {
    return Fail(ExitCode::Usage, "there is no data folder " + shown +
                                     ". Check the path; to start a new one there, make the "
                                     "folder first (mkdir -p " +
                                     shown + ").");
  }
  m_data = std::make_unique<DataFolder>();
  if (DataFolder::Make(folder, own) != DataFolder::Made::Ok) {
    return Fail(ExitCode::Failed, "cannot create the data folder " + shown + ".");
  }
  if (m_env.LockDataFolder(folder) == CtlEnvironment::Lock::Interrupted) return Interrupted();
  (void)m_data->Load(folder, own);
  if (!m_command->changesData) m_env.UnlockDataFolder();
  for (const auto& unread : m_data->unread) {
    m_env.Err(
        "vantrelctl: profile " + std::to_string(unread.slot + 1) + " could not be read from " +
        m_env.UserPath(unread.path) + "; it holds its defaults now" +
        (unread.backup.empty() ? std::string(" (the file was left as it is)")
                               : " (the file was kept as " + m_env.UserPath(unread.backup) + ")") +
        ".\n");
  }
  return ExitCode::Ok;
}

ExitCode CtlApp::CheckBeforeChange() {
  if (m_data->configUnreadable) {
    return Fail(ExitCode::BadFile,
                "config.ini of the data folder cannot be read; nothing was "
                "sent. Check its permissions.");
  }
  const int slot = m_data->CurrentSlot();
  if (!m_data->WasRead(slot)) {
    return Fail(ExitCode::BadFile,
                "profile " + std::to_string(slot + 1) +
                    " could not be read, so nothing was sent: the mouse keeps its settings. Run "
                    "the command again to change the defaults that are in its place now.");
  }
  if (!m_data->CanWrite()) {
    return Fail(ExitCode::Failed, "the data folder " + m_env.UserPath(g_strDataDir) +
                                      " cannot be written; nothing was sent to the mouse.");
  }
  return ExitCode::Ok;
}

ExitCode CtlApp::OpenMouse(MouseSession& session, bool needAnswers) {
  session.Connect();
  if (!session.CanSend()) {
    if (const auto path = m_env.PermissionDeniedPath()) return PermissionDenied(*path);
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

ExitCode CtlApp::NotTaken(MouseSession& session, const std::string& what) {
  if (!session.StillConnected()) {
    return Fail(ExitCode::NoMouse,
                "the mouse went away while " + what + " was sent; nothing was saved.");
  }
  return Fail(ExitCode::NotAcknowledged,
              "the mouse did not acknowledge " + what + "; nothing was saved.");
}

ExitCode CtlApp::SaveAfterSend(bool saved, const std::vector<int>& refusedButtons) {
  if (!refusedButtons.empty()) {
    return Fail(ExitCode::Failed, "the macro of button " + ctl_text::ButtonList(refusedButtons) +
                                      " is too long for the mouse and was not sent; nothing "
                                      "was saved.");
  }
  if (!saved) {
    return Fail(ExitCode::Failed,
                "the mouse took the change, but the data folder could not be saved.");
  }
  return ExitCode::Ok;
}

std::string CtlApp::ProfileText() const {
  return std::to_string(m_data->CurrentSlot() + 1) + " (" +
         base::ToUtf8(m_data->Current().ProfileName()) + ")";
}

JsonWriter CtlApp::ProfileJson() const {
  return JsonWriter::Object()
      .Set("slot", JsonWriter::Int(m_data->CurrentSlot() + 1))
      .Set("name", JsonWriter::Text(m_data->Current().ProfileName()));
}

ExitCode CtlApp::Run(const CtlArgs& args) {
  m_args = args;
  const std::vector<std::string>& w = m_args.words;
  if (m_args.version) return Write(kVersion) ? ExitCode::Ok : ExitCode::Failed;
  if (w.empty() || (w[0] == "help" && w.size() == 1)) {
    if (m_args.help || !w.empty()) {
      return Write(cli_help::Overview()) ? ExitCode::Ok : ExitCode::Failed;
    }
    m_env.Err(cli_help::Overview());
    return ExitCode::Usage;
  }
  const std::string& name = w[0] == "help" ? w[1] : w[0];
  const Command* command = FindCommand(name);
  if (command == nullptr) {
    return Fail(ExitCode::Usage, "unknown command \"" + name +
                                     "\". Commands: list, info, get, set, button, profile, "
                                     "pair, reset, firmware, watch (vantrelctl --help).");
  }
  if (m_args.help || w[0] == "help") {
    return Write(cli_help::Command(name)) ? ExitCode::Ok : ExitCode::Failed;
  }
  for (const std::string& option : m_args.commandOptions) {
    const std::string list = " " + std::string(command->options) + " ";
    if (list.find(" " + option + " ") == std::string::npos) {
      return Fail(ExitCode::Usage,
                  name + " does not take " + option + " (vantrelctl " + name + " --help).");
    }
  }
  m_command = command;
  const ExitCode code = RunCommand(*command);
  m_env.UnlockDataFolder();
  return code;
}

ExitCode CtlApp::RunCommand(const Command& command) {
  const ExitCode code = (this->*command.run)();
  return code == ExitCode::Ok && m_outputFailed ? ExitCode::Failed : code;
}
