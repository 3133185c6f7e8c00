// The DPI of the screen where windows appear and of the screen a window is
// on. The calls of newer systems are looked up at run time; older ones
// answer with the system DPI of the screen's device context.
#pragma once
#include "ui/win32/Win32Api.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace ui::win32 {

int SystemDpi();
// The DPI of the monitor that holds window (the system DPI where the system
// scales windows per monitor not at all).
int WindowDpi(HWND window);

}  // namespace ui::win32
