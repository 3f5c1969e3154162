#pragma once
// A script of timed mouse events for the simulated mouse (`--simulate=SCRIPT`): one event per
// line, "<ms> <verb> [arguments]", times in milliseconds from the start, blank lines and lines
// starting with '#' ignored. Modes are "wired", "wireless", "ble"; numbers are decimal or 0x-hex.
//
//   plug <mode> | unplug <mode>
//   dpi <mode> <level>            polling <mode> <code> <class>
//   battery <mode> <level> <charge>
//   lighting <mode> <effect>      launch <mode> <button>
//   sensor <mode> <code>          leave <mode>          status <mode>
//   linklost | linkfound          refuse <packets>
//   version <mode> <number>       the interface's VersionNumber (before it is plugged)
//   oldfirmware                   an older application over the carried base, updates allowed

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class SimMouse;

class SimScript {
 public:
  struct Event {
    uint64_t atMs = 0;
    std::vector<std::string> words;  // the verb and its arguments
  };

  // Nothing and a message naming the line for an unknown verb, a bad mode or number, a
  // missing argument or a time earlier than the line before.
  static std::optional<SimScript> Parse(std::string_view text, std::string* error = nullptr);

  // Plays every event due at or before `nowMs` that has not been played.
  void RunDue(SimMouse& mouse, uint64_t nowMs);
  // Time of the next event not yet played.
  std::optional<uint64_t> NextDue() const;
  const std::vector<Event>& Events() const { return m_events; }

 private:
  std::vector<Event> m_events;
  size_t m_next = 0;
};
