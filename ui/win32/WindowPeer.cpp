#include "ui/win32/WindowPeer.h"

#include <cstring>
#include <stdexcept>

#include "ui/Scaling.h"

namespace ui::win32 {
namespace {

// The window property that holds a window's peer.
constexpr const char* kPeerProperty = "UiWindowPeer";

}  // namespace

void WindowPeer::RegisterClasses() {
  for (const char* name : {kFormClass, kContainerClass}) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = OwnClassProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    // A second backend in the same process finds the classes registered.
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
      throw std::runtime_error(std::string("无法注册窗口类 ") + name);
    }
  }
}

WindowPeer::~WindowPeer() {
  const HWND window = hwnd_;
  Detach();
  if (window) DestroyWindow(window);
}

WindowPeer* WindowPeer::FromHandle(HWND window) {
  return window ? static_cast<WindowPeer*>(GetPropA(window, kPeerProperty)) : nullptr;
}

WindowPeer* WindowPeer::Of(const Control& control) { return dynamic_cast<WindowPeer*>(control.Peer()); }

void WindowPeer::Create(const char* className, DWORD style, DWORD exStyle, HWND parent, int id,
                        const RECT& bounds) {
  const bool ownClass =
      std::strcmp(className, kFormClass) == 0 || std::strcmp(className, kContainerClass) == 0;
  const HWND window = CreateWindowExA(exStyle, className, control_.Caption().c_str(), style, bounds.left,
                                      bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                                      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleA(nullptr), ownClass ? this : nullptr);
  if (!window) throw std::runtime_error("无法创建窗口 " + control_.Name());
  if (!ownClass) {
    Attach(window);
    systemProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  }
  ApplyFont();
}

void WindowPeer::Attach(HWND window) {
  hwnd_ = window;
  SetPropA(window, kPeerProperty, this);
}

void WindowPeer::Detach() {
  if (!hwnd_) return;
  RemovePropA(hwnd_, kPeerProperty);
  if (systemProc_) SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(systemProc_));
  hwnd_ = nullptr;
}

DWORD WindowPeer::ChildStyle() const {
  return WS_CHILD | WS_CLIPSIBLINGS | (control_.Visible() ? WS_VISIBLE : 0) |
         (control_.Enabled() ? 0 : WS_DISABLED);
}

int WindowPeer::Dpi() const {
  const Form* form = control_.OwnerForm();
  return form ? form->Dpi() : kDefaultDpi;
}

