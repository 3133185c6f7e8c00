// A label: a STATIC window that shows its text as it is (no "&" prefixes,
// no word wrap), over the parent's background when transparent.
#pragma once
#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

class LabelPeer final : public ControlPeer, public WindowPeer {
 public:
  LabelPeer(Label& label, HWND parent, int id);
  void Changed(Prop what) override { WindowPeer::Changed(what); }
  HBRUSH ControlColor(HDC dc) override;
};

}  // namespace ui::win32
