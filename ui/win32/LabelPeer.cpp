#include "ui/win32/LabelPeer.h"

namespace ui::win32 {

LabelPeer::LabelPeer(TLabel& label, HWND parent, int id) : WindowPeer(label) {
  Create(WC_STATICA, ChildStyle() | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, parent, id, ControlBounds());
}

HBRUSH LabelPeer::ControlColor(HDC dc) {
  if (!Control().Transparent()) return WindowPeer::ControlColor(dc);
  SetTextColor(dc, ToColorRef(Control().GetFont().FontColor));
  SetBkMode(dc, TRANSPARENT);
  return ParentBrush();
}

}  // namespace ui::win32
