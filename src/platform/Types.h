#pragma once
// Plain value types shared by every platform interface. Widths and numeric values follow
// Win32 so that the Windows adapter passes them through unchanged.

#include <cstdint>

namespace platform {

using WindowId = uintptr_t;  // 0 means "no window"
using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;

// 0x00BBGGRR, red in the low byte, as everywhere in the program.
using Colour = uint32_t;
constexpr Colour Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}
constexpr uint8_t RedOf(Colour c) {
  return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t GreenOf(Colour c) {
  return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(Colour c) {
  return static_cast<uint8_t>((c >> 16) & 0xFF);
}

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Right and bottom are exclusive, as in Win32 RECT.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  Rect Intersect(const Rect& o) const;
  Rect Union(const Rect& o) const;
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline Rect Rect::Intersect(const Rect& o) const {
  Rect r{left > o.left ? left : o.left, top > o.top ? top : o.top,
         right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom};
  if (r.IsEmpty()) return {};
  return r;
}

inline Rect Rect::Union(const Rect& o) const {
  if (IsEmpty()) return o;
  if (o.IsEmpty()) return *this;
  return {left < o.left ? left : o.left, top < o.top ? top : o.top,
          right > o.right ? right : o.right, bottom > o.bottom ? bottom : o.bottom};
}

// Window messages with their Win32 numbers. The program's own messages (control ids from
// 1025 up, 2999, ...) never collide with these.
namespace msg {
constexpr uint32_t kCreate = 0x0001;
constexpr uint32_t kDestroy = 0x0002;
constexpr uint32_t kMove = 0x0003;
constexpr uint32_t kSize = 0x0005;
constexpr uint32_t kActivate = 0x0006;
constexpr uint32_t kSetFocus = 0x0007;
constexpr uint32_t kKillFocus = 0x0008;
constexpr uint32_t kPaint = 0x000F;
constexpr uint32_t kClose = 0x0010;
constexpr uint32_t kEraseBkgnd = 0x0014;
constexpr uint32_t kShowWindow = 0x0018;
constexpr uint32_t kActivateApp = 0x001C;
// Answer kMaNoActivate to keep a window inactive when it is clicked.
constexpr uint32_t kMouseActivate = 0x0021;
constexpr uint32_t kQueryDragIcon = 0x0037;
// Non-client messages. An unhandled kNcLButtonDown with wParam kHtCaption (posted by a window
// to itself, lParam = screen point) gets the system's default processing: the window follows
// the pointer until the left button is released.
constexpr uint32_t kNcCalcSize = 0x0083;
constexpr uint32_t kNcHitTest = 0x0084;
constexpr uint32_t kNcActivate = 0x0086;  // wParam 0: the window is being deactivated
constexpr uint32_t kNcLButtonDown = 0x00A1;
constexpr uint32_t kKeyDown = 0x0100;
constexpr uint32_t kKeyUp = 0x0101;
constexpr uint32_t kChar = 0x0102;
constexpr uint32_t kSysKeyDown = 0x0104;
constexpr uint32_t kCommand = 0x0111;
constexpr uint32_t kTimer = 0x0113;
constexpr uint32_t kMouseMove = 0x0200;
constexpr uint32_t kLButtonDown = 0x0201;
constexpr uint32_t kLButtonUp = 0x0202;
constexpr uint32_t kLButtonDblClk = 0x0203;
constexpr uint32_t kRButtonDown = 0x0204;
constexpr uint32_t kRButtonUp = 0x0205;
constexpr uint32_t kRButtonDblClk = 0x0206;
constexpr uint32_t kMouseWheel = 0x020A;
constexpr uint32_t kCaptureChanged = 0x0215;
constexpr uint32_t kDeviceChange = 0x0219;
constexpr uint32_t kMouseHover = 0x02A1;
constexpr uint32_t kMouseLeave = 0x02A3;
// The window's DPI changed (it moved to another monitor, or the scale was changed): wParam
// holds the new DPI in both halves, lParam points to a platform::Rect, the window rectangle
// the system suggests at the new DPI (valid during the call only).
constexpr uint32_t kDpiChanged = 0x02E0;
constexpr uint32_t kUser = 0x0400;
}  // namespace msg

// Dots per inch at 100 % scaling.
constexpr int kDefaultDpi = 96;

// Mouse message parameters as Win32 packs them.
constexpr LParam MakePointParam(int x, int y) {
  return static_cast<LParam>((static_cast<uint32_t>(static_cast<uint16_t>(x))) |
                             (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16));
}
constexpr Point PointFromParam(LParam l) {
  return {static_cast<int16_t>(l & 0xFFFF), static_cast<int16_t>((l >> 16) & 0xFFFF)};
}
constexpr WParam kMkLButton = 0x0001;
constexpr WParam kMkRButton = 0x0002;

// WM_MOUSEACTIVATE answers.
constexpr LResult kMaActivate = 1;
constexpr LResult kMaNoActivate = 3;

// WM_NCHITTEST answers.
constexpr LResult kHtClient = 1;
constexpr LResult kHtCaption = 2;

// Virtual-key codes used by the window layer itself.
constexpr uint32_t kVkReturn = 0x0D;
constexpr uint32_t kVkEscape = 0x1B;

}  // namespace platform
