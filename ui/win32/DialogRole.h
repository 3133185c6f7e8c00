// Tells screen readers that a window is a dialog, through the system's
// accessibility annotations (IAccPropServices): a reader then reads the
// window's texts when it opens. The annotation goes with the object; where
// the system lacks the service, or COM is not initialised for the thread,
// nothing is annotated and nothing fails.
#pragma once
#include "ui/win32/Win32Api.h"
// After Win32Api.h: this needs <windows.h>.
#include <oleacc.h>

#include "platform/win32/ShellPointers.h"

namespace ui::win32 {

class DialogRole {
 public:
  explicit DialogRole(HWND window);
  ~DialogRole();
  DialogRole(const DialogRole&) = delete;
  DialogRole& operator=(const DialogRole&) = delete;

 private:
  HWND window_;
  platform::win32::ComPtr<IAccPropServices> services_;
};

}  // namespace ui::win32
