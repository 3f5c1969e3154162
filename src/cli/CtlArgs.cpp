#include "cli/CtlArgs.h"

#include <string_view>

#include "base/Text.h"

namespace {

struct NumberOption {
  std::string_view name;
  int low;
  int high;
  int CtlArgs::*field;
};
constexpr NumberOption kNumberOptions[] = {
    {"--wait", 0, 600000, &CtlArgs::waitMs},
    {"--slot", 1, 5, &CtlArgs::slot},
    {"--count", 1, 1000000, &CtlArgs::count},
    {"--seconds", 1, 31536000, &CtlArgs::seconds},
};

struct FlagOption {
  std::string_view name;
  bool CtlArgs::*field;
  bool command;  // taken by some commands only
};
constexpr FlagOption kFlagOptions[] = {
    {"--json", &CtlArgs::json, false},       {"--help", &CtlArgs::help, false},
    {"--version", &CtlArgs::version, false}, {"--yes", &CtlArgs::yes, true},
    {"--all", &CtlArgs::all, true},
};

// One option: its name, the value after "=" if any, and the next argument for an option that
// takes its value there. Returns an error message, empty when the option was taken.
class OptionReader {
 public:
  OptionReader(CtlArgs& out, const std::vector<std::string>& args, size_t& i)
      : m_out(out), m_args(args), m_i(i) {}

  std::string Read(std::string_view option) {
    const size_t eq = option.find('=');
    m_name = option.substr(0, eq);
    if (eq != std::string_view::npos) m_inline = option.substr(eq + 1);
    for (const FlagOption& f : kFlagOptions) {
      if (f.name != m_name) continue;
      if (m_inline) return std::string(m_name) + " takes no value.";
      m_out.*(f.field) = true;
      if (f.command) m_out.commandOptions.emplace_back(m_name);
      return {};
    }
    if (m_name == "--simulate") return Simulate();
    if (m_name == "--sim-log" || m_name == "--data") return Path();
    for (const NumberOption& n : kNumberOptions) {
      if (n.name == m_name) return Number(n);
    }
    return "Unknown option " + std::string(option) +
           ". Options: --json --simulate[=SCRIPT] --sim-log=FILE --data=DIR --wait=MS "
           "--help (-h) --version (-V) (and per command: --yes, --all, --slot=N, --count=N, "
           "--seconds=S).";
  }

 private:
  // A value after "=", or the next argument.
  std::optional<std::string> Value() {
    if (m_inline) return std::string(*m_inline);
    if (m_i + 1 < m_args.size()) return m_args[++m_i];
    return std::nullopt;
  }

  std::string Simulate() {
    // The script is only ever given with "=": "--simulate set ..." must keep its command.
    m_out.simulate = true;
    if (!m_inline) return {};
    if (m_inline->empty()) return "--simulate= needs a script file.";
    m_out.scriptPath = std::string(*m_inline);
    return {};
  }

  std::string Path() {
    const bool data = m_name == "--data";
    const auto v = Value();
    if (!v || v->empty())
      return std::string(m_name) + " needs a " + (data ? "folder." : "file name.");
    (data ? m_out.dataDir : m_out.simLogPath) = *v;
    return {};
  }

  std::string Number(const NumberOption& option) {
    const auto v = Value();
    const auto n = v ? base::ParseStrictInt(*v, option.low, option.high) : std::nullopt;
    if (!n) {
      return std::string(m_name) + " takes a number from " + std::to_string(option.low) + " to " +
             std::to_string(option.high) + ".";
    }
    m_out.*(option.field) = *n;
    if (option.field != &CtlArgs::waitMs) m_out.commandOptions.emplace_back(m_name);
    return {};
  }

  CtlArgs& m_out;
  const std::vector<std::string>& m_args;
  size_t& m_i;
  std::string_view m_name;
  std::optional<std::string_view> m_inline;
};

}  // namespace

bool CtlArgs::Given(std::string_view option) const {
  for (const auto& o : commandOptions) {
    if (o == option) return true;
  }
  return false;
}

std::optional<CtlArgs> CtlArgs::Parse(const std::vector<std::string>& args, std::string* error) {
  CtlArgs out;
  auto fail = [error](std::string text) -> std::optional<CtlArgs> {
    if (error != nullptr) *error = std::move(text);
    return std::nullopt;
  };
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view a = args[i];
    if (!optionsEnded && a == "-h") a = "--help";
    if (!optionsEnded && a == "-V") a = "--version";
    if (optionsEnded || a.size() < 2 || a.substr(0, 2) != "--") {
      // A lone "-" or a negative number is a word, not an option.
      out.words.emplace_back(a);
    } else if (a == "--") {
      optionsEnded = true;
    } else if (std::string message = OptionReader(out, args, i).Read(a); !message.empty()) {
      return fail(std::move(message));
    }
  }
  if (!out.simLogPath.empty() && !out.simulate) return fail("--sim-log needs --simulate.");
  return out;
}
