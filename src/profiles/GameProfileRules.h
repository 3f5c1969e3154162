#pragma once
// Profiles that follow the game in front. A shown profile whose GameFile0..2 names the
// program in the foreground is switched to while that program is in front; when it leaves
// the front (or ends), the profile the user chose comes back. The rules decide only which
// slot to switch to and when; the caller switches as a click on the profile's tab does.
//
// Every input carries the slot that is active now. A slot that differs from the one the
// rules last switched to (or saw) was chosen by the user: it becomes the one to return to.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class GlobalSettings;
struct ProfileStore;

struct GameProfile {
  int slot = 0;
  std::array<std::u16string, 3> programs;  // GameFile0..2; empty = none
};

class GameProfileRules {
 public:
  // The shown profiles in display order, with their program fields.
  static std::vector<GameProfile> ShownProfiles(const GlobalSettings& settings,
                                                const ProfileStore& store);
  // A stored program matches the program in front by its full path, case-insensitively;
  // a stored value without a folder matches the file name alone.
  static bool Matches(std::u16string_view stored, std::u16string_view program);

  void SetProfiles(std::vector<GameProfile> shown);
  // True while some shown profile names a program: only then is the foreground watched.
  bool Watching() const;
  // The first shown profile, in display order, naming `program`.
  std::optional<int> MatchingSlot(std::u16string_view program) const;

  // Each returns the slot to switch to now, or nothing. While `blocked` (a modal dialog, a
  // manager or a firmware update is open) the switch is kept and given by a later call.
  //
  // The program in front is `program`. An empty path (no window in front, as between two
  // windows) changes nothing.
  std::optional<int> OnForeground(std::u16string_view program, int current, bool blocked);
  // The held program, the one that brought its profile in, has ended.
  std::optional<int> OnProgramExited(int current, bool blocked);
  // Nothing new happened; gives a switch that waited for a dialog to close.
  std::optional<int> Poll(int current, bool blocked);

  // The profile brought in by the program in front, while it is active.
  std::optional<int> GameSlot() const { return m_game; }
  // The profile to return to.
  std::optional<int> ReturnSlot() const { return m_user; }
  bool SwitchWaiting() const { return m_target.has_value(); }

 private:
  void NoteCurrent(int current);
  std::optional<int> Apply(int current, bool blocked);
  bool IsShown(int slot) const;

  std::vector<GameProfile> m_profiles;
  std::optional<int> m_user;      // the profile the user chose
  std::optional<int> m_expected;  // the slot active after our last look or switch
  std::optional<int> m_game;      // the profile switched in for the program in front
  std::optional<int> m_target;    // a switch not yet made
  std::u16string m_front;         // the program in front at the last look
};
