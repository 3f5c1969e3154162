#pragma once
// The program's only options: "--simulate" or "--simulate=SCRIPT" runs against the simulated
// mouse (with a script of timed mouse events), "--sim-log=FILE" writes its traffic log,
// "--ui-dump=FILE" keeps a dump of every skinned window's controls (tests, bug reports).

#include <optional>
#include <string>
#include <vector>

struct CommandLine {
  bool simulate = false;
  std::u16string scriptPath;  // empty: no script
  std::u16string simLogPath;  // empty: no log
  std::u16string uiDumpPath;  // empty: no dump

  // `args` without the program name. Nothing, and a message for the user, for an unknown
  // option, an empty file name or "--sim-log" without "--simulate".
  static std::optional<CommandLine> Parse(const std::vector<std::u16string>& args,
                                          std::u16string* error);
};
