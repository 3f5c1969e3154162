#include "adapters/posix/SysfsHidraw.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/Text.h"

namespace platform::posix {
namespace fs = std::filesystem;

namespace {

// Sysfs attributes are small; a file that claims more is not one of them.
constexpr size_t kMaxAttribute = 64 * 1024;

std::optional<std::string> ReadSmallFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<size_t>(in.gcount()));
    if (bytes.size() > kMaxAttribute) return std::nullopt;
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::optional<std::string_view> Field(std::string_view text, std::string_view key) {
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=') {
      return line.substr(key.size() + 1);
    }
    at = end + 1;
  }
  return std::nullopt;
}

std::optional<uint32_t> Hex(std::string_view text) {
  if (text.size() > 8) return std::nullopt;
  const auto value = base::ParseStrict(text, 0, 0xFFFFFFFF, 16);
  return value ? std::optional<uint32_t>(static_cast<uint32_t>(*value)) : std::nullopt;
}

// "hidraw12" -> 12.
std::optional<int> NodeNumber(const std::string& name) {
  constexpr std::string_view kPrefix = "hidraw";
  if (name.size() <= kPrefix.size() || name.compare(0, kPrefix.size(), kPrefix) != 0) {
    return std::nullopt;
  }
  return base::ParseStrictInt(std::string_view(name).substr(kPrefix.size()), 0, INT32_MAX);
}

uint16_t UsbRelease(const fs::path& deviceLink) {
  std::error_code ec;
  // hidrawN/device is the HID device; its parent is the USB interface, whose parent is the
  // USB device with bcdDevice. Bluetooth and virtual devices have none.
  const fs::path hid = fs::canonical(deviceLink, ec);
  if (ec) return 0;
  const auto text = ReadSmallFile(hid.parent_path().parent_path() / "bcdDevice");
  if (!text) return 0;
  std::string_view t = *text;
  while (!t.empty() && (t.back() == '\n' || t.back() == ' ')) t.remove_suffix(1);
  const auto value = Hex(t);
  return value && *value <= 0xFFFF ? static_cast<uint16_t>(*value) : 0;
}

}  // namespace

SysfsHidraw::SysfsHidraw(fs::path classDir, fs::path devDir)
    : m_classDir(std::move(classDir)), m_devDir(std::move(devDir)) {}

std::optional<SysfsHidraw::HidId> SysfsHidraw::ParseHidId(std::string_view uevent) {
  const auto field = Field(uevent, "HID_ID");
  if (!field) return std::nullopt;
  const size_t first = field->find(':');
  const size_t second = first == std::string_view::npos ? first : field->find(':', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto bus = Hex(field->substr(0, first));
  const auto vendor = Hex(field->substr(first + 1, second - first - 1));
  const auto product = Hex(field->substr(second + 1));
  if (!bus || !vendor || !product || *bus > 0xFFFF || *vendor > 0xFFFF || *product > 0xFFFF) {
    return std::nullopt;
  }
  return HidId{static_cast<uint16_t>(*bus), static_cast<uint16_t>(*vendor),
               static_cast<uint16_t>(*product)};
}

std::string SysfsHidraw::ParseName(std::string_view uevent) {
  const auto field = Field(uevent, "HID_NAME");
  return field ? std::string(*field) : std::string();
}

std::vector<SysfsHidraw::Node> SysfsHidraw::Enumerate() const {
  std::vector<Node> nodes;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(m_classDir, ec)) {
    const auto number = NodeNumber(entry.path().filename().string());
    if (!number) continue;
    const fs::path device = entry.path() / "device";
    const auto uevent = ReadSmallFile(device / "uevent");
    if (!uevent) continue;
    const auto id = ParseHidId(*uevent);
    if (!id) continue;
    Node node;
    node.number = *number;
    node.devicePath = (m_devDir / entry.path().filename()).string();
    node.id = *id;
    node.name = ParseName(*uevent);
    node.version = UsbRelease(device);
    if (const auto descriptor = ReadSmallFile(device / "report_descriptor")) {
      node.hasDescriptor = true;
      node.descriptor = ReportDescriptor::Parse(std::span<const uint8_t>(
          reinterpret_cast<const uint8_t*>(descriptor->data()), descriptor->size()));
    }
    nodes.push_back(std::move(node));
  }
  std::sort(nodes.begin(), nodes.end(),
            [](const Node& a, const Node& b) { return a.number < b.number; });
  return nodes;
}

}  // namespace platform::posix
