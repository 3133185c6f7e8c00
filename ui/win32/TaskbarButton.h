// The progress shown on a window's taskbar button, through the shell's
// ITaskbarList3 (Windows 7 and later). Where the system lacks the interface,
// or COM is not initialised for the thread, the button shows nothing and
// nothing fails.
#pragma once
#include "ui/win32/Win32Api.h"
// After Win32Api.h: these need <windows.h>.
#include <shobjidl.h>

#include "platform/win32/ShellPointers.h"

namespace ui::win32 {

class TaskbarButton {
 public:
  void Show(HWND window, const TaskbarProgress& progress);

 private:
  platform::win32::ComPtr<ITaskbarList3> list_;
  bool looked_ = false;  // for the interface, once
};

}  // namespace ui::win32
