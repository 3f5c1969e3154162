#pragma once
// The software update check (the software-update button): fetch the version file, compare
// versions, download the installer with CDownloadDlg, check its SHA-256 against the version
// file, start it and end the program so that it can be replaced.

#include <string>

class ViewServices;

class SoftwareUpdate {
 public:
  enum class Result {
    Unreachable,    // the version file could not be fetched or read: text 332
    Unreadable,     // the downloaded version file could not be opened: nothing said
    NoUpdate,       // the server's version does not qualify: text 333
    Unsigned,       // the version file names no installer checksum: text 343
    NotDownloaded,  // the download dialog was closed or failed: nothing more
    Mismatch,       // the installer's checksum differs: deleted, text 344
    Started,        // text 339, the installer started, the main window ends
  };

  explicit SoftwareUpdate(ViewServices& services) : m_services(services) {}

  Result Run();

  // g_strDataDir + "update\VersionInfo.ini" and "update\update.exe".
  static std::u16string VersionFilePath();
  static std::u16string InstallerPath();

 private:
  ViewServices& m_services;
};
