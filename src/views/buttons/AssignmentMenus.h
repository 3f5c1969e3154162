#pragma once
// The function menu and its five submenus as the popups show them and as the main window
// reads their results: rows, the messages between popups and the main window, and the
// choice each item stands for. The codes themselves are the tables of keys/MenuCodes.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "keys/MenuCodes.h"
#include "views/buttons/ButtonChoice.h"

namespace buttons {

// Messages of the assignment menus (wParam is always the button field's id).
namespace msg {
// lParam: item id 1..18
constexpr auto kFunctionChosen = static_cast<uint32_t>(keys::kMsgFunctionChosen);
// From a field: 2 opens the function menu.
constexpr auto kButtonField = static_cast<uint32_t>(keys::kMsgOpenFunctionMenu);
constexpr uint32_t kFunctionMenuClosed = 1029;  // the function menu lost activation
// The pointer entered an item without submenu.
constexpr auto kCloseSubmenu = static_cast<uint32_t>(keys::kMsgCloseSubmenu);
// A dialog item was clicked (from the menu); the main window closes the menus and posts the
// matching "open" message, which opens the dialog once the menu is gone.
constexpr uint32_t kRequestShortcut = 1035;
constexpr uint32_t kRequestLaunch = 1037;
constexpr uint32_t kRequestRapidFire = 1062;
constexpr uint32_t kRequestMacro = 1065;
constexpr uint32_t kRequestShooting = 1069;
constexpr uint32_t kOpenShortcut = 1034;
constexpr uint32_t kOpenLaunch = 1038;
constexpr uint32_t kOpenRapidFire = 1061;
constexpr uint32_t kOpenMacro = 1064;
constexpr uint32_t kOpenShooting = 1068;
// Results of the editors and select dialogs.
constexpr uint32_t kShortcutResult = 1036;
constexpr uint32_t kLaunchResult = 1039;
constexpr uint32_t kRapidFireResult = 1063;
constexpr uint32_t kMacroResult = 1066;
constexpr uint32_t kShootingResult = 1070;
}  // namespace msg

// The "open" message posted for a dialog item's request message; 0 for any other number.
uint32_t OpenMessageFor(uint32_t requestMessage);

enum class Submenu { Dpi, Multimedia, Office, WindowsManage, DpiLock };

struct SubmenuInfo {
  Submenu which;
  int parentItem;        // function-menu item that opens it
  uint32_t openMessage;  // the pointer entered the parent item
  uint32_t chosenMessage;
  uint32_t closedMessage;  // close notice of its popup kind
  int kind;                // popup kind
  std::span<const keys::SubmenuItem> items;
};

const SubmenuInfo& InfoOf(Submenu which);
const SubmenuInfo* SubmenuByOpenMessage(uint32_t message);
const SubmenuInfo* SubmenuByChosenMessage(uint32_t message);
const SubmenuInfo* SubmenuByClosedMessage(uint32_t message);

// One row of a menu popup: its text, the value reported when chosen (item id or number,
// from 1) and whether it only opens a submenu.
struct MenuRow {
  std::u16string text;
  int value = 0;
  bool submenu = false;
};

std::vector<MenuRow> FunctionMenuRows();
std::vector<MenuRow> SubmenuRows(Submenu which);

// The function-menu item with this id, or nothing.
const keys::FunctionMenuItem* FunctionMenuItemById(int itemId);
// What choosing item `itemId` of the function menu stores; nothing for submenu and dialog
// items and for ids that are no item.
std::optional<ButtonChoice> FunctionMenuChoice(int itemId);
// What choosing item `item` (1-based) of a submenu stores; nothing outside the menu.
std::optional<ButtonChoice> SubmenuChoice(Submenu which, int item);

// A name for a code whose stored name is missing (a damaged or hand-edited profile): the
// menu item that stores it, the DPI lock, the key combination spelled out, or the hex code.
std::u16string DescribeFunction(const ButtonFunctionCode& code);

// The caption of a button field: the stored name; without one, a launch is named by its
// program's file name, a macro by its prefix and the macro's name, anything else as
// DescribeFunction says.
std::u16string FieldCaption(std::u16string_view storedName, const ButtonFunctionCode& code,
                            std::u16string_view url, std::u16string_view macroName);

}  // namespace buttons
