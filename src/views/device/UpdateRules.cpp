#include "views/device/UpdateRules.h"

#include "BuildSettings.h"
#include "base/Base64.h"
#include "base/Format.h"
#include "base/Text.h"

#include <algorithm>

const std::u16string_view UpdateRules::kProgramVersion = build_settings::kProgramVersion;
const std::u16string_view UpdateRules::kDefaultBase = build_settings::kUpdateBase;
const std::array<uint8_t, 65> UpdateRules::kReleaseKey = build_settings::kReleaseKey;

namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// One to nine decimal digits, nothing else.
std::optional<int> Number(std::u16string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return value;
}

bool IsPortText(std::u16string_view text) {
  const auto port = Number(text);
  return port && *port >= 1 && *port <= 65535;
}

}  // namespace

std::optional<ProgramVersion> UpdateRules::ParseVersion(std::u16string_view text) {
  const std::vector<std::u16string> parts = base::Split(Trim(text), u'.');
  if (parts.size() != 3) return std::nullopt;
  const auto major = Number(parts[0]);
  const auto minor = Number(parts[1]);
  const auto patch = Number(parts[2]);
  if (!major || !minor || !patch) return std::nullopt;
  return ProgramVersion{*major, *minor, *patch};
}

bool UpdateRules::IsUpdateAvailable(std::u16string_view program, std::u16string_view server) {
  if (!program.empty() && program.front() == u':') program.remove_prefix(1);
  const auto mine = ParseVersion(program);
  const auto theirs = ParseVersion(server);
  return mine && theirs && *theirs >= *mine;
}

std::optional<base::Sha256::Digest> UpdateRules::ParseSha256Line(std::u16string_view line) {
  line = Trim(line);
  if (!base::StartsWith(line, kShaPrefix)) return std::nullopt;
  line.remove_prefix(kShaPrefix.size());
  base::Sha256::Digest digest{};
  if (line.size() != digest.size() * 2) return std::nullopt;
  for (size_t i = 0; i < digest.size(); ++i) {
    const int high = base::HexDigitValue(line[2 * i]);
    const int low = base::HexDigitValue(line[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    digest[i] = static_cast<uint8_t>(high << 4 | low);
  }
  return digest;
}

std::optional<UpdateRules::SignedText> UpdateRules::SplitSignature(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  const bool bom = bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF &&
                   static_cast<uint8_t>(bytes[1]) == 0xFE;
  // Each line with the byte offset where it starts, ends without its LF.
  struct Line {
    size_t offset;
    std::u16string text;
  };
  std::vector<Line> lines;
  size_t pos = bom ? 2 : 0;
  Line current{pos, {}};
  for (; pos < bytes.size(); pos += 2) {
    const auto c = static_cast<char16_t>(static_cast<uint8_t>(bytes[pos]) |
                                         static_cast<uint8_t>(bytes[pos + 1]) << 8);
    if (c == u'\n') {
      lines.push_back(std::move(current));
      current = Line{pos + 2, {}};
    } else {
      current.text.push_back(c);
    }
  }
  if (!current.text.empty()) lines.push_back(std::move(current));

  std::optional<size_t> at;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!base::StartsWith(lines[i].text, kSignaturePrefix)) continue;
    if (at) return std::nullopt;
    at = i;
  }
  // Nothing may follow the signature: it would be text that no one signed.
  if (!at || *at == 0 || *at + 1 != lines.size()) return std::nullopt;
  std::u16string_view value = lines[*at].text;
  value.remove_prefix(kSignaturePrefix.size());
  if (!value.empty() && value.back() == u'\r') value.remove_suffix(1);
  const auto decoded = base::DecodeBase64(value);
  SignedText result;
  if (!decoded || decoded->size() != result.signature.size()) return std::nullopt;
  std::copy(decoded->begin(), decoded->end(), result.signature.begin());
  result.signedBytes = bytes.substr(0, lines[*at].offset);
  for (size_t i = 0; i < *at; ++i) result.lines.push_back(std::move(lines[i].text));
  return result;
}

std::optional<UpdateRules::VersionFile> UpdateRules::ParseVersionFile(
    const std::vector<std::u16string>& lines) {
  if (lines.empty()) return std::nullopt;
  VersionFile file;
  file.firstLine = lines[0];
  for (size_t i = 1; i < lines.size() && !file.sha256; ++i) file.sha256 = ParseSha256Line(lines[i]);
  return file;
}

std::optional<std::u16string> UpdateRules::CheckOverride(std::u16string_view address) {
  std::u16string_view rest;
  bool secure = false;
  if (base::StartsWith(address, u"https://")) {
    secure = true;
    rest = address.substr(8);
  } else if (base::StartsWith(address, u"http://")) {
    rest = address.substr(7);
  } else {
    return std::nullopt;
  }
  for (char16_t c : address) {
    // No blanks, controls or characters that would change what the address means.
    if (c <= u' ' || c >= 0x7F || c == u'\\' || c == u'@' || c == u'?' || c == u'#' || c == u'"' ||
        c == u'%')
      return std::nullopt;
  }
  const size_t slash = rest.find(u'/');
  const std::u16string_view authority = rest.substr(0, slash);
  std::u16string_view host = authority;
  std::u16string_view port;
  if (base::StartsWith(authority, u"[")) {
    const size_t close = authority.find(u']');
    if (close == std::u16string_view::npos) return std::nullopt;
    host = authority.substr(0, close + 1);
    const std::u16string_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after.front() != u':') return std::nullopt;
      port = after.substr(1);
      if (!IsPortText(port)) return std::nullopt;
    }
  } else if (const size_t colon = authority.find(u':'); colon != std::u16string_view::npos) {
    host = authority.substr(0, colon);
    port = authority.substr(colon + 1);
    if (!IsPortText(port)) return std::nullopt;
  }
  if (host.empty()) return std::nullopt;
  if (!secure && host != u"127.0.0.1" && host != u"localhost" && host != u"[::1]") {
    return std::nullopt;
  }
  std::u16string base(address);
  if (slash == std::u16string_view::npos || base.back() != u'/') base.push_back(u'/');
  return base;
}

std::u16string UpdateRules::BaseAddress(const char* overrideValue) {
  if (overrideValue && *overrideValue) {
    if (auto checked = CheckOverride(base::FromUtf8(overrideValue))) return *checked;
  }
  return std::u16string(kDefaultBase);
}

std::u16string UpdateRules::VersionFileUrl(std::u16string_view base) {
  return std::u16string(base) + std::u16string(kVersionFileName);
}

std::u16string UpdateRules::InstallerUrl(std::u16string_view base, const ProgramVersion& server) {
  // Built from the parsed numbers, so nothing else from the file reaches the address.
  return std::u16string(base) +
         base::Format(u"installer_V%d.%d.%d.exe", server.major, server.minor, server.patch);
}
