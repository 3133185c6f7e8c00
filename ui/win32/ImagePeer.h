// A picture: a STATIC window showing a bitmap resource of the program,
// unscaled at the top left, or a stock icon. On a screen of a larger scale
// the bitmap is the program's version nearest to the scale (ui/Scaling.h).
#pragma once
#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

class ImagePeer final : public ControlPeer, public WindowPeer {
 public:
  ImagePeer(Image& image, HWND parent, int id);
  void Changed(Prop what) override;

 private:
  void ShowPicture();
  Image& image_;
  BitmapHandle bitmap_;  // the bitmap shown, while it is shown
};

}  // namespace ui::win32
