#pragma once
// What vantrelctl returns to the shell. Scripts may rely on these numbers; --help lists them.

enum class ExitCode : int {
  Ok = 0,
  Failed = 1,            // anything else: a file that could not be saved, a failed update
  Usage = 2,             // unknown command or option, bad argument, refused value
  NoMouse = 3,           // no interface of the mouse found (or not the one the command needs)
  PermissionDenied = 4,  // the mouse is there but may not be opened: the udev rule is missing
  NotAcknowledged = 5,   // the mouse did not acknowledge, or does not answer at all
  BadFile = 6,           // a profile file or simulation script that cannot be read or used
  Interrupted = 130,     // Ctrl+C or SIGTERM, as a shell reports a process ended by SIGINT
};
