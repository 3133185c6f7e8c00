// The windows at the screen's scale, for the DPI the tests run at: 96 in the
// ordinary run, 144 in the run whose Wine prefix has LogPixels 144 (ctest's
// win32_tests_at_144_dpi). At 144 DPI the wizard's client area is 747 x 437,
// bt_Next sits at (576, 384) with 112 x 37 (both +-1), the page-0 title font
// is 1.5 times its 96-DPI height, and the pictures are the 150 % versions. A
// move to a monitor of another scale (WM_DPICHANGED) lays the open windows
// out again.
#include <cstdlib>
#include <memory>

#include "UiTestSupport.h"
#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "wizard/Tfm_Install.h"
#include "wizard/U_ChooseCD.h"
#include "ui/win32/Dpi.h"

namespace {

using uitest::ClientSize;
using uitest::WindowOf;

// What the windows show on a screen of Dpi.
struct AtScale {
  int Dpi;
  SIZE WizardClient;
  RECT Next;         // bt_Next in the wizard's client area
  int TitleHeight;   // of the page-0 title's font
  SIZE Banner;       // the banner picture shown
  int CheckCell;     // width and height of the tree's state pictures
  SIZE PromptClient;
  int PromptFontHeight;
  SIZE Disc;         // the prompt's disc picture
};
const AtScale kScales[] = {
    {96, {498, 291}, {384, 256, 459, 281}, 16, {164, 290}, 16, {440, 175}, 12, {45, 40}},
    {144, {747, 437}, {576, 384, 688, 421}, 24, {246, 435}, 24, {660, 263}, 18, {68, 60}},
    {192, {996, 582}, {768, 512, 918, 562}, 32, {328, 580}, 32, {880, 350}, 24, {90, 80}},
};

const AtScale* ScaleFor(int dpi) {
  for (const AtScale& scale : kScales) {
    if (scale.Dpi == dpi) return &scale;
  }
  return nullptr;
}

RECT RectInClient(HWND child, HWND parent) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int FontHeight(HWND window) {
  const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  LOGFONTA description{};
  if (!font || !GetObjectA(font, sizeof description, &description)) return 0;
  return description.lfHeight;
}

SIZE PictureSize(HWND window) {
  const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(window, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP description{};
  if (!bitmap || !GetObjectA(bitmap, sizeof description, &description)) return {0, 0};
  return {description.bmWidth, description.bmHeight};
}

// Sizes and places within one pixel: edges are rounded, sizes follow.
void ExpectNear(SIZE actual, SIZE expected) {
  EXPECT_NEAR(actual.cx, expected.cx, 1);
  EXPECT_NEAR(actual.cy, expected.cy, 1);
}

class ScaledLayout : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    systemDpi = ui::win32::SystemDpi();
    ASSERT_NE(ScaleFor(systemDpi), nullptr) << "no expectations for a screen of " << systemDpi << " DPI";
    // The run at another scale names it, so that a display left at 96 DPI fails.
    if (const char* expected = std::getenv("EXPECTED_DPI")) {
      ASSERT_EQ(systemDpi, std::atoi(expected));
    }
  }

  void ExpectWizardAt(const AtScale& scale, Tfm_Install& wizard) {
    SCOPED_TRACE(scale.Dpi);
    EXPECT_EQ(wizard.Dpi(), scale.Dpi);
    const HWND window = WindowOf(wizard);
    ExpectNear(ClientSize(window), scale.WizardClient);
    const RECT next = RectInClient(WindowOf(*wizard.bt_Next), window);
    EXPECT_NEAR(next.left, scale.Next.left, 1);
    EXPECT_NEAR(next.top, scale.Next.top, 1);
    ExpectNear({next.right - next.left, next.bottom - next.top},
               {scale.Next.right - scale.Next.left, scale.Next.bottom - scale.Next.top});
    // The title's font (16 pixels at 96 DPI), and its label as high as the
    // text in it.
    const HWND title = WindowOf(*wizard.FindControl("Label1"));
    EXPECT_EQ(FontHeight(title), scale.TitleHeight);
    EXPECT_GE(ClientSize(title).cy, scale.TitleHeight);
    // The left panel and the page control still touch.
    EXPECT_EQ(RectInClient(WindowOf(*wizard.LeftPanel), window).right,
              RectInClient(WindowOf(*wizard.PageCtrl), window).left);
    const SIZE banner = PictureSize(WindowOf(*wizard.Banner));
    EXPECT_EQ(banner.cx, scale.Banner.cx);
    EXPECT_EQ(banner.cy, scale.Banner.cy);
    const auto states = reinterpret_cast<HIMAGELIST>(
        SendMessageA(WindowOf(*wizard.CheckTree), TVM_GETIMAGELIST, TVSIL_STATE, 0));
    int width = 0, height = 0;
    ImageList_GetIconSize(states, &width, &height);
    EXPECT_EQ(width, scale.CheckCell);
    EXPECT_EQ(height, scale.CheckCell);
  }

  void ExpectPromptAt(const AtScale& scale, Tfrm_ChooseDriver& prompt) {
    SCOPED_TRACE(scale.Dpi);
    ExpectNear(ClientSize(WindowOf(prompt)), scale.PromptClient);
    EXPECT_EQ(FontHeight(WindowOf(*prompt.Label1)), scale.PromptFontHeight);
    EXPECT_EQ(FontHeight(WindowOf(*prompt.edt_path)), scale.PromptFontHeight);
    const SIZE disc = PictureSize(WindowOf(*prompt.Image1));
    EXPECT_EQ(disc.cx, scale.Disc.cx);
    EXPECT_EQ(disc.cy, scale.Disc.cy);
  }

  // What the system sends when the window has moved to a monitor of dpi.
  static void MoveToMonitorOf(HWND window, int dpi) {
    RECT suggested{};
    GetWindowRect(window, &suggested);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  }

  int systemDpi = 0;
  platform::FakePlatform machine;
  platform::FakeShellNamespace shell{machine};
};

TEST_F(ScaledLayout, TheWizardAtTheScreensScaleAndOnAnotherMonitor) {
  Tfm_Install wizard(machine, shell, "!");
  wizard.Show();
  ExpectWizardAt(*ScaleFor(systemDpi), wizard);

  const int other = systemDpi == 192 ? 96 : 192;
  MoveToMonitorOf(WindowOf(wizard), other);
  ExpectWizardAt(*ScaleFor(other), wizard);
  // Its geometry stays that of the tables.
  EXPECT_EQ(wizard.ClientWidth(), 498);
  EXPECT_EQ(wizard.ClientHeight(), 291);
  MoveToMonitorOf(WindowOf(wizard), systemDpi);
  ExpectWizardAt(*ScaleFor(systemDpi), wizard);
}

TEST_F(ScaledLayout, TheDiscPromptAtTheScreensScaleAndOnAnotherMonitor) {
  ui::Form owner(nullptr, "fm_Install");
  Tfrm_ChooseDriver prompt(&owner, machine, shell);
  prompt.Show();
  ExpectPromptAt(*ScaleFor(systemDpi), prompt);
  const int other = systemDpi == 192 ? 96 : 192;
  MoveToMonitorOf(WindowOf(prompt), other);
  ExpectPromptAt(*ScaleFor(other), prompt);
  prompt.Close();
}

}  // namespace
