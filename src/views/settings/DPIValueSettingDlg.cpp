#include "views/settings/DPIValueSettingDlg.h"

#include <algorithm>

#include "base/Language.h"
#include "platform/Keys.h"
#include "profiles/SensorDpiTable.h"
#include "ui/DialogParts.h"
#include "ui/EditBox.h"
#include "ui/ImageButton.h"
#include "ui/SkinImage.h"
#include "ui/SliderControl.h"
#include "ui/StaticImage.h"
#include "ui/StaticText.h"
#include "views/main/SettingsTexts.h"

namespace {
constexpr int kDpiTitleText = 11;
constexpr int kThumbHalf = 7;
constexpr int kMaxTypedDigits = 5;
constexpr CDPIValueSettingDlg::Layout kSingleLayout{319, 140, u"Frame_dialog2.bmp"};
}  // namespace

CDPIValueSettingDlg::CDPIValueSettingDlg(const SensorDpiTable& table, int index,
                                         platform::WindowId parent)
    : CDPIValueSettingDlg(table, index, index, 1, kSingleLayout, parent) {}

CDPIValueSettingDlg::CDPIValueSettingDlg(const SensorDpiTable& table, int xIndex, int yIndex,
                                         int axes, const Layout& layout, platform::WindowId parent)
    : CDlgBase(kDialogTemplate, parent),
      m_rules(table, xIndex, yIndex),
      m_nAxes(std::clamp(axes, 1, 2)),
      m_layout(layout) {
  m_nWidth = layout.width;  // the dialog base scales it
  m_nHeight = layout.height;
}

CDPIValueSettingDlg::~CDPIValueSettingDlg() = default;

platform::Rect CDPIValueSettingDlg::Scaled(const platform::Rect& rc) const {
  return {ui::Scaled(rc.left), ui::Scaled(rc.top), ui::Scaled(rc.right), ui::Scaled(rc.bottom)};
}

void CDPIValueSettingDlg::InitUI(const platform::Rect&) {
  const platform::WindowId w = GetSafeHwnd();
  const int width = m_layout.width;
  ui::AddCloseCross(*this, kCloseButton, ui::CloseCrossRect(width));
  ui::AddTitle(*this, kTitleLabel, width, LangText(kDpiTitleText));

  // One row per axis: [label] bar with slider, DPI text, edit box.
  const int left = m_nAxes > 1 ? 40 : 20;
  for (int a = 0; a < m_nAxes; ++a) {
    const uint32_t id = kFirstRowId + static_cast<uint32_t>(a) * kRowStep;
    const int top = m_nAxes > 1 ? 40 + a * 34 : 46;
    if (m_nAxes > 1) {
      AddControl(0, std::make_unique<CStaticText>(w, id + kAxisLabelOffset,
                                                  Scaled({16, top, 36, top + 20}), kTextNormal,
                                                  platform::dt::kLeft, a == 0 ? u"X" : u"Y"));
    }
    const platform::Rect bar = Scaled({left, top + 3, left + 200, top + 17});
    auto image = std::make_unique<CStaticImage>(w, id + kBarOffset, bar);
    image->SetImage(ui::SkinPath(u"Slider_bar2.png"));
    AddControl(0, std::move(image));
    auto slider =
        std::make_unique<CSliderControl>(w, id + kSliderOffset, bar, m_rules.MaxIndex() + 1,
                                         ui::Scaled(kThumbHalf), ui::Scaled(kThumbHalf), u"");
    slider->SetThumbImage(ui::SkinPath(u"Slider_Circle.png"));
    Row& row = m_rows[static_cast<size_t>(a)];
    row.slider = AddControl(0, std::move(slider));
    auto text = std::make_unique<CStaticText>(w, id + kTextOffset,
                                              Scaled({left + 206, top, left + 256, top + 20}),
                                              kTextHover, platform::dt::kLeft, u"");
    text->SetFont(g_nFontHeight, u"Tahoma");
    row.text = AddControl(0, std::move(text));
    auto edit =
        std::make_unique<CEditBox>(w, id + kEditOffset,
                                   m_nAxes > 1 ? Scaled({left + 262, top - 2, left + 332, top + 22})
                                               : Scaled({20, 84, 120, 108}));
    edit->LoadDefaultImages();
    edit->SetNumeric(0, 99999);
    edit->SetMaxLength(kMaxTypedDigits);
    row.edit = AddControl(0, std::move(edit));
  }
  auto ok = std::make_unique<CImageButton>(w, kOkButton, Scaled({width - 79, 110, width - 10, 130}),
                                           LangText(settings_text::kOk));
  ok->SetImageNormal(ui::SkinPath(u"button2_nr.png"));
  ok->SetImageHover(ui::SkinPath(u"button2_ov.png"));
  AddControl(0, std::move(ok));
  InitExtras();
  ui::LoadBitmapFile(ui::SkinPath(m_layout.frame), m_frame, m_sizeFrameImage);
  ShowAxes();
  SetFocusControl(m_rows[0].edit);
  m_rows[0].edit->SelectAll();
}

void CDPIValueSettingDlg::DrawWindow(platform::Canvas& canvas, const platform::Rect& client) {
  DrawBackgroundAndFrame(canvas, client);
  if (m_frame) {
    canvas.DrawImage(*m_frame, Scaled({0, 0, m_layout.width, m_layout.height}),
                     ui::ImagePixels(*m_frame, {0, 0, std::min(m_layout.width, m_sizeFrameImage.cx),
                                                std::min(m_layout.height, m_sizeFrameImage.cy)}));
  }
  DrawControls(canvas, client);
}

