// libFuzzer harness for the update server's version file: any bytes as downloaded.
// Properties: nothing crashes; a file that splits at a signature line gives back exactly the
// bytes before that line as the signed part, and the lines of that part only; a version that
// parses has numbers in range and makes an installer address of digits and dots only.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "views/device/UpdateRules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const auto split = UpdateRules::SplitSignature(input);
  if (!split) return 0;
  fuzz::Check(split->signedBytes.data() == input.data());
  fuzz::Check(split->signedBytes.size() < input.size());
  fuzz::Check(split->signedBytes.size() % 2 == 0);
  // What follows the signed part is the one signature line and nothing else.
  const std::string_view rest = input.substr(split->signedBytes.size());
  fuzz::Check(rest.size() >= 20 && rest[0] == 'S' && rest[1] == '\0');
  size_t characters = 0;
  for (const auto& line : split->lines) characters += line.size() + 1;
  const size_t bom = input.size() >= 2 && static_cast<uint8_t>(input[0]) == 0xFF &&
                             static_cast<uint8_t>(input[1]) == 0xFE
                         ? 2
                         : 0;
  fuzz::Check(bom + 2 * characters == split->signedBytes.size());

  const auto parsed = UpdateRules::ParseVersionFile(split->lines);
  if (!parsed) return 0;
  const auto version = UpdateRules::ParseVersion(parsed->firstLine);
  if (!version) return 0;
  fuzz::Check(version->major >= 0 && version->minor >= 0 && version->patch >= 0);
  const std::u16string url = UpdateRules::InstallerUrl(u"https://h/", *version);
  const std::u16string_view name = std::u16string_view(url).substr(url.rfind(u'/') + 1);
  fuzz::Check(name.starts_with(u"installer_V") && name.ends_with(u".exe"));
  for (char16_t c : name.substr(11, name.size() - 15))
    fuzz::Check(c == u'.' || (c >= u'0' && c <= u'9'));
  return 0;
}
