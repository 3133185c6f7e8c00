#include "ui/win32/Dpi.h"

#include "ui/win32/GdiObjects.h"

namespace ui::win32 {
namespace {

template <class Proc>
Proc User32Proc(const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

}  // namespace

int SystemDpi() {
  using GetDpiForSystemProc = UINT(WINAPI*)();
  static const auto getDpiForSystem = User32Proc<GetDpiForSystemProc>("GetDpiForSystem");
  if (getDpiForSystem) return static_cast<int>(getDpiForSystem());
  ScreenDC screen;
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int WindowDpi(HWND window) {
  using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = User32Proc<GetDpiForWindowProc>("GetDpiForWindow");
  const int dpi = getDpiForWindow && window ? static_cast<int>(getDpiForWindow(window)) : 0;
  return dpi > 0 ? dpi : SystemDpi();
}

}  // namespace ui::win32
