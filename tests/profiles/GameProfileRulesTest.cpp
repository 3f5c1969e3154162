#include "profiles/GameProfileRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"

namespace {

TEST(GameProfileRulesTest, MatchingByPathOrFileName) {
  const struct {
    const char16_t* stored;
    const char16_t* program;
    bool matches;
  } cases[] = {
      {u"C:\\Games\\Arena\\arena.exe", u"C:\\Games\\Arena\\arena.exe", true},
      {u"C:\\Games\\Arena\\arena.exe", u"c:\\GAMES\\arena\\ARENA.EXE", true},
      {u"C:\\Games\\Arena\\arena.exe", u"D:\\Games\\Arena\\arena.exe", false},
      {u"C:\\Games\\Arena\\arena.exe", u"C:\\Games\\Arena\\arena.exe.bak", false},
      {u"C:/Games/Arena/arena.exe", u"C:\\Games\\Arena\\arena.exe", true},
      {u"arena.exe", u"D:\\Other\\Place\\ARENA.exe", true},
      {u"arena.exe", u"D:\\Other\\Place\\myarena.exe", false},
      {u"arena.exe", u"arena.exe", true},
      {u"\"C:\\Games\\arena.exe\"", u"C:\\Games\\arena.exe", true},
      {u"НИВА.exe", u"C:\\Игры\\нива.EXE", true},
      {u"ÉCOLE.exe", u"C:\\x\\école.exe", true},
      {u"", u"C:\\Games\\arena.exe", false},
      {u"  ", u"C:\\Games\\arena.exe", false},
      {u"arena.exe", u"", false},
  };
  int row = 0;
  for (const auto& c : cases) {
    EXPECT_EQ(GameProfileRules::Matches(c.stored, c.program), c.matches) << "row " << row;
    ++row;
  }
}

constexpr const char16_t* kArena = u"C:\\Games\\arena.exe";
constexpr const char16_t* kRacer = u"C:\\Games\\racer.exe";
constexpr const char16_t* kEditor = u"C:\\windows\\notepad.exe";

// Slots 0, 1, 2 shown in the order 2, 0, 1: slot 1 names arena by file name, slot 2 names
// racer by its path and arena too (display order puts slot 2 first), slot 0 names nothing.
std::vector<GameProfile> Profiles() {
  return {{2, {kRacer, u"", u""}}, {0, {u"", u"", u""}}, {1, {u"ARENA.EXE", u"", u""}}};
}

enum class Event { Front, Exited, Poll, UserSwitch };

struct Step {
  Event event;
  const char16_t* program;  // Front: the program in front; UserSwitch: unused
  int slot;                 // UserSwitch: the slot the user picked
  bool blocked;
  int expectedSlot;  // the active slot afterwards
};

// Runs `steps` from slot `start` and checks the active slot after each.
void Play(const char* name, int start, const std::vector<Step>& steps,
          std::vector<GameProfile> profiles = Profiles()) {
  GameProfileRules rules;
  rules.SetProfiles(std::move(profiles));
  int current = start;
  int index = 0;
  for (const Step& step : steps) {
    std::optional<int> to;
    switch (step.event) {
      case Event::Front:
        to = rules.OnForeground(step.program, current, step.blocked);
        break;
      case Event::Exited:
        to = rules.OnProgramExited(current, step.blocked);
        break;
      case Event::Poll:
        to = rules.Poll(current, step.blocked);
        break;
      case Event::UserSwitch:
        current = step.slot;
        break;
    }
    if (to) {
      EXPECT_NE(*to, current) << name << ", step " << index << ": a switch to the active slot";
      current = *to;
    }
    EXPECT_EQ(current, step.expectedSlot) << name << ", step " << index;
    ++index;
  }
}

TEST(GameProfileRulesTest, SwitchingInAndBack) {
  Play("a game in front, then another program", 0,
       {{Event::Front, kEditor, 0, false, 0},
        {Event::Front, kRacer, 0, false, 2},
        {Event::Front, kRacer, 0, false, 2},
        {Event::Front, kEditor, 0, false, 0}});
  Play("the held game ends with no window in front", 0,
       {{Event::Front, kArena, 0, false, 1},
        {Event::Front, u"", 0, false, 1},
        {Event::Exited, nullptr, 0, false, 0},
        {Event::Front, u"", 0, false, 0}});
  Play("started again after it ended", 0,
       {{Event::Front, kArena, 0, false, 1},
        {Event::Exited, nullptr, 0, false, 0},
        {Event::Front, kArena, 0, false, 1}});
  Play("from one game to another and back to the user's", 0,
       {{Event::Front, kArena, 0, false, 1},
        {Event::Front, kRacer, 0, false, 2},
        {Event::Front, kEditor, 0, false, 0}});
  Play("two profiles name one program: the first in display order wins", 0,
       {{Event::Front, kArena, 0, false, 2}},
       {{2, {u"arena.exe", u"", u""}}, {0, {u"", u"", u""}}, {1, {kArena, u"", u""}}});
  Play("the game's profile is already the user's", 1,
       {{Event::Front, kArena, 0, false, 1}, {Event::Front, kEditor, 0, false, 1}});
  Play("no window in front changes nothing", 2,
       {{Event::Front, u"", 0, false, 2}, {Event::Exited, nullptr, 0, false, 2}});
}

TEST(GameProfileRulesTest, TheUsersChoiceIsWhatComesBack) {
  Play("a manual switch while the game is in front stays after it", 0,
       {{Event::Front, kArena, 0, false, 1},
        {Event::UserSwitch, nullptr, 2, false, 2},
        {Event::Poll, nullptr, 0, false, 2},
        {Event::Front, kEditor, 0, false, 2},
        {Event::Front, kArena, 0, false, 1},
        {Event::Exited, nullptr, 0, false, 2}});
  Play("a manual switch before any game is the one to return to", 0,
       {{Event::UserSwitch, nullptr, 2, false, 2},
        {Event::Front, kArena, 0, false, 1},
        {Event::Front, kEditor, 0, false, 2}});
  Play("a return profile deleted meanwhile is not switched to", 0,
       {{Event::Front, kArena, 0, false, 1}, {Event::Front, kEditor, 0, false, 1}},
       {{1, {u"arena.exe", u"", u""}}});
}

TEST(GameProfileRulesTest, DialogsHoldTheSwitchUntilTheyClose) {
  Play("in and back wait for a dialog", 0,
       {{Event::Front, kArena, 0, true, 0},
        {Event::Poll, nullptr, 0, true, 0},
        {Event::Poll, nullptr, 0, false, 1},
        {Event::Front, kEditor, 0, true, 1},
        {Event::Poll, nullptr, 0, false, 0}});
  Play("a game that came and went behind a dialog leaves the profile alone", 0,
       {{Event::Front, kArena, 0, true, 0},
        {Event::Front, kEditor, 0, true, 0},
        {Event::Poll, nullptr, 0, false, 0}});
  Play("the game ends behind a dialog", 0,
       {{Event::Front, kArena, 0, false, 1},
        {Event::Exited, nullptr, 0, true, 1},
        {Event::Poll, nullptr, 0, false, 0}});
}

TEST(GameProfileRulesTest, WatchingAndTheShownProfiles) {
  GameProfileRules rules;
  EXPECT_FALSE(rules.Watching());
  rules.SetProfiles({{0, {u"", u" ", u""}}, {1, {u"", u"", u""}}});
  EXPECT_FALSE(rules.Watching());
  rules.SetProfiles({{0, {u"", u"", u"x.exe"}}});
  EXPECT_TRUE(rules.Watching());

  GlobalSettings settings;
  ProfileStore store;
  for (int slot = 0; slot < ProfileStore::kProfileCount; ++slot) {
    store.profiles[static_cast<size_t>(slot)].SetPairValue(
        1 + slot % 3, u"game" + std::u16string(1, u'0' + slot));
  }
  settings.SetShowCount(2);
  settings.SetShowList(0, 3);
  settings.SetShowList(1, 0);
  const std::vector<GameProfile> shown = GameProfileRules::ShownProfiles(settings, store);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].slot, 3);
  EXPECT_EQ(shown[0].programs[0], u"game3");
  EXPECT_EQ(shown[1].slot, 0);
  EXPECT_EQ(shown[1].programs[0], u"game0");
  // A hidden profile never matches.
  rules.SetProfiles(shown);
  EXPECT_EQ(rules.MatchingSlot(u"C:\\game1"), std::nullopt);
  EXPECT_EQ(rules.MatchingSlot(u"C:\\GAME3"), 3);
}

}  // namespace
