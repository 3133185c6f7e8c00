// Screens of any scale: every place, size and font height of the toolkit's
// controls is in pixels of a 96-DPI screen, and becomes pixels of the
// window's screen only where a window is laid out, by the functions here.
// Edges are scaled, not sizes, so controls that touch at 96 DPI touch at
// every scale, and every edge is rounded the same way (to the nearest pixel,
// halves away from zero).
#pragma once
#include "ui/Controls.h"

namespace ui {

constexpr int kDefaultDpi = 96;

// A 96-DPI length or coordinate on a screen of dpi.
int ScaleToDpi(int value, int dpi);
// A coordinate of a screen of dpi in 96-DPI pixels, to the nearest pixel.
int UnscaleFromDpi(int value, int dpi);
// A length of a screen of dpi in 96-DPI pixels, rounded up so that it covers
// at least as much as the length when it is scaled again.
int UnscaleLengthFromDpi(int value, int dpi);

Rect ScaleToDpi(const Rect& rect, int dpi);
Rect UnscaleFromDpi(const Rect& rect, int dpi);
Point ScaleToDpi(Point point, int dpi);
Point UnscaleFromDpi(Point point, int dpi);
// A size that starts at 0 (a client area): its right and bottom edges.
Size ScaleToDpi(Size size, int dpi);

// The scale, in percent, of the picture version (100, 150 or 200) that is
// nearest to dpi; a tie goes to the smaller version, which is shown whole.
int PictureScaleForDpi(int dpi);

}  // namespace ui
