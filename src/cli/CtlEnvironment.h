#pragma once
// What a vantrelctl run needs from the process around it: its two output streams, the
// terminal, the user's paths, Ctrl+C, and why the HID bus could not open a device. The POSIX
// entry point provides the real one; tests record.

#include <optional>
#include <string>
#include <string_view>

class CtlEnvironment {
 public:
  virtual ~CtlEnvironment() = default;

  virtual void Out(std::string_view text) = 0;
  virtual void Err(std::string_view text) = 0;
  // Standard error is a terminal: progress is drawn in place there.
  virtual bool ErrIsTerminal() = 0;
  // Shows `prompt` and returns the line the user types (for a confirmation); nothing, and no
  // prompt, when input is not a terminal; nothing when it ended.
  virtual std::optional<std::string> AskLine(std::string_view prompt) = 0;

  // A path as the user typed it, in the program's form (absolute, backslashes).
  virtual std::u16string ProgramPath(std::string_view userPath) = 0;

  // Ctrl+C (or SIGTERM) since the run started.
  virtual bool Interrupted() = 0;
  // While false, an interrupt is refused with a notice instead (the firmware update).
  virtual void SetInterruptible(bool interruptible) = 0;

  // The last device node the bus could not open for lack of permission, if any.
  virtual std::optional<std::string> PermissionDeniedPath() = 0;
};
