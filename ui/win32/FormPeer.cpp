#include "ui/win32/FormPeer.h"

#include <functional>

#include "ui/Scaling.h"
#include "ui/win32/Dpi.h"

namespace ui::win32 {
namespace {

Button* FindButton(const WinControl& container, const std::function<bool(const Button&)>& wanted) {
  for (Control* child : container.Controls()) {
    if (auto* button = dynamic_cast<Button*>(child); button && wanted(*button)) return button;
    if (auto* inner = dynamic_cast<WinControl*>(child)) {
      if (Button* found = FindButton(*inner, wanted)) return found;
    }
  }
  return nullptr;
}

// Takes a window of the form, visible and enabled.
bool CanFocus(HWND window) { return window && IsWindowVisible(window) && IsWindowEnabled(window); }

}  // namespace

FormPeer::FormPeer(Form& form) : WindowPeer(form), form_(form) {
  WindowPeer* owner = form.Owner() ? Of(*form.Owner()) : nullptr;
  const Size client = ScaleToDpi(Size{form.Width(), form.Height()}, form.Dpi());
  RECT bounds{0, 0, client.Width, client.Height};
  AdjustWindowRectEx(&bounds, Style(form), FALSE, ExStyle(form));
  OffsetRect(&bounds, form.Left() - bounds.left, form.Top() - bounds.top);
  Create(kFormClass, Style(form), ExStyle(form), owner ? owner->Handle() : nullptr, 0, bounds);
  if (form.AccessibleDialog) dialogRole_ = std::make_unique<DialogRole>(Handle());
  // The window may have come up on a screen of another scale than the
  // system's (the form has no peer yet, so its controls are laid out later).
  if (const int dpi = WindowDpi(Handle()); dpi != form.Dpi()) {
    App().Dispatch([&] { form.SetDpi(dpi); });
    ApplyBounds();
    WindowPeer::Changed(Prop::Font);
  }
  if (!form.IconResource.empty()) {
    const HICON icon = LoadIconA(GetModuleHandleA(nullptr), form.IconResource.c_str());
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
}

// No minimise or maximise box ever; the system menu (and with it the close
// button) only with CloseButton; a dialog frame keeps the icon away.
DWORD FormPeer::Style(const Form& form) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  if (form.Border == BorderStyle::Sizeable) style |= WS_THICKFRAME;
  if (form.CloseButton) style |= WS_SYSMENU;
  return style;
}

DWORD FormPeer::ExStyle(const Form& form) {
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (form.Border == BorderStyle::Dialog || form.IconResource.empty()) exStyle |= WS_EX_DLGMODALFRAME;
  return exStyle;
}

void FormPeer::Changed(Prop what) {
  switch (what) {
    case Prop::Bounds:
      if (!syncing_) ApplyBounds();
      break;
    case Prop::Visible:  // Show and Hide do it
      break;
    case Prop::Focus:
      ApplyFocus();
      break;
    case Prop::Scale:
      if (!syncing_) ApplyBounds();
      WindowPeer::Changed(Prop::Font);
      break;
    case Prop::Taskbar:
      taskbar_.Show(Handle(), form_.Taskbar());
      break;
    default:
      WindowPeer::Changed(what);
  }
}

// The outer size follows from the client size; should the frame turn out
// other than AdjustWindowRectEx said, the difference is made up once.
void FormPeer::ApplyBounds() {
  if (!Handle()) return;
  syncing_ = true;
  const Size wanted = ScaleToDpi(Size{form_.Width(), form_.Height()}, form_.Dpi());
  RECT outer{0, 0, wanted.Width, wanted.Height};
  AdjustWindowRectEx(&outer, GetWindowLongA(Handle(), GWL_STYLE), FALSE,
                     GetWindowLongA(Handle(), GWL_EXSTYLE));
  int width = outer.right - outer.left, height = outer.bottom - outer.top;
  SetWindowPos(Handle(), nullptr, form_.Left(), form_.Top(), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(Handle(), &client);
  if (client.right != wanted.Width || client.bottom != wanted.Height) {
    width += wanted.Width - client.right;
    height += wanted.Height - client.bottom;
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  }
  syncing_ = false;
}

// The user moved or resized the window: the form takes its new place.
void FormPeer::StoreWindowBounds() {
  if (syncing_ || IsIconic(Handle())) return;
  RECT window, client;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  syncing_ = true;
  const int dpi = form_.Dpi();
  App().Dispatch([&] {
    form_.SetBounds(window.left, window.top, UnscaleFromDpi(client.right, dpi), UnscaleFromDpi(client.bottom, dpi));
  });
  syncing_ = false;
}

void FormPeer::Place() {
  RECT area;
  WindowPeer* owner = form_.Owner() ? Of(*form_.Owner()) : nullptr;
  if (form_.Position == FormPosition::Designed) return;
  if (form_.Position == FormPosition::OwnerFormCenter && owner && IsWindowVisible(owner->Handle())) {
    GetWindowRect(owner->Handle(), &area);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    area = monitor.rcMonitor;
  }
  const Size client = ScaleToDpi(Size{form_.Width(), form_.Height()}, form_.Dpi());
  RECT outer{0, 0, client.Width, client.Height};
  AdjustWindowRectEx(&outer, Style(form_), FALSE, ExStyle(form_));
  const int left = area.left + (area.right - area.left - (outer.right - outer.left)) / 2;
  const int top = area.top + (area.bottom - area.top - (outer.bottom - outer.top)) / 2;
  form_.SetBounds(left, top, form_.Width(), form_.Height());
}

// A form already on the screen only comes to the front.
void FormPeer::Show() {
  if (!IsWindowVisible(Handle())) {
    previousActive_ = GetActiveWindow();
    // A modal form without an owner form stays in front of the window it
    // interrupts.
    borrowedOwner_ = form_.IsModal() && !form_.Owner() && previousActive_;
    if (borrowedOwner_) {
      SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(previousActive_));
    }
    Place();
    // Accelerator letters are underlined from the start.
    SendMessageA(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL | UISF_HIDEFOCUS), 0);
    ShowWindow(Handle(), SW_SHOW);
  }
  SetForegroundWindow(Handle());
  ApplyFocus();
}

