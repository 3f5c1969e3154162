#pragma once
// The program's only options: "--simulate" or "--simulate=SCRIPT" runs against the simulated
// mouse (with a script of timed mouse events), "--sim-log=FILE" writes its traffic log.

#include <optional>
#include <string>
#include <vector>

struct CommandLine {
  bool simulate = false;
  std::u16string scriptPath;  // empty: no script
  std::u16string simLogPath;  // empty: no log

  // `args` without the program name. Nothing, and a message for the user, for an unknown
  // option, an empty file name or "--sim-log" without "--simulate".
  static std::optional<CommandLine> Parse(const std::vector<std::u16string>& args,
                                          std::u16string* error);
};
