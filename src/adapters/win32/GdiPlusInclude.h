#pragma once
// GDI+ headers need <objidl.h> first and min/max, which NOMINMAX removes; their own
// warnings are not ours to fix.

#include "adapters/win32/WindowsInclude.h"

#include <objidl.h>

#include <algorithm>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <gdiplus.h>
#pragma GCC diagnostic pop
