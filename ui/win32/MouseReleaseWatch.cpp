#include "ui/win32/MouseReleaseWatch.h"

#include "ui/win32/InputState.h"

namespace ui::win32 {

thread_local MouseReleaseWatch* MouseReleaseWatch::current_ = nullptr;

MouseReleaseWatch::MouseReleaseWatch(HWND window, UINT releaseMessage)
    : window_(window),
      releaseMessage_(releaseMessage),
      hook_(SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId())),
      outer_(current_) {
  current_ = this;
}

MouseReleaseWatch::~MouseReleaseWatch() {
  current_ = outer_;
  if (hook_) UnhookWindowsHookEx(hook_);
}

void MouseReleaseWatch::Delivered(HWND window) {
  for (MouseReleaseWatch* watch = current_; watch; watch = watch->outer_) {
    if (watch->window_ == window) watch->swallowed_ = false;
  }
}

LRESULT CALLBACK MouseReleaseWatch::GetMessageHook(int code, WPARAM removal, LPARAM message) {
  const MSG& msg = *reinterpret_cast<const MSG*>(message);
  MouseReleaseWatch* watch = current_;
  if (code == HC_ACTION && removal == PM_REMOVE && watch && msg.message == watch->releaseMessage_) {
    const Point at = MousePoint(msg.lParam);
    POINT point{at.X, at.Y};
    MapWindowPoints(msg.hwnd, watch->window_, &point, 1);
    watch->swallowed_ = true;
    watch->at_ = {point.x, point.y};
  }
  return CallNextHookEx(nullptr, code, removal, message);
}

}  // namespace ui::win32
