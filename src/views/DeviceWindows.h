#pragma once
// The windows the device link asks the main window for, provided by the part that owns them
// (views/device). Until a part provides them the main window answers on its own: no progress
// window, and no factory reset without a confirmation.

class DeviceWindows {
 public:
  virtual ~DeviceWindows() = default;
  // The progress window with message text `textNumber`, modal, about half a second.
  virtual void ShowProgress(int textNumber) = 0;
  // The factory-reset confirmation; true only when the user confirmed.
  [[nodiscard]] virtual bool ConfirmFactoryReset() = 0;
  // True while a firmware update owns the mouse: no settings write and no save may touch it.
  [[nodiscard]] virtual bool DeviceBusy() const = 0;
};
