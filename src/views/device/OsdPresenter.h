#pragma once
// Shows the on-screen display for message 1067 and runs its life on a timer of the main
// window: each update gives it five more ticks of 300 ms; after the sixth tick without an
// update the display goes.

#include <cstdint>
#include <memory>

#include "platform/Types.h"
#include "views/device/OsdRules.h"

class COSDDialog;

class OsdPresenter {
 public:
  static constexpr uint32_t kOsdMessage = 1067;
  static constexpr uintptr_t kTimerOsd = 50;
  // wParam of kOsdMessage: 1 the mouse reported a change; kProfileShown a program in front
  // brought its profile in (the display names it under caption text kProfileCaption).
  static constexpr platform::WParam kProfileShown = 2;
  static constexpr int kProfileCaption = 478;

  // `owner`: the window whose timer 50 counts the ticks (the main window).
  explicit OsdPresenter(platform::WindowId owner);
  ~OsdPresenter();

  void SetOwner(platform::WindowId owner) { m_owner = owner; }
  // Shows the texts, or refreshes the open display with them.
  void ShowOSD(const OsdTexts& texts);
  // Timer 50.
  void OnTimer();

  COSDDialog* Display() const { return m_pOSD.get(); }
  int Ticks() const { return m_nOSDTicks; }

 private:
  platform::WindowId m_owner;
  std::unique_ptr<COSDDialog> m_pOSD;
  int m_nOSDTicks = 0;
};
