#include "ui/KeyboardOperation.h"

#include <algorithm>

#include "platform/Keys.h"
#include "ui/ComboButton.h"
#include "ui/ControlRole.h"
#include "ui/DPIRadioButton.h"
#include "ui/DialButton.h"
#include "ui/DlgBase.h"
#include "ui/PollingRateButton.h"
#include "ui/PowerManageButton.h"
#include "ui/RadioButton.h"
#include "ui/SharedSelection.h"
#include "ui/SkinImage.h"
#include "ui/SliderControl.h"
#include "ui/VerticalSliderControl.h"

namespace ui {

namespace {

constexpr int kPageStep = 10;
constexpr int kRowTolerance = 6;  // unscaled pixels
constexpr int kMarkGap = 2;       // unscaled pixels between the control and its mark
constexpr platform::Colour kMarkColour = 0x00FFFF;  // the skin's "selected" yellow

platform::Point Centre(const platform::Rect& rc) {
  return {rc.left + rc.Width() / 2, rc.top + rc.Height() / 2};
}

// How far a key moves a value: 0 for a key that does not move one. `last` is the largest.
int StepOf(uint32_t vk, int value, int last) {
  switch (vk) {
    case platform::kVkRight:
    case platform::kVkUp:
      return 1;
    case platform::kVkLeft:
    case platform::kVkDown:
      return -1;
    case platform::kVkPageUp:
      return kPageStep;
    case platform::kVkPageDown:
      return -kPageStep;
    case platform::kVkHome:
      return -value;
    case platform::kVkEnd:
      return last - value;
    default:
      return 0;
  }
}

bool IsStepKey(uint32_t vk) {
  return StepOf(vk, 0, 0) != 0 || vk == platform::kVkHome || vk == platform::kVkEnd;
}

// A point of the dial's region, found on a grid over its rectangle; none when the region is
// empty.
bool PointInRegion(const CDialButton& dial, int region, platform::Point& out) {
  const platform::Rect& rc = dial.m_rc;
  for (int y = rc.top; y < rc.bottom; y += 2) {
    for (int x = rc.left; x < rc.right; x += 2) {
      if (dial.RegionAt(x, y) == region) {
        out = {x, y};
        return true;
      }
    }
  }
  return false;
}

int SelectedRegion(const CDialButton& dial) {
  if (const auto* power = dynamic_cast<const CPowerManageButton*>(&dial)) {
    return power->Selection();
  }
  if (dynamic_cast<const CPollingRateButton*>(&dial)) return g_nPollingRateIndex;
  return dial.HoverRegion() == CDialButton::kNoRegion ? 0 : dial.HoverRegion();
}

bool StepDial(CDlgBase& window, CDialButton& dial, uint32_t vk) {
  const int last = dial.RegionCount() - 1;
  if (last < 0) return false;
  const int current = std::clamp(SelectedRegion(dial), 0, last);
  const int target = std::clamp(current + StepOf(vk, current, last), 0, last);
  platform::Point pt;
  if (target == current || !PointInRegion(dial, target, pt)) return true;
  window.ClickControl(dial, pt, CDlgBase::ClickKind::WithMove);
  return true;
}

bool StepSlider(CDlgBase& window, CSliderControl& slider, uint32_t vk) {
  const int last = slider.StopCount() - 1;
  if (last < 0) return false;
  const int current = slider.GetValue();
  const int target = std::clamp(current + StepOf(vk, current, last), 0, last);
  if (target == current) return true;
  window.ClickControl(slider, {slider.StopPosition(target), Centre(slider.m_rc).y});
  return true;
}

bool StepVerticalSlider(CDlgBase& window, CVerticalSliderControl& slider, uint32_t vk) {
  const int last = slider.StopCount() - 1;
  if (last < 0) return false;
  const int current = slider.GetValue();
  const int target = std::clamp(current + StepOf(vk, current, last), 0, last);
  if (target == current) return true;
  // The bar measures from its bottom: the lowest point that gives the value.
  for (int y = slider.m_rc.bottom - 1; y >= slider.m_rc.top; --y) {
    if (slider.ValueAt(y) == target) {
      window.ClickControl(slider, {Centre(slider.m_rc).x, y});
      return true;
    }
  }
  return true;
}

bool StepRadio(CDlgBase& window, CControlBase& control, uint32_t vk) {
  int direction = 0;
  if (vk == platform::kVkRight || vk == platform::kVkDown) direction = 1;
  if (vk == platform::kVkLeft || vk == platform::kVkUp) direction = -1;
  if (direction == 0) return false;
  const std::vector<CControlBase*> group = RadioGroupOf(control, window.FocusOrder());
  if (group.size() < 2) return false;
  const auto n = static_cast<std::ptrdiff_t>(group.size());
  const auto at = std::find(group.begin(), group.end(), &control) - group.begin();
  CControlBase* next = group[static_cast<size_t>((at + n + direction) % n)];
  window.SetFocusControl(next);
  window.ClickControl(*next, Centre(next->m_rc));
  return true;
}

}  // namespace

bool OperateByKey(CDlgBase& window, CControlBase& control, uint32_t vk, uint32_t modifiers) {
  if ((modifiers & (platform::mod::kControl | platform::mod::kAlt)) != 0) return false;
  const bool press = vk == platform::kVkSpace || vk == platform::kVkReturn;
  switch (RoleOf(control)) {
    case Role::PushButton:
    case Role::CheckButton:
    case Role::PageTab:
      if (!press) return false;
      window.ClickControl(control, Centre(control.m_rc));
      return true;
    case Role::ComboBox:
      if (!press && vk != platform::kVkDown) return false;
      window.ClickControl(control, Centre(control.m_rc));
      return true;
    case Role::RadioButton:
      if (press) {
        window.ClickControl(control, Centre(control.m_rc));
        return true;
      }
      return StepRadio(window, control, vk);
    case Role::Slider:
      if (!IsStepKey(vk)) return false;
      if (auto* dial = dynamic_cast<CDialButton*>(&control)) return StepDial(window, *dial, vk);
      if (auto* slider = dynamic_cast<CSliderControl*>(&control)) {
        return StepSlider(window, *slider, vk);
      }
      if (auto* bar = dynamic_cast<CVerticalSliderControl*>(&control)) {
        return StepVerticalSlider(window, *bar, vk);
      }
      return false;
    default:
      return false;
  }
}

std::vector<CControlBase*> RadioGroupOf(const CControlBase& control,
                                        const std::vector<CControlBase*>& order) {
  std::vector<CControlBase*> group;
  if (dynamic_cast<const CDPIRadioButton*>(&control)) {
    for (CControlBase* other : order) {
      if (dynamic_cast<const CDPIRadioButton*>(other)) group.push_back(other);
    }
    return group;
  }
  if (!dynamic_cast<const CRadioButton*>(&control)) return group;
  const uint32_t bits = RadioBitsOf(control.m_uID).group;
  if (bits == 0) return group;
  for (CControlBase* other : order) {
    if (dynamic_cast<const CRadioButton*>(other) && RadioBitsOf(other->m_uID).group == bits) {
      group.push_back(other);
    }
  }
  return group;
}

void SortInReadingOrder(std::vector<CControlBase*>& controls) {
  std::stable_sort(controls.begin(), controls.end(),
                   [](const auto* a, const auto* b) { return a->m_rc.top < b->m_rc.top; });
  const int tolerance = Scaled(kRowTolerance);
  auto row = controls.begin();
  while (row != controls.end()) {
    const int top = (*row)->m_rc.top;
    auto end = std::find_if(row, controls.end(),
                            [&](const auto* c) { return c->m_rc.top - top > tolerance; });
    std::stable_sort(row, end,
                     [](const auto* a, const auto* b) { return a->m_rc.left < b->m_rc.left; });
    row = end;
  }
}

platform::Rect FocusMarkRect(const CControlBase& control) {
  const int gap = Scaled(kMarkGap);
  const platform::Rect& rc = control.m_rc;
  return {rc.left - gap, rc.top - gap, rc.right + gap, rc.bottom + gap};
}

void DrawFocusMark(platform::Canvas& canvas, const CControlBase& control) {
  // An edit field shows its caret instead.
  if (RoleOf(control) == Role::Text) return;
  // Dotted, as a focus mark is drawn elsewhere, in the colour the skin gives a selection.
  const platform::Rect rc = FocusMarkRect(control);
  const int dot = std::max(1, Scaled(1));
  for (int x = rc.left; x < rc.right; x += 2 * dot) {
    canvas.FillRect({x, rc.top, std::min(x + dot, rc.right), rc.top + dot}, kMarkColour);
    canvas.FillRect({x, rc.bottom - dot, std::min(x + dot, rc.right), rc.bottom}, kMarkColour);
  }
  for (int y = rc.top; y < rc.bottom; y += 2 * dot) {
    canvas.FillRect({rc.left, y, rc.left + dot, std::min(y + dot, rc.bottom)}, kMarkColour);
    canvas.FillRect({rc.right - dot, y, rc.right, std::min(y + dot, rc.bottom)}, kMarkColour);
  }
}

}  // namespace ui
