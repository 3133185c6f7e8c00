// Screens of any scale: the one function that turns the 96-DPI geometry of
// the wizard, the disc prompt and the message dialog into pixels of a screen
// of 120, 144 and 192 DPI, its way back for points, and the picture versions
// chosen for each scale.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/TSkinMessage.h"
#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "ui/CheckImageColors.h"
#include "ui/Scaling.h"
#include "ui/headless/HeadlessBackend.h"
#include "wizard/Tfm_Install.h"
#include "wizard/U_ChooseCD.h"

namespace {

constexpr int kDpis[] = {96, 120, 144, 192};

// A rectangle at 96 DPI (from the window) and on the screens of kDpis.
struct ScaledCase {
  const char* what;
  ui::Rect at[4];
};

void ExpectScaled(const ScaledCase& c, const ui::Rect& designed) {
  SCOPED_TRACE(c.what);
  const auto same = [](const ui::Rect& a, const ui::Rect& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
  };
  EXPECT_TRUE(same(designed, c.at[0])) << "the window's own geometry changed";
  for (int i = 0; i < 4; ++i) {
    const ui::Rect scaled = ui::ScaleToDpi(designed, kDpis[i]);
    EXPECT_TRUE(same(scaled, c.at[i])) << kDpis[i] << " DPI: " << scaled.Left << "," << scaled.Top << ","
                                       << scaled.Right << "," << scaled.Bottom;
  }
}

ui::Rect ClientRect(const ui::Form& form) { return {0, 0, form.ClientWidth(), form.ClientHeight()}; }

class Scaling : public ::testing::Test {
 protected:
  ui::HeadlessScope headless;
  platform::FakePlatform machine;
  platform::FakeShellNamespace shell{machine};
};

// Edges are scaled, so the left panel and the page control still touch, and
// bt_Next at 144 DPI is where a 150 % wizard wants it: (576, 384), 113 x 38.
TEST_F(Scaling, WizardWindow) {
  Tfm_Install wizard(machine, shell, "!");
  const struct {
    ScaledCase expected;
    ui::Rect designed;
  } cases[] = {
      {{"client area", {{0, 0, 498, 291}, {0, 0, 623, 364}, {0, 0, 747, 437}, {0, 0, 996, 582}}},
       ClientRect(wizard)},
      {{"LeftPanel", {{0, 0, 169, 291}, {0, 0, 211, 364}, {0, 0, 254, 437}, {0, 0, 338, 582}}},
       wizard.LeftPanel->BoundsRect()},
      {{"Banner", {{0, 0, 164, 290}, {0, 0, 205, 363}, {0, 0, 246, 435}, {0, 0, 328, 580}}},
       wizard.Banner->BoundsRect()},
      {{"PageCtrl", {{169, 0, 497, 241}, {211, 0, 621, 301}, {254, 0, 746, 362}, {338, 0, 994, 482}}},
       wizard.PageCtrl->BoundsRect()},
      {{"bt_Next", {{384, 256, 459, 281}, {480, 320, 574, 351}, {576, 384, 689, 422}, {768, 512, 918, 562}}},
       wizard.bt_Next->BoundsRect()},
      {{"edt_PrjPath", {{10, 136, 195, 158}, {13, 170, 244, 198}, {15, 204, 293, 237}, {20, 272, 390, 316}}},
       wizard.edt_PrjPath->BoundsRect()},
      {{"CheckTree", {{24, 40, 295, 193}, {30, 50, 369, 241}, {36, 60, 443, 290}, {48, 80, 590, 386}}},
       wizard.CheckTree->BoundsRect()},
  };
  for (const auto& c : cases) ExpectScaled(c.expected, c.designed);

  // Fonts: the page-0 title (16-pixel bold 宋体) and the pages' Arial.
  const int titleHeights[] = {16, 20, 24, 32}, pageHeights[] = {14, 18, 21, 28};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(ui::ScaleToDpi(wizard.FindControl("Label1")->GetFont().Height, kDpis[i]), titleHeights[i]);
    EXPECT_EQ(ui::ScaleToDpi(wizard.GetFont().Height, kDpis[i]), pageHeights[i]);
  }
}

// 12-pixel 宋体 becomes 18 pixels at 150 %.
TEST_F(Scaling, DiscPrompt) {
  ui::Form owner(nullptr, "fm_Install");
  Tfrm_ChooseDriver prompt(&owner, machine, shell);
  const struct {
    ScaledCase expected;
    ui::Rect designed;
  } cases[] = {
      {{"client area", {{0, 0, 440, 175}, {0, 0, 550, 219}, {0, 0, 660, 263}, {0, 0, 880, 350}}},
       ClientRect(prompt)},
      {{"Image1", {{14, 16, 74, 73}, {18, 20, 93, 91}, {21, 24, 111, 110}, {28, 32, 148, 146}}},
       prompt.Image1->BoundsRect()},
      {{"edt_path", {{13, 97, 342, 117}, {16, 121, 428, 146}, {20, 146, 513, 176}, {26, 194, 684, 234}}},
       prompt.edt_path->BoundsRect()},
      {{"bt_selDir", {{363, 94, 423, 119}, {454, 118, 529, 149}, {545, 141, 635, 179}, {726, 188, 846, 238}}},
       prompt.bt_selDir->BoundsRect()},
      {{"OK", {{273, 136, 348, 161}, {341, 170, 435, 201}, {410, 204, 522, 242}, {546, 272, 696, 322}}},
       prompt.bt_OK->BoundsRect()},
  };
  for (const auto& c : cases) ExpectScaled(c.expected, c.designed);
  const int fontHeights[] = {12, 15, 18, 24};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ui::ScaleToDpi(prompt.GetFont().Height, kDpis[i]), fontHeights[i]);
}

