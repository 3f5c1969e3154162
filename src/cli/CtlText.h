#pragma once
// Wording and layout shared by the vantrelctl commands: connection modes, hex values, aligned
// "name: value" lines.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/ConnectionMode.h"

namespace ctl_text {

inline constexpr ConnectionMode::Kind kModes[] = {ConnectionMode::Wired, ConnectionMode::Wireless,
                                                  ConnectionMode::BLE};

// "wired", "wireless", "bluetooth": the names in JSON and in messages.
const char* ModeName(ConnectionMode::Kind mode);
// "cable", "2.4 GHz receiver", "Bluetooth LE".
const char* ModeWay(ConnectionMode::Kind mode);
// "wired (cable)".
std::string ModeText(ConnectionMode::Kind mode);
std::optional<ConnectionMode::Kind> ModeOfProduct(uint16_t vendor, uint16_t product);
const char* ChargeName(int charge);

// Upper-case hex digits, zero-padded: Hex(10, 4) is "000A".
std::string Hex(uint32_t value, int digits);
// The form of hex values in JSON, as config.ini writes them: "0x000A".
std::string JsonHex(uint32_t value, int digits);
std::string Join(const std::vector<std::string>& words, size_t from, std::string_view glue = " ");
std::string Pad(std::string text, size_t width);
// "name: value" with the value at `width`; multi-line values go on the lines below.
std::string Line(std::string_view name, const std::string& value, size_t width);
// "2, 5" for the button slots 1 and 4.
std::string ButtonList(const std::vector<int>& slots);

}  // namespace ctl_text
