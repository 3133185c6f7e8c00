// Colours of the classic check-box pictures. They are drawn from 13 x 13
// bitmaps whose colours stand for roles (outline, inside, mark); the roles'
// colours are put in, and each picture is placed in a 16 x 16 cell whose
// olive pixels are transparent. On screens of a larger scale the cell is
// scaled, and the bitmap is the 150 % (20 x 20) or 200 % (26 x 26) version
// nearest to the scale, never a stretched one.
#pragma once
#include <array>
#include <vector>

#include "ui/Controls.h"

namespace ui {

constexpr Color RgbColor(int red, int green, int blue) {
  return static_cast<Color>(red) | static_cast<Color>(green) << 8 | static_cast<Color>(blue) << 16;
}

constexpr Color kCheckCellTransparent = RgbColor(128, 128, 0);  // olive
constexpr int kCheckBitmapSize = 13;
constexpr int kCheckCellSize = 16;
constexpr int kCheckBitmapOffset = 2;  // of the bitmap inside its cell, both ways

// Sizes in pixels of a cell, of the bitmap version drawn into it, and of the
// bitmap's offset inside the cell (both ways).
struct CheckCellGeometry {
  int Cell = kCheckCellSize;
  int Bitmap = kCheckBitmapSize;
  int Offset = kCheckBitmapOffset;
};
// The geometry on a screen of dpi (at least 96 DPI).
CheckCellGeometry CheckCellGeometryForDpi(int dpi);

// The colour of the check mark for a highlight colour already resolved to
// red, green and blue: a mark in olive would be transparent, and one in the
// bitmaps' outline gray would be taken for the outline, so either is moved
// off by raising its red part by one.
Color CheckMarkColor(Color resolvedHighlight);

struct ColorReplacement {
  Color From, To;
};
// What each colour of the bitmaps becomes: white, red and fuchsia the window
// colour, gray the frame colour, blue the mark colour.
std::array<ColorReplacement, 5> CheckBoxColorMap(Color window, Color frame, Color mark);

// A cell (row by row) from a bitmap (row by row) of the geometry: olive
// around, the bitmap at the offset with its colours replaced; a colour not in
// the map stays as it is. At 96 DPI: a 16 x 16 cell, a 13 x 13 bitmap at (2, 2).
std::vector<Color> ComposeCheckCell(const std::vector<Color>& bitmap,
                                    const std::array<ColorReplacement, 5>& map,
                                    const CheckCellGeometry& geometry = {});

}  // namespace ui
