#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

std::optional<CommandLine> Parse(std::vector<std::u16string> args,
                                 std::u16string* error = nullptr) {
  return CommandLine::Parse(args, error);
}

TEST(CommandLine, SimulateWithAndWithoutScriptAndLog) {
  auto none = Parse({});
  ASSERT_TRUE(none);
  EXPECT_FALSE(none->simulate);

  auto plain = Parse({u"--simulate"});
  ASSERT_TRUE(plain);
  EXPECT_TRUE(plain->simulate);
  EXPECT_TRUE(plain->scriptPath.empty());
  EXPECT_TRUE(plain->simLogPath.empty());

  auto full = Parse({u"--sim-log=C:\\logs\\traffic.txt", u"--simulate=C:\\demo scripts\\a=b.txt"});
  ASSERT_TRUE(full);
  EXPECT_TRUE(full->simulate);
  EXPECT_EQ(full->scriptPath, u"C:\\demo scripts\\a=b.txt");
  EXPECT_EQ(full->simLogPath, u"C:\\logs\\traffic.txt");
  EXPECT_TRUE(full->uiDumpPath.empty());

  // The dump is a diagnostic of its own: it needs no simulated mouse.
  auto dump = Parse({u"--ui-dump=Z:\\tmp\\ui.txt"});
  ASSERT_TRUE(dump);
  EXPECT_FALSE(dump->simulate);
  EXPECT_EQ(dump->uiDumpPath, u"Z:\\tmp\\ui.txt");
}

TEST(CommandLine, RefusesWhatItDoesNotKnowWithAMessage) {
  const std::vector<std::vector<std::u16string>> bad = {
      {u"--simulated"},       {u"--simulate="}, {u"--sim-log="},
      {u"--sim-log=x.txt"},   {u"/simulate"},   {u"profile.psf"},
      {u"--simulate", u"-x"}, {u"--ui-dump="},  {u"--ui-dump"},
  };
  for (const auto& args : bad) {
    std::u16string error;
    EXPECT_FALSE(Parse(args, &error)) << std::string(args[0].begin(), args[0].end());
    EXPECT_FALSE(error.empty());
  }
  std::u16string error;
  EXPECT_FALSE(Parse({u"--verbose"}, &error));
  EXPECT_NE(error.find(u"--verbose"), std::u16string::npos);
}

}  // namespace
