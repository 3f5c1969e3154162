#pragma once
// The shortcut editor: four modifier check boxes and the key caught by the keyboard hook,
// which runs from opening until the dialog is destroyed. OK stores the combination (message
// 1036) unless its name would be empty; the dialog closes in any case. Enter and Escape are
// keys to catch here, not OK and cancel.

#include <array>

#include "views/buttons/ButtonEditorDlg.h"
#include "views/buttons/ShortcutCapture.h"

class CCheckButton;
class CStaticText;

class CShortcutDlg : public CButtonEditorDlg {
 public:
  static constexpr uint32_t kCtrlCheck = 2006;
  static constexpr uint32_t kAltCheck = 2007;
  static constexpr uint32_t kShiftCheck = 2008;
  static constexpr uint32_t kWinCheck = 2009;
  static constexpr uint32_t kKeyText = 2012;

  CShortcutDlg(platform::WindowId parent, uint32_t fieldId);
  ~CShortcutDlg() override;

  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

  const buttons::ShortcutCapture& Capture() const { return m_capture; }

 protected:
  void OnOkClicked() override;
  void OnOK() override {}
  void OnCancel() override {}
  // Every key is part of the shortcut being entered.
  bool KeysAreData() const override { return true; }

 private:
  // The modifier bits of the checked boxes.
  uint8_t CheckedModifiers() const;
  void StopHook();

  buttons::ShortcutCapture m_capture;
  std::array<CCheckButton*, 4> m_checks{};  // Ctrl, Shift, Alt, Win
  CStaticText* m_pKeyText = nullptr;
  bool m_bHookStarted = false;
};
