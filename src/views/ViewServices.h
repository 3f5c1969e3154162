#pragma once
// What the views (page parts, dialogs, popups) may ask of the main window. The main window
// implements it; view tests use a fake on the headless adapter. Every call comes on the
// user-interface thread.

#include <cstdint>
#include <functional>

#include "device/FactoryReset.h"
#include "device/SettingsWriter.h"
#include "platform/Types.h"

class ButtonBank;
class CDlgBase;
class GlobalSettings;
class DeviceLink;
class MacroDownload;
struct ProfileSettings;
struct ProfileStore;
struct SensorDpiTable;

class ViewServices {
 public:
  using Group = SettingsWriter::Group;

  // Main-window timers the services run for the views.
  static constexpr uintptr_t kTimerDeferredMessage = 20;  // 100 ms, one shot
  static constexpr uintptr_t kTimerWrite = 30;            // 20 ms, one shot
  static constexpr uintptr_t kTimerProfileAction = 60;    // 100 ms, one shot
  static constexpr uint32_t kWriteDelayMs = 20;
  static constexpr uint32_t kAfterMenuDelayMs = 100;

  enum class Box { Modal, Modeless };

  virtual ~ViewServices() = default;

  // The main window: owner of popups and dialogs, and of the page's controls.
  virtual CDlgBase& MainDialog() = 0;
  // The profile of the CurrentProfile slot (slot 0 when the setting names none).
  virtual ProfileSettings& CurrentProfile() = 0;
  // The global settings (profile list, current slot) and the five profiles.
  virtual GlobalSettings& Settings() = 0;
  virtual ProfileStore& Profiles() = 0;
  virtual const SensorDpiTable& SensorTable() const = 0;
  virtual DeviceLink& Link() = 0;
  // The six buttons of the current profile, for the assignment code.
  virtual ButtonBank& CurrentButtons() = 0;
  // The macro side of writes (MarkManagerOpened after a manager closed, refused macros).
  virtual MacroDownload& Macros() = 0;

  // Marks the group pending and (re)starts timer 30: changes within 20 ms make one write.
  virtual void MarkPending(Group group) = 0;
  // During a slider drag: marks the group pending and sets m_bSliderDirty; the write starts
  // when the button is released.
  virtual void MarkPendingWhileDragging(Group group) = 0;
  // A change that never reaches the mouse (the pointer options): no group is marked, but
  // timer 30 is (re)started so that the write which follows arms the delayed save.
  virtual void MarkSaveOnly() = 0;
  // Writes everything pending now (the apply button, after a manager closed).
  virtual void WriteNow() = 0;
  // Saves config.ini and the five profile files now.
  virtual void SaveNow() = 0;
  // The exit path: every open dialog is asked to close, then the program ends (and saves).
  virtual void ExitProgram() = 0;
  // Hides the main window; the tray icon stays.
  virtual void HideMainWindow() = 0;
  // Re-reads the current profile and device state into every page part and repaints.
  virtual void RefreshPage() = 0;
  // Copies what the page's controls show into the current profile (every part's Collect).
  virtual void CollectPage() = 0;

  // Runs `action` once, `kAfterMenuDelayMs` after now, on the main window's timer `timerId`
  // (20 or 60): popup choices are carried out after the popup has closed. A second request on
  // the same timer replaces the first.
  virtual void RunAfterMenuClosed(uintptr_t timerId, std::function<void()> action) = 0;

  // The factory-reset flow of the device link (the reset control): its confirmation and its
  // progress window come back through the DeviceWindows the parts provide.
  virtual FactoryReset::Result RunFactoryReset() = 0;

  // An attention box with caption text 150 and message text `textNumber`. Modeless boxes are
  // top-most. Returns the modal result (kIdOk / kIdCancel), or 0 for a modeless box.
  virtual intptr_t ShowMessage(int textNumber, Box kind) = 0;
  // The same with a message that is not a language text (already formatted).
  virtual intptr_t ShowMessageText(std::u16string_view text, Box kind) = 0;
};
