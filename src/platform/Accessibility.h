#pragma once
// What a window tells screen readers: its controls as a flat list of items, each with a
// role, a name, a value, a state, a place and a default action. The Windows adapter serves
// it through the system's accessibility interface; tests read it directly.

#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace platform {

enum class AccessibleRole : uint8_t {
  Auto,  // as the control's class says (only where a role can be left to the class)
  None,  // not shown to the user
  PushButton,
  CheckButton,
  RadioButton,
  Slider,
  ComboBox,
  PageTab,
  List,
  ListItem,
  StaticText,
  Graphic,
  ProgressBar,
  Text,  // an edit field
  ScrollBar,
  MenuItem,
};

// State bits of an item.
namespace accstate {
constexpr uint32_t kChecked = 0x1;
constexpr uint32_t kUnavailable = 0x2;
constexpr uint32_t kFocused = 0x4;
constexpr uint32_t kFocusable = 0x8;
constexpr uint32_t kInvisible = 0x10;
constexpr uint32_t kSelected = 0x20;    // the chosen row of a list or menu
constexpr uint32_t kHotTracked = 0x40;  // under the pointer or highlighted
}  // namespace accstate

struct AccessibleItem {
  AccessibleRole role = AccessibleRole::None;
  std::u16string name;
  std::u16string value;
  std::u16string defaultAction;  // empty: none
  uint32_t state = 0;
  Rect rect;  // client coordinates
};

// Changes a window reports, so that a screen reader follows them.
enum class AccessibleEvent : uint8_t { Focus, StateChange, ValueChange, NameChange };

// Implemented by windows that describe their controls. Items are numbered 0..count-1 and
// keep their numbers while the window lives (hidden ones are marked invisible).
class AccessibleTree {
 public:
  virtual ~AccessibleTree() = default;
  virtual int AccessibleCount() = 0;
  // False for an index out of range.
  virtual bool AccessibleItemAt(int index, AccessibleItem& item) = 0;
  // The window's own name and role (a dialog, or a popup menu).
  virtual std::u16string AccessibleName() = 0;
  virtual bool IsMenu() { return false; }
  // The focused item; -1 for none.
  virtual int AccessibleFocus() = 0;
  // Does what the item's default action says, as a click would; false when it has none.
  // The adapter calls it after the reader's call has returned (the action may open a modal
  // dialog), never from inside it.
  virtual bool DoDefaultAction(int index) = 0;
};

}  // namespace platform
