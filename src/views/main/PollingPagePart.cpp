#include "views/main/PollingPagePart.h"

#include <algorithm>

#include "base/Language.h"
#include "device/ConnectionMode.h"
#include "device/DeviceLink.h"
#include "profiles/PollingRate.h"
#include "profiles/ProfileSettings.h"
#include "ui/ComboButton.h"
#include "ui/DialRegions.h"
#include "ui/DlgBase.h"
#include "ui/PollingRate1000Button.h"
#include "ui/PollingRate2000Button.h"
#include "ui/PollingRate250Button.h"
#include "ui/PollingRate4000Button.h"
#include "ui/PollingRate8000Button.h"
#include "ui/RadioButton.h"
#include "ui/SharedSelection.h"
#include "ui/StaticText.h"
#include "views/main/PollingRules.h"
#include "views/main/SettingsTexts.h"
#include "views/settings/ComboPollingPopup.h"

namespace {
constexpr platform::Rect kDialPlace{12, 8, 252, 88};
}  // namespace

void PollingPagePart::Build(CDlgBase& dialog, PartRegistry& registry) {
  Attach(dialog, registry);
  const platform::WindowId w = Hwnd();
  const CDialRegions regions = CDialRegions::Load();
  std::unique_ptr<CPollingRateButton> dials[5] = {
      std::make_unique<CPollingRate8000Button>(w, platform::Rect{}, regions),
      std::make_unique<CPollingRate4000Button>(w, platform::Rect{}, regions),
      std::make_unique<CPollingRate2000Button>(w, platform::Rect{}, regions),
      std::make_unique<CPollingRate1000Button>(w, platform::Rect{}, regions),
      std::make_unique<CPollingRate250Button>(w, platform::Rect{}, regions)};
  for (auto& dial : dials) {
    dial->LoadDefaultImages();
    const uint32_t id = dial->m_uID;
    m_dials[id - kFirstDial] = Add(std::move(dial), kDialPlace);
  }

  auto box = std::make_unique<CComboButton>(w, kRateBox, platform::Rect{}, kRateBoxMessage, u"",
                                            u"", ControlOptions{.disabled = true});
  box->SetImageNormal(ui::SkinPath(u"combo2_nr.png"));
  box->SetImageHover(ui::SkinPath(u"combo2_ov.png"));
  box->SetFormat(platform::dt::kLeft);
  box->SetTextOffset(8, 24);
  // It only shows the rate: disabled for good, it reads as a field, not as switched off.
  box->m_enDisabledLook = CControlBase::DisabledLook::AsEnabled;
  m_rateBox = Add(std::move(box), {8, 96, 178, 120});

  // The receiver's alternative rate buttons: kept, never offered on this page.
  const int texts[4] = {settings_text::kRate125, settings_text::kRate250, settings_text::kRate500,
                        settings_text::kRate1000};
  const char16_t* images[4] = {u"125hz", u"250hz", u"500hz", u"1000hz"};
  for (int i = 0; i < 4; ++i) {
    const int x = 8 + i * 52;
    auto* radio = AddRadio(kFirstRadio + i, {x, 130, x + 48, 152}, images[i]);
    radio->SetShow(false);
    m_radios[static_cast<size_t>(i)] = radio;
    AddLabel(3142 + i, {x, 152, x + 48, 170}, LangText(texts[i]))->SetShow(false);
  }
  for (int i = 0; i < 7; ++i) {
    const int x = 8 + (i % 4) * 66;
    const int y = 176 + (i / 4) * 22;
    auto* radio = AddRadio(kFirstRadio2 + i, {x, y + 3, x + 14, y + 17});
    radio->SetShow(false);
    m_radios[static_cast<size_t>(4 + i)] = radio;
    AddLabel(3146 + i, {x + 18, y, x + 64, y + 20}, PollingRate::Label(static_cast<uint8_t>(i)))
        ->SetShow(false);
  }

  registry.RouteMessages(kFirstRadio, kLastDial, *this);
  registry.RouteMessages(kRateBoxMessage, kRateMenuClosed, *this);
}

CPollingRateButton* PollingPagePart::Dial(uint32_t id) const {
  if (id < kFirstDial || id > kLastDial) return nullptr;
  return m_dials[id - kFirstDial];
}

int PollingPagePart::PollingClass() const {
  return Services().Link().MaxPollingClass();
}

