#include "cli/CtlArgs.h"

#include <charconv>
#include <string_view>

namespace {

std::optional<int> Number(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    return std::nullopt;
  }
  return value;
}

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

}  // namespace

std::optional<CtlArgs> CtlArgs::Parse(const std::vector<std::string>& args, std::string* error) {
  CtlArgs out;
  auto fail = [error](std::string text) -> std::optional<CtlArgs> {
    if (error != nullptr) *error = std::move(text);
    return std::nullopt;
  };
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (optionsEnded || a.size() < 2 || a.substr(0, 2) != "--") {
      // A lone "-" or a negative number is a word, not an option.
      out.words.emplace_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    const size_t eq = a.find('=');
    const std::string_view name = a.substr(0, eq);
    std::optional<std::string_view> inlineValue;
    if (eq != std::string_view::npos) inlineValue = a.substr(eq + 1);

    auto flag = [&](bool& field) {
      if (inlineValue) return false;
      field = true;
      return true;
    };
    // A value after "=", or the next argument.
    auto value = [&]() -> std::optional<std::string> {
      if (inlineValue) return std::string(*inlineValue);
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };

    bool ok = true;
    if (name == "--json") {
      ok = flag(out.json);
    } else if (name == "--help") {
      ok = flag(out.help);
    } else if (name == "--version") {
      ok = flag(out.version);
    } else if (name == "--yes") {
      ok = flag(out.yes);
    } else if (name == "--all") {
      ok = flag(out.all);
    } else if (name == "--simulate") {
      // The script is only ever given with "=": "--simulate set ..." must keep its command.
      out.simulate = true;
      if (inlineValue) {
        if (inlineValue->empty()) return fail("--simulate= needs a script file.");
        out.scriptPath = std::string(*inlineValue);
      }
    } else if (name == "--sim-log" || name == "--data") {
      const auto v = value();
      if (!v || v->empty()) {
        return fail(std::string(name) + " needs a " +
                    (name == "--data" ? "folder." : "file name."));
      }
      (name == "--data" ? out.dataDir : out.simLogPath) = *v;
    } else {
      const NumberOption* option = nullptr;
      for (const auto& o : kNumberOptions) {
        if (o.name == name) option = &o;
      }
      if (option == nullptr) {
        return fail("Unknown option " + std::string(a) +
                    ". Options: --json --simulate[=SCRIPT] --sim-log=FILE --data=DIR "
                    "--wait=MS --help --version (and per command: --yes, --all, "
                    "--slot=N, --count=N, --seconds=S).");
      }
      const auto v = value();
      const auto n = v ? Number(*v, option->low, option->high) : std::nullopt;
      if (!n) {
        return fail(std::string(name) + " takes a number from " + std::to_string(option->low) +
                    " to " + std::to_string(option->high) + ".");
      }
      out.*(option->field) = *n;
    }
    if (!ok) return fail(std::string(name) + " takes no value.");
  }
  if (!out.simLogPath.empty() && !out.simulate) return fail("--sim-log needs --simulate.");
  return out;
}
