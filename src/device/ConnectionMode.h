#pragma once
// One way the mouse is attached (cable, 2.4 GHz receiver, Bluetooth LE) and what the program
// keeps about it between scans.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/HidBus.h"

struct ConnectionMode {
  // Also the index of the mode's record; the order is the order every scan walks them.
  enum Kind : int { Wired = 0, Wireless = 1, BLE = 2 };
  static constexpr int kCount = 3;
  static constexpr uint16_t kVendorId = 0x04F3;
  static constexpr uint16_t kCommandUsagePage = 0x000A;
  static constexpr uint16_t kEventReportLength = 32;

  static constexpr uint16_t ProductIdOf(Kind kind) {
    switch (kind) {
      case Wired:
        return 622;
      case Wireless:
        return 623;
      case BLE:
        return 621;
    }
    return 0;
  }

  bool present = false;          // the latest scan saw the command interface
  bool previousPresent = false;  // `present` after the scan before
  int commandIndex = -1;         // enumeration indexes; handles are reopened by index
  int eventIndex = -1;
  std::u16string commandPath;
  std::u16string eventPath;
  std::unique_ptr<platform::HidDevice> commandHandle;
  // The handle may belong to a device that went away and came back between two scans (a
  // transfer on it failed, or a removal was announced): the next scan that finds the mode
  // present opens it again.
  bool reopenCommand = false;

  // The event reader: the opened event interface, whether its loop still runs, and a serial
  // that tells its callbacks apart from those of a reader it replaced.
  std::unique_ptr<platform::HidDevice> reader;
  bool readerRunning = false;
  uint32_t readerSerial = 0;
};
