#pragma once
// Process-wide folders and scale factors, set once during start-up.

#include <array>
#include <string>

#include "platform/Types.h"

// The running executable's folder and the per-user data folder, each with a trailing
// backslash. skins\ paths are relative to the first; config\ and update\ to the second.
extern std::u16string g_strExeDir;
extern std::u16string g_strDataDir;
// The data folder's name inside the user's application-data folder; the program and the
// command-line tool share it.
inline constexpr const char16_t* kDataFolderName = u"GamingMouseData20250627A";
// Layout scale (1.0): every coordinate is multiplied by it and truncated.
extern float g_fUiScale;
// Logical pixels per inch of the main window divided by 96.
extern float g_fDpiScale;

// Window handles of the open skinned dialogs; each dialog enters itself on opening and leaves
// on destruction. Exit and device removal close them all.
constexpr int kOpenDialogSlots = 10;
extern std::array<platform::WindowId, kOpenDialogSlots> g_hOpenDialogs;

// The mouse's own "active" state as last reported; also set at start-up.
extern bool g_bDeviceActive;
