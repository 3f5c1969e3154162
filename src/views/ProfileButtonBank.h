#pragma once
// The buttons of a profile as the assignment code sees them.

#include <functional>

#include "keys/ButtonBank.h"

struct ProfileSettings;

class ProfileButtonBank : public ButtonBank {
 public:
  // `profile` names the profile at each call, so a switch of profiles is followed.
  explicit ProfileButtonBank(std::function<ProfileSettings&()> profile)
      : m_profile(std::move(profile)) {}

  std::optional<ButtonFields> Slot(int slot) override;

 private:
  std::function<ProfileSettings&()> m_profile;
};
