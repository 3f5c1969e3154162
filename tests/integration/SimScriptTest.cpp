// Scripts of timed mouse events (the demo's --simulate=SCRIPT) and the text traffic log.

#include "device/sim/SimScript.h"
#include "integration/DeviceHarness.h"

namespace {

class SimScriptTest : public DeviceHarness {};

TEST_F(SimScriptTest, PlaysEventsWhenTheirTimeHasCome) {
  std::string error;
  auto script = SimScript::Parse(
      "# demo\n"
      "0 plug wired\n"
      "\n"
      "500 dpi wired 3\r\n"
      "500 polling wired 0x12 4\n"
      "2000 unplug wired\n",
      &error);
  ASSERT_TRUE(script) << error;
  EXPECT_EQ(script->Events().size(), 4u);
  StartUp();
  script->RunDue(mouse, 0);
  desktop.RunFor(0);
  EXPECT_TRUE(link.IsPresent(Wired));
  EXPECT_EQ(script->NextDue(), 500u);
  script->RunDue(mouse, 499);
  EXPECT_EQ(model.currentLevel, 1);
  script->RunDue(mouse, 1000);
  EXPECT_EQ(model.currentLevel, 3);
  EXPECT_EQ(model.pollingIndex, 5);
  script->RunDue(mouse, 5000);
  desktop.RunFor(0);
  EXPECT_EQ(host.ends.size(), 1u);
  EXPECT_FALSE(script->NextDue());
}

TEST_F(SimScriptTest, RejectsBadLinesNamingThem) {
  const std::pair<const char*, const char*> cases[] = {
      {"x plug wired", "line 1: time expected"},
      {"0 plug\n", "line 1: wrong number of arguments"},
      {"0 plug wired\n10 dpi usb 2", "line 2: unknown mode 'usb'"},
      {"0 jump wired", "line 1: unknown event 'jump'"},
      {"0 dpi wired 256", "line 1: number 0..255 expected"},
      {"0 dpi wired 0xZZ", "line 1: number 0..255 expected"},
      {"10 linklost\n5 linkfound", "line 2: time goes backwards"},
  };
  for (auto [text, message] : cases) {
    std::string error;
    EXPECT_FALSE(SimScript::Parse(text, &error)) << text;
    EXPECT_EQ(error, message);
  }
}

TEST_F(SimScriptTest, TextLogHasOneLinePerReport) {
  mouse.Plug(Wired);
  StartUp();
  mouse.ClearLog();
  (void)link.SendCommand(0x05, 0x01, std::array<uint8_t, 1>{2});
  const std::string log = mouse.FormatLog();
  EXPECT_EQ(log.substr(0, log.find('\n')),
            "0 set wired ok 06 05 01 01 0F 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
            "00 00 00 00 00 00 00 00 00 00");
  EXPECT_EQ(log.substr(log.find('\n') + 1, 19), "60 get wired ok 06 ");
}

}  // namespace
