#pragma once
// One part of the main page: a group of controls with their rules (the fixed area's button
// fields, the profile bar, one settings page, ...). The main window builds every part once,
// routes the control ids and timers each part registers to it, lays the parts out, refreshes
// them from the model and collects them back into the profile.

#include <cstdint>
#include <string_view>

#include "platform/Canvas.h"
#include "platform/Types.h"

class CDlgBase;
class DeviceWindows;
class PartRegistry;
class ViewServices;
struct ProfileSettings;

class PagePart {
 public:
  virtual ~PagePart() = default;

  // Creates the part's controls in `dialog` (its page layer, or layer 0 for the fixed area)
  // and registers the control ids, messages and timers it handles.
  virtual void Build(CDlgBase& dialog, PartRegistry& registry) = 0;
  // The page tab that shows this part (3001..3015), or 0 for parts of the fixed area.
  virtual uint32_t Tab() const { return 0; }
  // Moves the controls so that the part's top-left corner is `origin` (client pixels) and
  // returns the height it takes; fixed-area parts keep their places and return 0.
  virtual int Layout(platform::Point origin) {
    (void)origin;
    return 0;
  }
  // Paints what is not a control (panel frame, highlight) before the controls are drawn.
  virtual void DrawDecorations(platform::Canvas& canvas, const platform::Rect& update) {
    (void)canvas;
    (void)update;
  }
  // Shows the current profile and device state in every control of the part.
  virtual void Refresh() = 0;
  // Writes what the controls show back into `profile` (before a save or a profile export).
  virtual void Collect(ProfileSettings& profile) { (void)profile; }
  // A message registered by the part. Returns its result.
  virtual platform::LResult OnMessage(uint32_t message, platform::WParam wParam,
                                      platform::LParam lParam) = 0;
  // A timer registered by the part fired; it keeps firing until the part stops it, so a
  // one-shot timer is stopped here by the part.
  virtual void OnTimer(uintptr_t id) { (void)id; }
  // The left button is held and the pointer moved: sliders follow it. True when a value
  // changed (the router then sets m_bSliderDirty).
  virtual bool OnDrag(platform::Point pt) {
    (void)pt;
    return false;
  }
  // Hooks of the device side forwarded to every part.
  virtual void OnPollingChoices(int connectionKind, int maxPollingClass) {
    (void)connectionKind;
    (void)maxPollingClass;
  }
  virtual void OnSensorTableChanged() {}
  // The window's scale changed (its controls have followed already): pictures the part
  // draws itself are loaded again for it.
  virtual void OnScaleChanged() {}
};

// Shows a button number on the mouse picture while the pointer is over its field (0: none).
class ButtonHighlight {
 public:
  virtual ~ButtonHighlight() = default;
  virtual void Highlight(int number) = 0;
};

// Where parts register what they handle. Message numbers are control ids or popup result
// numbers; a number or timer registered twice is a programming error (the second is refused).
class PartRegistry {
 public:
  virtual ~PartRegistry() = default;
  virtual bool RouteMessages(uint32_t first, uint32_t last, PagePart& part) = 0;
  bool RouteMessage(uint32_t message, PagePart& part) {
    return RouteMessages(message, message, part);
  }
  virtual bool RouteTimer(uintptr_t id, PagePart& part) = 0;
  // The part that shows the device link's windows (progress, reset confirmation) registers
  // them here; the last one registered wins.
  virtual void ProvideDeviceWindows(DeviceWindows& windows) = 0;
  virtual ViewServices& Services() = 0;
  // The fixed area, built first, provides the highlight; nullptr without it.
  void ProvideHighlight(ButtonHighlight& highlight) { m_highlight = &highlight; }
  ButtonHighlight* Highlight() const { return m_highlight; }

 private:
  ButtonHighlight* m_highlight = nullptr;
};
