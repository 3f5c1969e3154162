#pragma once
// The software update check (the software-update button): fetch the version file, check its
// signature, compare versions, download the installer with CDownloadDlg, check the SHA-256 of
// a held private copy against the version file, start that copy and end the program so that
// it can be replaced.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/Sha256.h"
#include "platform/HeldFile.h"
#include "views/device/UpdateRules.h"

class ViewServices;

class SoftwareUpdate {
 public:
  enum class Result {
    Unreachable,    // the version file could not be fetched or read: text 332
    Unreadable,     // the downloaded version file could not be opened: nothing said
    BadSignature,   // no valid signature of the release key: text 343, nothing downloaded
    NoUpdate,       // the server's version does not qualify: text 333
    Unsigned,       // the signed version file names no installer checksum: text 343
    NotDownloaded,  // the download dialog was closed or failed: nothing more
    Mismatch,       // the installer's checksum differs: deleted, text 344
    NotStarted,     // the installer could not be started: the program goes on
    Started,        // text 339, the installer started, the main window ends
  };

  // `releaseKey`: the key the version file must be signed with (the build's release key).
  explicit SoftwareUpdate(ViewServices& services,
                          std::span<const uint8_t, 65> releaseKey = UpdateRules::kReleaseKey)
      : m_services(services), m_releaseKey(releaseKey) {}

  Result Run();

  // g_strDataDir + "update\VersionInfo.ini" and "update\update.exe".
  static std::u16string VersionFilePath();
  static std::u16string InstallerPath();

  // SHA-256 of a held file from where it stands to its end, read in pieces; nothing when it
  // cannot be read.
  [[nodiscard]] static std::optional<base::Sha256::Digest> HashHeld(platform::HeldFile& file);

 private:
  ViewServices& m_services;
  std::span<const uint8_t, 65> m_releaseKey;
};
