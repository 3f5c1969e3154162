#include "views/buttons/ShortcutDlg.h"

#include "base/Language.h"
#include "platform/KeyEventParam.h"
#include "platform/Platform.h"
#include "ui/CheckButton.h"
#include "ui/SkinImage.h"
#include "ui/StaticText.h"
#include "views/buttons/AssignmentMenus.h"
#include "views/buttons/ButtonTexts.h"

namespace {

using BFC = ButtonFunctionCode;

constexpr platform::Colour kKeyColour = kTextDown;
constexpr platform::Colour kKeyBoxFill = 0x1F1A14;
constexpr platform::Colour kKeyBoxEdge = 0x635449;
constexpr platform::Rect kKeyBox{116, 70, 404, 94};

struct Modifier {
  uint32_t id;
  const char16_t* label;
  uint8_t bit;
  int left;
};
// Shown, and named, in Ctrl, Shift, Alt, Win order.
constexpr std::array<Modifier, 4> kModifiers = {{
    {CShortcutDlg::kCtrlCheck, u"Ctrl", BFC::kCtrl, 24},
    {CShortcutDlg::kShiftCheck, u"Shift", BFC::kShift, 116},
    {CShortcutDlg::kAltCheck, u"Alt", BFC::kAlt, 208},
    {CShortcutDlg::kWinCheck, u"Win", BFC::kWin, 300},
}};

}  // namespace

CShortcutDlg::CShortcutDlg(platform::WindowId parent, uint32_t fieldId)
    : CButtonEditorDlg(parent, fieldId, buttons::text::kShortcutTitle,
                       buttons::msg::kShortcutResult) {}

CShortcutDlg::~CShortcutDlg() {
  StopHook();
}

void CShortcutDlg::InitUI(const platform::Rect&) {
  InitFrame(Buttons::OkAndCancel);
  const platform::WindowId w = GetSafeHwnd();
  for (size_t i = 0; i < kModifiers.size(); ++i) {
    const Modifier& m = kModifiers[i];
    auto* check = AddControl(
        0, std::make_unique<CCheckButton>(w, m.id, Place(m.left, 44, m.left + 14, 58), u"", false));
    check->SetImageNormal(ui::SkinPath(u"check_nr.png"));
    check->SetImageHover(ui::SkinPath(u"check_ov.png"));
    check->SetImageDown(ui::SkinPath(u"check_dn.png"));
    m_checks[i] = check;
    AddLabel(3400, Place(m.left + 20, 40, m.left + 88, 62), m.label,
             platform::dt::kLeft | platform::dt::kVCenter | platform::dt::kSingleLine);
  }
  AddLabel(3400, Place(24, 70, 112, 94), LangText(buttons::text::kKeyLabel),
           platform::dt::kLeft | platform::dt::kVCenter | platform::dt::kSingleLine);
  m_pKeyText =
      AddLabel(kKeyText, Place(kKeyBox.left + 8, kKeyBox.top, kKeyBox.right - 4, kKeyBox.bottom),
               u"", platform::dt::kLeft | platform::dt::kVCenter | platform::dt::kSingleLine);
  m_pKeyText->SetColour(kKeyColour);

  m_bHookStarted = platform::Sys().StartKeyboardHook(GetSafeHwnd());
}

void CShortcutDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  const platform::Rect box = Place(kKeyBox.left, kKeyBox.top, kKeyBox.right, kKeyBox.bottom);
  canvas.FillRect(box, kKeyBoxFill);
  canvas.FrameRect(box, kKeyBoxEdge);
  DrawControls(canvas, client);
}

void CShortcutDlg::StopHook() {
  // Stopping is harmless when it never started; it must not outlive the window it reports to.
  if (!m_bHookStarted) return;
  m_bHookStarted = false;
  platform::Sys().StopKeyboardHook();
}

uint8_t CShortcutDlg::CheckedModifiers() const {
  uint8_t modifiers = 0;
  for (size_t i = 0; i < kModifiers.size(); ++i) {
    if (m_checks[i] && m_checks[i]->GetCheck()) modifiers |= kModifiers[i].bit;
  }
  return modifiers;
}

void CShortcutDlg::OnOkClicked() {
  if (auto choice = m_capture.Result(CheckedModifiers())) SendResult(std::move(*choice));
  Finish(kIdOk);
}

platform::LResult CShortcutDlg::OnMessage(platform::WindowId window, uint32_t message,
                                          platform::WParam wParam, platform::LParam lParam,
                                          bool& handled) {
  if (message == platform::kKeyEventMessage) {
    handled = true;
    if (m_capture.OnKey(static_cast<uint8_t>(wParam & 0xFF)) && m_pKeyText) {
      m_pKeyText->SetTitle(m_capture.KeyName());
    }
    return 0;
  }
  if (message == platform::msg::kDestroy) StopHook();
  return CButtonEditorDlg::OnMessage(window, message, wParam, lParam, handled);
}
