// The toolkit's Win32 backend: every control is backed by a real window,
// created with the A functions, and the input of those windows is routed to
// the controls' events. Every event runs through App().Dispatch, so that an
// error leaving a handler becomes the top-level error report.
//
// Peers keep no pointer to the backend; forms may outlive it as long as no
// call reaches it any more.
#pragma once
#include <memory>
#include <string>

#include "ui/Scaling.h"
#include "ui/win32/FontCache.h"
#include "ui/win32/Win32Api.h"

namespace ui::win32 {

class Win32Backend : public Backend {
 public:
  // Initialises the common controls and registers our window classes.
  Win32Backend();

  void CreatePeers(Form& form) override;
  void ShowForm(Form& form) override;
  void HideForm(Form& form) override;
  // Disables the thread's other top-level windows and handles messages until
  // the form has a ModalResult (a WM_QUIT ends it with mrCancel and stays
  // posted).
  void RunModal(Form& form) override;
  // Handles messages until the main form has closed, then ends as
  // PostQuitMessage would: messages already posted are still handled.
  void RunMainLoop(Form& mainForm) override;
  void ProcessMessages() override;
  void ShowErrorBox(const std::string& caption, const std::string& text) override;
  Size TextExtent(const Font& font, const std::string& text, int dpi) override;
  Rect WorkArea(const Form& form) override;
  Size OuterSize(const Form& form, Size client) override;
  void* NativeHandle(const Control& control) override;
  void SetCursor(Cursor cursor) override;
  int SystemDpi() override;

 private:
  void CreatePeer(Control& control, HWND parent);
  std::unique_ptr<ControlPeer> MakePeer(Control& control, HWND parent);

  int nextControlId_ = 100;  // clear of IDOK, IDCANCEL and the other dialog ids
  FontCache measuringFonts_;
};

}  // namespace ui::win32
