#include "app/MainWindowFixture.h"

#include "profiles/GlobalSettings.h"
#include "profiles/SettingsFiles.h"

MainWindowFixture::MainWindowFixture(bool plugged) {
  ResetLanguage();
  desktop.SetFailureHandler([this](const std::string& m) { failures.push_back(m); });
  platform.SetHidBus(&mouse);
  if (plugged) {
    mouse.Plug(ConnectionMode::Wired);
  } else {
    for (auto m : {ConnectionMode::Wired, ConnectionMode::Wireless, ConnectionMode::BLE}) {
      mouse.Unplug(m);
    }
  }
  mouse.ClearLog();
}

MainWindowFixture::~MainWindowFixture() {
  g_hOpenDialogs.fill(0);
  platform.SetHidBus(nullptr);
  ResetLanguage();
  EXPECT_TRUE(failures.empty()) << failures.front();
}

void MainWindowFixture::PrepareDataFolder() {
  // The program's own artwork and language files, beside the executable.
  platform.files().Mount(u"C:\\Program Files\\Vantrel\\", VANTREL_SOURCE_DIR);
  platform.files().SetExecutablePath(u"C:\\Program Files\\Vantrel\\Vantrel.exe");
  platform.files().CreateDirectory(dataDir.substr(0, dataDir.size() - 1));
  platform.files().CreateDirectory(dataDir + u"config");
  g_strDataDir = dataDir;
  GlobalSettings settings;
  settings.ResetToDefaults(dataDir);
  settings.SetValueAt(GlobalSettings::kNeedPassword, u"0");
  EXPECT_TRUE(SaveGlobalSettings(settings));
}

std::u16string MainWindowFixture::ConfigFile(std::u16string_view name) {
  const auto saved = platform.files().ReadAll(configDir + std::u16string(name));
  return saved ? testbytes::FromUtf16Le(*saved) : std::u16string();
}
