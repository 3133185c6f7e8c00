#include "ui/win32/Win32Backend.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "ui/win32/ButtonPeer.h"
#include "ui/win32/ContainerPeer.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/EditPeer.h"
#include "ui/win32/FormPeer.h"
#include "ui/win32/ImagePeer.h"
#include "ui/win32/LabelPeer.h"
#include "ui/win32/MessageRouting.h"
#include "ui/win32/PageControlPeer.h"
#include "ui/win32/ProgressBarPeer.h"
#include "ui/win32/TreeViewPeer.h"

namespace ui::win32 {
namespace {

FormPeer& PeerOf(Form& form) {
  auto* peer = dynamic_cast<FormPeer*>(form.Peer());
  if (!peer) throw std::logic_error("the form '" + form.Name() + "' has no window");
  return *peer;
}

// Keeps the thread's other top-level windows from taking input while a
// modal form runs.
class OtherWindowsDisabled {
 public:
  explicit OtherWindowsDisabled(HWND modal) : modal_(modal) {
    EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
    for (const HWND window : disabled_) EnableWindow(window, FALSE);
  }
  ~OtherWindowsDisabled() {
    for (const HWND window : disabled_) {
      if (IsWindow(window)) EnableWindow(window, TRUE);
    }
  }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM self) {
    auto& scope = *reinterpret_cast<OtherWindowsDisabled*>(self);
    if (window != scope.modal_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
      scope.disabled_.push_back(window);
    }
    return TRUE;
  }
  HWND modal_;
  std::vector<HWND> disabled_;
};

// The lines of a text: "\r\n", "\r" and "\n" each end one.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

}  // namespace

Win32Backend::Win32Backend() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
  WindowPeer::RegisterClasses();
}

// ------------------------------------------------------------------ peers

void Win32Backend::CreatePeers(Form& form) {
  if (!form.Peer()) form.AttachPeer(std::make_unique<FormPeer>(form));
  const HWND window = PeerOf(form).Handle();
  for (Control* child : form.Controls()) CreatePeer(*child, window);
}

void Win32Backend::CreatePeer(Control& control, HWND parent) {
  if (!control.Peer()) control.AttachPeer(MakePeer(control, parent));
  const WindowPeer* peer = WindowPeer::Of(control);
  if (auto* container = dynamic_cast<WinControl*>(&control); container && peer) {
    for (Control* child : container->Controls()) CreatePeer(*child, peer->Handle());
  }
}

std::unique_ptr<ControlPeer> Win32Backend::MakePeer(Control& control, HWND parent) {
  const int id = nextControlId_++;
  if (auto* pages = dynamic_cast<PageControl*>(&control))
    return std::make_unique<PageControlPeer>(*pages, parent, id);
  if (auto* sheet = dynamic_cast<TabSheet*>(&control))
    return std::make_unique<TabSheetPeer>(*sheet, parent, id);
  if (auto* panel = dynamic_cast<WinControl*>(&control))
    return std::make_unique<ContainerPeer>(*panel, parent, id);
  if (auto* label = dynamic_cast<Label*>(&control)) return std::make_unique<LabelPeer>(*label, parent, id);
  if (auto* button = dynamic_cast<Button*>(&control))
    return std::make_unique<ButtonPeer>(*button, parent, id);
  if (auto* edit = dynamic_cast<Edit*>(&control)) return std::make_unique<EditPeer>(*edit, parent, id);
  if (auto* bar = dynamic_cast<ProgressBar*>(&control))
    return std::make_unique<ProgressBarPeer>(*bar, parent, id);
  if (auto* image = dynamic_cast<Image*>(&control)) return std::make_unique<ImagePeer>(*image, parent, id);
  if (auto* tree = dynamic_cast<TreeView*>(&control))
    return std::make_unique<TreeViewPeer>(*tree, parent, id);
  throw std::logic_error(std::string("no window for a control of kind ") + control.Kind());
}

// ------------------------------------------------------------------ loops

void Win32Backend::ShowForm(Form& form) { PeerOf(form).Show(); }

