#include "ui/SkinnedWindow.h"

#include <algorithm>
#include <cctype>
#include <typeinfo>

#include "ui/CheckButton.h"
#include "ui/ControlBase.h"
#include "ui/DlgBase.h"
#include "ui/RadioButton.h"

namespace ui {

namespace {

std::vector<const SkinnedWindow*>& Live() {
  static std::vector<const SkinnedWindow*> live;
  return live;
}

std::function<void()>& Observer() {
  static std::function<void()> observer;
  return observer;
}

}  // namespace

SkinnedWindow::SkinnedWindow() {
  Live().push_back(this);
}

SkinnedWindow::~SkinnedWindow() {
  std::erase(Live(), this);
}

const std::vector<const SkinnedWindow*>& SkinnedWindow::LiveWindows() {
  return Live();
}

void SkinnedWindow::SetPaintObserver(std::function<void()> observer) {
  Observer() = std::move(observer);
}

void SkinnedWindow::NotifyPainted() {
  if (Observer()) Observer()();
}

std::string ClassNameOf(const std::type_info& type) {
  // The Itanium ABI (g++, clang, MinGW) names a class in the global namespace as its length
  // followed by its name; anything else is shown as the compiler gives it.
  std::string name = type.name();
  size_t digits = 0;
  while (digits < name.size() && std::isdigit(static_cast<unsigned char>(name[digits]))) ++digits;
  if (digits == 0 || digits == name.size()) return name;
  const size_t length = std::stoul(name.substr(0, digits));
  if (digits + length != name.size()) return name;
  return name.substr(digits);
}

}  // namespace ui

void CDlgBase::DumpItems(std::vector<ui::DumpItem>& items) const {
  for (const auto& layer : m_vecLayer) {
    for (const auto& control : layer) {
      ui::DumpItem item;
      item.id = control->m_uID;
      item.className = ui::ClassNameOf(typeid(*control));
      item.rect = control->m_rc;
      item.visible = control->IsDrawable();
      item.enabled = !control->m_bDisable;
      if (const auto* check = dynamic_cast<const CCheckButton*>(control.get())) {
        item.checked = check->GetCheck();
      } else if (const auto* radio = dynamic_cast<const CRadioButton*>(control.get())) {
        item.checked = radio->IsSelected();
      }
      item.focused = control->HasFocus();
      item.text = control->GetTitle();
      items.push_back(std::move(item));
    }
  }
}
