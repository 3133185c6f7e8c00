#include "ui/win32/StatePictures.h"

#include <shlwapi.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <vector>

#include <string>

#include "ui/CheckImageColors.h"
#include "ui/Scaling.h"

namespace ui::win32 {
namespace {

// Visual styles apply to controls only with common controls version 6.
bool ThemesInForce() {
  if (!IsAppThemed() || !IsThemeActive() || !(GetThemeAppProperties() & STAP_ALLOW_CONTROLS)) {
    return false;
  }
  const HMODULE comctl = GetModuleHandleA("comctl32.dll");
  const auto getVersion = comctl ? reinterpret_cast<DLLGETVERSIONPROC>(
                                       reinterpret_cast<void*>(GetProcAddress(comctl, "DllGetVersion")))
                                 : nullptr;
  DLLVERSIONINFO version{};
  version.cbSize = sizeof version;
  return getVersion && SUCCEEDED(getVersion(&version)) && version.dwMajorVersion >= 6;
}

// A device context with a 32-bit bitmap of the given size selected into it.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<std::uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_.get());
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC Dc() const { return dc_; }
  void Fill(COLORREF color) {
    BrushHandle brush(CreateSolidBrush(color));
    RECT all{0, 0, width_, height_};
    FillRect(dc_, &all, brush.get());
  }
  // Pixels as 0x00BBGGRR colours, row by row, and back.
  void SetPixels(const std::vector<Color>& pixels) {
    GdiFlush();
    for (std::size_t i = 0; i < pixels.size(); ++i) bits_[i] = SwapRedBlue(pixels[i]);
  }
  // Adds the picture to list; pixels of the transparent colour are masked.
  void AddTo(HIMAGELIST list, COLORREF transparent) {
    SelectObject(dc_, previous_);
    ImageList_AddMasked(list, bitmap_.get(), transparent);
    SelectObject(dc_, bitmap_.get());
  }

 private:
  static std::uint32_t SwapRedBlue(Color c) { return (c & 0x00FF00) | (c & 0xFF) << 16 | (c >> 16 & 0xFF); }
  int width_, height_;
  HDC dc_;
  BitmapHandle bitmap_;
  std::uint32_t* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// The bitmap resource of a picture in the version for a screen of dpi.
std::string ResourceName(StockPicture picture, int dpi) {
  const char* name = picture == StockPicture::CheckBoxChecked ? "CHECKBOX_CHECKED"
                     : picture == StockPicture::CheckBoxMixed ? "CHECKBOX_GRAYED"
                                                              : "CHECKBOX_UNCHECKED";
  const int scale = PictureScaleForDpi(dpi);
  return scale == 100 ? name : std::string(name) + "_" + std::to_string(scale);
}

// The pixels of a bitmap resource, row by row, or none when the program
// lacks it or it has another size.
std::vector<Color> ResourcePixels(const std::string& name, int width, int height) {
  BitmapHandle bitmap(static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP header{};
  if (!bitmap || !GetObjectA(bitmap.get(), sizeof header, &header) || header.bmWidth != width ||
      header.bmHeight != height) {
    return {};
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> bits(static_cast<std::size_t>(width) * height);
  ScreenDC screen;
  if (!GetDIBits(screen.Get(), bitmap.get(), 0, height, bits.data(), &info, DIB_RGB_COLORS)) return {};
  std::vector<Color> pixels;
  pixels.reserve(bits.size());
  for (const std::uint32_t bgr : bits) pixels.push_back(RGB(bgr >> 16 & 0xFF, bgr >> 8 & 0xFF, bgr & 0xFF));
  return pixels;
}

void DrawThemed(Canvas& cell, StockPicture picture, int width, int height) {
  const HTHEME theme = OpenThemeData(nullptr, L"BUTTON");
  const int state = picture == StockPicture::CheckBoxChecked ? CBS_CHECKEDNORMAL
                    : picture == StockPicture::CheckBoxMixed ? CBS_MIXEDNORMAL
                                                             : CBS_UNCHECKEDNORMAL;
  cell.Fill(GetSysColor(COLOR_WINDOW));
  RECT whole{0, 0, width, height};
  DrawThemeBackground(theme, cell.Dc(), BP_CHECKBOX, state, &whole, nullptr);
  CloseThemeData(theme);
}

void DrawClassic(Canvas& cell, StockPicture picture, const StateImageList& images, int dpi) {
  const CheckCellGeometry geometry = CheckCellGeometryForDpi(dpi);
  const std::vector<Color> bitmap = ResourcePixels(ResourceName(picture, dpi), geometry.Bitmap, geometry.Bitmap);
  if (!bitmap.empty() && images.Width == kCheckCellSize && images.Height == kCheckCellSize &&
      geometry.Cell == ScaleToDpi(kCheckCellSize, dpi)) {
    const auto colors = CheckBoxColorMap(GetSysColor(COLOR_WINDOW), ToColorRef(images.FrameColor),
                                         CheckMarkColor(ToColorRef(images.HighlightColor)));
    cell.SetPixels(ComposeCheckCell(bitmap, colors, geometry));
    return;
  }
  // Without the resources: the system's flat check box, and for "partly
  // checked" an empty box with a filled square in the mark colour.
  cell.Fill(kCheckCellTransparent);
  RECT box{geometry.Offset, geometry.Offset, geometry.Offset + geometry.Bitmap, geometry.Offset + geometry.Bitmap};
  const UINT checked = picture == StockPicture::CheckBoxChecked ? DFCS_CHECKED : 0;
  DrawFrameControl(cell.Dc(), &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | checked);
  if (picture == StockPicture::CheckBoxMixed) {
    RECT square = box;
    InflateRect(&square, -ScaleToDpi(3, dpi), -ScaleToDpi(3, dpi));
    const BrushHandle mark(CreateSolidBrush(CheckMarkColor(ToColorRef(images.HighlightColor))));
    FillRect(cell.Dc(), &square, mark.get());
  }
}

}  // namespace

ImageListHandle MakeStatePictures(const StateImageList& images, int dpi) {
  const bool themed = ThemesInForce();
  const int width = ScaleToDpi(images.Width, dpi), height = ScaleToDpi(images.Height, dpi);
  ImageListHandle list(
      ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, static_cast<int>(images.Cells.size()), 0));
  for (const StockPicture picture : images.Cells) {
    Canvas cell(width, height);
    if (themed) {
      DrawThemed(cell, picture, width, height);
    } else {
      DrawClassic(cell, picture, images, dpi);
    }
    cell.AddTo(list.get(), kCheckCellTransparent);
  }
  return list;
}

}  // namespace ui::win32
