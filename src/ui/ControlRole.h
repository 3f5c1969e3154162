#pragma once
// What kind of thing a control is for the user, whatever class draws it: a check button used
// as a page tab is a page tab. The keyboard (which controls take focus, what the keys do)
// and screen readers (the role they announce) both go by it.

#include <cstdint>

#include "platform/Accessibility.h"

class CControlBase;

namespace ui {

using Role = platform::AccessibleRole;

// The control's m_enRole when set, else its class's role.
Role RoleOf(const CControlBase& control);
// Roles that take keyboard focus and are worked with keys.
bool IsOperable(Role role);

}  // namespace ui
