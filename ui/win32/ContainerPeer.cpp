#include "ui/win32/ContainerPeer.h"

namespace ui::win32 {

ContainerPeer::ContainerPeer(WinControl& container, HWND parent, int id) : WindowPeer(container) {
  // Tab and Shift+Tab go through the controls inside it.
  Create(kContainerClass, ChildStyle() | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent, id, ControlBounds());
}

LRESULT ContainerPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush());
    return 1;
  }
  return WindowPeer::HandleMessage(message, wParam, lParam);
}

}  // namespace ui::win32
