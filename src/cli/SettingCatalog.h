#pragma once
// Every setting of the active profile that `get` shows and `set` changes: its name on the
// command line, how its value reads and is typed, the checks a typed value must pass, and the
// commands that carry it to the mouse (the payloads are the program's own, from
// SettingsWriter).

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/JsonWriter.h"

class DeviceModel;
struct DataFolder;
struct ProfileSettings;
struct SensorDpiTable;

class SettingCatalog {
 public:
  // Commands a setting travels in, in the order a write of the program sends them.
  enum Commands : uint32_t {
    kNone = 0,
    kDpiLevels = 1 << 0,  // 0x02, two packets
    kDpiColours = 1 << 1,
    kPolling = 1 << 2,
    kLiftOff = 1 << 3,
    kDebounce = 1 << 4,
    kLighting = 1 << 5,
    kPower = 1 << 6,
    kSensor = 1 << 7,
    kDpiGroup = kDpiLevels | kDpiColours | kPolling | kLiftOff | kDebounce | kLighting,
  };

  enum class Key {
    Dpi,
    DpiLevels,
    DpiLevel,
    DpiColour,
    Polling,
    LiftOff,
    Debounce,
    PowerDown,
    MotionWakeup,
    LightsOffMoving,
    AngleSnap,
    MotionSync,
    RippleControl,
    LightingEffect,
    LightingBrightness,
    LightingSpeed,
    LightingDirection,
    LightingColour,
    Buttons,
  };

  struct Entry {
    Key key;
    std::string_view name;
    std::string_view arguments;  // what `set` takes; empty: `set` does not change it
    std::string_view about;
    uint32_t commands;
  };

  struct Value {
    std::string text;  // for people; may hold several lines
    JsonWriter json;
  };

  // A checked change: applied to the profile once the mouse can be reached. For the polling
  // rate, `pollingIndex` is what the link must allow.
  struct Edit {
    std::function<void(ProfileSettings&)> apply;
    int pollingIndex = -1;
  };

  struct Packet {
    uint8_t command;
    uint8_t packetField;
    std::vector<uint8_t> payload;
    size_t sendLength;
  };

  static std::span<const Entry> Entries();
  static const Entry* Find(std::string_view name);
  static std::string Names();

  // The key of a setting in JSON: its name in snake_case.
  static std::string JsonKey(const Entry& entry);

  static Value Get(Key key, DataFolder& data);
  // The typed words after the setting's name; an Edit, or a message that names what is
  // accepted. Nothing is changed.
  static std::variant<Edit, std::string> Check(const Entry& entry,
                                               std::span<const std::string> words,
                                               DataFolder& data);
  // The packets of these commands for the model's current state, in the program's order.
  static std::vector<Packet> Packets(uint32_t commands, const DeviceModel& model);

  // Polling rates, index 0..6.
  static int PollingHz(int index);
  // The highest polling index a link of this class offers (the polling controls of the main
  // page): 1000 Hz at start and for unknown classes, nothing (-1) for class 0x30.
  static int MaxPollingIndex(int pollingClass);
  // "125, 250, 500 or 1000 Hz".
  static std::string PollingChoices(int maxIndex);
  // The sensor's DPI values as runs: "50..30000 in steps of 50".
  static std::string DpiChoices(const SensorDpiTable& table);
};
