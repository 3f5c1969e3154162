#pragma once
// What a vantrelctl run needs from the process around it: its two output streams, the
// terminal, the user's paths, Ctrl+C, the lock of the data folder, and why the HID bus could
// not open a device. The POSIX entry point provides the real one; tests record.

#include <optional>
#include <string>
#include <string_view>

class CtlEnvironment {
 public:
  enum class Lock { Locked, Unavailable, Interrupted };

  virtual ~CtlEnvironment() = default;

  // False when the text could not be written (a closed pipe, a full disk, a closed stream):
  // the run stops writing and fails. The environment tells the user why, where that helps.
  [[nodiscard]] virtual bool Out(std::string_view text) = 0;
  virtual void Err(std::string_view text) = 0;
  // Standard error is a terminal: progress is drawn in place there.
  virtual bool ErrIsTerminal() = 0;
  // Shows `prompt` and returns the line the user types (for a confirmation); nothing, and no
  // prompt, when input is not a terminal; nothing when it ended.
  virtual std::optional<std::string> AskLine(std::string_view prompt) = 0;

  // A path as the user typed it, in the program's form (absolute, backslashes).
  virtual std::u16string ProgramPath(std::string_view userPath) = 0;
  // A path of the program's form as the user writes it, for messages.
  virtual std::string UserPath(std::u16string_view programPath) = 0;
  // Where the installed udev rule is, for the hint when a device may not be opened.
  virtual std::string UdevRulePath() = 0;

  // Ctrl+C (or SIGTERM) since the run started.
  virtual bool Interrupted() = 0;
  // While false, an interrupt is refused with a notice instead (the firmware update).
  virtual void SetInterruptible(bool interruptible) = 0;

  // Takes the lock of the data folder (a program-form folder that exists), waiting for
  // another run that holds it; Unavailable when no lock can be made there (a read-only
  // folder). Held until UnlockDataFolder or the end of the process.
  virtual Lock LockDataFolder(std::u16string_view folder) = 0;
  virtual void UnlockDataFolder() = 0;

  // The first device node the bus could not open for lack of permission, if any.
  virtual std::optional<std::string> PermissionDeniedPath() = 0;
};
