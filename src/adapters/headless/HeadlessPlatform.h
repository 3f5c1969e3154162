#pragma once
// The test adapter: every platform service, deterministic and instant. Constructing one
// installs it as the process's platform; destroying it uninstalls it and removes its
// temporary files.

#include <filesystem>
#include <memory>

#include "adapters/headless/HeadlessAutoStart.h"
#include "adapters/headless/HeadlessDesktop.h"
#include "adapters/headless/HeadlessFileSystem.h"
#include "adapters/headless/HeadlessGraphics.h"
#include "adapters/headless/HeadlessPrograms.h"
#include "adapters/headless/HeadlessServices.h"
#include "adapters/host/OpenSslCrypto.h"
#include "adapters/host/ResourceScript.h"
#include "platform/Platform.h"

namespace platform::headless {

class HeadlessPlatform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform();
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  HeadlessFileSystem& files() { return *m_files; }
  HeadlessDesktop& desktop() { return *m_desktop; }
  HeadlessGraphics& graphics() { return *m_graphics; }
  HeadlessShell& shell() { return *m_shell; }
  HeadlessTray& tray() { return *m_tray; }
  HeadlessSystem& system() { return *m_system; }
  HeadlessClipboard& clipboard() { return m_clipboard; }
  HeadlessPrograms& programs() { return m_programs; }
  HeadlessAutoStart& autoStart() { return *m_autoStart; }
  const std::filesystem::path& root() const { return m_root; }

  // Serves skins\ and lang\ beside the executable, and the executable's resources, from a
  // source tree (its skins/, lang/ and res/ folders).
  void UseInstallation(const std::filesystem::path& sourceTree);
  // Plugs a HID bus (the simulated mouse) in; nullptr goes back to an empty bus.
  void SetHidBus(HidBus* bus);

 private:
  void Install();

  std::filesystem::path m_root;
  std::unique_ptr<HeadlessFileSystem> m_files;
  std::unique_ptr<HeadlessDesktop> m_desktop;
  host::ResourceScript m_resources;
  std::unique_ptr<HeadlessGraphics> m_graphics;
  std::unique_ptr<HeadlessShell> m_shell;
  std::unique_ptr<HeadlessTray> m_tray;
  std::unique_ptr<HeadlessSystem> m_system;
  HeadlessClipboard m_clipboard;
  host::OpenSslCrypto m_crypto;
  HeadlessPrograms m_programs;
  std::unique_ptr<HeadlessAutoStart> m_autoStart;
  EmptyHidBus m_emptyBus;
  HidBus* m_hid = &m_emptyBus;
};

}  // namespace platform::headless
