#include "ui/win32/ProgressBarPeer.h"

namespace ui::win32 {

ProgressBarPeer::ProgressBarPeer(ProgressBar& bar, HWND parent, int id) : WindowPeer(bar), bar_(bar) {
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

int ProgressBarPeer::FillWidth() const {
  const std::int64_t range = std::int64_t{bar_.Max()} - bar_.Min();
  if (range <= 0) return 0;
  return static_cast<int>((std::int64_t{bar_.Position()} - bar_.Min()) * bar_.Width() / range);
}

void ProgressBarPeer::ApplyValue() {
  if (bar_.Min() != shownMin_ || bar_.Max() != shownMax_) {
    SendMessageA(Handle(), PBM_SETRANGE32, bar_.Min(), bar_.Max());
    shownMin_ = bar_.Min();
    shownMax_ = bar_.Max();
    shownFill_ = -1;
  }
  const int fill = FillWidth();
  if (fill == shownFill_) return;
  SendMessageA(Handle(), PBM_SETPOS, bar_.Position(), 0);
  shownFill_ = fill;
}

}  // namespace ui::win32
