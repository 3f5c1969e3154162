#pragma once
// Page 2 (tab 3002): the lighting effect. Effect box 3120 with its menu (1144 open, 1145
// result, 1146 closed), speed slider 3200 and brightness slider 3220 with their bars and
// values, colour slots 3180..3187, direction radios 3240 / 3250. Which of them show depends on
// the effect. A single click on a colour slot toggles it 150 ms later (timers 1..8); a double
// click opens the palette instead. Every change marks the DPI group.

#include <array>
#include <cstdint>

#include "views/main/PageTabs.h"
#include "views/main/SettingsPagePart.h"

class CColorSelectCheckButton;
class CComboButton;
class CRadioButton;
class CSliderControl;
class CStaticImage;
class CStaticText;

class LightingPagePart : public SettingsPagePart {
 public:
  static constexpr uint32_t kTab = page::kLightingTab;
  static constexpr int kHeight = 102;
  static constexpr uint32_t kEffectBox = 3120;
  static constexpr uint32_t kEffectBoxMessage = 1144;
  static constexpr uint32_t kEffectChosen = 1145;
  static constexpr uint32_t kEffectMenuClosed = 1146;
  static constexpr int kEffectMenuKind = 9;
  static constexpr int kEffectMenuSlot = 9;
  static constexpr uint32_t kColourLabel = 3161;
  static constexpr uint32_t kBrightnessLabel = 3162;
  static constexpr uint32_t kSpeedLabel = 3163;
  static constexpr uint32_t kDirectionLabel = 3164;
  static constexpr uint32_t kFirstColour = 3180;
  static constexpr uint32_t kSpeedBar = 3190;
  static constexpr uint32_t kBrightnessBar = 3191;
  static constexpr uint32_t kSpeedSlider = 3200;
  static constexpr uint32_t kSpeedValue = 3210;
  static constexpr uint32_t kBrightnessSlider = 3220;
  static constexpr uint32_t kBrightnessValue = 3230;
  static constexpr uint32_t kDirectionUp = 3240;
  static constexpr uint32_t kDirectionDown = 3250;
  static constexpr uint32_t kClickDelayMs = 150;

  LightingPagePart() : SettingsPagePart(kTab, kHeight) {}

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  void Refresh() override;
  void Collect(ProfileSettings& profile) override;
  void OnNotice(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
  void OnTimer(uintptr_t id) override;

 private:
  // What timer (slot + 1) does when it fires.
  enum class SlotTimer { None, Toggle, Palette };

  void OnColourButton(int slot, platform::LParam code);
  void OnSlider(CSliderControl* slider, platform::LParam code);
  void OpenEffectMenu();
  void OnEffectChosen(platform::LParam entry);
  void CloseEffectMenu();
  void ShowSliderValues();
  void Changed();

  CComboButton* m_effect = nullptr;
  std::array<CStaticText*, 4> m_labels{};  // colour, brightness, speed, direction
  CStaticImage* m_speedBar = nullptr;
  CStaticImage* m_brightnessBar = nullptr;
  CSliderControl* m_speed = nullptr;
  CSliderControl* m_brightness = nullptr;
  CStaticText* m_speedValue = nullptr;
  CStaticText* m_brightnessValue = nullptr;
  std::array<CColorSelectCheckButton*, 8> m_colours{};
  CRadioButton* m_up = nullptr;
  CRadioButton* m_down = nullptr;
  std::array<SlotTimer, 8> m_slotTimers{};
};
