#include "app/CommandLine.h"

namespace {

constexpr std::u16string_view kSimulate = u"--simulate";
constexpr std::u16string_view kSimLog = u"--sim-log=";
constexpr std::u16string_view kUiDump = u"--ui-dump=";

bool Fail(std::u16string* error, std::u16string text) {
  if (error != nullptr) *error = std::move(text);
  return false;
}

}  // namespace

std::optional<CommandLine> CommandLine::Parse(const std::vector<std::u16string>& args,
                                              std::u16string* error) {
  CommandLine line;
  bool logAsked = false;
  for (const std::u16string& arg : args) {
    std::u16string_view a = arg;
    if (a == kSimulate) {
      line.simulate = true;
    } else if (a.starts_with(kSimulate) && a.size() > kSimulate.size() &&
               a[kSimulate.size()] == u'=') {
      line.simulate = true;
      line.scriptPath = std::u16string(a.substr(kSimulate.size() + 1));
      if (line.scriptPath.empty()) {
        Fail(error, u"--simulate= needs the name of a script file.");
        return std::nullopt;
      }
    } else if (a.starts_with(kSimLog)) {
      logAsked = true;
      line.simLogPath = std::u16string(a.substr(kSimLog.size()));
      if (line.simLogPath.empty()) {
        Fail(error, u"--sim-log= needs the name of a file.");
        return std::nullopt;
      }
    } else if (a.starts_with(kUiDump)) {
      line.uiDumpPath = std::u16string(a.substr(kUiDump.size()));
      if (line.uiDumpPath.empty()) {
        Fail(error, u"--ui-dump= needs the name of a file.");
        return std::nullopt;
      }
    } else {
      Fail(error, u"Unknown option: " + arg +
                      u"\nOptions: --simulate[=SCRIPT] --sim-log=FILE --ui-dump=FILE");
      return std::nullopt;
    }
  }
  if (logAsked && !line.simulate) {
    Fail(error, u"--sim-log needs --simulate.");
    return std::nullopt;
  }
  return line;
}
