#include "views/device/SoftwareUpdate.h"

#include <cstdlib>
#include <vector>

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "base/Text.h"
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

// Copies left by earlier checks; one whose installer still runs cannot go and stays.
void RemoveHeldCopies() {
  auto& files = platform::Files();
  for (const std::u16string& name : files.FileNames(UpdateFolder())) {
    if (base::StartsWith(name, u"installer-")) (void)files.Remove(UpdateFolder() + u"\\" + name);
  }
}

}  // namespace

std::u16string SoftwareUpdate::VersionFilePath() {
  return UpdateFolder() + u"\\VersionInfo.ini";
}

std::u16string SoftwareUpdate::InstallerPath() {
  return UpdateFolder() + u"\\update.exe";
}

std::optional<base::Sha256::Digest> SoftwareUpdate::HashHeld(platform::HeldFile& file) {
  // The system's SHA-256: an installer of tens of MiB is hashed in milliseconds.
  std::unique_ptr<platform::Sha256Stream> hash = platform::CryptoServices().StartSha256();
  if (!hash) return std::nullopt;
  std::vector<uint8_t> buffer(1 << 20);
  for (;;) {
    const auto read = file.Read(buffer);
    if (!read) return std::nullopt;
    if (*read == 0) return hash->Finish();
    hash->Update(std::span<const uint8_t>(buffer.data(), *read));
  }
}

SoftwareUpdate::Result SoftwareUpdate::Run() {
  using Box = ViewServices::Box;
  auto& files = platform::Files();
  // Without the folder no download could ever land; a fresh installation has none.
  if (!files.DirectoryExists(UpdateFolder())) (void)files.CreateDirectory(UpdateFolder());

  const std::u16string base = UpdateRules::BaseAddress(std::getenv(UpdateRules::kBaseVariable));
  const std::u16string versionFile = VersionFilePath();
  // The cap keeps a runaway answer from holding the window while it arrives.
  if (!platform::ShellServices().Download(UpdateRules::VersionFileUrl(base), versionFile,
                                          UpdateRules::kMaxVersionFileBytes)) {
    (void)m_services.ShowMessage(device_text::kServerUnreachable, Box::Modal);
    return Result::Unreachable;
  }
  const auto bytes = files.ReadAll(versionFile);
  if (!bytes) return Result::Unreadable;
  if (bytes->size() > UpdateRules::kMaxVersionFileBytes) {
    (void)m_services.ShowMessage(device_text::kServerUnreachable, Box::Modal);
    return Result::Unreachable;
  }
  // Not one line is believed before the release key's signature over them is.
  const auto signedText = UpdateRules::SplitSignature(*bytes);
  const auto asBytes = [](std::string_view text) {
    return std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  };
  if (!signedText || !platform::CryptoServices().VerifyP256(
                         m_releaseKey, asBytes(signedText->signedBytes), signedText->signature)) {
    (void)m_services.ShowMessage(device_text::kVersionFileUnsigned, Box::Modal);
    return Result::BadSignature;
  }
  const auto parsed = UpdateRules::ParseVersionFile(signedText->lines);
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
  // The checked bytes and the started bytes are one held file: a private copy that nobody
  // can change from the moment it is hashed until it runs.
  RemoveHeldCopies();
  std::unique_ptr<platform::HeldFile> held =
      platform::ShellServices().HoldCopy(installer, UpdateFolder());
  const auto digest = held ? HashHeld(*held) : std::nullopt;
  if (!digest || *digest != *parsed->sha256) {
    held.reset();
    RemoveHeldCopies();
    (void)files.Remove(installer);
    (void)m_services.ShowMessage(device_text::kInstallerMismatch, Box::Modal);
    return Result::Mismatch;
  }

  (void)m_services.ShowMessage(device_text::kInstallerStarts, Box::Modal);
  // The program only ends when something is there to replace it.
  if (!held->Start()) return Result::NotStarted;
  m_services.MainDialog().EndDialog(CDlgBase::kIdOk);
  return Result::Started;
}
