#pragma once
// The always-present part of the main page (layer 0): the mouse picture and its number
// highlight, the decorations, connection and battery indicators, the section headings, the
// window buttons, the page tabs, the apply button, the version label and the web link.
// Controls of the fixed area that belong to a feature (button fields, profile bar, power
// options, manager and reset buttons) are built by that feature's part.

#include <array>
#include <memory>
#include <optional>

#include "device/ConnectionMode.h"
#include "platform/Canvas.h"
#include "views/main/PagePart.h"
#include "views/main/PageTabs.h"

class CBattery;
class CCheckButton;
class CStaticText;

class FixedArea : public PagePart, public ButtonHighlight {
 public:
  static constexpr uint32_t kMousePicture = 3400;
  static constexpr uint32_t kCloseButton = 2001;
  static constexpr uint32_t kMinimizeButton = 2002;
  // A second minimise message: no control of ours sends it, the window still answers it.
  static constexpr uint32_t kMinimizeMessage = 2048;
  static constexpr uint32_t kApplyButton = 2047;
  static constexpr uint32_t kVersionLabel = 3021;
  static constexpr uint32_t kNotLinkedLabel = 3024;
  static constexpr uint32_t kStatusWired = 3409;
  static constexpr uint32_t kStatusWireless = 3410;
  static constexpr uint32_t kStatusBle = 3408;
  static constexpr uint32_t kBatteryText = 3405;
  static constexpr uint32_t kBattery = 3406;
  static constexpr uint32_t kWebLink = 3503;
  // The section headings (disabled check buttons).
  static constexpr uint32_t kBatteryHeading = 3007;
  static constexpr uint32_t kButtonsHeading = 3008;
  static constexpr uint32_t kProfilesHeading = 3009;
  static constexpr uint32_t kPowerHeading = 3010;
  // The maker's web page: shown by the link and opened by it.
  static constexpr const char16_t* kWebAddress = u"https://www.vantrel.example/";

  void Build(CDlgBase& dialog, PartRegistry& registry) override;
  void Refresh() override {}
  platform::LResult OnMessage(uint32_t message, platform::WParam wParam,
                              platform::LParam lParam) override;

  // Button number 1..14 highlighted on the mouse picture, 0 for none; repaints the picture's
  // area when it changes. Numbers 10..14 draw nothing.
  void Highlight(int number) override;
  int Highlighted() const { return m_nHighlight; }
  // Draws the highlighted number over the picture (after the controls).
  void DrawHighlight(platform::Canvas& canvas, const platform::Rect& update);
  void OnScaleChanged() override;
  // Where number n (1..9) is drawn; nothing for other numbers.
  static std::optional<platform::Point> NumberPoint(int number);

  // The connection image of `mode`, none without one.
  void ShowConnection(std::optional<ConnectionMode::Kind> mode);
  void ShowNotLinked(bool show);
  void ShowBattery(int level, int chargeState, int animation);

  // The tabs' on/off states as the check buttons show them.
  page::TabStates Tabs() const;
  // Places tab `tabId`'s header at `top` of the page column.
  void PlaceTab(uint32_t tabId, int top);

 private:
  void SwitchTab(uint32_t tabId);

  CDlgBase* m_dialog = nullptr;
  ViewServices* m_services = nullptr;
  CBattery* m_pBattery = nullptr;
  CStaticText* m_pBatteryText = nullptr;
  std::array<CCheckButton*, page::kTabCount> m_tabs{};
  int m_nHighlight = 0;
  void LoadNumbers();
  std::array<std::unique_ptr<platform::Image>, 9> m_numbers;
};
