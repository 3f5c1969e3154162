#include "cli/CtlArgs.h"

#include <gtest/gtest.h>

namespace {

TEST(CtlArgsTest, OptionsStandAnywhereAndTakeTheirValues) {
  std::string error;
  const auto args =
      CtlArgs::Parse({"--simulate=demo.sim", "set", "--json", "dpi", "2", "--wait", "250", "1600",
                      "--sim-log=log.txt", "--data", "/tmp/d", "--", "--not-an-option"},
                     &error);
  ASSERT_TRUE(args) << error;
  EXPECT_TRUE(args->simulate);
  EXPECT_EQ(args->scriptPath, "demo.sim");
  EXPECT_EQ(args->simLogPath, "log.txt");
  EXPECT_EQ(args->dataDir, "/tmp/d");
  EXPECT_TRUE(args->json);
  EXPECT_EQ(args->waitMs, 250);
  EXPECT_EQ(args->words, (std::vector<std::string>{"set", "dpi", "2", "1600", "--not-an-option"}));

  // "--simulate" alone keeps the command after it.
  const auto plain = CtlArgs::Parse({"--simulate", "watch", "--count=3", "--slot=5", "-1"}, &error);
  ASSERT_TRUE(plain) << error;
  EXPECT_TRUE(plain->simulate);
  EXPECT_TRUE(plain->scriptPath.empty());
  EXPECT_EQ(plain->count, 3);
  EXPECT_EQ(plain->slot, 5);
  EXPECT_EQ(plain->words, (std::vector<std::string>{"watch", "-1"}));
}

TEST(CtlArgsTest, BadOptionsNameWhatIsAccepted) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--colour"}, "Unknown option --colour. Options: --json --simulate[=SCRIPT]"},
      {{"--json=yes"}, "--json takes no value"},
      {{"--simulate="}, "--simulate= needs a script file"},
      {{"--sim-log=x", "list"}, "--sim-log needs --simulate"},
      {{"--data"}, "--data needs a folder"},
      {{"--wait=-5"}, "--wait takes a number from 0 to 600000"},
      {{"--slot=6"}, "--slot takes a number from 1 to 5"},
      {{"--count"}, "--count takes a number from 1 to 1000000"},
      {{"--seconds=1s"}, "--seconds takes a number"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(CtlArgs::Parse(c.args, &error)) << c.args[0];
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

}  // namespace
