#include "cli/Help.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "cli/SettingCatalog.h"

namespace cli_help {
namespace {

constexpr std::string_view kExitCodes =
    "Exit codes:\n"
    "  0  done\n"
    "  1  failed (a file could not be saved, the output could not be written, the\n"
    "     firmware update failed)\n"
    "  2  usage error: unknown command or option, or a value that is not accepted\n"
    "  3  no mouse found (or not connected the way the command needs)\n"
    "  4  permission denied: install the udev rule (see the README)\n"
    "  5  the mouse did not acknowledge, or does not answer\n"
    "  6  bad file: a profile file or simulation script that cannot be read or used\n"
    "130  interrupted (Ctrl+C or SIGTERM)\n\n"
    "With --json, a failure also writes {\"error\":{\"code\":N,\"name\":...,\"message\":...}}\n"
    "to standard output (see vantrelctl(1) for every key).\n";

constexpr std::string_view kGlobal =
    "Options for every command:\n"
    "  --json              output for scripts: one JSON object (watch: one per line)\n"
    "  --simulate[=SCRIPT] talk to the simulated mouse (on the cable, or as the script of\n"
    "                      timed mouse events says) instead of the machine's devices\n"
    "  --sim-log=FILE      write the simulated mouse's traffic log\n"
    "  --data=DIR          the data folder, which must exist (default: the program's\n"
    "                      own, under $XDG_CONFIG_HOME or ~/.config, made when missing;\n"
    "                      with --simulate a folder of its own beside it)\n"
    "  --wait=MS           how long info and set polling wait for the mouse's status\n"
    "                      report (default 1000)\n"
    "  -h, --help          this text (COMMAND --help: the command's own)\n"
    "  -V, --version       the version\n";

struct CommandHelp {
  std::string_view name;
  std::string_view synopsis;
  std::string_view summary;
  std::string_view text;
};

constexpr CommandHelp kCommands[] = {
    {"list", "list [--all]", "the mouse's HID interfaces and connection modes",
     "Lists the mouse's HID interfaces and the connection modes present (cable, receiver,\n"
     "Bluetooth), and whether each can be opened. --all lists every HID interface.\n"},
    {"info", "info", "connection, firmware, battery and charging",
     "Shows how the mouse is connected, whether it answers, its firmware, battery and\n"
     "charging, and the highest polling rate the link allows. Waits up to --wait ms for the\n"
     "mouse's status report.\n"},
    {"get", "get [SETTING]", "show the settings the mouse was given",
     "Shows the settings the mouse was last given (the active profile of the data folder);\n"
     "the mouse itself cannot be read back. Without SETTING, all of them.\n"},
    {"set", "set SETTING VALUE...", "change one setting and send it to the mouse",
     "Changes one setting of the active profile, sends it to the mouse and saves it once the\n"
     "mouse acknowledged. The setting's own command is always sent, whatever the profile\n"
     "held before. Nothing is sent for a value that is not accepted.\n"},
    {"button", "button <1-6> FUNCTION", "give a button a function",
     "Gives a button a function and sends the button table (with the macros it uses).\n"
     "Buttons: 1 left, 2 right, 3 middle, 4 and 5 the side buttons, 6 the DPI button.\n"
     "FUNCTION is a menu name (\"Left click\", \"DPI up\", \"Volume up\", \"Copy\", \"Disable\",\n"
     "\"DPI lock-800\"), a key combination (\"Ctrl+C\", \"Alt+F4\", \"F5\"), rapid fire:50,3,\n"
     "launch:PROGRAM, macro:NAME or shooting:NAME (library entries). One button must stay\n"
     "the left click.\n"},
    {"profile", "profile list|switch|export|apply", "the profiles: list, switch, export, apply",
     "Usage: vantrelctl profile list\n"
     "       vantrelctl profile switch N\n"
     "       vantrelctl profile export N FILE.psf\n"
     "       vantrelctl profile apply FILE.psf [--slot=N]\n\n"
     "list shows the program's profiles (* marks the active one). switch N makes profile N\n"
     "the active one and sends it as the program does when it switches: the button table,\n"
     "the macros and every command of the DPI group (levels, colours, polling, lift-off,\n"
     "debounce, lighting). export N FILE writes profile N as a profile file. apply FILE\n"
     "reads a profile file into the active profile (or profile N, which becomes the active\n"
     "one) and sends it the same way; a file that is not a profile changes nothing.\n"},
    {"pair", "pair", "pair the mouse with its receiver",
     "Pairs the mouse with its receiver: sends the pairing request to the receiver and waits\n"
     "up to 26 seconds for the mouse to link.\n"},
    {"reset", "reset [--yes]", "restore factory settings",
     "Restores the mouse and the active profile to factory settings (the profile keeps its\n"
     "name). Asks first on a terminal; --yes confirms.\n"},
    {"firmware", "firmware update", "update the firmware over the cable",
     "Compares the mouse's firmware with the image this tool carries and, when they differ\n"
     "and the mouse allows it, writes the image over the cable (about a minute). The update\n"
     "cannot be interrupted; a cut cable is recovered by running it again.\n"},
    {"watch", "watch [--count=N] [--seconds=S]", "print what the mouse reports",
     "Prints one line (or JSON object) per thing the mouse reports: DPI button, polling\n"
     "rate, battery and charging, lighting effect, launch requests, the link to the\n"
     "receiver, connections. Runs until interrupted (Ctrl+C), until the mouse asks the\n"
     "program to end, or for N events or S seconds.\n"},
};

constexpr size_t kWidth = 80;

// Greedy wrap of `words` into lines of at most kWidth, the first after `first`, the rest
// after `indent` spaces.
void WrapInto(std::string& out, std::string first, const std::vector<std::string>& words,
              size_t indent) {
  std::string line = std::move(first);
  bool empty = true;
  for (const std::string& word : words) {
    if (!empty && line.size() + 1 + word.size() > kWidth) {
      out += line + "\n";
      line = std::string(indent, ' ');
      empty = true;
    }
    if (!empty) line += ' ';
    line += word;
    empty = false;
  }
  out += line + "\n";
}

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find(' ', at), text.size());
    if (end > at) words.emplace_back(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

// Help text at 80 columns: prose paragraphs (lines that start with a letter) are filled anew;
// an indented line that is too long goes on below its text column ("  --data=DIR   the
// data folder..." continues under "the").
std::string Wrap(std::string_view text) {
  std::string out;
  std::string paragraph;
  auto flush = [&] {
    if (!paragraph.empty()) WrapInto(out, {}, Words(paragraph), 0);
    paragraph.clear();
  };
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    const std::string_view line = text.substr(at, end - at);
    at = end + 1;
    const bool prose = !line.empty() && std::isalpha(static_cast<unsigned char>(line[0])) &&
                       line.substr(0, 6) != "Usage:";
    if (prose) {
      paragraph += (paragraph.empty() ? "" : " ") + std::string(line);
      continue;
    }
    flush();
    if (line.size() <= kWidth) {
      out += std::string(line) + "\n";
      continue;
    }
    const size_t lead = line.find_first_not_of(' ');
    const size_t gap = line.find("  ", lead);
    const size_t column = gap == std::string_view::npos ? lead : line.find_first_not_of(' ', gap);
    WrapInto(out, std::string(line.substr(0, column)), Words(line.substr(column)), column);
  }
  flush();
  return out;
}

}  // namespace

