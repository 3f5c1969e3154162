#pragma once
// One "key=value" line of a settings file, held as the two texts it is made of.

#include <string>

struct SettingPair {
  std::u16string key;
  std::u16string value;

  friend bool operator==(const SettingPair&, const SettingPair&) = default;
};
