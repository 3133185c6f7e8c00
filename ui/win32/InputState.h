// The modifier keys and points that come with window messages, in the
// toolkit's terms.
#pragma once
#include "ui/win32/Win32Api.h"

namespace ui::win32 {

// Shift and Ctrl from the key state of the message being handled; Alt from
// the message itself (its context bit), as WM_SYSKEYDOWN reports it.
ShiftState KeyShiftState(LPARAM keyData);
// Shift and Ctrl from a mouse message's key flags; Alt from the key state.
ShiftState MouseShiftState(WPARAM keyFlags);
// The client point of a mouse message.
Point MousePoint(LPARAM position);

}  // namespace ui::win32
