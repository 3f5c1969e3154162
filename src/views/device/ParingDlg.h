#pragma once
// The pairing window: Start (or Space) sends the pairing report once, through message 1174
// to the main window, and watches g_bDeviceActive every second until the mouse is linked or
// 26 seconds have passed. Enter is swallowed; Esc and Cancel close it.

#include "device/PairingSession.h"
#include "ui/DlgBase.h"

class CControlBase;
class CStaticText;

class CParingDlg : public CDlgBase {
 public:
  static constexpr uint32_t kPairMessage = 1174;  // WM_USER + 150, to the parent
  static constexpr uint32_t kStartButton = 2010;
  static constexpr uint32_t kCloseButton = 2011;
  static constexpr uint32_t kTitleLabel = 2012;
  static constexpr uint32_t kStatusLabel = 2013;
  static constexpr uintptr_t kTimerTick = 1;
  static constexpr uint32_t kVkSpace = 0x20;
  static constexpr int kHintText = 440;  // shown before Start

  explicit CParingDlg(platform::WindowId parent);

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  const PairingSession& Session() const { return m_session; }

 private:
  void Start();
  void OnTick();
  void ShowStatus();

  PairingSession m_session;
  CStaticText* m_pStatus = nullptr;
  CControlBase* m_pStart = nullptr;
  CControlBase* m_pClose = nullptr;
};
