#pragma once
// Language texts of the companion in the tray: game profiles, battery notices, the tray's
// tip and its start-with-Windows entry.

namespace companion_text {

constexpr int kGamesEntry = 471;  // the profile tab's context menu
constexpr int kGamesTitle = 472;  // the dialog's title; %s = the profile's name
constexpr int kAdd = 473;
constexpr int kRemove = 474;
constexpr int kProgramFilter = 475;  // the file-open dialog's filter
constexpr int kChooseProgram = 476;  // the file-open dialog's title
constexpr int kGamesHint = 477;      // what the list is for
constexpr int kOsdProfile = 478;     // the on-screen display's caption above a profile's name
constexpr int kBatteryLow = 479;     // the notice's title
constexpr int kChargeSoon = 480;     // below 20 %
constexpr int kChargeNow = 481;      // below 5 %
constexpr int kTipBattery = 482;     // "%d%%" discharging
constexpr int kTipCharging = 483;    // "%d%%" charging
constexpr int kTipCharged = 484;     // "%d%%" full
constexpr int kStartWithWindows = 485;
constexpr int kAutoStartFailed = 486;

}  // namespace companion_text
