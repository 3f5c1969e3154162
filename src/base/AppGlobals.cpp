#include "base/AppGlobals.h"

std::u16string g_strExeDir;
std::u16string g_strDataDir;
float g_fUiScale = 1.0f;
float g_fDpiScale = 1.0f;
std::array<platform::WindowId, kOpenDialogSlots> g_hOpenDialogs{};
bool g_bDeviceActive = false;
