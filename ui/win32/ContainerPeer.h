// A panel: a child window of our own class that holds other controls and
// paints its background in the control's colour.
#pragma once
#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

class ContainerPeer : public ControlPeer, public WindowPeer {
 public:
  ContainerPeer(WinControl& container, HWND parent, int id);
  void Changed(Prop what) override { WindowPeer::Changed(what); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace ui::win32
