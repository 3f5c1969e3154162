#pragma once
// Base of the macro manager's small action editors: a title, a number entry that accepts
// digits only (any other character typed shows text 175) or a key name, OK and Cancel. Enter
// acts as OK in a number entry; Escape does nothing.

#include <cstdint>
#include <functional>
#include <string>

#include "ui/DlgBase.h"

class CEditBox;
class CStaticText;

class CActionEditDlg : public CDlgBase {
 public:
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kOkButton = 2010;
  static constexpr uint32_t kCancelButton = 2011;
  static constexpr uint32_t kTitleLabel = 2012;
  static constexpr uint32_t kValueEdit = 2013;
  static constexpr uint32_t kValueLabel = 2014;
  static constexpr int kWidth = 319;
  static constexpr int kHeight = 140;

  CEditBox* Edit() const { return m_pEdit; }
  CStaticText* ValueLabel() const { return m_pValueLabel; }

  void InitUI(const platform::Rect& client) override;
  void DrawWindow(platform::Canvas& canvas, const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  enum class Entry { Number, KeyName };
  CActionEditDlg(platform::WindowId parent, int titleText, Entry entry, std::u16string initial,
                 std::function<void(int)> showMessage);

  // OK: takes the value from the entry; the dialog then ends with IDOK.
  virtual void TakeValue() = 0;
  // Before the dialog ends either way.
  virtual void Closing() {}
  void OnOK() override;
  void OnCancel() override {}
  void Accept();
  void Close(intptr_t result);

 private:
  int m_nTitleText;
  Entry m_entry;
  std::u16string m_strInitial;
  std::function<void(int)> m_showMessage;
  CEditBox* m_pEdit = nullptr;
  CStaticText* m_pValueLabel = nullptr;
};
