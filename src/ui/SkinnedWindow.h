#pragma once
// Every live skinned window (dialogs and popups) can describe its controls, so that the
// program can write a dump of what is on screen for end-to-end tests and bug reports.

#include <cstdint>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "platform/Types.h"

namespace ui {

// One control (or popup row) as the dump shows it; `rect` in client coordinates.
struct DumpItem {
  uint32_t id = 0;
  std::string className;
  platform::Rect rect{};
  bool visible = false;
  bool enabled = true;
  bool checked = false;
  bool focused = false;  // has the keyboard focus (a menu: the highlighted row)
  std::u16string text;
};

class SkinnedWindow {
 public:
  SkinnedWindow();
  virtual ~SkinnedWindow();
  SkinnedWindow(const SkinnedWindow&) = delete;
  SkinnedWindow& operator=(const SkinnedWindow&) = delete;

  virtual platform::WindowId DumpWindowId() const = 0;
  // Popups have no title; dialogs show the program's.
  virtual bool IsPopup() const { return false; }
  // What the window holds, in drawing order.
  virtual void DumpItems(std::vector<DumpItem>& items) const = 0;

  // The live windows in creation order.
  static const std::vector<const SkinnedWindow*>& LiveWindows();
  // Called after every paint of any skinned window (one observer; empty clears it).
  static void SetPaintObserver(std::function<void()> observer);
  static void NotifyPainted();
};

// "CImageButton" for an object of that class: the type's name without its mangling.
std::string ClassNameOf(const std::type_info& type);

}  // namespace ui
