#pragma once
// The main window: the hub every control, popup, dialog, timer and device notice reports to.

#include <cstdint>

#include "ui/DlgBase.h"

class CVantrelDlg : public CDlgBase {
 public:
  static constexpr const char16_t* kClassName = u"GamingMouse_QVR";
  static constexpr const char16_t* kTitle = u"Gaming Mouse";
  static constexpr int kWidth = 1127;
  static constexpr int kHeight = 740;
  static constexpr uint32_t kShowRequestMessage = 2999;
  static constexpr uint32_t kTrayCallbackMessage = 1056;
  static constexpr uint32_t kTrayIconId = 128;
  static constexpr int kIconResource = 128;
  static constexpr int kFrameBitmap = 364;
  static constexpr uint32_t kCmdTrayShow = 2075;
  static constexpr uint32_t kCmdTrayExit = 2076;
  static constexpr uint32_t kCloseButton = 2001;
  static constexpr uint32_t kMinimizeButton = 2002;
  static constexpr uint32_t kMinimizeButton2 = 2048;
  static constexpr uint32_t kVersionLabel = 3021;
  static constexpr uint32_t kNoticeLabel = 3024;
  static constexpr uintptr_t kTimerKeepHidden = 40;
  static constexpr intptr_t kResultOk = kIdOk;
  static constexpr intptr_t kResultCancel = kIdCancel;
  // Where the close and minimise buttons sit on the frame.
  static constexpr platform::Rect kCloseRect{1102, 10, 1117, 25};
  static constexpr platform::Rect kMinimizeRect{1080, 10, 1095, 25};

  CVantrelDlg();
  ~CVantrelDlg() override;

  // Destroys the window (tests that drive it without a modal loop).
  void Destroy();
  platform::WindowId Handle() const { return m_hWnd; }

  bool m_bShowWindow = true;
  bool m_bShownByDevice = false;

  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnInitDialog() override;
  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  void OnCancel() override;

 private:
  void PlaceWindow();
  void OnTimer(uintptr_t id);
  void OnTrayNotify(platform::WParam id, platform::LParam mouseMessage);
  void ShowRequest();
  void ExitPath(intptr_t result);
  void OnDestroy();

  platform::Size m_fullScreen;
  bool m_bTrayAdded = false;
};
