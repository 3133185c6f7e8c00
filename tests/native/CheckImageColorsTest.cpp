// The colours of the classic check-box pictures: the mark colour rule, the
// colour replacements and the cell a 13 x 13 bitmap becomes.
#include <gtest/gtest.h>

#include <vector>

#include "ui/CheckImageColors.h"

namespace {

using ui::RgbColor;

TEST(CheckImageColors, MarkColourAvoidsOliveAndGray) {
  struct Case {
    ui::Color highlight, mark;
  } cases[] = {
      {RgbColor(0, 120, 215), RgbColor(0, 120, 215)},
      {RgbColor(128, 128, 0), RgbColor(129, 128, 0)},
      {RgbColor(128, 128, 128), RgbColor(129, 128, 128)},
      {RgbColor(128, 128, 1), RgbColor(128, 128, 1)},
      {RgbColor(127, 128, 128), RgbColor(127, 128, 128)},
      {RgbColor(0, 0, 0), RgbColor(0, 0, 0)},
  };
  for (const Case& c : cases) EXPECT_EQ(ui::CheckMarkColor(c.highlight), c.mark) << std::hex << c.highlight;
}

TEST(CheckImageColors, ABitmapBecomesACellWithItsColoursReplaced) {
  const ui::Color window = RgbColor(250, 250, 240), frame = RgbColor(10, 20, 30),
                  mark = RgbColor(0, 120, 215);
  const ui::Color white = RgbColor(255, 255, 255), gray = RgbColor(128, 128, 128),
                  red = RgbColor(255, 0, 0), fuchsia = RgbColor(255, 0, 255),
                  blue = RgbColor(0, 0, 255), black = RgbColor(0, 0, 0);
  std::vector<ui::Color> bitmap(13 * 13, white);
  bitmap[0] = gray;              // top left
  bitmap[12] = red;              // top right
  bitmap[6 * 13 + 6] = blue;     // the middle
  bitmap[12 * 13] = fuchsia;     // bottom left
  bitmap[12 * 13 + 12] = black;  // not in the map: stays

  const std::vector<ui::Color> cell =
      ui::ComposeCheckCell(bitmap, ui::CheckBoxColorMap(window, frame, mark));
  ASSERT_EQ(cell.size(), 16u * 16u);
  const auto at = [&](int x, int y) { return cell[y * 16 + x]; };
  const ui::Color olive = RgbColor(128, 128, 0);
  for (int i = 0; i < 16; ++i) {
    for (int edge : {0, 1, 15}) {
      EXPECT_EQ(at(i, edge), olive) << i << "," << edge;
      EXPECT_EQ(at(edge, i), olive) << edge << "," << i;
    }
  }
  EXPECT_EQ(at(2, 2), frame);
  EXPECT_EQ(at(14, 2), window);
  EXPECT_EQ(at(8, 8), mark);
  EXPECT_EQ(at(2, 14), window);
  EXPECT_EQ(at(14, 14), black);
  EXPECT_EQ(at(3, 3), window);
}

TEST(CheckImageColors, ABitmapOfAnotherSizeIsRefused) {
  EXPECT_THROW(ui::ComposeCheckCell(std::vector<ui::Color>(16 * 16),
                                    ui::CheckBoxColorMap(0, 0, 0)),
               std::invalid_argument);
}

}  // namespace
