#include "adapters/headless/HeadlessPlatform.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "base/Text.h"

namespace platform::headless {
namespace fs = std::filesystem;

namespace {

fs::path MakeTempRoot() {
  std::string pattern = (fs::temp_directory_path() / "vantrel-XXXXXX").string();
  if (char* made = mkdtemp(pattern.data())) return made;
  return fs::temp_directory_path() / "vantrel-fallback";
}

}  // namespace

HeadlessPlatform::HeadlessPlatform() : m_root(MakeTempRoot()) {
  m_files = std::make_unique<HeadlessFileSystem>(m_root);
  m_desktop = std::make_unique<HeadlessDesktop>();
  m_graphics = std::make_unique<HeadlessGraphics>(*m_files);
  m_graphics->SetResources(&m_resources);
  m_shell = std::make_unique<HeadlessShell>(*m_files, *m_desktop);
  m_tray = std::make_unique<HeadlessTray>(*m_desktop);
  m_system = std::make_unique<HeadlessSystem>(*m_desktop, m_resources);
  m_autoStart = std::make_unique<HeadlessAutoStart>(m_files->ExecutablePath());
  std::error_code ec;
  fs::create_directories(m_files->HostPath(m_files->AppDataFolder()), ec);
  fs::create_directories(m_files->HostPath(base::FolderOf(m_files->ExecutablePath())), ec);
  Install();
}

HeadlessPlatform::~HeadlessPlatform() {
  platform::Install({});
  std::error_code ec;
  fs::remove_all(m_root, ec);
}

void HeadlessPlatform::UseInstallation(const fs::path& sourceTree) {
  const std::u16string exeDir = base::FolderOf(m_files->ExecutablePath());
  m_files->Mount(exeDir + u"skins", sourceTree / "skins");
  m_files->Mount(exeDir + u"lang", sourceTree / "lang");
  m_resources.Load(sourceTree / "res");
}

void HeadlessPlatform::SetHidBus(HidBus* bus) {
  m_hid = bus ? bus : &m_emptyBus;
  Install();
}

void HeadlessPlatform::Install() {
  Services services;
  services.files = m_files.get();
  services.clock = m_desktop.get();
  services.windows = m_desktop.get();
  services.graphics = m_graphics.get();
  services.hid = m_hid;
  services.shell = m_shell.get();
  services.tray = m_tray.get();
  services.system = m_system.get();
  services.clipboard = &m_clipboard;
  services.crypto = &m_crypto;
  services.programs = &m_programs;
  services.autoStart = m_autoStart.get();
  platform::Install(services);
}

}  // namespace platform::headless
