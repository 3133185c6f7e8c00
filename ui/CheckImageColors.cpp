#include "ui/CheckImageColors.h"

#include <stdexcept>

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

std::vector<Color> ComposeCheckCell(const std::vector<Color>& bitmap,
                                    const std::array<ColorReplacement, 5>& map) {
  if (bitmap.size() != static_cast<std::size_t>(kCheckBitmapSize * kCheckBitmapSize)) {
    throw std::invalid_argument("a check-box bitmap must be 13 x 13 pixels");
  }
  std::vector<Color> cell(kCheckCellSize * kCheckCellSize, kCheckCellTransparent);
  for (int y = 0; y < kCheckBitmapSize; ++y) {
    for (int x = 0; x < kCheckBitmapSize; ++x) {
      Color pixel = bitmap[y * kCheckBitmapSize + x];
      for (const ColorReplacement& r : map) {
        if (pixel == r.From) {
          pixel = r.To;
          break;
        }
      }
      cell[(y + kCheckBitmapOffset) * kCheckCellSize + x + kCheckBitmapOffset] = pixel;
    }
  }
  return cell;
}

}  // namespace ui
