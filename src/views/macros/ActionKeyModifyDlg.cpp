#include "views/macros/ActionKeyModifyDlg.h"

#include "keys/KeyTables.h"
#include "platform/KeyEventParam.h"
#include "platform/Platform.h"
#include "ui/StaticText.h"

namespace {

// Mouse-button codes would read as a delay in the macro.
constexpr uint8_t kLastMouseCode = 7;

}  // namespace

CActionKeyModifyDlg::CActionKeyModifyDlg(platform::WindowId parent, uint8_t code)
    : CActionEditDlg(parent, kTitleText, Entry::KeyName, std::u16string(keys::KeyName(code)), {}),
      m_nCode(code) {}

CActionKeyModifyDlg::~CActionKeyModifyDlg() {
  StopHook();
}

void CActionKeyModifyDlg::InitUI(const platform::Rect& client) {
  CActionEditDlg::InitUI(client);
  m_bHookStarted = platform::Sys().StartKeyboardHook(GetSafeHwnd());
}

void CActionKeyModifyDlg::StopHook() {
  if (!m_bHookStarted) return;
  m_bHookStarted = false;
  platform::Sys().StopKeyboardHook();
}

platform::LResult CActionKeyModifyDlg::OnMessage(platform::WindowId window, uint32_t message,
                                                 platform::WParam wParam, platform::LParam lParam,
                                                 bool& handled) {
  if (message == platform::kKeyEventMessage) {
    handled = true;
    const auto code = static_cast<uint8_t>(wParam & 0xFF);
    if (code > kLastMouseCode) {
      m_nCode = code;
      if (ValueLabel()) ValueLabel()->SetTitle(keys::KeyName(code));
    }
    return 0;
  }
  return CActionEditDlg::OnMessage(window, message, wParam, lParam, handled);
}
