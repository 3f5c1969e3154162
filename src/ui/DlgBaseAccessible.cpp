// CDlgBase as screen readers see it: its controls as items (ui/AccessibleModel), focus and
// change notices, default actions carried out as clicks.

#include "platform/Platform.h"
#include "ui/AccessibleModel.h"
#include "ui/ControlRole.h"
#include "ui/DlgBase.h"
#include "ui/SkinImage.h"

namespace {

constexpr const char16_t* kWindowName = u"Gaming Mouse";
constexpr int kTitleBand = 40;  // unscaled pixels

bool SameLook(const platform::AccessibleItem& a, const platform::AccessibleItem& b) {
  return a.state == b.state && a.value == b.value && a.name == b.name;
}

}  // namespace

platform::AccessibleTree* CDlgBase::Accessible() {
  if (!m_bAccessibleWatched) {
    m_bAccessibleWatched = true;
    m_accKept.clear();
    const int count = AccessibleCount();
    m_accKept.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) AccessibleItemAt(i, m_accKept[static_cast<size_t>(i)]);
  }
  return this;
}

std::vector<const CControlBase*> CDlgBase::AllControls() const {
  std::vector<const CControlBase*> all;
  for (const auto& layer : m_vecLayer) {
    for (const auto& control : layer) all.push_back(control.get());
  }
  return all;
}

CControlBase* CDlgBase::ControlAt(int index) const {
  if (index < 0) return nullptr;
  for (const auto& layer : m_vecLayer) {
    if (static_cast<size_t>(index) < layer.size()) return layer[static_cast<size_t>(index)].get();
    index -= static_cast<int>(layer.size());
  }
  return nullptr;
}

int CDlgBase::IndexOf(const CControlBase* control) const {
  int index = 0;
  for (const auto& layer : m_vecLayer) {
    for (const auto& held : layer) {
      if (held.get() == control) return index;
      ++index;
    }
  }
  return -1;
}

int CDlgBase::AccessibleCount() {
  size_t count = 0;
  for (const auto& layer : m_vecLayer) count += layer.size();
  return static_cast<int>(count);
}

bool CDlgBase::AccessibleItemAt(int index, platform::AccessibleItem& item) {
  const CControlBase* control = ControlAt(index);
  if (!control) return false;
  item = ui::DescribeControl(*control, AllControls());
  return true;
}

std::u16string CDlgBase::AccessibleName() {
  // A dialog is named by its title: the text at the top of its page.
  const int titleBand = ui::Scaled(kTitleBand);
  for (const auto& control : m_vecLayer[0]) {
    if (control->IsDrawable() && control->m_rc.top < titleBand && !control->GetTitle().empty() &&
        ui::RoleOf(*control) == ui::Role::StaticText) {
      return control->GetTitle();
    }
  }
  return kWindowName;
}

int CDlgBase::AccessibleFocus() {
  return m_pFocusControl ? IndexOf(m_pFocusControl) : -1;
}

bool CDlgBase::DoDefaultAction(int index) {
  platform::AccessibleItem item;
  CControlBase* control = ControlAt(index);
  if (!m_hWnd || !control || !control->TakesInput() || !AccessibleItemAt(index, item) ||
      item.defaultAction.empty()) {
    return false;
  }
  const platform::Rect& rc = control->m_rc;
  ClickControl(*control, {rc.left + rc.Width() / 2, rc.top + rc.Height() / 2});
  return true;
}

void CDlgBase::NotifyAccessibleChanges() {
  if (!m_bAccessibleWatched || !m_hWnd) return;
  auto& windows = platform::Windows();
  const int count = AccessibleCount();
  m_accKept.resize(static_cast<size_t>(count));
  const std::vector<const CControlBase*> all = AllControls();
  for (int i = 0; i < count; ++i) {
    platform::AccessibleItem now = ui::DescribeControl(*all[static_cast<size_t>(i)], all);
    platform::AccessibleItem& kept = m_accKept[static_cast<size_t>(i)];
    if (SameLook(now, kept)) continue;
    using platform::AccessibleEvent;
    if (now.state != kept.state) windows.NotifyAccessible(m_hWnd, AccessibleEvent::StateChange, i);
    if (now.value != kept.value) windows.NotifyAccessible(m_hWnd, AccessibleEvent::ValueChange, i);
    if (now.name != kept.name) windows.NotifyAccessible(m_hWnd, AccessibleEvent::NameChange, i);
    kept = std::move(now);
  }
}
