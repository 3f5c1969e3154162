#pragma once
// <windows.h> for the adapter. Its A/W macros would rename methods of the platform
// interfaces (CreateWindow, SendMessage, DrawText, ...) in some translation units and not in
// others, so they are removed here; adapter code calls the ...W functions by name.

#include <windows.h>

#undef CreateDirectory
#undef CreateFont
#undef CreateWindow
#undef DrawText
#undef PostMessage
#undef SendMessage