void PollingPagePart::ShowDials(int pollingClass) {
  const PollingDial offered = PollingRules::DialFor(pollingClass);
  // With no rate to offer the four-rate dial stays in sight, disabled.
  const uint32_t shown = offered.id != 0 ? offered.id : PollingRules::kDial1000;
  for (uint32_t id = kFirstDial; id <= kLastDial; ++id) {
    CPollingRateButton* dial = Dial(id);
    dial->SetShow(id == shown);
    dial->SetDisable(id != offered.id);
  }
}

void PollingPagePart::Refresh() {
  const ProfileSettings& profile = Profile();
  const int index = PollingRules::StoredIndex(profile);
  g_nPollingRateIndex = index;
  ShowDials(PollingClass());
  m_rateBox->SetTitle(profile.PollingRateName);
  // The alternative buttons follow the rate but stay disabled.
  for (CRadioButton* radio : m_radios) radio->SetDisable(true);
  const RadioGroupBits first = RadioBitsOf(kFirstRadio);
  const RadioGroupBits second = RadioBitsOf(kFirstRadio2);
  g_nRadioFlags &= ~(first.group | second.group);
  if (index < 4) g_nRadioFlags |= RadioBitsOf(kFirstRadio + static_cast<uint32_t>(index)).own;
  if (index < PollingRules::kRateCount) {
    g_nRadioFlags |= RadioBitsOf(kFirstRadio2 + static_cast<uint32_t>(index)).own;
  }
}

void PollingPagePart::OnPollingChoices(int connectionKind, int maxPollingClass) {
  if (connectionKind == ConnectionMode::Wireless) {
    const int choices = PollingRules::ReceiverChoices(maxPollingClass);
    for (int i = 0; i < 7; ++i) m_radios[static_cast<size_t>(4 + i)]->SetDisable(i >= choices);
  }
  if (connectionKind == ConnectionMode::Wired || connectionKind == ConnectionMode::Wireless) {
    ShowDials(maxPollingClass);
  }
}

void PollingPagePart::StoreRate(int index) {
  if (index < 0) return;
  (void)PollingRules::StoreRate(Profile(), index);
  Services().MarkPending(ViewServices::Group::Dpi);
  Services().RefreshPage();
}

platform::LResult PollingPagePart::OnMessage(uint32_t message, platform::WParam,
                                             platform::LParam lParam) {
  if (CPollingRateButton* dial = Dial(message)) {
    if (lParam != Notify::kClicked) return 0;
    // A click outside every area of the dial chooses nothing.
    const int area = dial->HoverRegion();
    if (area < 0 || area >= dial->RegionCount()) return 0;
    StoreRate(PollingRules::IndexForArea(PollingClass(), area));
    return 0;
  }
  if (message >= kFirstRadio && message < kFirstDial) {
    if (lParam != Notify::kClicked) return 0;
    const int index =
        static_cast<int>(message < kFirstRadio2 ? message - kFirstRadio : message - kFirstRadio2);
    const std::vector<int> offered = PollingRules::OfferedIndices(PollingClass());
    if (std::find(offered.begin(), offered.end(), index) != offered.end()) StoreRate(index);
    return 0;
  }
  switch (message) {
    case kRateBoxMessage:
      if (lParam == Notify::kClicked) OpenRateMenu();
      break;
    case kRateChosen:
      m_rateBox->SetMenuOpen(false);
      StoreRate(PollingRules::IndexForArea(PollingClass(), static_cast<int>(lParam)));
      break;
    case kRateMenuClosed:
      m_rateBox->SetMenuOpen(false);
      Dialog().ClosePopup(kRateMenuSlot);
      break;
    default:
      break;
  }
  return 0;
}

void PollingPagePart::OpenRateMenu() {
  std::vector<MenuItem> items;
  for (int index : PollingRules::OfferedIndices(PollingClass())) {
    items.push_back(
        {PollingRate::Label(static_cast<uint8_t>(index)), static_cast<platform::LParam>(index)});
  }
  if (items.empty()) return;
  auto popup = std::make_unique<CComboPollingPopup>(std::move(items));
  platform::Size size = popup->MeasureSize();
  size.cx = std::max(size.cx, m_rateBox->GetRect().Width());
  const platform::Rect rc = MenuBelow(*m_rateBox, size);
  m_rateBox->SetMenuOpen(true);
  Dialog().OpenPopup(kRateMenuSlot, std::move(popup), rc, kRateChosen, kRateBox);
}
