// get and set against the simulated mouse: the frames of every set are the program's frames
// for the same change, a set returns once the mouse acknowledged, and a refused value sends
// nothing.

#include "cli/CtlTestSupport.h"
#include "profiles/SensorDpiTable.h"

namespace {

using Group = SettingsWriter::Group;

struct SetCase {
  std::vector<std::string> words;
  Group group;
  std::function<void(ProfileSettings&)> change;
};

TEST_F(CtlTest, EverySetSendsWhatTheProgramSendsForTheSameChange) {
  const SetCase cases[] = {
      {{"set", "polling", "500"},
       Group::Dpi,
       [](ProfileSettings& p) {
         p.PollingRateValue = {2, 0, 0};
         p.PollingRateName = u"500HZ";
       }},
      {{"set", "dpi", "2", "1600"},
       Group::Dpi,
       [](ProfileSettings& p) { p.XYSettingValueX[1] = p.XYSettingValueY[1] = 31; }},
      {{"set", "dpi", "3", "1600x800"},
       Group::Dpi,
       [](ProfileSettings& p) {
         p.XYSettingValueX[2] = 31;
         p.XYSettingValueY[2] = 15;
       }},
      {{"set", "dpi-levels", "1-3,5"},
       Group::Dpi,
       [](ProfileSettings& p) { p.DPIOffOnFlagValue = 0x17; }},
      {{"set", "dpi-level", "3"},
       Group::Dpi,
       [](ProfileSettings& p) { p.CurrentDPILevelValue = 2; }},
      {{"set", "dpi-colour", "8", "#123456"},
       Group::Dpi,
       [](ProfileSettings& p) { p.DPILevelIndication[7] = platform::Rgb(0x12, 0x34, 0x56); }},
      {{"set", "lift-off", "low"},
       Group::Dpi,
       [](ProfileSettings& p) { p.SetInt(TextSetting::LiftDetectionHeight, 1); }},
      {{"set", "debounce", "8ms"},
       Group::Dpi,
       [](ProfileSettings& p) { p.SetInt(TextSetting::KeyDebounce, 8); }},
      {{"set", "lighting-effect", "Breathing"},
       Group::Dpi,
       [](ProfileSettings& p) {
         p.lighting.Lighting1ModeValue = {2, 0, 0};
         p.lighting.Lighting1Name = u"Breathing";
       }},
      {{"set", "lighting-brightness", "50%"},
       Group::Dpi,
       [](ProfileSettings& p) { p.lighting.Lighting1Brightness[p.lighting.CurrentEffect()] = 1; }},
      {{"set", "lighting-speed", "3"},
       Group::Dpi,
       [](ProfileSettings& p) { p.lighting.Lighting1Speed[p.lighting.CurrentEffect()] = 2; }},
      {{"set", "lighting-direction", "down"},
       Group::Dpi,
       [](ProfileSettings& p) { p.lighting.Lighting1Direction[1] = 0; }},
      {{"set", "power-down", "3"},
       Group::Power,
       [](ProfileSettings& p) { p.SetInt(TextSetting::PowerDownTime, 3); }},
      {{"set", "motion-wakeup", "off"},
       Group::Power,
       [](ProfileSettings& p) { p.SetBool(TextSetting::MotionWakeup, 0); }},
      {{"set", "lights-off-moving", "on"},
       Group::Power,
       [](ProfileSettings& p) { p.SetBool(TextSetting::MoveLightingOnOffMode, 1); }},
      {{"set", "angle-snap", "on"},
       Group::Sensor,
       [](ProfileSettings& p) { p.SetBool(TextSetting::AngleSnap, 1); }},
      {{"set", "motion-sync", "off"},
       Group::Sensor,
       [](ProfileSettings& p) { p.SetBool(TextSetting::MotionSync, 0); }},
      {{"set", "ripple-control", "on"},
       Group::Sensor,
       [](ProfileSettings& p) { p.SetBool(TextSetting::RippleControl, 1); }},
  };
  mouse.Plug(Wired);
  Prepare();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words[1]);
    const auto expected = ProgramFrames([&](DataFolder& d) { c.change(d.Current()); }, {c.group});
    ASSERT_FALSE(expected.empty());
    ProfileSettings want = Stored()->Current();
    c.change(want);
    mouse.ClearLog();
    ASSERT_EQ(Run(c.words), ExitCode::Ok) << env.err;
    EXPECT_EQ(Contents(mouse.CommandsSent()), Contents(expected));
    // Saved as the program would store the same change.
    EXPECT_EQ(Stored()->Current(), want);
  }
}