RECT WindowPeer::ControlBounds() const {
  const Rect bounds = ScaleToDpi(control_.BoundsRect(), Dpi());
  return {bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
}

HBRUSH WindowPeer::BackgroundBrush() {
  if (!brush_) brush_ = MakeBrush(control_.GetColor());
  return brush_.get();
}

HBRUSH WindowPeer::ParentBrush() const {
  WindowPeer* parent = control_.Parent() ? Of(*control_.Parent()) : nullptr;
  return parent ? parent->BackgroundBrush() : nullptr;
}

HBRUSH WindowPeer::ControlColor(HDC dc) {
  SetTextColor(dc, ToColorRef(control_.GetFont().FontColor));
  SetBkColor(dc, ToColorRef(control_.GetColor()));
  return BackgroundBrush();
}

// ------------------------------------------------------------- properties

void WindowPeer::Changed(Prop what) {
  if (!hwnd_) return;
  switch (what) {
    case Prop::Bounds: {
      const RECT bounds = ControlBounds();
      SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case Prop::Caption:
      SetWindowTextA(hwnd_, control_.Caption().c_str());
      break;
    case Prop::Visible:
      ApplyVisible();
      break;
    case Prop::Enabled: {
      const bool hadFocus = HasFocusWithin();
      EnableWindow(hwnd_, control_.Enabled());
      if (hadFocus && !control_.Enabled()) FocusFirstControl(GetAncestor(hwnd_, GA_ROOT));
      break;
    }
    case Prop::Font:
      ApplyFont();
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case Prop::Scale:  // through the peer's own handling of both
      Changed(Prop::Bounds);
      Changed(Prop::Font);
      break;
    case Prop::Color:
      brush_.reset();
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    default:
      break;
  }
}

void WindowPeer::ApplyFont() {
  font_ = MakeFont(control_.GetFont(), Dpi());
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

// A hidden window keeps no focus: it moves on to the first control that
// takes it, so that the keyboard still reaches the form.
void WindowPeer::ApplyVisible() {
  if (!control_.Visible()) {
    const bool hadFocus = HasFocusWithin();
    ShowWindow(hwnd_, SW_HIDE);
    if (hadFocus) FocusFirstControl(GetAncestor(hwnd_, GA_ROOT));
  } else {
    ShowWindow(hwnd_, SW_SHOWNA);
  }
}

bool WindowPeer::HasFocusWithin() const {
  const HWND focus = GetFocus();
  return focus && (focus == hwnd_ || IsChild(hwnd_, focus));
}

void FocusFirstControl(HWND form) {
  const HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
  SetFocus(first && IsWindowVisible(first) && IsWindowEnabled(first) ? first : form);
}

// --------------------------------------------------------------- messages

LRESULT CALLBACK WindowPeer::OwnClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* peer = static_cast<WindowPeer*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    peer->Attach(window);
  }
  WindowPeer* peer = FromHandle(window);
  return peer ? peer->HandleMessage(message, wParam, lParam)
              : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK WindowPeer::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowPeer* peer = FromHandle(window);
  return peer ? peer->HandleMessage(message, wParam, lParam)
              : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT WindowPeer::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return systemProc_ ? CallWindowProcA(systemProc_, hwnd_, message, wParam, lParam)
                     : DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT WindowPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (WindowPeer* child = FromHandle(reinterpret_cast<HWND>(lParam)); child && child != this) {
        child->Command(HIWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lParam);
      if (WindowPeer* child = FromHandle(header.hwndFrom); child && child != this) {
        return child->Notify(header);
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      if (WindowPeer* child = FromHandle(reinterpret_cast<HWND>(lParam)); child && child != this) {
        if (HBRUSH brush = child->ControlColor(reinterpret_cast<HDC>(wParam))) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      break;
    case WM_SETFOCUS:
      ReportFocus();
      break;
    case WM_SETCURSOR:
      if (App().ScreenCursor() == Cursor::HourGlass) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CONTEXTMENU:
      if (WindowPeer* target = FromHandle(reinterpret_cast<HWND>(wParam));
          target && target->ContextMenu(lParam)) {
        return 0;
      }
      break;
    case WM_NCDESTROY: {
      const LRESULT result = DefaultProc(message, wParam, lParam);
      Detach();
      return result;
    }
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

// The form learns which of its controls has the focus.
void WindowPeer::ReportFocus() {
  Form* form = control_.Parent() ? control_.OwnerForm() : nullptr;
  if (form) App().Dispatch([&] { form->SetActiveControl(&control_); });
}

bool WindowPeer::ContextMenu(LPARAM screenPosition) {
  if (!control_.OnContextPopup) return false;
  POINT screen{static_cast<short>(LOWORD(screenPosition)), static_cast<short>(HIWORD(screenPosition))};
  Point at;
  if (screenPosition == -1) {  // the menu key: at the control's own point
    at = KeyboardMenuPoint();
    const Point client = ScaleToDpi(at, Dpi());
    screen = {client.X, client.Y};
    ClientToScreen(hwnd_, &screen);
  } else {
    POINT client = screen;
    ScreenToClient(hwnd_, &client);
    at = UnscaleFromDpi(Point{client.x, client.y}, Dpi());
  }
  App().Dispatch([&] { control_.DoContextPopup(at, {screen.x, screen.y}); });
  return true;
}

}  // namespace ui::win32
