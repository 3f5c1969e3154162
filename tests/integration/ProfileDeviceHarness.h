#pragma once
// The device link bound to the real profile model and two private macro libraries, on the
// simulated mouse (cable plugged) and the headless virtual clock.

#include <gtest/gtest.h>

#include "base/AppGlobals.h"
#include "base/Language.h"
#include "device/MacroDownload.h"
#include "device/ProfileDeviceModel.h"
#include "integration/DeviceHarness.h"
#include "macros/MacroLibrary.h"
#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"
#include "profiles/SensorDpiTable.h"

class ProfileDeviceHarness : public ::testing::Test {
 protected:
  platform::headless::HeadlessPlatform platform;
  platform::headless::HeadlessDesktop& desktop = platform.desktop();
  SimMouse mouse;
  GlobalSettings settings;
  ProfileStore store;
  SensorDpiTable table;
  ProfileDeviceModel model{settings, store, table};
  RecordingHost host;
  DeviceLink link{host};
  SettingsWriter writer{link, model, host};
  MacroLibrary macros;
  MacroLibrary bullets;
  MacroDownload download{link, store, settings, macros, bullets};
  const std::u16string dataDir = u"C:\\Data\\";

  static constexpr auto Wired = ConnectionMode::Wired;
  static constexpr auto Wireless = ConnectionMode::Wireless;
  static constexpr auto BLE = ConnectionMode::BLE;

  void SetUp() override {
    platform.SetHidBus(&mouse);
    g_strDataDir = dataDir;
    ASSERT_TRUE(platform.files().CreateDirectory(u"C:\\Data"));
    ASSERT_TRUE(platform.files().CreateDirectory(u"C:\\Data\\config"));
    ResetLanguage();
    g_strLangText[34] = u"Disable";
    settings.ResetToDefaults(dataDir);
    for (int slot = 0; slot < 5; ++slot) ResetProfileToDefaults(store.profiles[slot], slot, 0x3950);
    BuildSensorDpiTable(table, 0x3950);
    writer.SetMacroSync(&download);
    g_bDeviceActive = true;
    host.onDeviceChange = [this](uint32_t code) { link.OnDeviceChange(code); };
    mouse.Plug(Wired);
    link.RegisterForDeviceNotifications(host.window);
    writer.SnapshotSentState();
    link.ScanDevices();
  }
  void TearDown() override {
    platform.SetHidBus(nullptr);
    ResetLanguage();
  }

  ProfileSettings& Current() { return store.profiles[settings.CurrentProfileIndex()]; }

  // A macro placed in a library at level 0, numbered `key`.
  static MacroRecord MakeMacro(uint32_t key, std::initializer_list<MacroAction> actions) {
    MacroRecord m;
    m.MacroKeyIndex = key;
    for (const auto& a : actions) m.actions[m.MacroActionNum++] = a;
    m.MacroCommandActionNum = static_cast<uint8_t>(m.CountCommandActions());
    return m;
  }
  static void Place(MacroLibrary& library, LibraryLocation at, const char16_t* name,
                    const MacroRecord& m) {
    ASSERT_TRUE(library.PlaceMacro(at, name, m));
    library.FinishPlacing();
  }
  // Button k runs library macro `key` (0x90) or shooting action (0x91); the button keeps a
  // copy as the assignment menu leaves it.
  void Assign(int k, uint8_t type, uint32_t key, const MacroRecord* copy = nullptr) {
    ButtonSlot& b = Current().buttons[k];
    b.KeyValue = {type, 0, 0};
    b.MacroKeyIndex = key;
    b.KeyName = u"macro";
    if (copy) b.macro = *copy;
  }

  // Report-6 frames of one command, in order.
  std::vector<SimTraffic> Frames(uint8_t command) const {
    std::vector<SimTraffic> out;
    for (const auto& t : mouse.CommandsSent()) {
      if (t.At(1) == command) out.push_back(t);
    }
    return out;
  }
};