void FormPeer::Hide() {
  if (!Handle()) return;
  const bool wasActive = GetActiveWindow() == Handle();
  ShowWindow(Handle(), SW_HIDE);
  if (borrowedOwner_) SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, 0);
  borrowedOwner_ = false;
  if (wasActive && CanFocus(previousActive_)) SetActiveWindow(previousActive_);
  previousActive_ = nullptr;
}

void FormPeer::ApplyFocus() {
  if (!Handle() || !IsWindowVisible(Handle())) return;
  WindowPeer* active = form_.ActiveControl() ? Of(*form_.ActiveControl()) : nullptr;
  if (active && CanFocus(active->Handle()) && GetFocus() != active->Handle()) SetFocus(active->Handle());
}

// The window moved to a monitor of another scale: it goes where the system
// suggests, and the form and its controls are laid out again at the new DPI.
void FormPeer::DpiChanged(int dpi, const RECT& suggested) {
  syncing_ = true;
  App().Dispatch([&] { form_.SetBounds(suggested.left, suggested.top, form_.Width(), form_.Height()); });
  syncing_ = false;
  App().Dispatch([&] { form_.SetDpi(dpi); });
}

Button* FormPeer::FlaggedButton(bool Button::*flag) const {
  return FindButton(form_, [flag](const Button& b) { return b.*flag && b.Showing() && b.Enabled(); });
}

void FormPeer::ClickFlaggedButton(bool Button::*flag) {
  if (Button* button = FlaggedButton(flag)) App().Dispatch([button] { button->Click(); });
}

LRESULT FormPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:  // the close button, the system menu, Alt+F4
      App().Dispatch([this] { form_.Close(); });
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) StoreWindowBounds();
      break;
    case WM_MOVE:
      StoreWindowBounds();
      break;
    case WM_DPICHANGED:
      DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SETFOCUS: {
      // The form passes the focus on to its active control, as a dialog does.
      WindowPeer* active = form_.ActiveControl() ? Of(*form_.ActiveControl()) : nullptr;
      if (active && CanFocus(active->Handle())) {
        SetFocus(active->Handle());
      } else if (const HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE); CanFocus(first)) {
        SetFocus(first);
      } else {
        App().Dispatch([this] { form_.SetActiveControl(nullptr); });
      }
      return 0;
    }
    case WM_DEVICECHANGE:  // a disc inserted or taken out, among others
      if (form_.IsModal() && form_.OnDeviceWatch) App().Dispatch(form_.OnDeviceWatch);
      break;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush());
      return 1;
    }
    case DM_GETDEFID:  // IsDialogMessage asks which button answers Enter
      if (Button* button = FlaggedButton(&Button::Default); button && Of(*button)) {
        return MAKELONG(GetDlgCtrlID(Of(*button)->Handle()), DC_HASDEFID);
      }
      return 0;
    case WM_COMMAND:
      // Escape, as IsDialogMessage reports it, clicks the Cancel button.
      if (LOWORD(wParam) == IDCANCEL && !FromHandle(reinterpret_cast<HWND>(lParam))) {
        ClickFlaggedButton(&Button::Cancel);
        return 0;
      }
      break;
    default:
      break;
  }
  return WindowPeer::HandleMessage(message, wParam, lParam);
}

}  // namespace ui::win32
