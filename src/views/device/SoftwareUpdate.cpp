#include "views/device/SoftwareUpdate.h"

#include <cstdlib>
#include <vector>

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/StdioFileEx.h"
#include "platform/Platform.h"
#include "ui/DlgBase.h"
#include "views/ViewServices.h"
#include "views/device/DeviceTexts.h"
#include "views/device/DownloadDlg.h"
#include "views/device/UpdateRules.h"

namespace {

std::u16string UpdateFolder() {
  return g_strDataDir + u"update";
}

}  // namespace

std::u16string SoftwareUpdate::VersionFilePath() {
  return UpdateFolder() + u"\\VersionInfo.ini";
}

std::u16string SoftwareUpdate::InstallerPath() {
  return UpdateFolder() + u"\\update.exe";
}

SoftwareUpdate::Result SoftwareUpdate::Run() {
  using Box = ViewServices::Box;
  auto& files = platform::Files();
  // Without the folder no download could ever land; a fresh installation has none.
  if (!files.DirectoryExists(UpdateFolder())) (void)files.CreateDirectory(UpdateFolder());

  const std::u16string base = UpdateRules::BaseAddress(std::getenv(UpdateRules::kBaseVariable));
  const std::u16string versionFile = VersionFilePath();
  if (!platform::ShellServices().Download(UpdateRules::VersionFileUrl(base), versionFile)) {
    (void)m_services.ShowMessage(device_text::kServerUnreachable, Box::Modal);
    return Result::Unreachable;
  }
  std::vector<std::u16string> lines;
  {
    CStdioFileEx file;
    if (!file.Open(versionFile, CStdioFileEx::kReadFlags)) return Result::Unreadable;
    std::u16string line;
    while (file.ReadString(line)) lines.push_back(line);
  }
  const auto parsed = UpdateRules::ParseVersionFile(lines);
  if (!parsed) {
    (void)m_services.ShowMessage(device_text::kServerUnreachable, Box::Modal);
    return Result::Unreachable;
  }
  const auto server = UpdateRules::ParseVersion(parsed->firstLine);
  if (!server || !UpdateRules::IsUpdateAvailable(UpdateRules::kProgramVersion, parsed->firstLine)) {
    (void)m_services.ShowMessage(device_text::kLatestVersion, Box::Modal);
    return Result::NoUpdate;
  }
  // Nothing is downloaded that could not be checked afterwards.
  if (!parsed->sha256) {
    (void)m_services.ShowMessage(device_text::kVersionFileUnsigned, Box::Modal);
    return Result::Unsigned;
  }

  const std::u16string installer = InstallerPath();
  {
    CDownloadDlg download(LangText(device_text::kCaption), LangText(device_text::kNewerVersion),
                          installer, UpdateRules::InstallerUrl(base, *server),
                          m_services.MainDialog().GetSafeHwnd());
    if (download.DoModal() != CDlgBase::kIdOk) return Result::NotDownloaded;
  }
  const auto bytes = files.ReadAll(installer);
  if (!bytes || base::Sha256::Of(*bytes) != *parsed->sha256) {
    (void)files.Remove(installer);
    (void)m_services.ShowMessage(device_text::kInstallerMismatch, Box::Modal);
    return Result::Mismatch;
  }

  (void)m_services.ShowMessage(device_text::kInstallerStarts, Box::Modal);
  (void)platform::ShellServices().Open(installer);
  m_services.MainDialog().EndDialog(CDlgBase::kIdOk);
  return Result::Started;
}
