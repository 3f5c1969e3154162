#pragma once
// The six buttons of one profile as the assignment code writes them.

#include "keys/ButtonBank.h"

struct ProfileSettings;

class ProfileButtons : public ButtonBank {
 public:
  explicit ProfileButtons(ProfileSettings& profile) : m_profile(profile) {}
  std::optional<ButtonFields> Slot(int slot) override;

 private:
  ProfileSettings& m_profile;
};
