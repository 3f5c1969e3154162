#pragma once
// Button functions as a user types them, turned into what the assignment menus and editors of
// the program store: a name, a three-byte code, a launch target, a macro.
//
//   a menu item by its name, in English or the program's language: "Left click", "DPI up",
//     "Volume up", "Copy", "Close window", "Disable" (case, spaces and hyphens do not matter)
//   a DPI lock: "DPI lock-800" (200..1200)
//   a key combination as the shortcut editor names it: "Ctrl+Shift+A", "Alt+F4", "F5", "Win+E"
//   rapid fire:<interval 5-255>,<repeats 0-255>      launch:<program>
//   macro:<name> or shooting:<name> (a library entry; "folder/name" when names repeat), or the
//     stored name "Macro-<name>" / "Shooting-<name>"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "keys/ButtonFunctionCode.h"
#include "macros/MacroRecord.h"

struct DataFolder;

class FunctionNames {
 public:
  struct Function {
    std::u16string name;
    ButtonFunctionCode code;
    std::u16string url;
    const MacroRecord* macro = nullptr;  // owned by the library
  };

  // The function, or a message saying what is accepted.
  using Parsed = std::variant<Function, std::string>;

  explicit FunctionNames(const DataFolder& data) : m_data(data) {}

  Parsed Parse(std::string_view text) const;
  // The names of the menu items, for help and messages.
  std::vector<std::string> MenuNames() const;

 private:
  std::variant<Function, std::string> Macro(std::string_view name, bool shooting) const;
  std::optional<Function> Menu(std::string_view folded) const;
  std::optional<Parsed> Prefixed(std::string_view text) const;
  static std::optional<Parsed> KeyCombination(std::string_view text);
  const DataFolder& m_data;
};
