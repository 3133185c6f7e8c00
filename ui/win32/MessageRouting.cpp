#include "ui/win32/MessageRouting.h"

#include "ui/win32/FormPeer.h"
#include "ui/win32/InputState.h"

namespace ui::win32 {
namespace {

FormPeer* FormOf(HWND window) {
  const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  return dynamic_cast<FormPeer*>(WindowPeer::FromHandle(root));
}

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// The form's own key handling. A key press still makes its character (as
// TranslateMessage does), which comes back as WM_CHAR; the characters of
// Alt combinations (WM_SYSCHAR) type nothing and are dropped.
void DispatchKeyToForm(Form& form, MSG& message) {
  const int key = static_cast<int>(message.wParam);
  const ShiftState shift = KeyShiftState(message.lParam);
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      TranslateMessage(&message);
      App().Dispatch([&] { form.DispatchKeyDown(key, shift); });
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      App().Dispatch([&] { form.DispatchKeyUp(key, shift); });
      break;
    case WM_CHAR:
      App().Dispatch([&] { form.DispatchChar(static_cast<char>(message.wParam)); });
      break;
    default:
      break;
  }
}

// A form with KeyPreview sees the key first; true when its events withheld
// it (set it to 0). A key they changed goes on changed.
bool PreviewWithheld(Form& form, MSG& message) {
  const ShiftState shift = KeyShiftState(message.lParam);
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      int key = static_cast<int>(message.wParam);
      const bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
      App().Dispatch([&] { down ? form.DoKeyDown(key, shift) : form.DoKeyUp(key, shift); });
      message.wParam = static_cast<WPARAM>(key);
      return key == 0;
    }
    case WM_CHAR: {
      char typed = static_cast<char>(message.wParam);
      App().Dispatch([&] { form.DoKeyPress(typed); });
      message.wParam = static_cast<unsigned char>(typed);
      return typed == 0;
    }
    default:
      return false;
  }
}

}  // namespace

void RouteMessage(MSG& message) {
  if (FormPeer* peer = FormOf(message.hwnd)) {
    Form& form = peer->TheForm();
    if (form.OwnKeyHandling && IsKeyMessage(message.message)) {
      DispatchKeyToForm(form, message);
      return;
    }
    if (form.KeyPreview && !form.OwnKeyHandling && PreviewWithheld(form, message)) return;
    if (!form.OwnKeyHandling && IsDialogMessageA(peer->Handle(), &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace ui::win32
