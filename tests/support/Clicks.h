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

// The dialog object of type T behind `window` (a modal dialog a test met in a scripted loop),
// or nullptr.
template <typename T = CDlgBase>
T* DialogOf(platform::headless::HeadlessDesktop& desktop, platform::WindowId window) {
  const auto* info = desktop.Info(window);
  return info ? dynamic_cast<T*>(info->handler) : nullptr;
}

// Clicks control `id` of the skinned dialog that owns `window`.
inline bool Click(platform::headless::HeadlessDesktop& desktop, platform::WindowId window,
                  uint32_t id) {
  const CDlgBase* dlg = DialogOf(desktop, window);
  EXPECT_NE(dlg, nullptr) << "window " << window << " is not a skinned dialog";
  return dlg && desktop.Click(window, Centre(*dlg, id));
}

// A point `x` pixels into row `row` of list `listId`, whose rows are 20 pixels high.
inline platform::Point ListRow(const CDlgBase& dlg, uint32_t listId, int row, int x = 40) {
  const CControlBase* list = dlg.GetControl(listId);
  EXPECT_NE(list, nullptr) << "no list " << listId;
  return list ? platform::Point{list->m_rc.left + x, list->m_rc.top + row * 20 + 10}
              : platform::Point{};
}

}  // namespace testclick
