#pragma once
// How a control looks to a screen reader: its role, name, value, state, place and default
// action, worked out from the control and the controls around it. A control whose caption
// is empty is named by its m_strAccName, else by the label beside it (a check box by the
// label to its right, other controls by the one to their left); a slider's value is the
// label to its right when it has one.

#include <string>
#include <vector>

#include "platform/Accessibility.h"

class CControlBase;

namespace ui {

// Names of the close cross and the minimise button of every window (known by their images).
constexpr int kCloseNameText = 447;
constexpr int kMinimiseNameText = 448;
// Texts of the default actions.
constexpr int kActionPressText = 451;
constexpr int kActionCheckText = 452;
constexpr int kActionUncheckText = 453;
constexpr int kActionSelectText = 454;
constexpr int kActionSwitchText = 455;
constexpr int kActionOpenText = 456;

// `all` holds every control of the window (the labels are looked for among them).
platform::AccessibleItem DescribeControl(const CControlBase& control,
                                         const std::vector<const CControlBase*>& all);

// The label beside a control: a drawable static text with a text, on the control's row,
// starting at most a little way after its right edge (`right`) or ending a little way before
// its left edge. nullptr when there is none.
const CControlBase* LabelBeside(const CControlBase& control,
                                const std::vector<const CControlBase*>& all, bool right);

// The label right above a control: a drawable static text with a text that ends at most a
// little way above its top and overlaps it horizontally. nullptr when there is none.
const CControlBase* LabelAbove(const CControlBase& control,
                               const std::vector<const CControlBase*>& all);

}  // namespace ui
