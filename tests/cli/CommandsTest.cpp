// The other commands against the simulated mouse: button, profile apply, reset, pair, info,
// list, watch and firmware update.

#include <fstream>
#include <iterator>

#include "cli/CtlTestSupport.h"
#include "cli/FunctionNames.h"
#include "cli/ProfileButtons.h"
#include "device/FirmwareImage.h"
#include "device/FirmwareTestImages.h"
#include "keys/ButtonAssignment.h"
#include "macros/MacroLibraryFile.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileOperations.h"

namespace {

std::string HostFile(const std::string& relative) {
  std::ifstream in(std::string(VANTREL_SOURCE_DIR) + "/" + relative, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// "Reload": R pressed, 30 ms, R released; number 7 in the macro library.
void AddReloadMacro(DataFolder& data) {
  MacroRecord m;
  m.name = u"Reload";
  m.MacroKeyIndex = 7;
  m.actions[0] = {0x52, 0x00, 0x00, 0x00};
  m.actions[1] = {0x03, 0x00, 0x00, 30};
  m.actions[2] = {0x52, 0x80, 0x00, 0x00};
  m.MacroActionNum = 3;
  m.MacroCommandActionNum = 2;
  ASSERT_TRUE(data.macros.PlaceMacro(LibraryLocation::Level0(0), u"Reload", m));
  data.macros.FinishPlacing();
  ASSERT_TRUE(SaveLibraryFile(data.macros));
}

TEST_F(CtlTest, ButtonSendsTheProgramsKeyTableAndMacros) {
  mouse.Plug(Wired);
  Prepare(AddReloadMacro);
  const struct {
    std::vector<std::string> words;
    int slot;
  } cases[] = {
      {{"button", "4", "Volume", "up"}, 3},
      {{"button", "5", "ctrl+shift+a"}, 4},
      {{"button", "3", "macro:Reload"}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words[2]);
    auto assign = [&](DataFolder& d) {
      const FunctionNames names(d);
      std::string text = c.words[2];
      for (size_t i = 3; i < c.words.size(); ++i) text += " " + c.words[i];
      const auto f = std::get<FunctionNames::Function>(names.Parse(text));
      ProfileButtons buttons(d.Current());
      ASSERT_TRUE(keys::AssignButtonFunction(buttons, keys::kFirstButtonControl + c.slot, f.name,
                                             f.code.bytes.data(), f.macro, f.url));
    };
    const auto expected = ProgramFrames(assign, {SettingsWriter::Group::Keys});
    mouse.ClearLog();
    ASSERT_EQ(Run(c.words), ExitCode::Ok) << env.err;
    EXPECT_EQ(Contents(mouse.CommandsSent()), Contents(expected));
  }
  // The macro went out with its slot: erase, then one data packet.
  const auto frames = mouse.CommandsSent();
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[1].At(1), 0x11);
  EXPECT_EQ(frames[2].At(1), 0x10);
  const auto stored = Stored();
  EXPECT_EQ(stored->Current().buttons[2].KeyName, u"Macro-Reload");
  EXPECT_EQ(stored->Current().buttons[2].KeyValue, (std::array<uint8_t, 3>{0x90, 0x21, 0x01}));
  EXPECT_EQ(stored->Current().buttons[4].KeyName, u"Ctrl+Shift+A");
  EXPECT_NE(env.out.find("4: Volume up (80 E9 00)"), std::string::npos) << env.out;
}

TEST_F(CtlTest, ButtonRefusalsSendNothing) {
  mouse.Plug(Wired);
  Prepare();
  const struct {
    std::vector<std::string> words;
    const char* message;
  } cases[] = {
      {{"button"}, "button number 1 to 6"},
      {{"button", "7", "Copy"}, "button number 1 to 6"},
      {{"button", "2"}, "needs a function"},
      {{"button", "2", "Teleport"}, "Accepted: Left click, Right click"},
      {{"button", "2", "Ctrl+Bogus"}, "unknown function"},
      {{"button", "2", "macro:Nothing"}, "no macro named \"Nothing\" in the library (it is empty)"},
      {{"button", "2", "Ctrl+LBUTTON"}, "LBUTTON cannot be sent by the mouse"},
      // Only button 1 holds the left click.
      {{"button", "1", "Right click"}, "one button must stay the left click"},
  };
  for (const auto& c : cases) {
    env.err.clear();
    EXPECT_EQ(Run(c.words), ExitCode::Usage);
    EXPECT_NE(env.err.find(c.message), std::string::npos) << env.err;
  }
  EXPECT_TRUE(mouse.CommandsSent().empty());
  // With the left click on button 4, button 1 may change.
  ASSERT_EQ(Run({"button", "4", "Left click"}), ExitCode::Ok) << env.err;
  EXPECT_EQ(Run({"button", "1", "Right click"}), ExitCode::Ok) << env.err;
}

TEST_F(CtlTest, ProfileApplySendsWhatASwitchSends) {
  mouse.Plug(Wired);
  Prepare();
  ASSERT_TRUE(platform.files().CreateDirectory(u"C:\\Profiles"));
  for (const char* name : {"default_3950.psf", "every_field.psf"}) {
    SCOPED_TRACE(name);
    const std::u16string path = u"C:\\Profiles\\" + base::FromUtf8(name);
    ASSERT_TRUE(
        platform.files().WriteAll(path, HostFile(std::string("tests/profiles/golden/") + name)));

    // The program switching to this profile, with a mouse whose state it does not know.
    SimMouse reference;
    reference.Plug(Wired);
    platform.SetHidBus(&reference);
    {
      auto data = Stored();
      RecordingHost host;
      ProfileDeviceModel model(data->settings, data->store, data->table);
      DeviceLink link(host);
      SettingsWriter writer(link, model, host);
      MacroDownload macros(link, data->store, data->settings, data->macros, data->bullets);
      writer.SetMacroSync(&macros);
      link.RegisterForDeviceNotifications(host.window);
      link.ScanDevices();
      ASSERT_EQ(ParseProfileFile(path, data->Current()), ProfileReadResult::Ok);
      const SwitchMarks marks = SwitchProfile(data->settings, data->CurrentSlot());
      ASSERT_TRUE(marks.keys && marks.dpi);
      writer.MarkDirty(SettingsWriter::Group::Keys);
      writer.MarkDirty(SettingsWriter::Group::Dpi);
      writer.WriteChanges();
    }
    platform.SetHidBus(&mouse);
    mouse.ClearLog();
    ASSERT_EQ(Run({"profile", "apply", base::ToUtf8(path)}), ExitCode::Ok) << env.err;
    std::vector<SimTraffic> sent = mouse.CommandsSent();
    if (std::string(name) == "every_field.psf") {
      // Every button of this file runs a macro the library does not have: all six become
      // disabled. The program's writer, starting from empty copies, takes that all-zero table
      // for sent already; the tool cannot know what the mouse holds and sends it.
      ASSERT_FALSE(sent.empty());
      EXPECT_EQ(sent[0].At(1), SettingsWriter::kKeyTable);
      for (size_t i = 5; i < 23; ++i) EXPECT_EQ(sent[0].At(i), 0) << i;
      for (size_t i = 23; i < 32; ++i) EXPECT_EQ(sent[0].At(i), 0xFF) << i;
      sent.erase(sent.begin());
      EXPECT_EQ(Contents(sent), Contents(reference.CommandsSent()));
      continue;
    }
    ASSERT_EQ(sent.size(), reference.CommandsSent().size());
    for (size_t i = 0; i < sent.size(); ++i) {
      EXPECT_EQ(sent[i].bytes, reference.CommandsSent()[i].bytes) << i;
    }
  }
  EXPECT_EQ(Stored()->Current().ProfileName(), u"竞技=模式 A");
}

TEST_F(CtlTest, ABadProfileFileChangesNothing) {
  mouse.Plug(Wired);
  Prepare();
  ASSERT_TRUE(platform.files().CreateDirectory(u"C:\\Profiles"));
  ASSERT_TRUE(platform.files().WriteAll(u"C:\\Profiles\\bad.psf", "not a profile"));
  const ProfileSettings before = Stored()->Current();
  EXPECT_EQ(Run({"profile", "apply", "C:\\Profiles\\bad.psf"}), ExitCode::BadFile);
  EXPECT_NE(env.err.find("is not a profile file"), std::string::npos);
  EXPECT_EQ(Run({"profile", "apply", "C:\\Profiles\\missing.psf"}), ExitCode::BadFile);
  EXPECT_NE(env.err.find("cannot read"), std::string::npos);
  // Slot 4 is not one of the three profiles the program shows.
  ASSERT_TRUE(platform.files().WriteAll(u"C:\\Profiles\\good.psf",
                                        HostFile("tests/profiles/golden/default_3950.psf")));
  EXPECT_EQ(Run({"profile", "apply", "C:\\Profiles\\good.psf", "--slot=4"}), ExitCode::Usage);
  EXPECT_NE(env.err.find("slots in use: 1, 2, 3"), std::string::npos) << env.err;
  EXPECT_TRUE(mouse.CommandsSent().empty());
  EXPECT_EQ(Stored()->Current(), before);

  // Into slot 2, which becomes the active profile.
  ASSERT_EQ(Run({"profile", "apply", "C:\\Profiles\\good.psf", "--slot=2"}), ExitCode::Ok);
  EXPECT_EQ(Stored()->CurrentSlot(), 1);
}

TEST_F(CtlTest, ResetAsksFirstAndKeepsTheProfilesName) {
  mouse.Plug(Wired);
  Prepare([](DataFolder& d) {
    d.Current().SetProfileName(u"Mine");
    d.Current().PollingRateValue = {0, 0, 0};
  });
  EXPECT_EQ(Run({"reset"}), ExitCode::Usage);  // no terminal to ask on
  EXPECT_NE(env.err.find("add --yes"), std::string::npos);
  env.answers = {"n"};
  EXPECT_EQ(Run({"reset"}), ExitCode::Failed);
  EXPECT_TRUE(mouse.CommandsSent().empty());

  mouse.RefuseAcks(100);
  EXPECT_EQ(Run({"reset", "--yes"}), ExitCode::NotAcknowledged);
  EXPECT_EQ(Stored()->Current().PollingRateValue[0], 0);
  mouse.ClearFaults();
  mouse.ClearLog();

  env.answers = {"y"};
  ASSERT_EQ(Run({"reset"}), ExitCode::Ok) << env.err;
  ASSERT_EQ(mouse.CommandsSent().size(), 1u);
  EXPECT_EQ(mouse.Applied(0x0F, 0x01)->at(0), 0xFF);
  const auto stored = Stored();
  EXPECT_EQ(stored->Current().ProfileName(), u"Mine");
  EXPECT_EQ(stored->Current().PollingRateValue[0], 3);
}

TEST_F(CtlTest, PairingSendsTheRequestToTheReceiverAndWaitsForTheLink) {
  SimMouse& sim = Play("0 plug wireless\n0 linklost\n3000 linkfound\n");
  Prepare();
  const uint64_t before = platform.desktop().NowMs();
  ASSERT_EQ(Run({"pair"}), ExitCode::Ok) << env.err;
  EXPECT_EQ(env.out, "paired\n");
  EXPECT_NE(env.err.find("Pairing.\nPairing..\nPairing...\nPaired.\n"), std::string::npos)
      << env.err;
  EXPECT_GE(platform.desktop().NowMs() - before, 3000u);
  int requests = 0;
  for (const auto& t : sim.Log()) {
    if (t.transfer == SimTraffic::Transfer::SetFeature && t.ReportId() == 0xBC) {
      ++requests;
      EXPECT_EQ(t.mode, Wireless);
    }
  }
  EXPECT_EQ(requests, 1);

  StopScript();
  Play("0 plug wireless\n0 linklost\n");
  EXPECT_EQ(Run({"pair"}), ExitCode::NotAcknowledged);
  EXPECT_NE(env.err.find("no mouse linked within 26 seconds"), std::string::npos);

  StopScript();
  Play("0 plug wired\n");
  EXPECT_EQ(Run({"pair"}), ExitCode::NoMouse);
  EXPECT_NE(env.err.find("needs the receiver"), std::string::npos);
}

TEST_F(CtlTest, InfoWaitsForTheStatusReport) {
  Play("0 plug wired\n0 plug wireless\n5 battery wired 76 1\n");
  ASSERT_EQ(Run({"info"}), ExitCode::Ok) << env.err;
  EXPECT_NE(env.out.find(
                "connection:   wired (cable)\nalso present: wireless\nanswers:      yes\n"
                "firmware:     01 02, interface version 0100\nbattery:      76 % (charging)\n"
                "polling:      up to 8000 Hz\nsensor:       0x3950\nprofile:      1 (Profile 1)"),
            std::string::npos)
      << env.out;

  StopScript();
  env.out.clear();
  Play("0 plug ble\n");
  ASSERT_EQ(Run({"info", "--json", "--wait=200"}), ExitCode::Ok) << env.err;
  EXPECT_NE(env.out.find("\"mode\":\"bluetooth\""), std::string::npos) << env.out;
  EXPECT_NE(env.out.find("\"battery\":null,\"max_polling_hz\":1000"), std::string::npos) << env.out;

  StopScript();
  EXPECT_EQ(Run({"info"}), ExitCode::NoMouse);
}

TEST_F(CtlTest, ListShowsTheMousesInterfacesAndWhatTheyAre) {
  platform::HidInterfaceInfo keyboard;
  keyboard.path = u"\\\\?\\hid#vid_046d&pid_c31c";
  keyboard.vendorId = 0x046D;
  keyboard.productId = 0xC31C;
  keyboard.usagePage = 1;
  keyboard.usage = 6;
  mouse.AddInterface(0, keyboard);
  mouse.Plug(Wired);
  ASSERT_EQ(Run({"list"}), ExitCode::Ok) << env.err;
  EXPECT_NE(env.out.find("2      wired      commands 000A    0001   0    32    yes"),
            std::string::npos)
      << env.out;
  EXPECT_NE(env.out.find("3      wired      events   000A    0002   32   0     yes"),
            std::string::npos)
      << env.out;
  EXPECT_EQ(env.out.find("c31c"), std::string::npos);
  EXPECT_NE(env.out.find("modes: wired (cable)"), std::string::npos);

  env.out.clear();
  ASSERT_EQ(Run({"list", "--all", "--json"}), ExitCode::Ok);
  EXPECT_NE(env.out.find("{\"index\":0,\"mode\":null,\"role\":\"other\",\"vendor\":\"0x046D\""),
            std::string::npos)
      << env.out;

  mouse.Unplug(Wired);
  EXPECT_EQ(Run({"list"}), ExitCode::NoMouse);
}

TEST_F(CtlTest, WatchPrintsOneLinePerThingTheMouseReports) {
  Prepare([](DataFolder& d) {
    ButtonSlot& b = d.Current().buttons[3];
    b.KeyValue = {0x60, 0x05, 0x00};
    b.KeyName = u"calc";
    b.KeyURL = u"/usr/bin/calc";
  });
  Play(
      "0 plug wired\n10 dpi wired 3\n20 battery wired 50 1\n30 polling wired 0x02 8\n"
      "40 lighting wired 2\n50 launch wired 4\n60 launch wired 4\n70 status wired\n"
      "80 launch wired 4\n90 unplug wired\n100 plug wired\n110 leave wired\n");
  ASSERT_EQ(Run({"watch"}), ExitCode::Ok) << env.err;
  EXPECT_EQ(env.out,
            "dpi: level 4 (1600 DPI)\n"
            "battery: 80 % (discharging)\n"
            "battery: 50 % (charging)\n"
            "polling: 500 Hz\n"
            "lighting: effect 2 (Breathing)\n"
            "launch: button 4 (/usr/bin/calc)\n"
            "launch: button 4 (/usr/bin/calc)\n"
            "disconnected: wired (cable)\n"
            "connected: wired (cable)\n"
            "leave: the mouse asked the program to end\n");

  StopScript();
  env.out.clear();
  Play("0 plug wired\n10 dpi wired 3\n20 battery wired 50 1\n30 polling wired 0x02 8\n");
  ASSERT_EQ(Run({"watch", "--json", "--count=2"}), ExitCode::Ok) << env.err;
  EXPECT_EQ(env.out,
            "{\"event\":\"dpi\",\"level\":4,\"dpi\":1600,\"mode\":\"wired\",\"ms\":10}\n"
            "{\"event\":\"battery\",\"level\":80,\"charge\":\"discharging\",\"mode\":\"wired\","
            "\"ms\":10}\n");

  StopScript();
  env.out.clear();
  Play("0 plug wired\n");
  const uint64_t before = platform.desktop().NowMs();
  ASSERT_EQ(Run({"watch", "--seconds=2"}), ExitCode::Ok);
  EXPECT_EQ(platform.desktop().NowMs() - before, 2000u);
  EXPECT_TRUE(env.out.empty());
}

TEST_F(CtlTest, FirmwareUpdateRunsToTheEndWithoutInterruption) {
  FirmwareImage carried;
  ASSERT_EQ(carried.LoadFromResources(), FirmwareImage::Check::Ok);
  mouse.SetVersionNumber(Wired, 0x0200);
  mouse.SetFirmwareBytes(0, 1);
  mouse.Flash().InstallApplication(firmware_test::MakeApplication(90000, 0x1234));
  mouse.Flash().WriteBase(carried.Base());
  mouse.Plug(Wired);
  Prepare();
  ASSERT_EQ(Run({"firmware", "update"}), ExitCode::Ok) << env.err;
  EXPECT_EQ(mouse.Flash().ApplicationChecksum(), carried.Header().checksum);
  EXPECT_EQ(env.interruptible, (std::vector<bool>{false, true}));
  EXPECT_NE(env.err.find("Writing firmware...\n"), std::string::npos) << env.err;
  EXPECT_EQ(env.out, "firmware: The firmware is up to date.\n");

  // Again: nothing to write.
  env.out.clear();
  ASSERT_EQ(Run({"firmware", "update", "--json"}), ExitCode::Ok);
  EXPECT_NE(env.out.find("\"outcome\":\"up_to_date\""), std::string::npos) << env.out;

  mouse.Unplug(Wired);
  mouse.Plug(Wireless);
  EXPECT_EQ(Run({"firmware", "update"}), ExitCode::NoMouse);
  EXPECT_NE(env.err.find("Connect the mouse by cable"), std::string::npos);
}

}  // namespace
