#pragma once
// The port: one set of services for the whole process, installed by the adapter before any
// program code runs (the Windows entry point, or a test fixture with the headless adapter).

#include "platform/AutoStart.h"
#include "platform/Canvas.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Crypto.h"
#include "platform/FileSystem.h"
#include "platform/HidBus.h"
#include "platform/Programs.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/Tray.h"
#include "platform/WindowSystem.h"

namespace platform {

struct Services {
  FileSystem* files = nullptr;
  Clock* clock = nullptr;
  WindowSystem* windows = nullptr;
  Graphics* graphics = nullptr;
  HidBus* hid = nullptr;
  Shell* shell = nullptr;
  Tray* tray = nullptr;
  System* system = nullptr;
  Clipboard* clipboard = nullptr;
  Crypto* crypto = nullptr;
  // Optional: without them the program neither follows games nor offers to start with Windows.
  Programs* programs = nullptr;
  AutoStart* autoStart = nullptr;
};

// Installs the adapter's services; the pointers must stay valid until replaced.
void Install(const Services& services);
const Services& Current();

// Shorthands; each aborts with a message when the adapter did not supply the service.
FileSystem& Files();
Clock& Time();
WindowSystem& Windows();
Graphics& Gfx();
HidBus& Hid();
Shell& ShellServices();
Tray& TrayIcon();
System& Sys();
Clipboard& Clip();
Crypto& CryptoServices();

}  // namespace platform
