#pragma once
// The rules of the software update check, apart from any window: which server version
// qualifies, what the version file says, where the files come from.

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/Sha256.h"

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int patch = 0;
  friend auto operator<=>(const ProgramVersion&, const ProgramVersion&) = default;
};

class UpdateRules {
 public:
  // Appended to text 3 for the version label, and what the server version is compared with:
  // ":" and the build's version.
  static const std::u16string_view kProgramVersion;
  // The update server's folder, a setting of the build.
  static const std::u16string_view kDefaultBase;
  // The release key: an uncompressed P-256 point that every version file is signed for.
  static const std::array<uint8_t, 65> kReleaseKey;
  // A version file is refused before it is read any further when it is larger.
  static constexpr uint64_t kMaxVersionFileBytes = 64 * 1024;
  // Tests point the check at a server of their own with this variable.
  static constexpr const char* kBaseVariable = "VANTREL_UPDATE_URL";
  static constexpr std::u16string_view kVersionFileName = u"VersionInfo.txt";
  static constexpr std::u16string_view kShaPrefix = u"SHA256=";
  static constexpr std::u16string_view kSignaturePrefix = u"SIGNATURE=";

  // "major.minor.patch" in decimal, blanks around it allowed; anything else is malformed.
  [[nodiscard]] static std::optional<ProgramVersion> ParseVersion(std::u16string_view text);
  // `program` carries a leading ":" (kProgramVersion). Versions compare as tuples; an equal
  // version qualifies; a malformed one on either side does not.
  [[nodiscard]] static bool IsUpdateAvailable(std::u16string_view program,
                                              std::u16string_view server);

  // A version file's bytes cut at its signature line: `signedBytes` is every byte before
  // that line, `signature` the line's r and s, `lines` the signed text as the text-file
  // reader would give it. Nothing when there is no such line, or it is the first line, or it
  // is not the last one, or its value is not 64 bytes in base64, or there are two.
  struct SignedText {
    std::string_view signedBytes;
    std::array<uint8_t, 64> signature{};
    std::vector<std::u16string> lines;
  };
  [[nodiscard]] static std::optional<SignedText> SplitSignature(std::string_view bytes);

  struct VersionFile {
    std::u16string firstLine;                    // the server version as written
    std::optional<base::Sha256::Digest> sha256;  // of the installer, from a later line
  };
  // The lines of the version file as read; the checksum is the first "SHA256=" line after
  // the first line that carries 64 hex digits.
  [[nodiscard]] static std::optional<VersionFile> ParseVersionFile(
      const std::vector<std::u16string>& lines);
  [[nodiscard]] static std::optional<base::Sha256::Digest> ParseSha256Line(
      std::u16string_view line);

  // An override of the base address: https to anywhere, or http to this machine only
  // (127.0.0.1, localhost, [::1]); with a trailing "/". Nothing for anything else.
  [[nodiscard]] static std::optional<std::u16string> CheckOverride(std::u16string_view address);
  // The override when it passes, else the default.
  [[nodiscard]] static std::u16string BaseAddress(const char* overrideValue);

  [[nodiscard]] static std::u16string VersionFileUrl(std::u16string_view base);
  [[nodiscard]] static std::u16string InstallerUrl(std::u16string_view base,
                                                   const ProgramVersion& server);
};
