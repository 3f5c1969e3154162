#pragma once
// The command line of vantrelctl: global options, the command words and the options of the
// command. Options may stand anywhere before a lone "--"; "--name=value" and "--name value"
// both work for the options that take a value.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CtlArgs {
  // Global options.
  bool json = false;
  bool help = false;
  bool version = false;
  bool simulate = false;
  std::string scriptPath;  // --simulate=SCRIPT; empty: no script
  std::string simLogPath;  // --sim-log=FILE
  std::string dataDir;     // --data=DIR; empty: the user's data folder
  int waitMs = 1000;       // --wait=MS: how long to wait for the mouse's status report

  // Command options.
  bool yes = false;  // reset --yes
  bool all = false;  // list --all
  int slot = -1;     // profile apply --slot N (1..5); -1: the active slot
  int count = -1;    // watch --count N
  int seconds = -1;  // watch --seconds S

  // The command options given ("--yes", "--slot" ...), for the command to refuse those it
  // does not take.
  std::vector<std::string> commandOptions;

  // The command and its words, e.g. {"set", "dpi", "2", "1600"}.
  std::vector<std::string> words;

  // Whether the command option was given.
  bool Given(std::string_view option) const;

  // Nothing, and a message naming what is accepted, for an unknown option, a missing or bad
  // option value, or --sim-log without --simulate.
  static std::optional<CtlArgs> Parse(const std::vector<std::string>& args, std::string* error);
};
