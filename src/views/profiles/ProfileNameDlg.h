#pragma once
// The dialog that asks for a profile name: a centred text entry, focused when it opens, OK and
// close buttons. Enter acts as OK and Escape is ignored. OK runs the check; a refused name
// shows its message and keeps the dialog open.

#include <functional>
#include <optional>
#include <string>

#include "ui/DlgBase.h"

class CEditBox;

class CProfileNameDlg : public CDlgBase {
 public:
  static constexpr uint32_t kCloseButton = 2004;
  static constexpr uint32_t kOkButton = 2010;
  static constexpr uint32_t kNameEdit = 2011;
  static constexpr uint32_t kTitleLabel = 2012;
  static constexpr int kWidth = 319;
  static constexpr int kHeight = 140;

  // `check` returns the message text of a refused name, 0 to accept it; `showMessage` shows
  // that message (the caller's message box).
  CProfileNameDlg(platform::WindowId parent, std::u16string initial, std::u16string title,
                  std::function<int(std::u16string_view)> check,
                  std::function<void(int)> showMessage);

  // The accepted name after OK.
  const std::u16string& Name() const { return m_strName; }
  CEditBox* Edit() const { return m_pEdit; }

  void InitUI(const platform::Rect& client) override;
  platform::LResult OnMessage(platform::WindowId window, uint32_t message, platform::WParam wParam,
                              platform::LParam lParam, bool& handled) override;

 protected:
  void OnOK() override;
  void OnCancel() override {}

 private:
  std::u16string m_strInitial;
  std::u16string m_strTitle;
  std::u16string m_strName;
  std::function<int(std::u16string_view)> m_check;
  std::function<void(int)> m_showMessage;
  CEditBox* m_pEdit = nullptr;
};

// Adding a profile: the entry starts empty.
class CAddProfileDlg : public CProfileNameDlg {
 public:
  CAddProfileDlg(platform::WindowId parent, std::function<int(std::u16string_view)> check,
                 std::function<void(int)> showMessage);
};

// Renaming a profile: the entry starts with its name.
class CEditProfileDlg : public CProfileNameDlg {
 public:
  CEditProfileDlg(platform::WindowId parent, std::u16string name,
                  std::function<int(std::u16string_view)> check,
                  std::function<void(int)> showMessage);
};
