#include "ui/win32/LabelPeer.h"

namespace ui::win32 {

LabelPeer::LabelPeer(Label& label, HWND parent, int id) : WindowPeer(label) {
  Create(WC_STATICA, ChildStyle() | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, parent, id, ControlBounds());
}

HBRUSH LabelPeer::ControlColor(HDC dc) {
  if (!TheControl().Transparent()) return WindowPeer::ControlColor(dc);
  SetTextColor(dc, ToColorRef(TheControl().GetFont().FontColor));
  SetBkMode(dc, TRANSPARENT);
  return ParentBrush();
}

}  // namespace ui::win32
