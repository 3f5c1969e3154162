#include "cli/CtlText.h"

#include <algorithm>

#include "base/Format.h"
#include "base/Text.h"
#include "device/StatusEvents.h"

namespace ctl_text {

const char* ModeName(ConnectionMode::Kind mode) {
  switch (mode) {
    case ConnectionMode::Wired:
      return "wired";
    case ConnectionMode::Wireless:
      return "wireless";
    case ConnectionMode::BLE:
      return "bluetooth";
  }
  return "";
}

const char* ModeWay(ConnectionMode::Kind mode) {
  switch (mode) {
    case ConnectionMode::Wired:
      return "cable";
    case ConnectionMode::Wireless:
      return "2.4 GHz receiver";
    case ConnectionMode::BLE:
      return "Bluetooth LE";
  }
  return "";
}

std::string ModeText(ConnectionMode::Kind mode) {
  return std::string(ModeName(mode)) + " (" + ModeWay(mode) + ")";
}

std::optional<ConnectionMode::Kind> ModeOfProduct(uint16_t vendor, uint16_t product) {
  if (vendor != ConnectionMode::kVendorId) return std::nullopt;
  for (auto kind : kModes) {
    if (ConnectionMode::ProductIdOf(kind) == product) return kind;
  }
  return std::nullopt;
}

const char* ChargeName(int charge) {
  return charge == StatusEvents::kCharging ? "charging"
         : charge == StatusEvents::kFull   ? "full"
                                           : "discharging";
}

std::string Hex(uint32_t value, int digits) {
  return base::ToUtf8(base::Format(u"%.*X", digits, value));
}

std::string JsonHex(uint32_t value, int digits) {
  return base::ToUtf8(base::Format(u"0x%.*X", digits, value));
}

std::string Join(const std::vector<std::string>& words, size_t from, std::string_view glue) {
  std::string out;
  for (size_t i = from; i < words.size(); ++i) {
    if (i > from) out += glue;
    out += words[i];
  }
  return out;
}

std::string Pad(std::string text, size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

std::string Line(std::string_view name, const std::string& value, size_t width) {
  if (value.find('\n') == std::string::npos) return Pad(std::string(name) + ": ", width) + value;
  std::string out = std::string(name) + ":";
  size_t at = 0;
  while (at <= value.size()) {
    const size_t end = std::min(value.find('\n', at), value.size());
    out += "\n  " + value.substr(at, end - at);
    at = end + 1;
  }
  return out;
}

std::string ButtonList(const std::vector<int>& slots) {
  std::string out;
  for (int slot : slots) out += (out.empty() ? "" : ", ") + std::to_string(slot + 1);
  return out;
}

}  // namespace ctl_text
