#pragma once
// Keyboard and wheel values with their Win32 numbers, so that the Windows adapter passes key
// messages through unchanged. Enter and Escape are in Types.h.

#include <cstdint>

#include "platform/Types.h"

namespace platform {

constexpr uint32_t kVkBack = 0x08;
constexpr uint32_t kVkTab = 0x09;
constexpr uint32_t kVkShift = 0x10;
constexpr uint32_t kVkControl = 0x11;
constexpr uint32_t kVkMenu = 0x12;  // Alt
constexpr uint32_t kVkSpace = 0x20;
constexpr uint32_t kVkPageUp = 0x21;    // VK_PRIOR
constexpr uint32_t kVkPageDown = 0x22;  // VK_NEXT
constexpr uint32_t kVkEnd = 0x23;
constexpr uint32_t kVkHome = 0x24;
constexpr uint32_t kVkLeft = 0x25;
constexpr uint32_t kVkUp = 0x26;
constexpr uint32_t kVkRight = 0x27;
constexpr uint32_t kVkDown = 0x28;
constexpr uint32_t kVkInsert = 0x2D;
constexpr uint32_t kVkDelete = 0x2E;
// Letters and digits are their upper-case ASCII codes ('A' = 0x41, '0' = 0x30).

// Modifier keys held while a key message is handled (WindowSystem::KeyModifiers and the
// `flags` of CControlBase::OnKeyDown).
namespace mod {
constexpr uint32_t kShift = 0x1;
constexpr uint32_t kControl = 0x2;
constexpr uint32_t kAlt = 0x4;
}  // namespace mod

// Mouse message wParam bits for the modifier keys (beside kMkLButton and kMkRButton).
constexpr WParam kMkShift = 0x0004;
constexpr WParam kMkControl = 0x0008;

// WM_MOUSEWHEEL: wParam's high word is the signed rotation in kWheelDelta steps, positive
// away from the user; lParam is the pointer's screen position.
constexpr int kWheelDelta = 120;
constexpr WParam MakeWheelParam(int delta, WParam keyFlags = 0) {
  return (static_cast<WParam>(static_cast<uint16_t>(static_cast<int16_t>(delta))) << 16) |
         (keyFlags & 0xFFFF);
}
constexpr int WheelDeltaFromParam(WParam w) {
  return static_cast<int16_t>(static_cast<uint16_t>((w >> 16) & 0xFFFF));
}

}  // namespace platform
