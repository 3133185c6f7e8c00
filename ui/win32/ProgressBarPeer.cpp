#include "ui/win32/ProgressBarPeer.h"

namespace ui::win32 {

ProgressBarPeer::ProgressBarPeer(TProgressBar& bar, HWND parent, int id) : WindowPeer(bar), bar_(bar) {
  Create(PROGRESS_CLASSA, ChildStyle(), 0, parent, id, ControlBounds());
  SendMessageA(Handle(), PBM_SETBKCOLOR, 0, ToColorRef(bar.GetColor()));
  ApplyValue();
}

void ProgressBarPeer::Changed(Prop what) {
  switch (what) {
    case Prop::Value:
      ApplyValue();
      break;
    case Prop::Color:
      SendMessageA(Handle(), PBM_SETBKCOLOR, 0, ToColorRef(bar_.GetColor()));
      break;
    default:
      WindowPeer::Changed(what);
  }
}

void ProgressBarPeer::ApplyValue() {
  SendMessageA(Handle(), PBM_SETRANGE32, bar_.Min(), bar_.Max());
  SendMessageA(Handle(), PBM_SETPOS, bar_.Position(), 0);
}

}  // namespace ui::win32
