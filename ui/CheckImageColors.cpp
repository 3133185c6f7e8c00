#include "ui/CheckImageColors.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "ui/Scaling.h"

namespace ui {

Color CheckMarkColor(Color resolvedHighlight) {
  const Color rgb = resolvedHighlight & 0xFFFFFF;
  if (rgb == kCheckCellTransparent || rgb == RgbColor(128, 128, 128)) return rgb + 1;
  return rgb;
}

std::array<ColorReplacement, 5> CheckBoxColorMap(Color window, Color frame, Color mark) {
  return {{
      {RgbColor(255, 255, 255), window},
      {RgbColor(128, 128, 128), frame},
      {RgbColor(255, 0, 0), window},
      {RgbColor(255, 0, 255), window},
      {RgbColor(0, 0, 255), mark},
  }};
}

CheckCellGeometry CheckCellGeometryForDpi(int dpi) {
  dpi = std::max(dpi, kDefaultDpi);
  CheckCellGeometry geometry;
  geometry.Cell = ScaleToDpi(kCheckCellSize, dpi);
  const int version = PictureScaleForDpi(dpi);
  geometry.Bitmap = version == 100 ? kCheckBitmapSize : version == 150 ? 20 : 26;
  geometry.Offset = std::min(ScaleToDpi(kCheckBitmapOffset, dpi), geometry.Cell - geometry.Bitmap);
  return geometry;
}

std::vector<Color> ComposeCheckCell(const std::vector<Color>& bitmap,
                                    const std::array<ColorReplacement, 5>& map,
                                    const CheckCellGeometry& geometry) {
  const int size = geometry.Bitmap, stride = geometry.Cell, offset = geometry.Offset;
  if (bitmap.size() != static_cast<std::size_t>(size * size)) {
    throw std::invalid_argument("a check-box bitmap must be " + std::to_string(size) + " x " +
                                std::to_string(size) + " pixels");
  }
  std::vector<Color> cell(static_cast<std::size_t>(stride * stride), kCheckCellTransparent);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Color pixel = bitmap[y * size + x];
      for (const ColorReplacement& r : map) {
        if (pixel == r.From) {
          pixel = r.To;
          break;
        }
      }
      cell[(y + offset) * stride + x + offset] = pixel;
    }
  }
  return cell;
}

}  // namespace ui
