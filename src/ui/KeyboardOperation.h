#pragma once
// The keys that work a focused control which did not take them itself, and the focus mark.
// Keys act through the control's own mouse handlers (a press and a release at the right
// spot), so a key does exactly what the matching click does and notifies the same way.

#include <cstdint>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Types.h"

class CControlBase;
class CDlgBase;

namespace ui {

// Space and Enter click push buttons, check buttons, tabs and combo fields (a combo opens
// its menu; so does Down). Arrows step sliders and dials by one, Page Up and Page Down by
// ten, Home and End go to the ends; in a radio group the arrows move to the next member and
// select it. True when the key was used.
bool OperateByKey(CDlgBase& window, CControlBase& control, uint32_t vk, uint32_t modifiers);

// Members of `control`'s radio group among `order` (itself included), in that order; empty
// for a control outside every group.
std::vector<CControlBase*> RadioGroupOf(const CControlBase& control,
                                        const std::vector<CControlBase*>& order);

// Orders controls as a page is read: top to bottom in rows (tops within a few pixels form a
// row), left to right within a row.
void SortInReadingOrder(std::vector<CControlBase*>& controls);

// The area the focus mark of a control covers (a little outside its rectangle), and the mark.
platform::Rect FocusMarkRect(const CControlBase& control);
void DrawFocusMark(platform::Canvas& canvas, const CControlBase& control);

}  // namespace ui
