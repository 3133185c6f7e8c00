#include "ui/win32/ButtonPeer.h"

namespace ui::win32 {

ButtonPeer::ButtonPeer(Button& button, HWND parent, int id) : WindowPeer(button), button_(button) {
  const DWORD kind = button.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  Create(WC_BUTTONA, ChildStyle() | WS_TABSTOP | kind, 0, parent, id, ControlBounds());
}

void ButtonPeer::Changed(Prop what) {
  if (what == Prop::Value) {  // shown pressed, as by a held Space key
    SendMessageA(Handle(), BM_SETSTATE, button_.Pressed(), 0);
    return;
  }
  WindowPeer::Changed(what);
}

void ButtonPeer::Command(WORD code) {
  if (code == BN_CLICKED) App().Dispatch([this] { button_.Click(); });
}

}  // namespace ui::win32
