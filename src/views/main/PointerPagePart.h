#pragma once
// Page 3 (tab 3003): the pointer options, shown and saved but never sent to the mouse nor
// applied to the system. Mouse-properties button 3330 (opens the system's settings), sliders
// 2043 (pointer speed), 2041 (scroll speed), 2044 (double-click speed) with their values,
// acceleration box 2030, scroll by lines / by page radios 2009 / 2010. Changes only lead to
// the delayed save.

#include <cstdint>

#include "views/main/PageTabs.h"
#include "views/main/SettingsPagePart.h"

class CCheckButton;
class CRadioButton;
class CSliderControl;
class CStaticText;

class PointerPagePart : public SettingsPagePart {
 public:
  static constexpr uint32_t kTab = page::kPointerTab;
  static constexpr int kHeight = 214;
  static constexpr uint32_t kMousePropertiesButton = 3330;
  static constexpr const char16_t* kMousePropertiesCommand =
      u"rundll32.exe shell32.dll,Control_RunDLL main.cpl,,2";
  static constexpr uint32_t kPointerValue = 3130;
  static constexpr uint32_t kScrollValue = 3131;
  static constexpr uint32_t kDoubleClickValue = 3132;
  static constexpr uint32_t kFirstLabel = 3133;
  static constexpr uint32_t kFirstBar = 3139;

  PointerPagePart() : SettingsPagePart(kTab, kHeight) {}

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  void Refresh() override;
  void Collect(ProfileSettings& profile) override;
  void OnNotice(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;

 private:
  void ShowValues();
  void EnableScrollSpeed();

  CSliderControl* m_pointer = nullptr;
  CSliderControl* m_scroll = nullptr;
  CSliderControl* m_doubleClick = nullptr;
  CStaticText* m_pointerValue = nullptr;
  CStaticText* m_scrollValue = nullptr;
  CStaticText* m_doubleClickValue = nullptr;
  CCheckButton* m_acceleration = nullptr;
  CRadioButton* m_byLines = nullptr;
  CRadioButton* m_byPage = nullptr;
};
