#pragma once
// What the firmware engine shows; the firmware window implements it with its lines, its
// percentage label and its progress bar. Texts come ready to show.

#include <string>

class FirmwareProgress {
 public:
  virtual ~FirmwareProgress() = default;
  // The image checksum line ("CS1:%.8x", control 3003).
  virtual void SetImageChecksumLine(const std::u16string& text) = 0;
  // The device checksum line ("Device CS:%.8x", control 3004); empty clears it.
  virtual void SetDeviceChecksumLine(const std::u16string& text) = 0;
  // The status line (control 3005): the language text it comes from (0 for none) and the
  // text as shown, counters included.
  virtual void SetStatus(int textNumber, const std::u16string& text) = 0;
  // The percentage label (control 3006) and the bar.
  virtual void SetPercent(const std::u16string& text) = 0;
  virtual void SetProgress(int value, int total) = 0;
};
