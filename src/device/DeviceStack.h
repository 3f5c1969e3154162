#pragma once
// The device side as the program runs it: the link, the settings writer and the status
// events wired together, the start-up sequence and the timers they own. The main window and
// the integration tests use this one wiring, so a change to it is tested where it runs.

#include <cstdint>

#include "device/DeviceLink.h"
#include "device/SettingsWriter.h"
#include "device/StatusEvents.h"
#include "platform/Types.h"

class DeviceHost;
class DeviceModel;
class MacroSync;

class DeviceStack {
 public:
  static constexpr uintptr_t kTimerWrite = 30;

  DeviceStack(DeviceHost& host, DeviceModel& model);

  // Writes also assign macro slots and download macros through `macros` (nullptr: none).
  void SetMacroSync(MacroSync* macros) { writer.SetMacroSync(macros); }

  // The start-up steps that concern the mouse: refresh the page, register for device
  // notices on `window`, take the sent-state snapshot, scan; refresh again on the first
  // connection.
  void StartUp(platform::WindowId window);
  // Timer 30 (write everything pending) and the timers of the link and of the status events.
  // False for any other timer. One-shot timers are stopped here.
  bool OnTimer(uintptr_t id);

  DeviceHost& host;
  DeviceLink link;
  SettingsWriter writer;
  StatusEvents events;
};
