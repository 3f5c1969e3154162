#pragma once
// One run of vantrelctl: the command, on whatever platform is installed (the POSIX adapter
// with hidraw or the simulated mouse; the headless adapter in tests). The entry point parses
// the arguments, installs the platform and calls Run.

#include <memory>
#include <string>
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

 private:
  ExitCode Fail(ExitCode code, const std::string& message);
  void Print(const std::string& human, const JsonWriter& json);
  // The data folder of --data or the program's own; false (with a message) when it cannot
  // be made.
  bool LoadData();
  // Scans for the mouse. Ok, or the exit code of the reason it cannot be used (a message is
  // shown): nothing found, no permission, or (with `needAnswers`) a mouse that does not answer
  // through its receiver.
  ExitCode OpenMouse(MouseSession& session, bool needAnswers);
  // Every packet until one is not acknowledged; true when all were.
  bool Send(MouseSession& session, const std::vector<SettingCatalog::Packet>& packets);

  ExitCode List();
  ExitCode Info();
  ExitCode Get();
  ExitCode Set();
  ExitCode Button();
  ExitCode Profile();
  ExitCode Pair();
  ExitCode Reset();
  ExitCode Firmware();
  ExitCode Watch();

  CtlEnvironment& m_env;
  CtlArgs m_args;
  std::unique_ptr<DataFolder> m_data;
};
