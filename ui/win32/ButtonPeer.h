// A push button: a BUTTON window. The system button handles the mouse and
// reports the click (BN_CLICKED), which becomes Button::Click.
#pragma once
#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

class ButtonPeer final : public ControlPeer, public WindowPeer {
 public:
  ButtonPeer(Button& button, HWND parent, int id);
  void Changed(Prop what) override;
  void Command(WORD code) override;
  HBRUSH ControlColor(HDC dc) override { return ParentBrush(); }

 private:
  Button& button_;
};

}  // namespace ui::win32
