// Button functions as they are typed, against the names and codes the program's menus and
// editors store.

#include "cli/FunctionNames.h"

#include "cli/CtlTestSupport.h"
#include "macros/MacroLibraryFile.h"

namespace {

TEST_F(CtlTest, FunctionNamesGiveTheMenusNamesAndCodes) {
  Prepare();
  const auto data = Stored();
  const FunctionNames names(*data);
  const struct {
    const char* typed;
    const char16_t* name;
    std::array<uint8_t, 3> code;
  } cases[] = {
      {"Left click", u"Left click", {0x10, 0x01, 0x00}},
      {"left-CLICK", u"Left click", {0x10, 0x01, 0x00}},
      {"Forward", u"Forward", {0x10, 0x10, 0x00}},
      {"DPI up", u"DPI up", {0x40, 0x02, 0x00}},
      {"Volume up", u"Volume up", {0x80, 0xE9, 0x00}},
      {"Copy", u"Copy", {0x70, 0x01, 0x06}},
      {"Print", u"Print", {0x70, 0x01, 0x13}},  // the office item, not the Print key
      {"Close window", u"Close window", {0x70, 0x04, 0x3D}},
      {"DPI lock-700", u"DPI lock-700", {0x50, 0x06, 0x00}},
      {"Triple fire", u"Triple fire", {0x30, 0x32, 0x03}},
      {"Disable", u"Disable", {0x00, 0x00, 0x00}},
      {"Ctrl+C", u"Ctrl+C", {0x70, 0x01, 0x06}},
      {"shift+ctrl+a", u"Ctrl+Shift+A", {0x70, 0x03, 0x04}},
      {"Alt", u"Alt", {0x70, 0x04, 0x00}},
      {"F5", u"F5", {0x70, 0x00, 0x3E}},
      {"Win+E", u"Win+E", {0x70, 0x08, 0x08}},
      {"Ctrl+Page Up", u"Ctrl+Page Up", {0x70, 0x01, 0x4B}},
      {"rapid fire:5,0", u"Rapid fire", {0x30, 0x05, 0x00}},
      {"launch:/usr/bin/calc", u"calc", {0x60, 0x05, 0x00}},
  };
  for (const auto& c : cases) {
    const auto parsed = names.Parse(c.typed);
    const auto* f = std::get_if<FunctionNames::Function>(&parsed);
    ASSERT_TRUE(f) << c.typed << ": " << std::get<std::string>(parsed);
    EXPECT_EQ(f->name, c.name) << c.typed;
    EXPECT_EQ(f->code.bytes, c.code) << c.typed;
  }
  const auto launch = std::get<FunctionNames::Function>(names.Parse("launch:/usr/bin/calc"));
  EXPECT_EQ(launch.url, u"/usr/bin/calc");

  for (const char* bad : {"", "Ctrl+", "Ctrl+A+B", "rapid fire:4,0", "rapid fire:50",
                          "rapid fire:5,256", "launch:", "Shift_L", "Jump"}) {
    EXPECT_TRUE(std::holds_alternative<std::string>(names.Parse(bad))) << bad;
  }
}

TEST_F(CtlTest, MacrosAreFoundByNameOrByTheirFolder) {
  Prepare([](DataFolder& d) {
    MacroRecord m;
    m.actions[0] = {0x41, 0x00, 0x00, 0x00};
    m.MacroActionNum = 1;
    m.MacroCommandActionNum = 1;
    m.MacroKeyIndex = 3;
    ASSERT_TRUE(d.macros.PlaceFolder(LibraryLocation::Level0(0), u"Games", false));
    ASSERT_TRUE(d.macros.PlaceMacro(LibraryLocation::Level1(0, 0), u"Burst", m));
    m.MacroKeyIndex = 4;
    ASSERT_TRUE(d.macros.PlaceMacro(LibraryLocation::Level0(1), u"Burst", m));
    m.MacroKeyIndex = 0;
    ASSERT_TRUE(d.macros.PlaceMacro(LibraryLocation::Level0(2), u"Orphan", m));
    MacroRecord big;
    big.MacroKeyIndex = 5;
    for (uint32_t i = 0; i < 100; ++i) big.actions[i] = {0x41, 0x00, 0x00, 0x00};
    big.MacroActionNum = 100;
    big.MacroCommandActionNum = 100;
    ASSERT_TRUE(d.macros.PlaceMacro(LibraryLocation::Level0(3), u"Huge", big));
    d.macros.FinishPlacing();
    ASSERT_TRUE(SaveLibraryFile(d.macros));
  });
  // The library is read from its file, as the program keeps it.
  const auto data = Stored();
  const FunctionNames names(*data);
  auto error = [&](const char* typed) {
    const auto parsed = names.Parse(typed);
    return std::holds_alternative<std::string>(parsed) ? std::get<std::string>(parsed) : "";
  };
  EXPECT_NE(error("macro:Burst").find("give the folder too: Burst, Games/Burst"),
            std::string::npos);
  const auto inFolder = std::get<FunctionNames::Function>(names.Parse("macro:Games/Burst"));
  EXPECT_EQ(inFolder.name, u"Macro-Burst");
  EXPECT_EQ(inFolder.code.bytes, (std::array<uint8_t, 3>{0x90, 0x00, 0x00}));
  ASSERT_NE(inFolder.macro, nullptr);
  EXPECT_EQ(inFolder.macro->MacroKeyIndex, 3u);
  EXPECT_NE(error("macro:Orphan").find("has no number"), std::string::npos);
  EXPECT_NE(error("macro:Huge").find("too long for the mouse"), std::string::npos);
  EXPECT_NE(error("shooting:Burst").find("no shooting action named"), std::string::npos);
}

}  // namespace
