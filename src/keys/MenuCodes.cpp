#include "keys/MenuCodes.h"

#include "base/Format.h"
#include "base/Language.h"

namespace keys {
namespace {

using BFC = ButtonFunctionCode;
constexpr auto F = MenuItemKind::Function;
constexpr auto S = MenuItemKind::Submenu;
constexpr auto D = MenuItemKind::Dialog;
constexpr BFC kNone{};
constexpr int kDpiLockText = 36;

}  // namespace

const std::array<FunctionMenuItem, 18> kFunctionMenu = {{
    {1, 20, F, BFC::Make(BFC::MouseButton, BFC::kLeft), 0},
    {2, 21, F, BFC::Make(BFC::MouseButton, BFC::kRight), 0},
    {3, 22, F, BFC::Make(BFC::MouseButton, BFC::kMiddle), 0},
    {4, 23, F, BFC::Make(BFC::MouseButton, BFC::kForward), 0},
    {5, 24, F, BFC::Make(BFC::MouseButton, BFC::kBack), 0},
    {6, 25, S, kNone, 1040},  // DPI functions
    {7, 26, D, kNone, 1062},  // rapid-fire editor
    {8, 27, F, BFC::Make(BFC::RapidFire, 0x32, 0x03), 0},
    {9, 28, D, kNone, 1065},    // macro selection
    {10, 211, D, kNone, 1069},  // shooting-action selection
    {11, 29, D, kNone, 1035},   // shortcut editor
    {12, 30, S, kNone, 1043},   // multimedia
    {13, 31, S, kNone, 1160},   // office shortcuts
    {14, 32, S, kNone, 1157},   // window management
    {15, 33, F, BFC::Make(BFC::HostFunction, BFC::kHostMenuItem), 0},
    {16, 36, S, kNone, 1154},  // DPI lock
    {17, 39, D, kNone, 1037},  // launch editor
    {18, 34, F, BFC::Make(BFC::Disabled), 0},
}};

const std::array<SubmenuItem, 3> kDpiMenu = {{
    {40, {}, BFC::Make(BFC::DpiFunction, 2)},
    {41, {}, BFC::Make(BFC::DpiFunction, 3)},
    {42, {}, BFC::Make(BFC::DpiFunction, 1)},
}};

namespace {

// "200".."1200": each entry is labelled with the DPI its code locks at.
struct Label {
  std::array<char16_t, 5> digits{};
  size_t length = 0;
};

constexpr auto kDpiLockLabels = [] {
  std::array<Label, kDpiLockEntries> labels{};
  for (int i = 0; i < kDpiLockEntries; ++i) {
    const int value = BFC::DpiLockValue(static_cast<uint8_t>(BFC::kDpiLockMin + i));
    Label& label = labels[i];
    for (int rest = value; rest != 0; rest /= 10) ++label.length;
    int rest = value;
    for (size_t d = label.length; d-- > 0; rest /= 10) {
      label.digits[d] = static_cast<char16_t>(u'0' + rest % 10);
    }
  }
  return labels;
}();

}  // namespace

constinit const std::array<SubmenuItem, kDpiLockEntries> kDpiLockMenu = [] {
  std::array<SubmenuItem, kDpiLockEntries> items{};
  for (int i = 0; i < kDpiLockEntries; ++i) {
    items[i] = {0,
                {kDpiLockLabels[i].digits.data(), kDpiLockLabels[i].length},
                BFC::Make(BFC::DpiLock, static_cast<uint8_t>(BFC::kDpiLockMin + i))};
  }
  return items;
}();

const std::array<SubmenuItem, 10> kMultimediaMenu = {{
    {45, {}, BFC::Make(BFC::ConsumerControl, 0x83, 0x01)},
    {46, {}, BFC::Make(BFC::ConsumerControl, 0xB6, 0x00)},
    {47, {}, BFC::Make(BFC::ConsumerControl, 0xB5, 0x00)},
    {48, {}, BFC::Make(BFC::ConsumerControl, 0xB7, 0x00)},
    {49, {}, BFC::Make(BFC::ConsumerControl, 0xCD, 0x00)},
    {50, {}, BFC::Make(BFC::ConsumerControl, 0xE2, 0x00)},
    {51, {}, BFC::Make(BFC::ConsumerControl, 0xE9, 0x00)},
    {52, {}, BFC::Make(BFC::ConsumerControl, 0xEA, 0x00)},
    {53, {}, BFC::Make(BFC::ConsumerControl, 0x8A, 0x01)},
    {54, {}, BFC::Make(BFC::ConsumerControl, 0x92, 0x01)},
}};

const std::array<SubmenuItem, 9> kOfficeMenu = {{
    {60, {}, BFC::Make(BFC::KeyCombination, BFC::kCtrl, 0x06)},  // Ctrl+C
    {61, {}, BFC::Make(BFC::KeyCombination, BFC::kCtrl, 0x19)},  // Ctrl+V
    {62, {}, BFC::Make(BFC::KeyCombination, BFC::kCtrl, 0x1B)},  // Ctrl+X
    {63, {}, BFC::Make(BFC::KeyCombination, BFC::kCtrl, 0x04)},  // Ctrl+A
    {64, {}, BFC::Make(BFC::KeyCombination, BFC::kCtrl, 0x11)},  // Ctrl+N
    {65, {}, BFC::Make(BFC::KeyCombination, BFC::kCtrl, 0x16)},  // Ctrl+S
    {66, {}, BFC::Make(BFC::KeyCombination, BFC::kCtrl, 0x13)},  // Ctrl+P
    {67, {}, BFC::Make(BFC::KeyCombination, BFC::kWin, 0x08)},   // Win+E
    {68, {}, BFC::Make(BFC::KeyCombination, BFC::kCtrl, 0x1D)},  // Ctrl+Z
}};

const std::array<SubmenuItem, 6> kWindowsManageMenu = {{
    {75, {}, BFC::Make(BFC::ConsumerControl, 0x94, 0x01)},
    {76, {}, BFC::Make(BFC::KeyCombination, BFC::kAlt, 0x3D)},  // Alt+F4
    {77, {}, BFC::Make(BFC::KeyCombination, BFC::kWin, 0x07)},  // Win+D
    {78, {}, BFC::Make(BFC::KeyCombination, BFC::kWin, 0x15)},  // Win+R
    {79, {}, BFC::Make(BFC::KeyCombination, BFC::kWin, 0x51)},  // Win+Down
    {80, {}, BFC::Make(BFC::KeyCombination, BFC::kWin, 0x52)},  // Win+Up
}};

std::u16string SubmenuItemName(const SubmenuItem& item) {
  if (item.code.Type() == BFC::DpiLock) return DpiLockName(item.code.bytes[1]);
  return LangText(item.textId);
}

std::u16string DpiLockName(uint8_t n) {
  return LangText(kDpiLockText) + base::Format(u"-%d", BFC::DpiLockValue(n));
}

std::u16string MacroFunctionName(std::u16string_view macroName) {
  return LangText(190) + std::u16string(macroName);
}

std::u16string ShootingFunctionName(std::u16string_view entryName) {
  return LangText(189) + std::u16string(entryName);
}

const std::u16string& DisabledName() {
  return LangText(34);
}

}  // namespace keys
