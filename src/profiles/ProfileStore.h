#pragma once
// The five profiles the program keeps for the whole run. Which one is active is the
// CurrentProfile global setting, not something stored here.

#include <array>

#include "profiles/ProfileSettings.h"

struct ProfileStore {
  static constexpr int kProfileCount = 5;

  std::array<ProfileSettings, kProfileCount> profiles;

  // Profile of a slot, or nullptr for a slot outside 0..4.
  ProfileSettings* At(int slot) {
    return slot >= 0 && slot < kProfileCount ? &profiles[slot] : nullptr;
  }
  const ProfileSettings* At(int slot) const {
    return slot >= 0 && slot < kProfileCount ? &profiles[slot] : nullptr;
  }
};

// The process-wide store.
extern ProfileStore g_ProfileStore;