TEST_F(CtlTest, ASetReturnsAsSoonAsTheMouseAcknowledged) {
  mouse.Plug(Wired);
  Prepare([](DataFolder& d) { d.Current().PollingRateValue = {0, 0, 0}; });
  const uint64_t before = platform.desktop().NowMs();
  ASSERT_EQ(Run({"set", "polling", "1000"}), ExitCode::Ok) << env.err;
  // One packet: its settle wait, and no other wait of any kind.
  EXPECT_EQ(platform.desktop().NowMs() - before, DeviceLink::kSettleMs);
  ASSERT_EQ(mouse.CommandsSent().size(), 1u);
  EXPECT_EQ(mouse.Applied(0x04, 0x01)->at(0), 0x01);
  EXPECT_EQ(env.out, "polling: 1000 Hz\n");
}

TEST_F(CtlTest, TheSettingsOwnCommandGoesOutEvenWhenTheProfileHoldsTheValue) {
  // The profile may not be what the mouse holds (another computer, another data folder).
  mouse.Plug(Wired);
  Prepare();
  ASSERT_EQ(Run({"set", "polling", "1000"}), ExitCode::Ok) << env.err;
  ASSERT_EQ(mouse.CommandsSent().size(), 1u);
  EXPECT_EQ(mouse.CommandsSent()[0].At(1), 0x04);
}

TEST_F(CtlTest, RefusedValuesNameWhatIsAcceptedAndSendNothing) {
  const struct {
    std::vector<std::string> words;
    const char* message;
  } cases[] = {
      {{"set"}, "Settings: dpi, dpi-levels"},
      {{"set", "speed", "3"}, "unknown setting \"speed\""},
      {{"set", "polling", "300"}, "125, 250, 500, 1000, 2000, 4000 or 8000 Hz"},
      {{"set", "polling"}, "125, 250"},
      {{"set", "dpi", "9", "800"}, "level must be 1 to 8"},
      {{"set", "dpi", "2", "825"}, "DPI must be one of 50..30000 in steps of 50"},
      {{"set", "dpi-levels", "0"}, "levels 1 to 8"},
      {{"set", "dpi-levels", "3-1"}, "levels 1 to 8"},
      {{"set", "dpi-level", "8"}, "level 8 is off; the levels that are on: 1,2,3,4,5,6"},
      {{"set", "dpi-colour", "1", "12345"}, "six hex digits"},
      {{"set", "lift-off", "3"}, "low (1 mm) or high (2 mm)"},
      {{"set", "debounce", "31"}, "0 to 30"},
      {{"set", "power-down", "0"}, "1 to 8"},
      {{"set", "angle-snap", "maybe"}, "on or off"},
      {{"set", "lighting-effect", "disco"}, "0 to 9 or a name, off (0), breathing (2)"},
      {{"set", "lighting-brightness", "60"}, "25, 50, 75 or 100"},
      {{"set", "lighting-speed", "0"}, "1, 2 or 3"},
      {{"set", "lighting-direction", "left"}, "up or down"},
      {{"set", "buttons", "x"}, "button <1-6> <function>"},
  };
  mouse.Plug(Wired);
  Prepare();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words.size() > 1 ? c.words[1] : "set");
    env.err.clear();
    EXPECT_EQ(Run(c.words), ExitCode::Usage);
    EXPECT_NE(env.err.find(c.message), std::string::npos) << env.err;
  }
  EXPECT_TRUE(mouse.CommandsSent().empty());
  EXPECT_TRUE(env.out.empty());
}

TEST_F(CtlTest, XAndYMustAgreeOnASensorThatTakesOneValue) {
  mouse.Plug(Wired);
  Prepare([](DataFolder& d) {
    d.settings.SetSensorId(0x3104);  // 100..4000, 4500, 4800, 5500..8000; no separate X and Y
    d.settings.SetSensorText();
    d.settings.SetPreST(static_cast<uint16_t>(~0x3104));
  });
  EXPECT_EQ(Run({"set", "dpi", "1", "800x400"}), ExitCode::Usage);
  EXPECT_NE(env.err.find("one DPI value for X and Y"), std::string::npos) << env.err;
  EXPECT_EQ(Run({"set", "dpi", "1", "4700"}), ExitCode::Usage);
  EXPECT_NE(env.err.find("100..4000 in steps of 100, 4500, 4800, 5500..8000 in steps of 500"),
            std::string::npos)
      << env.err;
  EXPECT_TRUE(mouse.CommandsSent().empty());
  EXPECT_EQ(Run({"set", "dpi", "1", "4800"}), ExitCode::Ok) << env.err;
}

