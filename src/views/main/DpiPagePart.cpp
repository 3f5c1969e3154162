#include "views/main/DpiPagePart.h"

#include <algorithm>

#include "base/Language.h"
#include "profiles/ProfileSettings.h"
#include "profiles/SensorDpiTable.h"
#include "ui/CheckButton.h"
#include "ui/ColorSelectButton.h"
#include "ui/DPIRadioButton.h"
#include "ui/DPIValueShowControl.h"
#include "ui/DlgBase.h"
#include "ui/SharedSelection.h"
#include "ui/VerticalSliderControl.h"
#include "views/main/DpiPageRules.h"
#include "views/settings/ColorPaletteDlg.h"
#include "views/settings/DPIValueSettingDlg.h"
#include "views/settings/DPIValueSyncSettingDlg.h"

namespace {
// Eight columns of 33 pixels; from the top: the level button, the enable box with the colour,
// the bar, the value field. The page is 158 high so that the next page starts 196 below it.
constexpr int kColumn = 33;
constexpr int kLeft = 1;
constexpr int kColumnWidth = 31;

int SliderStops(const SensorDpiTable& table) {
  return std::max(table.count, 1);
}
}  // namespace

void DpiPagePart::Build(CDlgBase& dialog, PartRegistry& registry) {
  Attach(dialog, registry);
  const platform::WindowId w = Hwnd();
  // Creation order of the page: boxes, colours, sliders, value fields, level buttons.
  for (int n = 0; n < 8; ++n) {
    const int x = kLeft + n * kColumn;
    m_levels[n].check = AddCheck(kFirstCheck + n, {x + 1, 25, x + 15, 39}, u"check_button_dpi");
  }
  for (int n = 0; n < 8; ++n) {
    const int x = kLeft + n * kColumn;
    m_levels[n].colour =
        Add(std::make_unique<CColorSelectButton>(w, kFirstColour + n, platform::Rect{}),
            {x + 16, 25, x + 30, 39});
  }
  for (int n = 0; n < 8; ++n) {
    const int x = kLeft + n * kColumn;
    auto slider = std::make_unique<CVerticalSliderControl>(w, kFirstSlider + n, platform::Rect{},
                                                           SliderStops(Table()), 0, 0, u"");
    slider->SetImageEmpty(ui::SkinPath(u"mouse\\dpi_bar_1.png"));
    slider->SetImageFilled(ui::SkinPath(u"mouse\\dpi_bar_2.png"));
    m_levels[n].slider = Add(std::move(slider), {x + 10, 43, x + 20, 125});
  }
  for (int n = 0; n < 8; ++n) {
    const int x = kLeft + n * kColumn;
    auto value = std::make_unique<CDPIValueShowControl>(w, kFirstValue + n, platform::Rect{});
    value->LoadDefaultImages();
    m_levels[n].value = Add(std::move(value), {x, 128, x + kColumnWidth, 156});
  }
  for (int n = 0; n < 8; ++n) {
    const int x = kLeft + n * kColumn;
    auto level = std::make_unique<CDPIRadioButton>(w, kFirstLevel + n, platform::Rect{}, u"");
    level->SetImage(ui::SkinPath(u"dpi_value.png"));
    // Five digits must fit the narrow button.
    level->SetFont(std::max(g_nFontHeight - ui::Scaled(5), ui::Scaled(10)), u"Tahoma");
    m_levels[n].level = Add(std::move(level), {x, 4, x + kColumnWidth, 22});
  }
  registry.RouteMessages(kFirstCheck, kLastValue, *this);
}

void DpiPagePart::ShowLevel(int n) {
  const DpiLevelView view = DpiPageRules::Level(Profile(), Table(), n);
  const SensorDpiTable& table = Table();
  LevelControls& c = m_levels[static_cast<size_t>(n)];
  c.check->SetCheck(view.enabled);
  c.colour->SetColour(view.colour);
  c.slider->SetValue(view.sliderPosition);
  // A level that is switched off reads as off: empty bar and field, grey text.
  c.slider->SetDimmed(!view.enabled);
  c.value->SetDimmed(!view.enabled);
  c.level->SetTitle(view.dpiText);
  c.level->SetTextColour(view.textColour);
  // A disabled level cannot be made active.
  c.level->SetDisable(!view.enabled);
  c.value->SetIndexes(view.sliderPosition, DpiPageRules::ShownIndex(table, view.yIndex),
                      table.count);
  const std::u16string y = DpiPageRules::DpiText(table, view.yIndex);
  c.value->SetTexts(view.dpiText, y == view.dpiText ? u"" : y);
}

void DpiPagePart::Refresh() {
  m_nActiveLevel = Profile().ActiveDpiLevel();
  g_nDpiLevelFlags = (g_nDpiLevelFlags & ~0xFFu) | ((1u << (m_nActiveLevel + 1)) - 1u);
  for (int n = 0; n < 8; ++n) ShowLevel(n);
}

