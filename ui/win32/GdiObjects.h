// Owning wrappers for GDI objects, device contexts and image lists, and the
// conversions from the toolkit's fonts and colours to GDI objects.
#pragma once
#include <memory>
#include <type_traits>

#include "ui/win32/Win32Api.h"

namespace ui::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using FontHandle = GdiObject<HFONT>;
using BrushHandle = GdiObject<HBRUSH>;
using BitmapHandle = GdiObject<HBITMAP>;

struct ImageListDeleter {
  void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using ImageListHandle = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter>;

// The screen's device context, released when the object goes.
class ScreenDC {
 public:
  ScreenDC() : dc_(GetDC(nullptr)) {}
  ~ScreenDC() { ReleaseDC(nullptr, dc_); }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Selects an object into a device context for the lifetime of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A toolkit colour as a COLORREF: system colours are looked up.
COLORREF ToColorRef(Color color);
// The font's Height is its cell height in 96-DPI pixels, hence a positive
// height for GDI, scaled to dpi. A name with Chinese characters (such as
// 宋体) asks for the GB2312 character set.
FontHandle MakeFont(const Font& font, int dpi);
BrushHandle MakeBrush(Color color);

}  // namespace ui::win32
