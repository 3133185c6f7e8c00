// A form: a top-level window of our own class. Its client area is the
// form's Width x Height scaled to the form's DPI; the frame follows Border
// and CloseButton. A move to a monitor of another scale lays it out anew. A close
// request becomes Form::Close, a resize by the user the form's new size.
// The form's taskbar progress goes to its taskbar button.
#pragma once
#include <memory>

#include "ui/win32/DialogRole.h"
#include "ui/win32/TaskbarButton.h"
#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

class FormPeer final : public ControlPeer, public WindowPeer {
 public:
  explicit FormPeer(Form& form);
  Form& TheForm() const { return form_; }

  // Window styles for the form's frame (also for sizes of forms not yet made).
  static DWORD Style(const Form& form);
  static DWORD ExStyle(const Form& form);

  void Changed(Prop what) override;
  // Places the form (ScreenCenter, OwnerFormCenter), shows and activates it,
  // and gives the focus to its active control.
  void Show();
  // Hides the form; the window that was active before it becomes active again.
  void Hide();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Place();
  void ApplyBounds();
  void ApplyFocus();
  void StoreWindowBounds();
  void DpiChanged(int dpi, const RECT& suggested);
  Button* FlaggedButton(bool Button::*flag) const;
  void ClickFlaggedButton(bool Button::*flag);

  Form& form_;
  TaskbarButton taskbar_;
  std::unique_ptr<DialogRole> dialogRole_;  // goes before the window
  HWND previousActive_ = nullptr;
  bool borrowedOwner_ = false;  // owned by the window that was active when shown
  bool syncing_ = false;        // window and form are being brought in line
};

}  // namespace ui::win32
