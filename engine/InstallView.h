// What the installation engine needs of the window it works for: the message
// dialog, the controls of the progress page and the call that lets the window
// handle its pending events (where the Cancel button's handler runs during a
// copy). The wizard window implements it; tests use a small headless form.
#pragma once
#include "catalogue/InstallerState.h"
#include "ui/Application.h"
#include "ui/Controls.h"

class TInstallView : public TInstallerHost {
 public:
  virtual ui::TProgressBar& FileProgressBar() = 0;  // FileProgress: the current pack, in KiB
  virtual ui::TProgressBar& AreaProgressBar() = 0;  // AreaProgress: 100 per selected pack
  virtual ui::TLabel& FileStatusLabel() = 0;        // Lb_File, under the file bar
  virtual ui::TLabel& SpecStatusLabel() = 0;        // Lb_Spec, above the area bar
  virtual ui::TButton& NextButton() = 0;            // bt_Next
  virtual ui::TButton& CancelButton() = 0;          // bt_cancel
  virtual ui::TButton& BackButton() = 0;            // bt_Last

  // Handles all pending events of the program's windows.
  virtual void ProcessMessages() { ui::App().ProcessMessages(); }
};
