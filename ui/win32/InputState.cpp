#include "ui/win32/InputState.h"

namespace ui::win32 {

ShiftState KeyShiftState(LPARAM keyData) {
  ShiftState shift;
  shift.Shift = GetKeyState(VK_SHIFT) < 0;
  shift.Ctrl = GetKeyState(VK_CONTROL) < 0;
  shift.Alt = (keyData & (1 << 29)) != 0;
  return shift;
}

ShiftState MouseShiftState(WPARAM keyFlags) {
  ShiftState shift;
  shift.Shift = (keyFlags & MK_SHIFT) != 0;
  shift.Ctrl = (keyFlags & MK_CONTROL) != 0;
  shift.Alt = GetKeyState(VK_MENU) < 0;
  return shift;
}

Point MousePoint(LPARAM position) {
  return {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

}  // namespace ui::win32
