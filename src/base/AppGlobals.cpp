#include "base/AppGlobals.h"

std::u16string g_strExeDir;
std::u16string g_strDataDir;
float g_fUiScale = 1.0f;
float g_fDpiScale = 1.0f;
