#include "views/buttons/AssignmentMenus.h"

#include <array>

#include "base/Language.h"
#include "keys/KeyTables.h"
#include "views/buttons/ButtonTexts.h"
#include "views/buttons/LaunchTarget.h"
#include "views/buttons/ShortcutCapture.h"

namespace buttons {
namespace {

using BFC = ButtonFunctionCode;
using keys::MenuItemKind;

const std::array<SubmenuInfo, 5> kSubmenus = {{
    {Submenu::Dpi, 6, 1040, keys::kMsgDpiChosen, 1042, 2, keys::kDpiMenu},
    {Submenu::Multimedia, 12, 1043, keys::kMsgMultimediaChosen, 1045, 3, keys::kMultimediaMenu},
    {Submenu::Office, 13, 1160, keys::kMsgOfficeChosen, 1162, 12, keys::kOfficeMenu},
    {Submenu::WindowsManage, 14, 1157, keys::kMsgWindowsManageChosen, 1159, 11,
     keys::kWindowsManageMenu},
    {Submenu::DpiLock, 16, 1154, keys::kMsgDpiLockChosen, 1156, 10, keys::kDpiLockMenu},
}};

struct RequestToOpen {
  uint32_t request;
  uint32_t open;
};
constexpr std::array<RequestToOpen, 5> kDialogMessages = {{
    {msg::kRequestShortcut, msg::kOpenShortcut},
    {msg::kRequestLaunch, msg::kOpenLaunch},
    {msg::kRequestRapidFire, msg::kOpenRapidFire},
    {msg::kRequestMacro, msg::kOpenMacro},
    {msg::kRequestShooting, msg::kOpenShooting},
}};

template <typename Field>
const SubmenuInfo* FindSubmenu(Field field, uint32_t message) {
  for (const SubmenuInfo& info : kSubmenus) {
    if (info.*field == message) return &info;
  }
  return nullptr;
}

// The key code whose usage is `usage`, for spelling out a stored key combination.
std::u16string_view KeyNameOfUsage(uint8_t usage) {
  if (usage == 0) return {};
  for (int code = 0; code < 256; ++code) {
    if (keys::KeyUsage(static_cast<uint8_t>(code)) == usage) {
      return keys::KeyName(static_cast<uint8_t>(code));
    }
  }
  return {};
}

}  // namespace

uint32_t OpenMessageFor(uint32_t requestMessage) {
  for (const RequestToOpen& pair : kDialogMessages) {
    if (pair.request == requestMessage) return pair.open;
  }
  return 0;
}

const SubmenuInfo& InfoOf(Submenu which) {
  return kSubmenus[static_cast<size_t>(which)];
}

const SubmenuInfo* SubmenuByOpenMessage(uint32_t message) {
  return FindSubmenu(&SubmenuInfo::openMessage, message);
}

const SubmenuInfo* SubmenuByChosenMessage(uint32_t message) {
  return FindSubmenu(&SubmenuInfo::chosenMessage, message);
}

const SubmenuInfo* SubmenuByClosedMessage(uint32_t message) {
  return FindSubmenu(&SubmenuInfo::closedMessage, message);
}

std::vector<MenuRow> FunctionMenuRows() {
  std::vector<MenuRow> rows;
  for (const keys::FunctionMenuItem& item : keys::kFunctionMenu) {
    rows.push_back({LangText(item.textId), item.id, item.kind == MenuItemKind::Submenu});
  }
  return rows;
}

std::vector<MenuRow> SubmenuRows(Submenu which) {
  std::vector<MenuRow> rows;
  int value = 1;
  for (const keys::SubmenuItem& item : InfoOf(which).items) {
    // DPI-lock rows show their DPI; the stored name adds the lock's text.
    rows.push_back(
        {item.textId == 0 ? std::u16string(item.label) : LangText(item.textId), value++, false});
  }
  return rows;
}

const keys::FunctionMenuItem* FunctionMenuItemById(int itemId) {
  if (itemId < 1 || itemId > static_cast<int>(keys::kFunctionMenu.size())) return nullptr;
  return &keys::kFunctionMenu[static_cast<size_t>(itemId - 1)];
}

std::optional<ButtonChoice> FunctionMenuChoice(int itemId) {
  const keys::FunctionMenuItem* item = FunctionMenuItemById(itemId);
  if (item == nullptr || item->kind != MenuItemKind::Function) return std::nullopt;
  return ButtonChoice{LangText(item->textId), item->code, {}};
}

std::optional<ButtonChoice> SubmenuChoice(Submenu which, int item) {
  const auto items = InfoOf(which).items;
  if (item < 1 || item > static_cast<int>(items.size())) return std::nullopt;
  const keys::SubmenuItem& chosen = items[static_cast<size_t>(item - 1)];
  return ButtonChoice{keys::SubmenuItemName(chosen), chosen.code, {}};
}

std::u16string DescribeFunction(const ButtonFunctionCode& code) {
  for (const keys::FunctionMenuItem& item : keys::kFunctionMenu) {
    if (item.kind == MenuItemKind::Function && item.code == code) return LangText(item.textId);
  }
  for (const SubmenuInfo& info : kSubmenus) {
    for (const keys::SubmenuItem& item : info.items) {
      if (item.code == code) return keys::SubmenuItemName(item);
    }
  }
  switch (code.Type()) {
    case BFC::DpiLock:
      if (code.bytes[1] >= BFC::kDpiLockMin && code.bytes[1] <= BFC::kDpiLockMax) {
        return keys::DpiLockName(code.bytes[1]);
      }
      break;
    case BFC::RapidFire:
      return LangText(text::kRapidFire);
    case BFC::KeyCombination: {
      std::u16string name = ShortcutName(code.bytes[1], KeyNameOfUsage(code.bytes[2]));
      if (!name.empty()) return name;
      break;
    }
    case BFC::MacroFunction:
      return LangText(text::kMacroPrefix);
    case BFC::ShootingFunction:
      return LangText(text::kShootingPrefix);
    default:
      break;
  }
  return code.ToHex();
}

std::u16string FieldCaption(std::u16string_view storedName, const ButtonFunctionCode& code,
                            std::u16string_view url, std::u16string_view macroName) {
  if (!storedName.empty()) return std::u16string(storedName);
  if (code.Type() == BFC::HostFunction && code.bytes[1] == BFC::kHostLaunch && !url.empty()) {
    return FileNameOfPath(url);
  }
  if (code.IsMacro()) return DescribeFunction(code) + std::u16string(macroName);
  return DescribeFunction(code);
}

}  // namespace buttons
