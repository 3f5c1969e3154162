#include "ui/AccessibleModel.h"

#include <cstdlib>

#include "base/Format.h"
#include "base/Language.h"
#include "ui/Battery.h"
#include "ui/CheckButton.h"
#include "ui/ColorSelectCheckButton.h"
#include "ui/ComboButton.h"
#include "ui/ControlBase.h"
#include "ui/ControlRole.h"
#include "ui/DPIRadioButton.h"
#include "ui/DPIValueShowControl.h"
#include "ui/EditBox.h"
#include "ui/ImageButton.h"
#include "ui/PollingRateButton.h"
#include "ui/PowerManageButton.h"
#include "ui/RadioButton.h"
#include "ui/SharedSelection.h"
#include "ui/SkinImage.h"
#include "ui/SliderControl.h"
#include "ui/StaticProgressBar.h"
#include "ui/TabControl.h"
#include "ui/VerticalSliderControl.h"

namespace ui {

namespace {

using platform::AccessibleItem;
namespace st = platform::accstate;

constexpr int kLabelReach = 170;  // unscaled pixels between a control and its label
constexpr int kRowSlack = 4;
constexpr int kLabelAboveReach = 30;

bool IsOn(const CControlBase& control) {
  const CControlBase* c = &control;
  if (const auto* check = dynamic_cast<const CCheckButton*>(c)) return check->GetCheck();
  if (const auto* colour = dynamic_cast<const CColorSelectCheckButton*>(c)) {
    return colour->GetCheck();
  }
  if (const auto* radio = dynamic_cast<const CRadioButton*>(c)) return radio->IsSelected();
  if (const auto* level = dynamic_cast<const CDPIRadioButton*>(c)) return level->IsSelected();
  if (const auto* tab = dynamic_cast<const CTabControl*>(c)) return tab->IsCurrent();
  return false;
}

std::u16string Number(int value) {
  return base::Format(u"%d", value);
}

// The value a control shows; empty when it shows none.
std::u16string ValueOf(const CControlBase& control, const std::vector<const CControlBase*>& all) {
  const CControlBase* c = &control;
  if (const auto* combo = dynamic_cast<const CComboButton*>(c)) return combo->GetTitle();
  if (const auto* edit = dynamic_cast<const CEditBox*>(c)) return edit->GetText();
  if (const auto* power = dynamic_cast<const CPowerManageButton*>(c)) {
    return Number(power->Value());
  }
  if (dynamic_cast<const CPollingRateButton*>(c)) {
    const int index = g_nPollingRateIndex;
    if (index < 0 || index >= CPollingRateButton::kRateCount) return {};
    return base::Format(u"%dHz", CPollingRateButton::kRates[index]);
  }
  if (const auto* dpi = dynamic_cast<const CDPIValueShowControl*>(c)) {
    std::u16string value = dpi->GetTitle();
    if (!dpi->GetYText().empty()) value += u" / " + dpi->GetYText();
    return value;
  }
  if (const auto* battery = dynamic_cast<const CBattery*>(c)) {
    return base::Format(u"%d%%", battery->GetLevel());
  }
  if (const auto* bar = dynamic_cast<const CStaticProgressBar*>(c)) {
    if (bar->GetRange() <= 0) return {};
    return base::Format(u"%d%%", bar->GetPos() * 100 / bar->GetRange());
  }
  if (const auto* slider = dynamic_cast<const CSliderControl*>(c)) {
    // The page writes the value beside the slider in its own words ("75%", "12ms").
    if (const CControlBase* label = LabelBeside(control, all, true)) return label->GetTitle();
    return Number(slider->GetValue() + 1);
  }
  if (const auto* bar = dynamic_cast<const CVerticalSliderControl*>(c)) {
    return Number(bar->GetValue() + 1);
  }
  return {};
}

std::u16string NameOf(const CControlBase& control, platform::AccessibleRole role,
                      const std::vector<const CControlBase*>& all) {
  using platform::AccessibleRole;
  if (!control.m_strAccName.empty()) return control.m_strAccName;
  // A field's caption is its value; its name is the label before it.
  const bool captionIsValue = role == AccessibleRole::ComboBox || role == AccessibleRole::Text ||
                              dynamic_cast<const CDPIValueShowControl*>(&control) != nullptr;
  if (!captionIsValue && !control.GetTitle().empty()) return control.GetTitle();
  // The window's own buttons are known by their images; a title beside them is not their name.
  if (const auto* button = dynamic_cast<const CImageButton*>(&control)) {
    const std::u16string& image = button->ImageNormalPath();
    auto endsWith = [&](std::u16string_view tail) {
      return image.size() >= tail.size() &&
             image.compare(image.size() - tail.size(), tail.size(), tail) == 0;
    };
    if (endsWith(u"\\exit_nr.png")) return LangText(kCloseNameText);
    if (endsWith(u"\\min_nr.png")) return LangText(kMinimiseNameText);
  }
  const bool labelRight =
      role == AccessibleRole::CheckButton || role == AccessibleRole::RadioButton;
  const CControlBase* label = LabelBeside(control, all, labelRight);
  if (!label && role != AccessibleRole::Slider) label = LabelBeside(control, all, !labelRight);
  // A field under its heading (a dialog's one field under the dialog's title).
  if (!label && (role == AccessibleRole::Text || role == AccessibleRole::ComboBox)) {
    label = LabelAbove(control, all);
  }
  if (label) return label->GetTitle();
  return {};
}

std::u16string ActionOf(const CControlBase& control, platform::AccessibleRole role, bool on) {
  using platform::AccessibleRole;
  if (control.m_bDisable || !control.IsDrawable()) return {};
  switch (role) {
    case AccessibleRole::PushButton:
      return LangText(kActionPressText);
    case AccessibleRole::CheckButton:
      return LangText(on ? kActionUncheckText : kActionCheckText);
    case AccessibleRole::RadioButton:
      return LangText(kActionSelectText);
    case AccessibleRole::PageTab:
      return LangText(kActionSwitchText);
    case AccessibleRole::ComboBox:
      return LangText(kActionOpenText);
    default:
      return {};
  }
}

// A shown text other than the control itself, which may be the label that names it.
bool CanName(const CControlBase& other, const CControlBase& control) {
  return &other != &control && other.IsDrawable() && !other.GetTitle().empty() &&
         RoleOf(other) == platform::AccessibleRole::StaticText;
}

}  // namespace

const CControlBase* LabelBeside(const CControlBase& control,
                                const std::vector<const CControlBase*>& all, bool right) {
  const platform::Rect& rc = control.m_rc;
  const int reach = Scaled(kLabelReach);
  const int slack = Scaled(kRowSlack);
  const CControlBase* best = nullptr;
  int bestGap = reach + 1;
  for (const CControlBase* other : all) {
    if (!CanName(*other, control)) continue;
    const platform::Rect& lr = other->m_rc;
    const int centre = (lr.top + lr.bottom) / 2;
    const int ownCentre = (rc.top + rc.bottom) / 2;
    const bool sameRow = (centre >= rc.top - slack && centre <= rc.bottom + slack) ||
                         (ownCentre >= lr.top - slack && ownCentre <= lr.bottom + slack);
    if (!sameRow) continue;
    const int gap = right ? lr.left - rc.right : rc.left - lr.right;
    if (gap < -slack || gap > reach) continue;
    if (std::abs(gap) < bestGap) {
      bestGap = std::abs(gap);
      best = other;
    }
  }
  return best;
}

const CControlBase* LabelAbove(const CControlBase& control,
                               const std::vector<const CControlBase*>& all) {
  const platform::Rect& rc = control.m_rc;
  const int reach = Scaled(kLabelAboveReach);
  const CControlBase* best = nullptr;
  int bestGap = reach + 1;
  for (const CControlBase* other : all) {
    if (!CanName(*other, control)) continue;
    const platform::Rect& lr = other->m_rc;
    const int gap = rc.top - lr.bottom;
    if (gap < 0 || gap > reach || lr.right <= rc.left || lr.left >= rc.right) continue;
    if (gap < bestGap) {
      bestGap = gap;
      best = other;
    }
  }
  return best;
}

AccessibleItem DescribeControl(const CControlBase& control,
                               const std::vector<const CControlBase*>& all) {
  AccessibleItem item;
  item.role = RoleOf(control);
  item.rect = control.m_rc;
  const bool on = IsOn(control);
  const bool operable = IsOperable(item.role);
  if (!control.IsDrawable()) item.state |= st::kInvisible;
  // Labels and pictures are created disabled; only a control that could be worked is
  // unavailable.
  if (operable && control.m_bDisable) item.state |= st::kUnavailable;
  if (operable && control.IsDrawable() && !control.m_bDisable && control.CanFocus()) {
    item.state |= st::kFocusable;
  }
  if (control.HasFocus()) item.state |= st::kFocused;
  if (on) item.state |= st::kChecked;
  item.name = NameOf(control, item.role, all);
  item.value = ValueOf(control, all);
  item.defaultAction = ActionOf(control, item.role, on);
  return item;
}

}  // namespace ui
