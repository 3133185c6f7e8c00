#include "ui/win32/GdiObjects.h"

#include "ui/Scaling.h"

namespace ui::win32 {

COLORREF ToColorRef(Color color) {
  if (color & 0x80000000u) return GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

FontHandle MakeFont(const Font& font, int dpi) {
  bool chineseName = false;
  for (const char c : font.Name) chineseName = chineseName || static_cast<unsigned char>(c) >= 0x80;
  return FontHandle(CreateFontA(ScaleToDpi(font.Height, dpi), 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                chineseName ? GB2312_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                font.Name.c_str()));
}

BrushHandle MakeBrush(Color color) { return BrushHandle(CreateSolidBrush(ToColorRef(color))); }

}  // namespace ui::win32
