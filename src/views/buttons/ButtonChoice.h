#pragma once
// What a menu item or an editor gives a button: the caption and Key%uName, the three code
// bytes and, for a launch only, the program's full path.

#include <string>

#include "keys/ButtonFunctionCode.h"

namespace buttons {

struct ButtonChoice {
  std::u16string name;
  ButtonFunctionCode code;
  std::u16string url;

  friend bool operator==(const ButtonChoice&, const ButtonChoice&) = default;
};

}  // namespace buttons
