#pragma once
// The firmware window: shows the image and device checksums, and 100 ms after it opens runs
// the firmware engine, which updates the mouse when it runs other firmware and allows it.
// While the update runs the window cannot be closed; a close request from outside (the exit
// path) is carried out when the update ends.

#include <optional>
#include <string>

#include "device/FirmwareImage.h"
#include "device/FirmwareProgress.h"
#include "device/FirmwareUpdater.h"
#include "ui/DlgBase.h"

class CStaticProgressBar;
class CStaticText;
class ViewServices;

class CCheckFWDlg : public CDlgBase, private FirmwareProgress {
 public:
  static constexpr uint32_t kCloseCross = 2004;
  static constexpr uint32_t kCloseButton = 2011;
  static constexpr uint32_t kImageLine = 3003;
  static constexpr uint32_t kDeviceLine = 3004;
  static constexpr uint32_t kStatusLine = 3005;
  static constexpr uint32_t kPercentLabel = 3006;
  static constexpr uint32_t kBar = 3007;
  static constexpr uintptr_t kTimerStart = 1;
  static constexpr uint32_t kStartMs = 100;
  static constexpr const char16_t* kImageError = u"App File is Error!";

  explicit CCheckFWDlg(ViewServices& services);

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  // True while an update owns the mouse (in any firmware window of the process).
  static bool UpdateRunning() { return s_bUpdating; }
  // What the last run came to; nothing before timer 1 has run.
  std::optional<FirmwareUpdater::Outcome> LastOutcome() const { return m_outcome; }
  int StatusText() const { return m_nStatusText; }

 protected:
  void OnInitDialog() override;
  void OnCancel() override;
  // Closing from outside cancels as the close button does.
  void OnClose() override { OnCancel(); }

 private:
  void Run();
  void SetLine(uint32_t id, const std::u16string& text);

  // --- FirmwareProgress ---
  void SetImageChecksumLine(const std::u16string& text) override;
  void SetDeviceChecksumLine(const std::u16string& text) override;
  void SetStatus(int textNumber, const std::u16string& text) override;
  void SetPercent(const std::u16string& text) override;
  void SetProgress(int value, int total) override;

  static inline bool s_bUpdating = false;

  ViewServices& m_services;
  FirmwareImage m_image;
  FirmwareUpdater m_updater;
  std::optional<FirmwareUpdater::Outcome> m_outcome;
  int m_nStatusText = 0;
  bool m_bRunning = false;
  bool m_bCloseRequested = false;
  CStaticProgressBar* m_pBar = nullptr;
};
