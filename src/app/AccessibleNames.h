#pragma once
// Names for the main page's controls that show a picture instead of a caption, and roles
// where the class does not tell (page tabs and headings are drawn as check buttons), so that
// a screen reader can say what each one is.

class CDlgBase;

// Texts of the names, in both language files.
namespace accname {
constexpr int kMouse = 470;
constexpr int kWired = 471;
constexpr int kWireless = 472;
constexpr int kBluetooth = 473;
constexpr int kBattery = 474;
constexpr int kPowerSaving = 475;
constexpr int kButtonField = 478;  // "%d": the button's number
constexpr int kProfileSelector = 479;
constexpr int kDpiLevelOn = 486;  // "%d": the level's number, here and below
constexpr int kDpiLevelColour = 487;
constexpr int kDpiLevelBar = 488;
constexpr int kDpiLevelValue = 489;
constexpr int kLightingColour = 490;
constexpr int kDirectionUp = 491;
constexpr int kDirectionDown = 492;
constexpr int kPollingRate = 493;
constexpr int kLightingEffect = 494;
}  // namespace accname

// Called once the page is built.
void NameMainPageControls(CDlgBase& window);
