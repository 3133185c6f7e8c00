// A progress bar: a msctls_progress32 window with a 32-bit range.
#pragma once
#include <cstdint>

#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

class ProgressBarPeer final : public ControlPeer, public WindowPeer {
 public:
  ProgressBarPeer(ProgressBar& bar, HWND parent, int id);
  void Changed(Prop what) override;

 private:
  void ApplyValue();
  // Pixels of the bar that the position fills.
  int FillWidth() const;
  ProgressBar& bar_;
  // What the window shows now: a repaint is sent only when this changes, as
  // a copy of many small files moves the bar thousands of times.
  std::int32_t shownMin_ = 0, shownMax_ = -1;
  int shownFill_ = -1;
};

}  // namespace ui::win32
