// While a tree view handles a button press itself, it may run its own
// drag-detection loop, which takes the button's release out of the queue
// so that the tree's window never receives it. The watch, alive for the
// duration of that handling, notes such a release and where it was made.
#pragma once
#include "ui/win32/Win32Api.h"

namespace ui::win32 {

class MouseReleaseWatch {
 public:
  // Watches for releaseMessage (WM_LBUTTONUP, WM_RBUTTONUP) taken from the
  // queue by this thread.
  MouseReleaseWatch(HWND window, UINT releaseMessage);
  ~MouseReleaseWatch();
  MouseReleaseWatch(const MouseReleaseWatch&) = delete;
  MouseReleaseWatch& operator=(const MouseReleaseWatch&) = delete;

  // True when the release was taken from the queue and not handed on to the
  // window (see Delivered).
  bool Swallowed() const { return swallowed_; }
  // The release point in the window's client pixels.
  Point ReleasePoint() const { return at_; }
  // The window received the release after all: nothing is swallowed.
  static void Delivered(HWND window);

 private:
  static LRESULT CALLBACK GetMessageHook(int code, WPARAM removal, LPARAM message);
  static thread_local MouseReleaseWatch* current_;

  HWND window_;
  UINT releaseMessage_;
  HHOOK hook_;
  MouseReleaseWatch* outer_;
  bool swallowed_ = false;
  Point at_;
};

}  // namespace ui::win32
