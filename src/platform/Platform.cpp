#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

Services g_services;

template <typename T>
T& Require(T* service, const char* name) {
  if (service == nullptr) {
    std::fprintf(stderr, "platform service '%s' is not installed\n", name);
    std::abort();
  }
  return *service;
}

}  // namespace

void Install(const Services& services) {
  g_services = services;
}
const Services& Current() {
  return g_services;
}

FileSystem& Files() {
  return Require(g_services.files, "files");
}
Clock& Time() {
  return Require(g_services.clock, "clock");
}
WindowSystem& Windows() {
  return Require(g_services.windows, "windows");
}
Graphics& Gfx() {
  return Require(g_services.graphics, "graphics");
}
HidBus& Hid() {
  return Require(g_services.hid, "hid");
}
Shell& ShellServices() {
  return Require(g_services.shell, "shell");
}
Tray& TrayIcon() {
  return Require(g_services.tray, "tray");
}
System& Sys() {
  return Require(g_services.system, "system");
}
Clipboard& Clip() {
  return Require(g_services.clipboard, "clipboard");
}
Crypto& CryptoServices() {
  return Require(g_services.crypto, "crypto");
}

}  // namespace platform