void Win32Backend::HideForm(Form& form) {
  if (auto* peer = dynamic_cast<FormPeer*>(form.Peer())) peer->Hide();
}

void Win32Backend::RunModal(Form& form) {
  OtherWindowsDisabled disabled(PeerOf(form).Handle());
  // A form that watches devices is also woken once a second: the system's
  // device notification does not come in every session (remote ones).
  constexpr DWORD kWatchInterval = 1000;
  DWORD lastWatch = GetTickCount();
  MSG message;
  while (form.ModalResult == mrNone) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loops
        form.ModalResult = mrCancel;
        break;
      }
      RouteMessage(message);
    } else {
      const DWORD since = GetTickCount() - lastWatch;
      const DWORD wait = !form.OnDeviceWatch ? INFINITE : since < kWatchInterval ? kWatchInterval - since : 0;
      MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    if (form.OnDeviceWatch && form.ModalResult == mrNone && GetTickCount() - lastWatch >= kWatchInterval) {
      lastWatch = GetTickCount();
      App().Dispatch(form.OnDeviceWatch);
    }
  }
}

void Win32Backend::RunMainLoop(Form& mainForm) {
  MSG message;
  while (!mainForm.Closed()) {
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) return;
    RouteMessage(message);
  }
  PostQuitMessage(0);
  while (GetMessageA(&message, nullptr, 0, 0) > 0) RouteMessage(message);
}

void Win32Backend::ProcessMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {  // left for the loop that waits for it
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    RouteMessage(message);
  }
}

// -------------------------------------------------------------- services

void Win32Backend::ShowErrorBox(const std::string& caption, const std::string& text) {
  MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
}

// Measured as DrawText measures, in the font scaled to dpi; an empty line is
// as high as any other.
Size Win32Backend::TextExtent(const Font& font, const std::string& text, int dpi) {
  ScreenDC screen;
  SelectedObject selected(screen.Get(), measuringFonts_.Get(font, dpi));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.Get(), &metrics);
  const std::vector<std::string> lines = Lines(text);
  int width = 0;
  for (const std::string& line : lines) {
    if (line.empty()) continue;
    RECT bounds{0, 0, 0, 0};
    DrawTextA(screen.Get(), line.data(), static_cast<int>(line.size()), &bounds,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
    width = std::max(width, static_cast<int>(bounds.right - bounds.left));
  }
  return {UnscaleLengthFromDpi(width, dpi), UnscaleLengthFromDpi(static_cast<int>(lines.size()) * metrics.tmHeight, dpi)};
}

Rect Win32Backend::WorkArea(const Form& form) {
  const WindowPeer* peer = WindowPeer::Of(form);
  const HMONITOR monitor = peer && peer->Handle()
                               ? MonitorFromWindow(peer->Handle(), MONITOR_DEFAULTTONEAREST)
                               : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoA(monitor, &info);
  return UnscaleFromDpi(Rect{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom}, form.Dpi());
}

Size Win32Backend::OuterSize(const Form& form, Size client) {
  const Size scaled = ScaleToDpi(client, form.Dpi());
  RECT outer{0, 0, scaled.Width, scaled.Height};
  AdjustWindowRectEx(&outer, FormPeer::Style(form), FALSE, FormPeer::ExStyle(form));
  return {client.Width + UnscaleLengthFromDpi(outer.right - outer.left - scaled.Width, form.Dpi()),
          client.Height + UnscaleLengthFromDpi(outer.bottom - outer.top - scaled.Height, form.Dpi())};
}

void* Win32Backend::NativeHandle(const Control& control) {
  const WindowPeer* peer = WindowPeer::Of(control);
  return peer ? peer->Handle() : nullptr;
}

int Win32Backend::SystemDpi() { return win32::SystemDpi(); }

void Win32Backend::SetCursor(Cursor cursor) {
  ::SetCursor(LoadCursor(nullptr, cursor == Cursor::HourGlass ? IDC_WAIT : IDC_ARROW));
}

}  // namespace ui::win32
