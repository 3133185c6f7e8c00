#include "ui/win32/ImagePeer.h"

#include <string>

#include "ui/Scaling.h"

namespace ui::win32 {

ImagePeer::ImagePeer(Image& image, HWND parent, int id) : WindowPeer(image), image_(image) {
  Create(WC_STATICA, ChildStyle() | (image.StockIcon ? SS_ICON : SS_BITMAP), 0, parent, id, ControlBounds());
  ShowPicture();
}

void ImagePeer::Changed(Prop what) {
  if (what == Prop::Picture || what == Prop::Scale) {
    ShowPicture();
  } else {
    WindowPeer::Changed(what);
  }
}

namespace {

// The version of a bitmap resource drawn for a screen of dpi: NAME at 100 %,
// NAME_150 and NAME_200 at the larger scales; the 100 % one where the
// program lacks the version.
HBITMAP LoadPicture(const std::string& name, int dpi) {
  const HINSTANCE program = GetModuleHandleA(nullptr);
  const int scale = PictureScaleForDpi(dpi);
  if (scale != 100) {
    const std::string version = name + "_" + std::to_string(scale);
    if (HANDLE bitmap = LoadImageA(program, version.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)) {
      return static_cast<HBITMAP>(bitmap);
    }
  }
  return static_cast<HBITMAP>(LoadImageA(program, name.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace

// A resource that the program lacks shows no picture. Stock icons come in
// the system's size for its DPI.
void ImagePeer::ShowPicture() {
  const LONG style = GetWindowLongA(Handle(), GWL_STYLE) & ~SS_TYPEMASK;
  if (image_.StockIcon) {
    SetWindowLongA(Handle(), GWL_STYLE, style | SS_ICON);
    const HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(image_.StockIcon));
    SendMessageA(Handle(), STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    bitmap_.reset();
  } else {
    BitmapHandle bitmap;
    if (!image_.ResourceName.empty()) bitmap.reset(LoadPicture(image_.ResourceName, Dpi()));
    SetWindowLongA(Handle(), GWL_STYLE, style | SS_BITMAP);
    SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get()));
    bitmap_ = std::move(bitmap);  // the previous bitmap goes once it is no longer shown
  }
  // The static control sizes itself to the picture; the control's size stands.
  WindowPeer::Changed(Prop::Bounds);
}

}  // namespace ui::win32
