#pragma once
// The firmware update engine behind the firmware window: compares the application checksum
// of the mouse with the carried image and, when they differ and the mouse allows it, rewrites
// the base region if needed, writes the application into the update area, verifies it,
// commits it and restarts the mouse. Every request is a FirmwareReport on the Wired command
// handle; every wait goes through PumpDelay so the window stays responsive.
//
// Runs on the UI thread inside the window's timer. A run after any failure starts from what
// the mouse holds and completes.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "device/FirmwareImage.h"
#include "device/FirmwareReport.h"

class DeviceLink;
class FirmwareProgress;

class FirmwareUpdater {
 public:
  // Waits, in milliseconds.
  static constexpr uint32_t kReadWaitMs = 5;
  static constexpr uint32_t kEraseAreaWaitMs = 3000;
  static constexpr uint32_t kProtectionWaitMs = 100;
  static constexpr uint32_t kSectorWaitMs = 200;
  static constexpr uint32_t kBlockWaitMs = 40;
  static constexpr uint32_t kRetryWaitMs = 100;
  static constexpr uint32_t kCommitWaitMs = 100;
  static constexpr uint32_t kCountdownMs = 1000;
  static constexpr int kTries = 4;
  static constexpr int kCheckPasses = 3;
  static constexpr uint32_t kBaseSectors = 43;
  static constexpr uint32_t kBaseBlocks = 1376;
  static constexpr uint32_t kBaseSteps = kBaseSectors + kBaseBlocks;  // 1419
  static constexpr int kReconnectSeconds = 20;

  // Status texts.
  enum Text : int {
    kNotApplicationMode = 292,
    kUpToDate = 293,
    kWritingBase = 295,
    kBaseWriteFailed = 296,
    kCheckingBase = 297,
    kBaseCheckFailed = 298,
    kErasing = 299,
    kWriting = 300,
    kWriteFailed = 301,
    kLastBlockFailed = 302,
    kVerifying = 303,
    kRestarting = 304,
    kWaiting = 305,
    kReconnecting = 306,
    kVerifyFailed = 307,
    kNotStarted = 308,
  };

  enum class Outcome {
    NoImage,             // the application image is missing or broken: nothing sent
    NotApplicationMode,  // text 292, nothing sent
    NoAnswer,            // the checksum could not be read: text 292
    UpToDate,            // text 293: same checksum, or the mouse does not allow an update
    Updated,             // text 293 after the new firmware came back with the image checksum
    Failed,              // the status line says why (298 with no usable base image: nothing sent
                         // but the checksum read)
  };

  FirmwareUpdater(DeviceLink& link, FirmwareProgress& progress, const FirmwareImage& image);

  // The window opens: the image checksum line and the application-mode flag (the high byte
  // of the Wired interface's version number is 2 in application mode).
  void Open();
  // Timer 1 of the window (100 ms after opening): the comparison and, if due, the update.
  Outcome Run();
  bool Busy() const { return m_busy; }

  // Reads the 16-byte header of the running application; shows "Device CS:%.8x".
  [[nodiscard]] std::optional<uint32_t> ReadDeviceChecksum();
  // Fails (text 298) without sending anything when the image carries no usable base.
  [[nodiscard]] bool RewriteBaseRegion();
  // The application into the update area, verified, committed, restart and reconnection;
  // true when the mouse came back running the image.
  [[nodiscard]] bool WriteApplication();

  int ProgressValue() const { return m_progress; }
  int ProgressTotal() const { return m_total; }
  uint32_t LastDeviceChecksum() const { return m_deviceChecksum; }

 private:
  using Block = std::array<uint8_t, FirmwareReport::kDataLength>;

  bool Send(const FirmwareReport& report);
  // Up to four tries, 100 ms apart.
  bool SendWithRetry(const FirmwareReport& report);
  // Request, 5 ms, answer; the data bytes, or nothing when either transfer failed.
  std::optional<Block> Read(uint32_t address, uint8_t length);
  void Status(int text);
  void Status(const std::u16string& text, int number);
  void Advance(int steps);
  bool Fail(int text);

  // The steps of RewriteBaseRegion: whether the check window holds the image (`answered`
  // false when a read got no answer), the unlocked rewrite, the read-back of every block.
  bool BaseMatches(bool& answered);
  bool WriteBase();
  bool CheckWrittenBase();
  // The steps of WriteApplication, each false after it has shown why.
  bool EraseUsedUpdateArea();
  bool WriteApplicationBlocks();
  bool VerifyUpdateArea();
  bool Commit();
  bool RestartAndReconnect();

  DeviceLink& m_link;
  FirmwareProgress& m_ui;
  const FirmwareImage& m_image;
  bool m_applicationMode = false;
  bool m_busy = false;
  int m_progress = 0;
  int m_total = 0;
  uint32_t m_deviceChecksum = 0;
  std::vector<uint8_t> m_readBack;
};
