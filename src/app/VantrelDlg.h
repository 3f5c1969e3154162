#pragma once
// The main window: the hub every control, popup, dialog, timer and device notice reports to.

#include <cstdint>
#include <memory>

#include "platform/Canvas.h"
#include "platform/WindowSystem.h"

class CVantrelDlg : public platform::WindowHandler {
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
  static constexpr uintptr_t kTimerKeepHidden = 40;
  static constexpr intptr_t kResultOk = 1;
  static constexpr intptr_t kResultCancel = 2;

  CVantrelDlg();
  ~CVantrelDlg() override;

  // Creates the window, initialises it, runs it modally and destroys it. Returns the result
  // the modal loop ended with.
  intptr_t DoModal();

  // The pieces of DoModal, for tests that drive the window without a modal loop.
  bool Create();
  void Destroy();

  platform::WindowId Handle() const { return m_hWnd; }
  bool m_bShowWindow = true;
  bool m_bShownByDevice = false;

  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 private:
  void OnInitDialog();
  void PlaceWindow();
  void OnPaint();
  void OnTimer(uintptr_t id);
  void OnTrayNotify(platform::WParam id, platform::LParam mouseMessage);
  void ShowRequest();
  void ExitPath(intptr_t result);
  void OnDestroy();

  platform::WindowId m_hWnd = 0;
  platform::Size m_fullScreen;
  bool m_bTrayAdded = false;
  std::unique_ptr<platform::Image> m_frame;
  std::unique_ptr<platform::Font> m_font;
};