std::string Overview() {
  std::string out =
      "vantrelctl: configure the wireless gaming mouse from the command line\n\n"
      "Usage: vantrelctl [OPTIONS] COMMAND [ARGUMENTS]\n\nCommands:\n";
  for (const auto& c : kCommands) {
    std::string line = "  ";
    line += c.synopsis;
    line.resize(std::max<size_t>(line.size() + 1, 38), ' ');
    out += line + std::string(c.summary) + "\n";
  }
  out += "\nSettings for get and set:";
  size_t column = 80;
  for (const auto& e : SettingCatalog::Entries()) {
    if (column + e.name.size() + 1 > 78) {
      out += "\n ";
      column = 1;
    }
    out += ' ';
    out += e.name;
    column += e.name.size() + 1;
  }
  out += "\n";
  out += "('vantrelctl set --help' describes each.)\n\n";
  out += kGlobal;
  out += "\n";
  out += kExitCodes;
  return Wrap(out);
}

std::string Command(std::string_view command) {
  for (const auto& c : kCommands) {
    if (c.name != command) continue;
    // A text that starts with its own usage lines has several forms.
    std::string out =
        c.text.substr(0, 6) == "Usage:"
            ? std::string(c.text)
            : "Usage: vantrelctl " + std::string(c.synopsis) + "\n\n" + std::string(c.text);
    if (command == "get" || command == "set") {
      out += "\nSettings:\n";
      for (const auto& e : SettingCatalog::Entries()) {
        std::string line = "  ";
        line += e.name;
        line.resize(24, ' ');
        out += line + std::string(e.about) + "\n";
        if (command == "set" && !e.arguments.empty()) {
          out += std::string(24, ' ') + "set " + std::string(e.name) + " " +
                 std::string(e.arguments) + "\n";
        }
      }
    }
    out += "\n";
    out += kGlobal;
    out += "\n";
    out += kExitCodes;
    return Wrap(out);
  }
  return {};
}

}  // namespace cli_help
