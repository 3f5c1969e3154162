#pragma once
// Names for the main page's controls that show a picture instead of a caption, and roles
// where the class does not tell (page tabs and headings are drawn as check buttons), so that
// a screen reader can say what each one is.

class CDlgBase;

// Texts of the names, in both language files.
namespace accname {
constexpr int kMouse = 441;
constexpr int kWired = 442;
constexpr int kWireless = 443;
constexpr int kBluetooth = 444;
constexpr int kBattery = 445;
constexpr int kPowerSaving = 446;
constexpr int kButtonField = 449;  // "%d": the button's number
constexpr int kProfileSelector = 450;
constexpr int kDpiLevelOn = 457;  // "%d": the level's number, here and below
constexpr int kDpiLevelColour = 458;
constexpr int kDpiLevelBar = 459;
constexpr int kDpiLevelValue = 460;
constexpr int kLightingColour = 461;
constexpr int kDirectionUp = 462;
constexpr int kDirectionDown = 463;
constexpr int kPollingRate = 464;
constexpr int kLightingEffect = 465;
}  // namespace accname

// Called once the page is built.
void NameMainPageControls(CDlgBase& window);
