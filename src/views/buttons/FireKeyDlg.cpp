#include "views/buttons/FireKeyDlg.h"

#include "base/Language.h"
#include "platform/Platform.h"
#include "ui/StaticText.h"
#include "views/buttons/AssignmentMenus.h"
#include "views/buttons/ButtonTexts.h"
#include "views/buttons/DigitsEditBox.h"
#include "views/buttons/RapidFireRules.h"

namespace {

constexpr uint32_t kLabelFormat =
    platform::dt::kLeft | platform::dt::kVCenter | platform::dt::kSingleLine;

}  // namespace

CFireKeyDlg::CFireKeyDlg(platform::WindowId parent, uint32_t fieldId)
    : CButtonEditorDlg(parent, fieldId, buttons::text::kRapidFireTitle,
                       buttons::msg::kRapidFireResult) {}

void CFireKeyDlg::InitUI(const platform::Rect&) {
  InitFrame(Buttons::OkOnly);
  const platform::WindowId w = GetSafeHwnd();
  const auto refused = [this] {
    if (m_bTelling) return;
    m_bTelling = true;
    (void)ShowAttention(buttons::text::kDigitsOnly);
    m_bTelling = false;
  };
  AddLabel(kFirstLabel, Place(24, 40, 150, 62), LangText(buttons::text::kRapidFireFirst),
           kLabelFormat);
  AddLabel(kSecondLabel, Place(24, 70, 150, 92), LangText(buttons::text::kRapidFireSecond),
           kLabelFormat);
  m_pFirst =
      AddControl(0, std::make_unique<CDigitsEditBox>(w, kFirstField, Place(156, 40, 236, 62),
                                                     buttons::rapidfire::kFirstStart, refused));
  m_pSecond =
      AddControl(0, std::make_unique<CDigitsEditBox>(w, kSecondField, Place(156, 70, 236, 92),
                                                     buttons::rapidfire::kSecondStart, refused));
  for (CEditBox* field : {m_pFirst, m_pSecond}) field->LoadDefaultImages();
  AddLabel(kHintLabel, Place(250, 36, 414, 96), LangText(buttons::text::kRapidFireHint),
           platform::dt::kLeft | platform::dt::kVCenter | platform::dt::kWordBreak);
  SetFocusControl(m_pFirst);
  m_pFirst->SelectAll();
  platform::Windows().SetTimer(GetSafeHwnd(), kCheckTimer, kCheckMs);
}

bool CFireKeyDlg::CorrectFields() {
  if (!m_pFirst || !m_pSecond) return false;
  const buttons::rapidfire::Correction corrected =
      buttons::rapidfire::CheckFields(m_pFirst->GetText(), m_pSecond->GetText());
  if (!corrected.Changed()) return false;
  m_pFirst->SetTitle(corrected.first);
  m_pSecond->SetTitle(corrected.second);
  m_bTelling = true;
  for (int text : corrected.messages) (void)ShowAttention(text);
  m_bTelling = false;
  return true;
}

void CFireKeyDlg::OnOkClicked() {
  if (!m_pFirst || !m_pSecond) return;
  // Within 100 ms of typing the check has not run yet: a value beyond a byte is put back
  // first, never cut short on its way to the mouse.
  if (CorrectFields()) return;
  const buttons::rapidfire::Acceptance accepted =
      buttons::rapidfire::Accept(m_pFirst->GetText(), m_pSecond->GetText());
  if (!accepted.choice) {
    m_bTelling = true;
    (void)ShowAttention(accepted.message);
    m_bTelling = false;
    return;
  }
  SendResult(*accepted.choice);
  Finish(kIdOk);
}

platform::LResult CFireKeyDlg::OnMessage(platform::WindowId window, uint32_t message,
                                         platform::WParam wParam, platform::LParam lParam,
                                         bool& handled) {
  if (message == platform::msg::kTimer && wParam == kCheckTimer) {
    handled = true;
    // A box already open tells the user; the check runs again when it is closed.
    if (!m_bTelling) (void)CorrectFields();
    return 0;
  }
  if (message == platform::msg::kDestroy) platform::Windows().KillTimer(window, kCheckTimer);
  return CButtonEditorDlg::OnMessage(window, message, wParam, lParam, handled);
}
