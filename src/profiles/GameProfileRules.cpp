#include "profiles/GameProfileRules.h"

#include "profiles/GlobalSettings.h"
#include "profiles/ProfileStore.h"

namespace {

constexpr int kFirstGameFilePair = 1;  // GameFile0..2 are text settings 1..3

// Windows compares file names without regard to case; this covers the scripts that program
// names are written in here (Latin, Greek, Cyrillic). Both slashes separate folders.
char16_t Fold(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c == u'/') return u'\\';
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 0x20);
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<char16_t>(c + 0x20);
  if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 0x20);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  return c;
}

bool SameText(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Fold(a[i]) != Fold(b[i])) return false;
  }
  return true;
}

bool IsSeparator(char16_t c) {
  return c == u'\\' || c == u'/' || c == u':';
}

std::u16string_view FileNameOf(std::u16string_view path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1])) return path.substr(i);
  }
  return path;
}

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && (text.front() == u' ' || text.front() == u'"')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == u' ' || text.back() == u'"')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::vector<GameProfile> GameProfileRules::ShownProfiles(const GlobalSettings& settings,
                                                         const ProfileStore& store) {
  std::vector<GameProfile> shown;
  for (int slot : settings.ShownSlots()) {
    const ProfileSettings* profile = store.At(slot);
    if (!profile) continue;
    // A slot listed twice by a damaged config.ini counts once.
    bool seen = false;
    for (const GameProfile& earlier : shown) seen = seen || earlier.slot == slot;
    if (seen) continue;
    GameProfile entry;
    entry.slot = slot;
    for (size_t i = 0; i < entry.programs.size(); ++i) {
      entry.programs[i] = profile->PairValue(kFirstGameFilePair + static_cast<int>(i));
    }
    shown.push_back(std::move(entry));
  }
  return shown;
}

bool GameProfileRules::Matches(std::u16string_view stored, std::u16string_view program) {
  stored = Trimmed(stored);
  if (stored.empty() || program.empty()) return false;
  const bool hasFolder = FileNameOf(stored).size() != stored.size();
  return hasFolder ? SameText(stored, program) : SameText(stored, FileNameOf(program));
}

void GameProfileRules::SetProfiles(std::vector<GameProfile> shown) {
  m_profiles = std::move(shown);
}

bool GameProfileRules::Watching() const {
  for (const GameProfile& profile : m_profiles) {
    for (const std::u16string& program : profile.programs) {
      if (!Trimmed(program).empty()) return true;
    }
  }
  return false;
}

std::optional<int> GameProfileRules::MatchingSlot(std::u16string_view program) const {
  for (const GameProfile& profile : m_profiles) {
    for (const std::u16string& stored : profile.programs) {
      if (Matches(stored, program)) return profile.slot;
    }
  }
  return std::nullopt;
}

bool GameProfileRules::IsShown(int slot) const {
  for (const GameProfile& profile : m_profiles) {
    if (profile.slot == slot) return true;
  }
  return false;
}

void GameProfileRules::NoteCurrent(int current) {
  if (!m_expected) {
    m_user = current;
  } else if (*m_expected != current) {
    // The user switched: that profile stays, also after the game leaves the front, and a
    // switch still waiting is dropped.
    m_user = current;
    m_game.reset();
    m_target.reset();
  }
  m_expected = current;
}

std::optional<int> GameProfileRules::OnForeground(std::u16string_view program, int current,
                                                  bool blocked) {
  NoteCurrent(current);
  if (!program.empty() && !SameText(program, m_front)) {
    m_front = std::u16string(program);
    if (const std::optional<int> match = MatchingSlot(program)) {
      m_game = match;
      m_target = match;
    } else if (m_game) {
      m_game.reset();
      m_target = m_user;
    }
  }
  return Apply(current, blocked);
}

std::optional<int> GameProfileRules::OnProgramExited(int current, bool blocked) {
  NoteCurrent(current);
  // The same program started again comes in as new.
  m_front.clear();
  if (m_game) {
    m_game.reset();
    m_target = m_user;
  }
  return Apply(current, blocked);
}

std::optional<int> GameProfileRules::Poll(int current, bool blocked) {
  NoteCurrent(current);
  return Apply(current, blocked);
}

std::optional<int> GameProfileRules::Apply(int current, bool blocked) {
  if (!m_target || blocked) return std::nullopt;
  const int target = *m_target;
  m_target.reset();
  // A profile deleted from the list meanwhile is not switched to.
  if (target == current || !IsShown(target)) return std::nullopt;
  m_expected = target;
  return target;
}
