#pragma once
// One run of vantrelctl: the command, on whatever platform is installed (the POSIX adapter
// with hidraw or the simulated mouse; the headless adapter in tests). The entry point parses
// the arguments, installs the platform and calls Run.
//
// The commands live in CtlDeviceCommands.cpp (list, info, pair, reset, firmware),
// CtlProfileCommands.cpp (get, set, button, profile) and CtlWatch.cpp (watch).

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CtlArgs.h"
#include "cli/ExitCode.h"
#include "cli/JsonWriter.h"
#include "cli/SettingCatalog.h"

class CtlEnvironment;
class MouseSession;
struct DataFolder;

class CtlApp {
 public:
  explicit CtlApp(CtlEnvironment& environment);
  ~CtlApp();
  CtlApp(const CtlApp&) = delete;
  CtlApp& operator=(const CtlApp&) = delete;

  [[nodiscard]] ExitCode Run(const CtlArgs& args);

  // The name of an exit code in JSON error objects: "usage", "no_mouse" ...
  static const char* ExitCodeName(ExitCode code);

 private:
  struct Command {
    std::string_view name;
    ExitCode (CtlApp::*run)();
    std::string_view options;  // the command options it takes, e.g. "--count --seconds"
    bool changesData;          // holds the data folder's lock from load to save
  };
  static const Command* FindCommand(std::string_view name);
  ExitCode RunCommand(const Command& command);

  // Shows the message (with --json also an error object on standard output, with `details`
  // added) and returns the code.
  ExitCode Fail(ExitCode code, const std::string& message, JsonWriter details = JsonWriter());
  // Writes the result; Failed when it could not be written.
  ExitCode Print(const std::string& human, const JsonWriter& json);
  // One line of output (watch); false once the output is gone.
  bool Emit(const std::string& line);
  bool Write(std::string_view text);
  // The data folder of --data or the program's own, loaded under its lock. Ok, or the code
  // of the failure (its message shown).
  ExitCode LoadData();
  // What must hold before the mouse is touched by a command that saves: the active profile
  // was read from its file, and the folder can be written.
  ExitCode CheckBeforeChange();
  // Scans for the mouse. Ok, or the exit code of the reason it cannot be used (a message is
  // shown): nothing found, no permission, or (with `needAnswers`) a mouse that does not answer
  // through its receiver.
  ExitCode OpenMouse(MouseSession& session, bool needAnswers);
  // Every packet until one is not acknowledged; true when all were.
  bool Send(MouseSession& session, const std::vector<SettingCatalog::Packet>& packets);
  // A write the mouse did not take: NoMouse when it went away meanwhile, else NotAcknowledged.
  ExitCode NotTaken(MouseSession& session, const std::string& what);
  ExitCode PermissionDenied(const std::string& path, JsonWriter details = JsonWriter());
  ExitCode Interrupted();
  // Anything that may not be sent or saved (the macros the mouse refused, a failed save).
  ExitCode SaveAfterSend(bool saved, const std::vector<int>& refusedButtons);
  std::string ProfileText() const;
  JsonWriter ProfileJson() const;

  ExitCode List();
  ExitCode Info();
  ExitCode Get();
  ExitCode Set();
  ExitCode Button();
  ExitCode Profile();
  ExitCode ProfileApply();
  ExitCode ProfileList();
  ExitCode ProfileSwitch();
  ExitCode ProfileExport();
  ExitCode SendProfile(MouseSession& session);
  ExitCode CheckPolling(MouseSession& session, int pollingIndex);
  // The key table, then `afterKeyTable`, then the macros the buttons use; true when the
  // mouse took every packet.
  bool SendButtons(MouseSession& session, const std::vector<SettingCatalog::Packet>& afterKeyTable);
  std::optional<int> ShownSlot(const std::string& word, std::string* message) const;
  // Loads the data folder and finds the slot named `word` in `slot`; a slot that could not be
  // read (it holds defaults) fails with "profile <word> could not be read" and `unread`.
  ExitCode ReadableSlot(const std::string& word, std::string_view unread, int& slot);
  ExitCode Pair();
  ExitCode Reset();
  ExitCode Firmware();
  ExitCode Watch();

  CtlEnvironment& m_env;
  CtlArgs m_args;
  const Command* m_command = nullptr;
  std::unique_ptr<DataFolder> m_data;
  bool m_outputFailed = false;
};
