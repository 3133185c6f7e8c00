#include "ui/win32/ImagePeer.h"

namespace ui::win32 {

ImagePeer::ImagePeer(TImage& image, HWND parent, int id) : WindowPeer(image), image_(image) {
  Create(WC_STATICA, ChildStyle() | (image.StockIcon ? SS_ICON : SS_BITMAP), 0, parent, id, ControlBounds());
  ShowPicture();
}

void ImagePeer::Changed(Prop what) {
  if (what == Prop::Picture) {
    ShowPicture();
  } else {
    WindowPeer::Changed(what);
  }
}

// A resource that the program lacks shows no picture.
void ImagePeer::ShowPicture() {
  const LONG style = GetWindowLongA(Handle(), GWL_STYLE) & ~SS_TYPEMASK;
  if (image_.StockIcon) {
    SetWindowLongA(Handle(), GWL_STYLE, style | SS_ICON);
    const HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(image_.StockIcon));
    SendMessageA(Handle(), STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    bitmap_.reset();
  } else {
    BitmapHandle bitmap;
    if (!image_.ResourceName.empty()) {
      bitmap.reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), image_.ResourceName.c_str(),
                                                   IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    }
    SetWindowLongA(Handle(), GWL_STYLE, style | SS_BITMAP);
    SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
    bitmap_ = std::move(bitmap);  // the previous bitmap goes once it is no longer shown
  }
  // The static control sizes itself to the picture; the control's size stands.
  WindowPeer::Changed(Prop::Bounds);
}

}  // namespace ui::win32
