// An edit box: an EDIT window with a sunken edge. Text typed by the user
// reaches the control through Edit::TextEdited.
#pragma once
#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

class EditPeer final : public ControlPeer, public WindowPeer {
 public:
  EditPeer(Edit& edit, HWND parent, int id);
  void Changed(Prop what) override { WindowPeer::Changed(what); }
  void Command(WORD code) override;

 private:
  Edit& edit_;
};

}  // namespace ui::win32
