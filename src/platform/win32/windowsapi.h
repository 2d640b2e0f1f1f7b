#pragma once

// <windows.h> without the min/max macros and the rarely used parts, so it can
// sit beside Qt's and the standard headers.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