void CDPIValueSettingDlg::ShowAxes(unsigned rewrite) {
  for (int a = 0; a < m_nAxes; ++a) {
    const auto axis = static_cast<DpiDialogRules::Axis>(a);
    const auto i = static_cast<size_t>(a);
    Row& row = m_rows[i];
    row.slider->SetValue(m_rules.Index(axis));
    row.text->SetTitle(m_rules.DpiText(axis));
    if ((rewrite & (1u << a)) != 0 || m_shownIndex[i] != m_rules.Index(axis)) {
      row.edit->SetTitle(m_rules.DpiText(axis));
      m_shownIndex[i] = m_rules.Index(axis);
      const platform::Rect edit = row.edit->GetRect();
      InvalidateRect(&edit);
    }
    const platform::Rect rc = row.slider->GetRect();
    InvalidateRect(&rc);
  }
}

bool CDPIValueSettingDlg::Edited(DpiDialogRules::Axis axis) const {
  return m_rows[static_cast<size_t>(axis)].edit->GetText() != m_rules.DpiText(axis);
}

void CDPIValueSettingDlg::ApplyEdit(DpiDialogRules::Axis axis) {
  if (axis >= m_nAxes) return;
  m_rules.ApplyTyped(axis, m_rows[static_cast<size_t>(axis)].edit->GetText());
  ShowAxes(1u << axis);
}

void CDPIValueSettingDlg::ApplyAllEdits() {
  // Every text is read before any is applied: applying one may rewrite the other box.
  std::array<std::u16string, 2> typed;
  std::array<bool, 2> edited{};
  for (int a = 0; a < m_nAxes; ++a) {
    const auto axis = static_cast<DpiDialogRules::Axis>(a);
    typed[static_cast<size_t>(a)] = m_rows[static_cast<size_t>(a)].edit->GetText();
    edited[static_cast<size_t>(a)] = Edited(axis);
  }
  unsigned applied = 0;
  for (int pass = 0; pass < 2; ++pass) {
    for (int a = 0; a < m_nAxes; ++a) {
      const auto axis = static_cast<DpiDialogRules::Axis>(a);
      // Pass 0 takes the other boxes, pass 1 the one typed into last.
      if (!edited[static_cast<size_t>(a)] || (axis == m_typedLast) != (pass == 1)) continue;
      m_rules.ApplyTyped(axis, typed[static_cast<size_t>(a)]);
      applied |= 1u << a;
    }
  }
  ShowAxes(applied);
}

std::optional<DpiDialogRules::Axis> CDPIValueSettingDlg::FocusedAxis() const {
  const CControlBase* focus = GetFocusControl();
  for (int a = 0; a < m_nAxes; ++a) {
    if (focus && focus == m_rows[static_cast<size_t>(a)].edit) {
      return static_cast<DpiDialogRules::Axis>(a);
    }
  }
  return std::nullopt;
}

void CDPIValueSettingDlg::OnOK() {
  if (const auto axis = FocusedAxis()) {
    ApplyEdit(*axis);
  } else {
    ApplyAllEdits();
  }
}

void CDPIValueSettingDlg::Finish(intptr_t result) {
  if (result == kIdOk) ApplyAllEdits();
  ResetControls();
  EndDialog(result);
}

platform::LResult CDPIValueSettingDlg::OnMessage(platform::WindowId window, uint32_t message,
                                                 platform::WParam wParam, platform::LParam lParam,
                                                 bool& handled) {
  if (message == platform::msg::kChar) {
    if (const auto axis = FocusedAxis()) m_typedLast = *axis;
  }
  if (message == platform::msg::kClose) {
    // Escape stays inside the dialog, but the main window closing everything must not.
    handled = true;
    Finish(kIdCancel);
    return 0;
  }
  if (message == platform::msg::kKeyDown &&
      (wParam == platform::kVkLeft || wParam == platform::kVkRight)) {
    // The arrows step the index of the focused axis, not the edit box's caret.
    const auto axis = m_nAxes == 1 ? std::optional(DpiDialogRules::kX) : FocusedAxis();
    if (axis) {
      m_rules.Step(*axis, wParam == platform::kVkLeft ? -1 : 1);
      ShowAxes(1u << *axis);
    }
    handled = true;
    return 0;
  }
  if (message >= kFirstRowId && message < kFirstRowId + 2 * kRowStep &&
      (message - kFirstRowId) % kRowStep == kSliderOffset &&
      (lParam == Notify::kValueChanged || lParam == Notify::kClicked)) {
    const auto axis = static_cast<DpiDialogRules::Axis>((message - kFirstRowId) / kRowStep);
    if (axis < m_nAxes) {
      // The slider being dragged leads.
      m_rules.Set(axis, m_rows[static_cast<size_t>(axis)].slider->GetValue());
      ShowAxes(1u << axis);
    }
    handled = true;
    return 0;
  }
  if (lParam == Notify::kClicked && (message == kOkButton || message == kCloseButton)) {
    handled = true;
    Finish(message == kOkButton ? kIdOk : kIdCancel);
    return 0;
  }
  if (message >= 1025 && OnExtraMessage(message, lParam)) {
    handled = true;
    return 0;
  }
  return CDlgBase::OnMessage(window, message, wParam, lParam, handled);
}