// The {Yes, No} question "是否中断安装过程？" (headless text model: 126 x 14).
TEST_F(Scaling, MessageDialog) {
  dialogs::TSkinMessage message;
  ui::Rect client, label, icon, yes, no;
  headless.Backend.PushResponder([&](ui::Form& dialog) {
    client = ClientRect(dialog);
    label = dialog.FindControl("Message")->BoundsRect();
    icon = dialog.FindControl("Image")->BoundsRect();
    yes = dialog.FindControl("Yes")->BoundsRect();
    no = dialog.FindControl("No")->BoundsRect();
    dialog.Close();
  });
  message.ShowMessageDialog("是否中断安装过程？", dialogs::mtWarning, dialogs::mbYes | dialogs::mbNo, 0);
  ExpectScaled({"client area", {{0, 0, 216, 89}, {0, 0, 270, 111}, {0, 0, 324, 134}, {0, 0, 432, 178}}}, client);
  ExpectScaled({"Message", {{50, 15, 176, 29}, {63, 19, 220, 36}, {75, 23, 264, 44}, {100, 30, 352, 58}}}, label);
  ExpectScaled({"Image", {{5, 10, 37, 42}, {6, 13, 46, 53}, {8, 15, 56, 63}, {10, 20, 74, 84}}}, icon);
  ExpectScaled({"Yes", {{33, 54, 103, 79}, {41, 68, 129, 99}, {50, 81, 155, 119}, {66, 108, 206, 158}}}, yes);
  ExpectScaled({"No", {{113, 54, 183, 79}, {141, 68, 229, 99}, {170, 81, 275, 119}, {226, 108, 366, 158}}}, no);
}

// A point of the screen goes back to the 96-DPI point it came from; a length
// measured on the screen goes back to one that covers it when scaled again.
TEST_F(Scaling, PointsAndLengthsGoBack) {
  for (const int dpi : kDpis) {
    SCOPED_TRACE(dpi);
    for (int value = -300; value <= 1200; ++value) {
      ASSERT_EQ(ui::UnscaleFromDpi(ui::ScaleToDpi(value, dpi), dpi), value);
      if (value >= 0) {
        ASSERT_GE(ui::ScaleToDpi(ui::UnscaleLengthFromDpi(value, dpi), dpi), value);
      }
    }
  }
  // Halves away from zero, also for coordinates left of or above a window.
  EXPECT_EQ(ui::ScaleToDpi(1, 144), 2);
  EXPECT_EQ(ui::ScaleToDpi(-1, 144), -2);
  EXPECT_EQ(ui::UnscaleFromDpi(ui::Point{-3, 3}, 144).X, -2);
}

// The picture versions (100, 150, 200 %) and the check-box cells they fill.
TEST_F(Scaling, PictureVersionsAndCheckBoxCells) {
  const struct {
    int dpi, version, cell, bitmap, offset;
  } cases[] = {
      {96, 100, 16, 13, 2}, {120, 100, 20, 13, 3}, {144, 150, 24, 20, 3},
      {168, 150, 28, 20, 4}, {192, 200, 32, 26, 4}, {288, 200, 48, 26, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(ui::PictureScaleForDpi(c.dpi), c.version);
    const ui::CheckCellGeometry geometry = ui::CheckCellGeometryForDpi(c.dpi);
    EXPECT_EQ(geometry.Cell, c.cell);
    EXPECT_EQ(geometry.Bitmap, c.bitmap);
    EXPECT_EQ(geometry.Offset, c.offset);
  }
}

// A 20 x 20 bitmap in a 24 x 24 cell at 144 DPI: olive around, the bitmap at (3, 3).
TEST_F(Scaling, ALargerCheckBoxIsComposedAtItsOffset) {
  const ui::Color gray = ui::RgbColor(128, 128, 128), white = ui::RgbColor(255, 255, 255);
  std::vector<ui::Color> bitmap(20 * 20, white);
  bitmap[0] = gray;
  bitmap[20 * 20 - 1] = gray;
  const ui::Color frame = 0x111111, window = 0x222222;
  const auto cell =
      ui::ComposeCheckCell(bitmap, ui::CheckBoxColorMap(window, frame, 0x333333), ui::CheckCellGeometryForDpi(144));
  ASSERT_EQ(cell.size(), 24u * 24u);
  EXPECT_EQ(cell[2 * 24 + 2], ui::kCheckCellTransparent);
  EXPECT_EQ(cell[3 * 24 + 3], frame);
  EXPECT_EQ(cell[10 * 24 + 10], window);
  EXPECT_EQ(cell[22 * 24 + 22], frame);
  EXPECT_EQ(cell[23 * 24 + 23], ui::kCheckCellTransparent);
  EXPECT_THROW(ui::ComposeCheckCell(std::vector<ui::Color>(13 * 13), ui::CheckBoxColorMap(0, 0, 0),
                                    ui::CheckCellGeometryForDpi(144)),
               std::invalid_argument);
}

// A form keeps its 96-DPI geometry at any DPI; a new DPI measures its labels
// anew and shows every control again.
TEST_F(Scaling, ANewDpiKeepsTheDesignedGeometry) {
  Tfm_Install wizard(machine, shell, "!");
  EXPECT_EQ(wizard.Dpi(), 96);
  wizard.SetDpi(144);
  EXPECT_EQ(wizard.Dpi(), 144);
  EXPECT_EQ(wizard.ClientWidth(), 498);
  EXPECT_EQ(wizard.bt_Next->Left(), 384);
  // 11 double-byte characters of 16 pixels and 6 letters of 8.
  EXPECT_EQ(wizard.FindControl("Label1")->Width(), 11 * 16 + 6 * 8);
}

}  // namespace
