#pragma once
// Base of the three button editors (shortcut, rapid fire, launch): a 429 x 140 skinned dialog
// with its title, close (2004), OK (2010) and cancel (2011). Close and cancel end it without
// a result, and so does WM_CLOSE (the main window's exit path). A result is kept here and announced
// to the main window with the editor's result message (wParam = the button field); the main window
// takes it from Result(), so the message itself carries no pointer.

#include <cstdint>
#include <optional>

#include "ui/DlgBase.h"
#include "views/buttons/ButtonChoice.h"

class CStaticText;

class CButtonEditorDlg : public CDlgBase {
 public:
  static constexpr int kWidth = 429;
  static constexpr int kHeight = 140;
  static constexpr uint32_t kTitleLabel = 2003;
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kOkButton = 2010;
  static constexpr uint32_t kCancelButton = 2011;

  CButtonEditorDlg(platform::WindowId parent, uint32_t fieldId, int titleText,
                   uint32_t resultMessage);

  uint32_t FieldId() const { return m_uFieldId; }
  uint32_t ResultMessage() const { return m_uResultMessage; }
  // What OK produced; nothing before OK, after close or cancel, or when OK had nothing.
  const std::optional<buttons::ButtonChoice>& Result() const { return m_result; }

  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  enum class Buttons { OkAndCancel, OkOnly };
  // The frame, title, close, OK and (when asked) cancel; derived InitUI calls it first.
  void InitFrame(Buttons buttons);
  // OK was clicked.
  virtual void OnOkClicked() = 0;
  // Keeps the result and tells the main window.
  void SendResult(buttons::ButtonChoice choice);
  // Releases the images and ends the dialog.
  void Finish(intptr_t result);
  // The attention box (caption text 150) over this dialog, modal.
  intptr_t ShowAttention(int textNumber);
  // Scaled rectangle from unscaled client coordinates.
  static platform::Rect Place(int left, int top, int right, int bottom);
  // A label in the UI font and the labels' colour.
  CStaticText* AddLabel(uint32_t id, const platform::Rect& rc, std::u16string_view text,
                        uint32_t format);

 private:
  uint32_t m_uFieldId;
  int m_nTitleText;
  uint32_t m_uResultMessage;
  std::optional<buttons::ButtonChoice> m_result;
};
