// A progress bar: a msctls_progress32 window with a 32-bit range.
#pragma once
#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

class ProgressBarPeer final : public ControlPeer, public WindowPeer {
 public:
  ProgressBarPeer(TProgressBar& bar, HWND parent, int id);
  void Changed(Prop what) override;

 private:
  void ApplyValue();
  TProgressBar& bar_;
};

}  // namespace ui::win32
