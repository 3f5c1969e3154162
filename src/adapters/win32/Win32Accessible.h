#pragma once
// The system's accessibility interface (IAccessible) for a window that describes its
// controls (platform::AccessibleTree). The controls are the window's children, numbered as
// child ids 1..n of the window's own object (never separate objects: a reader in another
// process could not query those under Wine). Every call looks the window up again, so an
// object a reader keeps after the window is gone answers that it is disconnected.

#include <functional>

#include "adapters/win32/WindowsInclude.h"

#include <objbase.h>
#include "platform/Accessibility.h"

namespace platform::win32 {

// Finds the tree of a live window; nullptr once it is gone.
using AccessibleLookup = std::function<AccessibleTree*()>;

// Posted to the window by a reader's "do the default action" (wParam = the item): the action
// runs once the reader's call has returned, so that a dialog it opens does not hold the
// reader. The window procedure hands it to AccessibleTree::DoDefaultAction.
constexpr UINT kDeferredAccessibleAction = WM_APP + 0x53;

// A new object with one reference, for the window `hwnd`.
IUnknown* CreateWindowAccessible(HWND hwnd, AccessibleLookup lookup);
// The answer to WM_GETOBJECT (OBJID_CLIENT) with this object.
LRESULT AnswerGetObject(IUnknown* accessible, WPARAM wParam);
// NotifyWinEvent for an item (-1: the window).
void RaiseAccessibleEvent(HWND hwnd, AccessibleEvent event, int index);

}  // namespace platform::win32
