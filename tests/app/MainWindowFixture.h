#pragma once
// The real main window on the headless adapter against the simulated mouse: the program's
// artwork and language files beside the executable, a data folder with a settings file that
// lets the window show at once, and a failure on anything the adapter reports.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "app/VantrelDlg.h"
#include "base/AppGlobals.h"
#include "base/Language.h"
#include "device/sim/SimMouse.h"
#include "support/Bytes.h"
#include "support/Clicks.h"

class MainWindowFixture : public ::testing::Test {
 protected:
  platform::headless::HeadlessPlatform platform;
  platform::headless::HeadlessDesktop& desktop = platform.desktop();
  SimMouse mouse;
  std::vector<std::string> failures;
  const std::u16string dataDir = u"C:\\Users\\player\\AppData\\Roaming\\GamingMouseData20250627A\\";
  const std::u16string configDir = dataDir + u"config\\";

  // `plugged`: the mouse on the cable from the start; otherwise every mode is unplugged.
  explicit MainWindowFixture(bool plugged = true);
  ~MainWindowFixture() override;

  // A data folder whose config.ini lets the window show without asking for a password.
  void PrepareDataFolder();
  // The text of a file of the data folder's config folder ("" when missing).
  std::u16string ConfigFile(std::u16string_view name);

  bool ClickControl(const CDlgBase& dlg, uint32_t id) { return testclick::Click(desktop, dlg, id); }
};