void DpiPagePart::Collect(ProfileSettings& profile) {
  uint8_t mask = 0;
  for (int n = 0; n < 8; ++n) {
    if (m_levels[static_cast<size_t>(n)].check->GetCheck()) mask |= static_cast<uint8_t>(1u << n);
  }
  profile.DPIOffOnFlagValue = mask;
  profile.CurrentDPILevelValue = static_cast<uint8_t>(m_nActiveLevel);
}

void DpiPagePart::Changed() {
  Services().RefreshPage();
  Services().MarkPending(ViewServices::Group::Dpi);
}

void DpiPagePart::OnNotice(uint32_t message, platform::WParam wParam, platform::LParam lParam) {
  if (message < kFirstCheck || message > kLastValue) return;
  const int n = static_cast<int>((message - kFirstCheck) % 10);
  if (n >= 8) return;
  switch ((message - kFirstCheck) / 10) {
    case 0:
      if (lParam == Notify::kClicked) OnCheck(n);
      break;
    case 1:
      if (lParam == Notify::kClicked) OnColour(n);
      break;
    case 2:
      OnSlider(n, lParam, static_cast<int>(wParam));
      break;
    case 3:
      if (lParam == Notify::kClicked) OnLevel(n);
      break;
    case 4:
      if (lParam == Notify::kClicked) OnValue(n);
      break;
    default:
      break;
  }
}

void DpiPagePart::OnCheck(int n) {
  CCheckButton* check = m_levels[static_cast<size_t>(n)].check;
  ProfileSettings& profile = Profile();
  if (DpiPageRules::ToggleLevel(profile, n, check->GetCheck()) == DpiPageRules::Toggle::Refused) {
    check->SetCheck(true);
    Invalidate(check);
    return;
  }
  m_nActiveLevel = profile.ActiveDpiLevel();
  Changed();
}

void DpiPagePart::OnLevel(int n) {
  if (!DpiPageRules::SelectLevel(Profile(), n)) return;
  m_nActiveLevel = n;
  Changed();
}

void DpiPagePart::OnSlider(int n, platform::LParam code, int value) {
  if (Table().count <= 0) return;
  LevelControls& c = m_levels[static_cast<size_t>(n)];
  if (code == Notify::kValueChanged) {
    // While dragging: the X index follows and the level shows it; the write waits for the
    // release (and the mouse's own reports are ignored meanwhile).
    DpiPageRules::SetSliderIndex(Profile(), Table(), n, value);
    ShowLevel(n);
    Invalidate(c.level);
    Invalidate(c.value);
    Services().MarkPendingWhileDragging(ViewServices::Group::Dpi);
  } else if (code == Notify::kClicked) {
    DpiPageRules::SetSliderIndex(Profile(), Table(), n, c.slider->GetValue());
    Changed();
  }
}

bool DpiPagePart::OnDrag(platform::Point pt) {
  bool changed = false;
  for (LevelControls& c : m_levels) {
    if (!c.slider->IsDragging() || !c.slider->IsDrawable()) continue;
    const int before = c.slider->GetValue();
    c.slider->OnMouseMove(0, pt.x, pt.y);
    Invalidate(c.slider);
    changed = changed || c.slider->GetValue() != before;
  }
  return changed;
}

void DpiPagePart::OnColour(int n) {
  CColorPaletteDlg palette(Profile(), CColorPaletteDlg::Kind::DpiLevel, n, 0,
                           Dialog().GetSafeHwnd());
  if (palette.DoModal() != CDlgBase::kIdOk) return;
  Changed();
}

void DpiPagePart::OnValue(int n) {
  const SensorDpiTable& table = Table();
  if (table.count <= 0) return;  // no DPI can be chosen
  const auto level = static_cast<size_t>(n);
  ProfileSettings& profile = Profile();
  const int x = profile.XYSettingValueX[level];
  const int y = profile.XYSettingValueY[level];
  if (table.separateXY) {
    CDPIValueSyncSettingDlg dialog(table, x, y, Dialog().GetSafeHwnd());
    if (dialog.DoModal() != CDlgBase::kIdOk) return;
    DpiPageRules::ApplyXYDialog(profile, table, n, dialog.XIndex(), dialog.YIndex());
  } else {
    CDPIValueSettingDlg dialog(table, x, Dialog().GetSafeHwnd());
    if (dialog.DoModal() != CDlgBase::kIdOk) return;
    DpiPageRules::ApplySingleDialog(profile, table, n, dialog.Index());
  }
  Changed();
}

void DpiPagePart::OnSensorTableChanged() {
  for (LevelControls& c : m_levels) c.slider->SetStopCount(SliderStops(Table()));
  Refresh();
}
