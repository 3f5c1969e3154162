#include "device/sim/SimScript.h"

#include <charconv>

#include "device/sim/SimMouse.h"

namespace {

struct Verb {
  const char* name;
  bool mode;           // first argument is a mode
  int numbers;         // numeric arguments after it
  uint64_t max = 255;  // largest value of each
};
constexpr Verb kVerbs[] = {
    {"plug", true, 0},    {"unplug", true, 0},          {"dpi", true, 1},
    {"polling", true, 2}, {"battery", true, 2},         {"lighting", true, 1},
    {"launch", true, 1},  {"sensor", true, 1},          {"leave", true, 0},
    {"status", true, 0},  {"linklost", false, 0},       {"linkfound", false, 0},
    {"refuse", false, 1}, {"version", true, 1, 0xFFFF}, {"oldfirmware", false, 0},
};

std::optional<ConnectionMode::Kind> ModeOf(std::string_view word) {
  if (word == "wired") return ConnectionMode::Wired;
  if (word == "wireless") return ConnectionMode::Wireless;
  if (word == "ble") return ConnectionMode::BLE;
  return std::nullopt;
}

std::optional<uint64_t> NumberOf(std::string_view word) {
  int base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    word.remove_prefix(2);
    base = 16;
  }
  uint64_t value = 0;
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, base);
  if (ec != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return value;
}

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) words.emplace_back(line.substr(start, i - start));
  }
  return words;
}

uint8_t Byte(const std::string& word) {
  return static_cast<uint8_t>(NumberOf(word).value_or(0));
}

}  // namespace

std::optional<SimScript> SimScript::Parse(std::string_view text, std::string* error) {
  SimScript script;
  int lineNumber = 0;
  uint64_t last = 0;
  auto fail = [&](const std::string& why) -> std::optional<SimScript> {
    if (error) *error = "line " + std::to_string(lineNumber) + ": " + why;
    return std::nullopt;
  };
  while (!text.empty()) {
    const size_t eol = text.find('\n');
    const std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    ++lineNumber;
    std::vector<std::string> words = Words(line);
    if (words.empty() || words[0][0] == '#') continue;
    const auto at = NumberOf(words[0]);
    if (!at) return fail("time expected");
    if (*at < last) return fail("time goes backwards");
    last = *at;
    if (words.size() < 2) return fail("event expected");
    const Verb* verb = nullptr;
    for (const auto& v : kVerbs) {
      if (words[1] == v.name) verb = &v;
    }
    if (!verb) return fail("unknown event '" + words[1] + "'");
    const size_t expected = 2 + (verb->mode ? 1 : 0) + static_cast<size_t>(verb->numbers);
    if (words.size() != expected) return fail("wrong number of arguments");
    size_t next = 2;
    if (verb->mode && !ModeOf(words[next++])) return fail("unknown mode '" + words[2] + "'");
    for (; next < words.size(); ++next) {
      const auto n = NumberOf(words[next]);
      if (!n || *n > verb->max) return fail("number 0.." + std::to_string(verb->max) + " expected");
    }
    words.erase(words.begin());
    script.m_events.push_back({*at, std::move(words)});
  }
  return script;
}

std::optional<uint64_t> SimScript::NextDue() const {
  if (m_next >= m_events.size()) return std::nullopt;
  return m_events[m_next].atMs;
}

void SimScript::RunDue(SimMouse& mouse, uint64_t nowMs) {
  while (m_next < m_events.size() && m_events[m_next].atMs <= nowMs) {
    const auto& w = m_events[m_next++].words;
    const std::string& verb = w[0];
    const auto mode =
        w.size() > 1 ? ModeOf(w[1]).value_or(ConnectionMode::Wired) : ConnectionMode::Wired;
    if (verb == "plug")
      mouse.Plug(mode);
    else if (verb == "unplug")
      mouse.Unplug(mode);
    else if (verb == "dpi")
      mouse.PressDpiButton(mode, Byte(w[2]));
    else if (verb == "polling")
      mouse.ChangePolling(mode, Byte(w[2]), Byte(w[3]));
    else if (verb == "battery")
      mouse.ReportBattery(mode, Byte(w[2]), Byte(w[3]));
    else if (verb == "lighting")
      mouse.ChangeLighting(mode, Byte(w[2]));
    else if (verb == "launch")
      mouse.RequestLaunch(mode, Byte(w[2]));
    else if (verb == "sensor")
      mouse.ReportSensor(mode, Byte(w[2]));
    else if (verb == "leave")
      mouse.RequestLeave(mode);
    else if (verb == "status")
      mouse.SendStatus(mode);
    else if (verb == "linklost")
      mouse.LoseLink();
    else if (verb == "linkfound")
      mouse.FindLink();
    else if (verb == "refuse")
      mouse.RefuseAcks(Byte(w[1]));
    else if (verb == "version")
      mouse.SetVersionNumber(mode, static_cast<uint16_t>(NumberOf(w[2]).value_or(0)));
    else if (verb == "oldfirmware")
      (void)mouse.InstallOlderFirmware();
  }
}
