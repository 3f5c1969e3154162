#pragma once
// vantrelctl on the headless adapter: the real commands against the simulated mouse (or a
// SimRunner playing a script) on the virtual clock, with a data folder under C:\Data, and
// the program's own writer on a second simulated mouse to say what the program sends for the
// same change.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "adapters/headless/HeadlessPlatform.h"
#include "base/AppGlobals.h"
#include "base/Text.h"
#include "cli/CtlApp.h"
#include "cli/CtlArgs.h"
#include "cli/CtlEnvironment.h"
#include "cli/DataFolder.h"
#include "device/MacroDownload.h"
#include "device/ProfileDeviceModel.h"
#include "device/sim/SimRunner.h"
#include "integration/DeviceHarness.h"

class RecordingEnvironment : public CtlEnvironment {
 public:
  std::string out;
  std::string err;
  bool terminal = false;
  std::deque<std::string> answers;  // lines typed at the prompt; none: not a terminal
  std::optional<std::string> deniedPath;
  bool interrupted = false;
  std::vector<bool> interruptible;
  int writesUntilOutputFails = -1;  // -1: output never fails
  int locks = 0;                    // held now
  std::vector<std::u16string> lockedFolders;
  Lock lockResult = Lock::Locked;

  bool Out(std::string_view text) override {
    if (writesUntilOutputFails == 0) return false;
    if (writesUntilOutputFails > 0) --writesUntilOutputFails;
    out += text;
    return true;
  }
  void Err(std::string_view text) override { err += text; }
  bool ErrIsTerminal() override { return terminal; }
  std::optional<std::string> AskLine(std::string_view prompt) override {
    if (answers.empty()) return std::nullopt;
    err += prompt;
    std::string line = answers.front();
    answers.pop_front();
    return line;
  }
  // Tests type the program's own paths.
  std::u16string ProgramPath(std::string_view userPath) override {
    return base::FromUtf8(userPath);
  }
  std::string UserPath(std::u16string_view programPath) override {
    return base::ToUtf8(programPath);
  }
  std::string UdevRulePath() override { return "/usr/share/vantrel/70-vantrel.rules"; }
  bool Interrupted() override { return interrupted; }
  void SetInterruptible(bool on) override { interruptible.push_back(on); }
  Lock LockDataFolder(std::u16string_view folder) override {
    lockedFolders.emplace_back(folder);
    if (lockResult == Lock::Locked) ++locks;
    return lockResult;
  }
  void UnlockDataFolder() override { locks = 0; }
  std::optional<std::string> PermissionDeniedPath() override { return deniedPath; }
};

class CtlTest : public ::testing::Test {
 protected:
  static constexpr auto Wired = ConnectionMode::Wired;
  static constexpr auto Wireless = ConnectionMode::Wireless;
  static constexpr auto BLE = ConnectionMode::BLE;
  static constexpr const char* kData = "C:\\Data";

  platform::headless::HeadlessPlatform platform;
  SimMouse mouse;
  RecordingEnvironment env;
  std::unique_ptr<SimRunner> runner;  // when a test plays a script

  void SetUp() override {
    platform.UseInstallation(VANTREL_SOURCE_DIR);
    g_strExeDir = base::FolderOf(platform.files().ExecutablePath());
    platform.SetHidBus(&mouse);
    // --data names a folder that exists, as a user's would.
    ASSERT_EQ(DataFolder::Make(base::FromUtf8(kData), true), DataFolder::Made::Ok);
  }
  void TearDown() override {
    platform.SetHidBus(nullptr);
    runner.reset();
  }

  // The simulated mouse of a script takes the place of `mouse`.
  SimMouse& Play(std::string_view script) {
    std::string error;
    auto parsed = SimScript::Parse(script, &error);
    EXPECT_TRUE(parsed) << error;
    runner = std::make_unique<SimRunner>(std::move(parsed), u"");
    platform.SetHidBus(&runner->Mouse());
    runner->Start();
    return runner->Mouse();
  }

  // Back to `mouse` (nothing plugged unless a test plugs it).
  void StopScript() {
    platform.SetHidBus(&mouse);
    runner.reset();
  }

  ExitCode Run(std::vector<std::string> words) {
    const bool ownData = std::any_of(
        words.begin(), words.end(), [](const std::string& w) { return w.rfind("--data", 0) == 0; });
    if (!ownData) words.push_back(std::string("--data=") + kData);
    std::string error;
    const auto args = CtlArgs::Parse(words, &error);
    EXPECT_TRUE(args) << error;
    if (!args) return ExitCode::Usage;
    CtlApp app(env);
    return app.Run(*args);
  }

  // The data folder as a later run would find it.
  std::unique_ptr<DataFolder> Stored() {
    auto data = std::make_unique<DataFolder>();
    EXPECT_EQ(data->Load(base::FromUtf8(kData), true), DataFolder::Made::Ok);
    return data;
  }

  // Prepares the data folder (the first run of the program or the tool) and lets a test
  // change the stored profile before the command runs.
  void Prepare(const std::function<void(DataFolder&)>& change = nullptr) {
    auto data = Stored();
    if (change) {
      change(*data);
      ASSERT_TRUE(data->Save());
    }
  }

  // What the program sends when the user makes `change` on its page: the real writer on a
  // second simulated mouse, from the stored data folder, after a first write (so that the
  // lighting packet counts as sent, as it does once the program has written anything).
  std::vector<SimTraffic> ProgramFrames(const std::function<void(DataFolder&)>& change,
                                        std::initializer_list<SettingsWriter::Group> groups) {
    auto data = Stored();
    SimMouse reference;
    reference.Plug(Wired);
    platform.SetHidBus(&reference);
    std::vector<SimTraffic> frames;
    {
      RecordingHost host;
      ProfileDeviceModel model(data->settings, data->store, data->table);
      DeviceLink link(host);
      SettingsWriter writer(link, model, host);
      MacroDownload macros(link, data->store, data->settings, data->macros, data->bullets);
      writer.SetMacroSync(&macros);
      link.RegisterForDeviceNotifications(host.window);
      writer.SnapshotSentState();
      link.ScanDevices();
      (void)writer.SendDpiGroup();
      reference.ClearLog();
      change(*data);
      for (auto group : groups) writer.MarkDirty(group);
      writer.WriteChanges();
      frames = reference.CommandsSent();
    }
    platform.SetHidBus(&mouse);
    return frames;
  }

  // Frames with the sequence number and the checksum left out (the two links have sent a
  // different number of packets before); every frame's checksum is checked instead.
  static std::vector<std::vector<uint8_t>> Contents(const std::vector<SimTraffic>& frames) {
    std::vector<std::vector<uint8_t>> out;
    for (const auto& f : frames) {
      EXPECT_TRUE(CommandReport::HasValidChecksum(f.bytes));
      std::vector<uint8_t> bytes = f.bytes;
      if (bytes.size() > 4) bytes[2] = bytes[4] = 0;
      out.push_back(std::move(bytes));
    }
    return out;
  }
};
