#pragma once
// The fixed functions offered by the assignment menus: the function menu and its five
// submenus. The menus only display these tables; a choice stores the item's name and code.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "keys/ButtonFunctionCode.h"

namespace keys {

enum class MenuItemKind : uint8_t {
  Function,  // stores `code` at once
  Submenu,   // opens a submenu on hover (`message`); a click does nothing
  Dialog,    // a click opens an editor or select dialog (`message`)
};

struct FunctionMenuItem {
  int id;      // 1..18, the position in the menu
  int textId;  // language text of the item
  MenuItemKind kind;
  ButtonFunctionCode code;  // Function items only
  int message;              // Submenu: open on hover; Dialog: open after the menus close
};

struct SubmenuItem {
  int textId;                 // language text, 0 when the item is named by `label`
  std::u16string_view label;  // DPI-lock items only
  ButtonFunctionCode code;
};

// Messages the function menu and its submenus send to the main window.
constexpr int kMsgOpenFunctionMenu = 1028;
constexpr int kMsgFunctionChosen = 1027;
constexpr int kMsgCloseSubmenu = 1033;
constexpr int kMsgDpiChosen = 1041;
constexpr int kMsgMultimediaChosen = 1044;
constexpr int kMsgOfficeChosen = 1161;
constexpr int kMsgWindowsManageChosen = 1158;
constexpr int kMsgDpiLockChosen = 1155;

extern const std::array<FunctionMenuItem, 18> kFunctionMenu;
extern const std::array<SubmenuItem, 3> kDpiMenu;
// Entry n locks at ButtonFunctionCode::DpiLockValue(n), labelled with that number.
constexpr int kDpiLockEntries =
    ButtonFunctionCode::kDpiLockMax - ButtonFunctionCode::kDpiLockMin + 1;
extern const std::array<SubmenuItem, kDpiLockEntries> kDpiLockMenu;
extern const std::array<SubmenuItem, 10> kMultimediaMenu;
extern const std::array<SubmenuItem, 9> kOfficeMenu;
extern const std::array<SubmenuItem, 6> kWindowsManageMenu;

// Name stored for a submenu choice: its language text; for a DPI-lock item
// text 36, "-" and the DPI ("Lock-700").
std::u16string SubmenuItemName(const SubmenuItem& item);
// Name of a DpiLock code with parameter n (1..11): text 36, "-", 100 + 100 * n.
std::u16string DpiLockName(uint8_t n);
// Names of the selection results: text 190 + the macro's name, text 189 + the shooting
// action's name, and text 34 for a button left without function.
std::u16string MacroFunctionName(std::u16string_view macroName);
std::u16string ShootingFunctionName(std::u16string_view entryName);
const std::u16string& DisabledName();

}  // namespace keys