TEST_F(CtlTest, PollingAboveTheStartLimitWaitsForTheMousesReport) {
  // The program allows 1000 Hz until the mouse reports its polling class.
  Play("0 plug wired\n");
  EXPECT_EQ(Run({"set", "polling", "2000", "--wait=300"}), ExitCode::Usage);
  EXPECT_NE(env.err.find("the link allows 125, 250, 500 or 1000 Hz until the mouse reports more"),
            std::string::npos)
      << env.err;
  EXPECT_TRUE(runner->Mouse().CommandsSent().empty());

  StopScript();
  env.err.clear();
  SimMouse& scripted = Play("0 plug wired\n40 polling wired 0x01 4\n");
  EXPECT_EQ(Run({"set", "polling", "8000"}), ExitCode::Usage);
  EXPECT_NE(env.err.find("the link allows 125, 250, 500, 1000, 2000 or 4000 Hz."),
            std::string::npos)
      << env.err;
  EXPECT_TRUE(scripted.CommandsSent().empty());

  StopScript();
  SimMouse& fast = Play("0 plug wired\n40 polling wired 0x01 8\n");
  EXPECT_EQ(Run({"set", "polling", "8000"}), ExitCode::Ok) << env.err;
  ASSERT_EQ(fast.CommandsSent().size(), 1u);
  EXPECT_EQ(fast.Applied(0x04, 0x01)->at(0), 0x14);
}

TEST_F(CtlTest, AMouseThatDoesNotAcknowledgeKeepsTheStoredProfile) {
  mouse.Plug(Wired);
  Prepare();
  mouse.RefuseAcks(100);
  EXPECT_EQ(Run({"set", "polling", "250"}), ExitCode::NotAcknowledged);
  EXPECT_NE(env.err.find("did not acknowledge"), std::string::npos);
  EXPECT_EQ(mouse.CommandsSent().size(), static_cast<size_t>(DeviceLink::kTries));
  EXPECT_EQ(Stored()->Current().PollingRateValue[0], 3);

  // A DPI change stops at its first packet.
  mouse.ClearLog();
  EXPECT_EQ(Run({"set", "dpi", "1", "800"}), ExitCode::NotAcknowledged);
  EXPECT_EQ(mouse.CommandsSent().size(), static_cast<size_t>(DeviceLink::kTries));
}

TEST_F(CtlTest, NoMouseNoPermissionAndAMouseThatIsOff) {
  Prepare();
  EXPECT_EQ(Run({"set", "polling", "500"}), ExitCode::NoMouse);
  EXPECT_NE(env.err.find("no mouse found"), std::string::npos);

  env.deniedPath = "/dev/hidraw3";
  EXPECT_EQ(Run({"set", "polling", "500"}), ExitCode::PermissionDenied);
  EXPECT_NE(env.err.find("permission denied opening /dev/hidraw3"), std::string::npos);
  // The rule where it is installed, not where it is in the sources.
  EXPECT_NE(env.err.find("sudo install -m 0644 /usr/share/vantrel/70-vantrel.rules "),
            std::string::npos)
      << env.err;
  env.deniedPath.reset();

  // Only the receiver, and the mouse switched off: nothing is sent, as in the program.
  mouse.SetMouseOn(false);
  mouse.Plug(Wireless);
  EXPECT_EQ(Run({"set", "polling", "500"}), ExitCode::NotAcknowledged);
  EXPECT_NE(env.err.find("does not answer through its receiver"), std::string::npos);
  EXPECT_TRUE(mouse.CommandsSent().empty());
}

TEST_F(CtlTest, GetShowsTheStoredProfileWithoutAMouse) {
  Prepare([](DataFolder& d) {
    d.Current().PollingRateValue = {1, 0, 0};
    d.Current().SetInt(TextSetting::KeyDebounce, 4);
  });
  ASSERT_EQ(Run({"get", "polling"}), ExitCode::Ok);
  EXPECT_EQ(env.out, "polling: 250 Hz\n");
  env.out.clear();
  ASSERT_EQ(Run({"get", "dpi", "--json"}), ExitCode::Ok);
  EXPECT_EQ(env.out.rfind("{\"dpi\":[{\"level\":1,\"x\":400,\"y\":400},{\"level\":2,", 0), 0u)
      << env.out;
  env.out.clear();
  ASSERT_EQ(Run({"get", "--json"}), ExitCode::Ok);
  EXPECT_NE(env.out.find("\"polling\":250,\"lift_off\":\"high\",\"debounce\":4,"),
            std::string::npos)
      << env.out;
  EXPECT_NE(
      env.out.find("\"buttons\":[{\"button\":1,\"name\":\"Left click\",\"code\":\"0x100100\"}"),
      std::string::npos)
      << env.out;
  env.out.clear();
  ASSERT_EQ(Run({"get"}), ExitCode::Ok);
  for (const auto& entry : SettingCatalog::Entries()) {
    EXPECT_NE(env.out.find(std::string(entry.name) + ":"), std::string::npos) << entry.name;
  }
  EXPECT_EQ(Run({"get", "colour"}), ExitCode::Usage);
}

TEST_F(CtlTest, LightingColoursAreKeptWithoutTheMouse) {
  Prepare();
  ASSERT_EQ(Run({"set", "lighting-colour", "2", "00FF80"}), ExitCode::Ok) << env.err;
  EXPECT_EQ(Stored()->Current().lighting.Lighting1FixedColor[0][1], platform::Rgb(0, 0xFF, 0x80));
  EXPECT_TRUE(mouse.CommandsSent().empty());
}

}  // namespace
