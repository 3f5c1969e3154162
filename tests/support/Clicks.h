#pragma once
// Clicks shared by every window test: the centre of a control, and a click on it in the
// window that shows it.

#include <gtest/gtest.h>

#include <cstdint>

#include "adapters/headless/HeadlessDesktop.h"
#include "ui/ControlBase.h"
#include "ui/DlgBase.h"

namespace testclick {

inline platform::Point Centre(const platform::Rect& rc) {
  return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

// The centre of control `id` of `dlg`; fails the test (and answers the origin) when the
// dialog has no such control.
inline platform::Point Centre(const CDlgBase& dlg, uint32_t id) {
  const CControlBase* control = dlg.GetControl(id);
  EXPECT_NE(control, nullptr) << "no control " << id;
  return control ? Centre(control->m_rc) : platform::Point{};
}

// Clicks control `id` where `dlg` shows it.
inline bool Click(platform::headless::HeadlessDesktop& desktop, const CDlgBase& dlg, uint32_t id) {
  return desktop.Click(dlg.GetSafeHwnd(), Centre(dlg, id));
}

// Clicks control `id` of the skinned dialog that owns `window` (a modal dialog a test met in
// a scripted loop).
inline bool Click(platform::headless::HeadlessDesktop& desktop, platform::WindowId window,
                  uint32_t id) {
  const auto* info = desktop.Info(window);
  const auto* dlg = info ? dynamic_cast<const CDlgBase*>(info->handler) : nullptr;
  EXPECT_NE(dlg, nullptr) << "window " << window << " is not a skinned dialog";
  return dlg && desktop.Click(window, Centre(*dlg, id));
}

}  // namespace testclick
