#pragma once
// The three bytes the mouse firmware reads for one button: byte 0 is the function type,
// bytes 1 and 2 its parameters. Saved in profiles as six upper-case hex digits, byte 0 first.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct ButtonFunctionCode {
  // Function types (byte 0).
  static constexpr uint8_t Disabled = 0x00;
  static constexpr uint8_t MouseButton = 0x10;       // byte 1: button mask
  static constexpr uint8_t RapidFire = 0x30;         // bytes 1, 2: the two rapid-fire values
  static constexpr uint8_t DpiFunction = 0x40;       // byte 1: 1..3
  static constexpr uint8_t DpiLock = 0x50;           // byte 1: n, lock at 100 + 100 * n DPI
  static constexpr uint8_t HostFunction = 0x60;      // byte 1: 4 or 5 (launch)
  static constexpr uint8_t KeyCombination = 0x70;    // byte 1: modifiers, byte 2: usage
  static constexpr uint8_t ConsumerControl = 0x80;   // bytes 1, 2: usage, low byte first
  static constexpr uint8_t MacroFunction = 0x90;     // byte 1: loop type << 4 | macro number
  static constexpr uint8_t ShootingFunction = 0x91;  // as MacroFunction

  // MouseButton masks (byte 1).
  static constexpr uint8_t kLeft = 0x01;
  static constexpr uint8_t kRight = 0x02;
  static constexpr uint8_t kMiddle = 0x04;
  static constexpr uint8_t kBack = 0x08;     // button 4
  static constexpr uint8_t kForward = 0x10;  // button 5

  // KeyCombination modifier bits (byte 1).
  static constexpr uint8_t kCtrl = 0x01;
  static constexpr uint8_t kShift = 0x02;
  static constexpr uint8_t kAlt = 0x04;
  static constexpr uint8_t kWin = 0x08;

  // HostFunction parameters (byte 1).
  static constexpr uint8_t kHostMenuItem = 4;
  static constexpr uint8_t kHostLaunch = 5;

  // DpiLock parameter range and the DPI it stands for.
  static constexpr uint8_t kDpiLockMin = 1;
  static constexpr uint8_t kDpiLockMax = 11;
  static constexpr int DpiLockValue(uint8_t n) { return 100 + 100 * n; }

  std::array<uint8_t, 3> bytes{};

  constexpr uint8_t Type() const { return bytes[0]; }
  constexpr bool IsMacro() const {
    return bytes[0] == MacroFunction || bytes[0] == ShootingFunction;
  }
  // The left button alone: what keeps the mouse usable. Mask 0x03 does not count.
  constexpr bool IsLeftButton() const { return bytes[0] == MouseButton && bytes[1] == kLeft; }

  static constexpr ButtonFunctionCode Make(uint8_t type, uint8_t p1 = 0, uint8_t p2 = 0) {
    return ButtonFunctionCode{{type, p1, p2}};
  }
  static constexpr ButtonFunctionCode LeftButton() { return Make(MouseButton, kLeft); }

  // Six upper-case hex digits, byte 0 first: the left button is "100100".
  std::u16string ToHex() const;
  // Exactly six hex digits (either case); nothing for any other text.
  static std::optional<ButtonFunctionCode> FromHex(std::u16string_view text);

  friend constexpr bool operator==(const ButtonFunctionCode&, const ButtonFunctionCode&) = default;
};
