// The part that every peer of the Win32 backend shares: the window that
// stands for a control, its font and background brush, the common
// properties, and the routing of window messages. Our own windows (forms and
// containers) get their peer when they are made; system controls are
// subclassed. A parent reflects WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* to
// the peer of the child they are about. Places, sizes and fonts of the
// controls are in 96-DPI pixels; a peer scales them by its form's DPI, and
// turns the window's points back into 96-DPI pixels (ui/Scaling.h).
#pragma once
#include "ui/win32/GdiObjects.h"
#include "ui/win32/Win32Api.h"

namespace ui::win32 {

class WindowPeer {
 public:
  static constexpr const char* kFormClass = "UiForm";
  static constexpr const char* kContainerClass = "UiContainer";
  // Registers the classes of our own windows (once per process).
  static void RegisterClasses();

  virtual ~WindowPeer();
  WindowPeer(const WindowPeer&) = delete;
  WindowPeer& operator=(const WindowPeer&) = delete;

  HWND Handle() const { return hwnd_; }
  Control& TheControl() const { return control_; }
  // The peer of one of our windows; nullptr for any other window.
  static WindowPeer* FromHandle(HWND window);
  // The window peer of a control; nullptr when it has none.
  static WindowPeer* Of(const Control& control);

  // Shows a property of the control in the window.
  virtual void Changed(Prop what);
  // Notifications reflected by the parent window.
  virtual void Command(WORD code) {}
  virtual LRESULT Notify(NMHDR& header) { return 0; }
  // WM_CTLCOLOR*: sets the text and background colours and returns the
  // brush for the background; nullptr leaves it to the system.
  virtual HBRUSH ControlColor(HDC dc);
  // WM_CONTEXTMENU for this window (sent to it or to its parent): a control
  // with a context-menu handler gets the request instead of the window's
  // own menu. False when the control does not take it.
  virtual bool ContextMenu(LPARAM screenPosition);
  // A brush of the control's colour.
  HBRUSH BackgroundBrush();
  HFONT CurrentFont() const { return font_.get(); }
  // The DPI of the form that holds the control.
  int Dpi() const;

 protected:
  explicit WindowPeer(Control& control) : control_(control) {}
  // Makes the window at bounds (client coordinates of parent, or the screen
  // for a form).
  void Create(const char* className, DWORD style, DWORD exStyle, HWND parent, int id, const RECT& bounds);
  // WS_CHILD with the control's visibility and enabled state.
  DWORD ChildStyle() const;
  // The control's bounds in the window's pixels.
  RECT ControlBounds() const;
  // The background of the parent control (for controls drawn transparently).
  HBRUSH ParentBrush() const;

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Where a context menu asked for by keyboard opens, in 96-DPI client pixels.
  virtual Point KeyboardMenuPoint() { return {0, 0}; }

 private:
  static LRESULT CALLBACK OwnClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND window);
  void Detach();
  void ApplyFont();
  void ApplyVisible();
  void ReportFocus();
  bool HasFocusWithin() const;

  Control& control_;
  HWND hwnd_ = nullptr;
  WNDPROC systemProc_ = nullptr;  // set for subclassed system controls
  FontHandle font_;
  BrushHandle brush_;
};

// Gives the focus to the first control of a form's window that takes it, or
// to the form's window itself when none does.
void FocusFirstControl(HWND form);

}  // namespace ui::win32
