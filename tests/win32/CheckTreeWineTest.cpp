// The specialty tree in the real wizard window: the system tree view shows
// the boxes, and real mouse clicks and key strokes reach the box logic
// although the tree view runs its own drag-detection loop on a press.
// With SCREENSHOT_DIR set, page 2 with a partly checked standard is saved
// there as page2-specialties.bmp.
#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "UiTestSupport.h"
#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "ui/CheckImageColors.h"
#include "ui/Scaling.h"
#include "wizard/Tfm_Install.h"
#include "ScreenPicture.h"

namespace {

using uitest::PumpFor;
using uitest::PumpUntil;

std::string States(const ui::TreeView& tree) {
  std::string out;
  for (const ui::TreeNode* node : tree.Items()) {
    if (!out.empty()) out += ' ';
    out += node->Text() + "=" + std::to_string(node->StateIndex());
  }
  return out;
}

class CheckTreeOnWine : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = std::make_unique<Tfm_Install>(machine, shell, "!");
    TCdPacks packs;
    for (const auto& [standard, specialty] : std::vector<std::pair<std::string, std::string>>{
             {"国标", "土建"}, {"国标", "给排水"}, {"行标", "电气"}}) {
      TCdPack pack;
      pack.Standard = standard;
      pack.Specialty = specialty;
      packs.push_back(pack);
    }
    form->FillSpecialtyTree(packs);
    form->ShowPage(Tfm_Install::pgSpecialty);
    form->Show();
    treeWindow = uitest::WindowOf(*form->CheckTree);
    ASSERT_NE(treeWindow, nullptr);
    SetForegroundWindow(GetAncestor(treeWindow, GA_ROOT));
    // The first paint gives every node an empty box.
    ASSERT_TRUE(PumpUntil([&] { return States(Tree()) == "国标=1 土建=1 给排水=1 行标=1 电气=1"; }))
        << States(Tree());
  }
  void TearDown() override {
    EXPECT_TRUE(Backend.ErrorBoxes.empty());
    form.reset();
    UiTest::TearDown();
  }

  ui::TCheckTree& Tree() { return *form->CheckTree; }
  ui::TreeNode& Node(const std::string& text) {
    for (ui::TreeNode* node : Tree().Items()) {
      if (node->Text() == text) return *node;
    }
    throw std::logic_error("no node " + text);
  }
  ui::Point BoxOf(ui::TreeNode& node) {
    const ui::Rect label = Tree().LabelRect(node);
    return {label.Left - 8, (label.Top + label.Bottom) / 2};
  }
  ui::Point LabelOf(ui::TreeNode& node) {
    const ui::Rect label = Tree().LabelRect(node);
    return {label.Left + 6, (label.Top + label.Bottom) / 2};
  }

  // Real input through the system's queue, at points of the tree. The steps
  // come from another thread, 100 ms apart, while this thread handles the
  // messages: the tree view's drag-detection loop, which runs inside that
  // handling, takes the moves and the release as they come.
  INPUT Mouse(DWORD flags, ui::Point at) {
    const ui::Point pixels = ui::ScaleToDpi(at, form->Dpi());
    POINT screen{pixels.X, pixels.Y};
    ClientToScreen(treeWindow, &screen);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
  }
  INPUT Key(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
  }
  void Play(std::vector<INPUT> steps) {
    std::atomic<bool> played{false};
    std::thread player([&] {
      for (INPUT& step : steps) {
        SendInput(1, &step, sizeof step);
        Sleep(100);
      }
      played = true;
    });
    PumpUntil([&] { return played.load(); }, 10000);
    player.join();
    PumpFor(100);
  }
  void Click(ui::Point at) { Play({Mouse(MOUSEEVENTF_LEFTDOWN, at), Mouse(MOUSEEVENTF_LEFTUP, at)}); }
  void Drag(ui::Point from, ui::Point to) {
    Play({Mouse(MOUSEEVENTF_LEFTDOWN, from), Mouse(0, to), Mouse(MOUSEEVENTF_LEFTUP, to)});
  }

  platform::FakePlatform machine;
  platform::FakeShellNamespace shell{machine};
  std::unique_ptr<Tfm_Install> form;
  HWND treeWindow = nullptr;
};

TEST_F(CheckTreeOnWine, TheSystemTreeShowsFourStatePicturesBeforeTheLabel) {
  const auto list = reinterpret_cast<HIMAGELIST>(SendMessageA(treeWindow, TVM_GETIMAGELIST, TVSIL_STATE, 0));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list), 4);
  const int cell = ui::ScaleToDpi(16, form->Dpi());
  int width = 0, height = 0;
  ImageList_GetIconSize(list, &width, &height);
  EXPECT_EQ(width, cell);
  EXPECT_EQ(height, cell);

  // The label of the first standard (国标), in the window's pixels.
  RECT label{};
  const auto first = reinterpret_cast<HTREEITEM>(SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  std::memcpy(&label, &first, sizeof first);
  ASSERT_TRUE(SendMessageA(treeWindow, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
  TVHITTESTINFO hit{};
  for (const int dx : {-1, 1 - cell}) {
    hit.pt = {label.left + dx, label.top + 2};
    SendMessageA(treeWindow, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_TRUE(hit.flags & TVHT_ONITEMSTATEICON) << dx << " " << hit.flags;
  }
}

// A screen reader reads the boxes through the standard state-image indices of
// a tree view with check boxes: 1 not checked, 2 checked, 3 partially
// checked. (Wine's accessibility layer shows no items of a tree view, so the
// indices are read here as a reader's tree-view support reads them.)
TEST_F(CheckTreeOnWine, TheItemsReportTheirCheckStatesTheStandardWay) {
  EXPECT_TRUE(GetWindowLongA(treeWindow, GWL_STYLE) & TVS_CHECKBOXES);
  Node("国标").Expand();
  Tree().ToggleCheck(&Node("给排水"));
  PumpFor(100);
  std::string shown;
  const std::function<void(HTREEITEM)> read = [&](HTREEITEM item) {
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
      const UINT state = static_cast<UINT>(
          SendMessageA(treeWindow, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
      shown += (shown.empty() ? "" : " ") + uitest::TreeItemText(treeWindow, item) + "=" +
               std::to_string(state >> 12);
      read(reinterpret_cast<HTREEITEM>(
          SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))));
    }
  };
  read(reinterpret_cast<HTREEITEM>(SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
  EXPECT_EQ(shown, "国标=3 土建=1 给排水=2 行标=1 电气=1");
  EXPECT_EQ(States(Tree()), shown);
}

// Without a visual theme (as in the test prefix) the cells are the program's
// bitmaps in the system's colours, olive transparent: at 96 DPI 13 x 13 at
// (2, 2) in 16 x 16 cells, at 144 DPI the 150 % version (20 x 20 at (3, 3)
// in 24 x 24 cells), at 192 DPI the 200 % one (26 x 26 at (4, 4) in 32 x 32).
TEST_F(CheckTreeOnWine, ClassicPicturesInTheSystemColours) {
  const auto list = reinterpret_cast<HIMAGELIST>(SendMessageA(treeWindow, TVM_GETIMAGELIST, TVSIL_STATE, 0));
  ASSERT_NE(list, nullptr);
  // Where the rings between outline and inside lie (both ways), a pixel of
  // the check mark, one inside the box that it leaves blank, and the corner
  // of the inside.
  const struct {
    int dpi;
    int rings[2];
    POINT mark, blank, corner;
  } kMarks[] = {{96, {3, 4}, {5, 7}, {6, 5}, {5, 5}},
                {144, {4, 5}, {9, 13}, {8, 8}, {7, 7}},
                {192, {6, 7}, {12, 17}, {11, 11}, {10, 10}}};
  const auto sample = std::find_if(std::begin(kMarks), std::end(kMarks),
                                   [&](const auto& m) { return m.dpi == form->Dpi(); });
  ASSERT_NE(sample, std::end(kMarks)) << "no samples for " << form->Dpi() << " DPI";
  const ui::CheckCellGeometry geometry = ui::CheckCellGeometryForDpi(form->Dpi());
  const int size = geometry.Cell, offset = geometry.Offset;

  const COLORREF window = GetSysColor(COLOR_WINDOW), frame = GetSysColor(COLOR_BTNSHADOW),
                 mark = ui::CheckMarkColor(GetSysColor(COLOR_HIGHLIGHT)), background = RGB(1, 2, 3);
  // Each cell drawn over the background; pixel (x, y) of cell i.
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, size * 4, size);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  const HBRUSH brush = CreateSolidBrush(background);
  const RECT all{0, 0, size * 4, size};
  FillRect(memory, &all, brush);
  for (int i = 0; i < 4; ++i) ImageList_Draw(list, i, memory, size * i, 0, ILD_TRANSPARENT);
  const auto at = [&](int cell, int x, int y) { return GetPixel(memory, size * cell + x, y); };

  const int middle = size / 2;
  for (int cell = 0; cell < 4; ++cell) {
    SCOPED_TRACE(cell);
    EXPECT_EQ(at(cell, 0, 0), background);  // olive margin: transparent
    EXPECT_EQ(at(cell, size - 1, size - 1), background);
    EXPECT_EQ(at(cell, offset, offset), frame);  // outline
    for (const int ring : sample->rings) EXPECT_EQ(at(cell, ring, ring), window);
  }
  EXPECT_EQ(at(0, middle, middle), window);  // empty inside
  EXPECT_EQ(at(1, middle, middle), window);
  EXPECT_EQ(at(2, sample->mark.x, sample->mark.y), mark);  // the check mark
  EXPECT_EQ(at(2, sample->blank.x, sample->blank.y), window);
  EXPECT_EQ(at(3, middle, middle), mark);  // the filled square
  EXPECT_EQ(at(3, sample->corner.x, sample->corner.y), mark);

  DeleteObject(brush);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

// The system tree selects its first node when it first gets the focus, and
// nothing on a press on a state picture: the second standard is clicked.
TEST_F(CheckTreeOnWine, AClickOnABoxTogglesTheNodeAndItsChildren) {
  Click(BoxOf(Node("行标")));
  ASSERT_TRUE(PumpUntil([&] { return Node("行标").StateIndex() == ui::csChecked; })) << States(Tree());
  EXPECT_EQ(States(Tree()), "国标=1 土建=1 给排水=1 行标=2 电气=2");
  EXPECT_EQ(Tree().Selected(), &Node("行标"));

  // The system tree shows the new state.
  TVITEMA item{};
  item.mask = TVIF_STATE | TVIF_HANDLE;
  item.stateMask = TVIS_STATEIMAGEMASK;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CARET, 0));
  ASSERT_TRUE(SendMessageA(treeWindow, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ((item.state & TVIS_STATEIMAGEMASK) >> 12, 2u);

  // A click on a label selects without toggling.
  Click(LabelOf(Node("国标")));
  EXPECT_EQ(Tree().Selected(), &Node("国标"));
  Click(LabelOf(Node("行标")));
  EXPECT_EQ(Tree().Selected(), &Node("行标"));
  EXPECT_EQ(States(Tree()), "国标=1 土建=1 给排水=1 行标=2 电气=2");
}

// Moving from the box to the label starts the system's drag; the press
// still selects the node and the release still toggles it.
TEST_F(CheckTreeOnWine, PressOnTheBoxAndReleaseOverTheLabel) {
  Drag(BoxOf(Node("行标")), LabelOf(Node("行标")));
  ASSERT_TRUE(PumpUntil([&] { return Node("行标").StateIndex() == ui::csChecked; })) << States(Tree());
  EXPECT_EQ(States(Tree()), "国标=1 土建=1 给排水=1 行标=2 电气=2");
}

TEST_F(CheckTreeOnWine, ReleasedOutsideTheTreeThenALabelClickTogglesNothing) {
  Drag(BoxOf(Node("行标")), {Tree().Width() + 30, BoxOf(Node("行标")).Y});
  Click(LabelOf(Node("行标")));
  EXPECT_EQ(Tree().Selected(), &Node("行标"));
  EXPECT_EQ(States(Tree()), "国标=1 土建=1 给排水=1 行标=1 电气=1");
}

TEST_F(CheckTreeOnWine, ExpandingByTheButtonThenBoxAndSpaceOnAChild) {
  // The expand button left of the box: expands and, with AutoSelect, selects.
  Click(LabelOf(Node("行标")));
  const ui::Point box = BoxOf(Node("国标"));
  Click({box.X - 16, box.Y});
  ASSERT_TRUE(PumpUntil([&] { return Node("国标").Expanded(); }));
  EXPECT_EQ(Tree().Selected(), &Node("国标"));
  EXPECT_EQ(States(Tree()), "国标=1 土建=1 给排水=1 行标=1 电气=1");

  Click(BoxOf(Node("给排水")));
  ASSERT_TRUE(PumpUntil([&] { return Node("国标").StateIndex() == ui::csPartlyChecked; })) << States(Tree());
  EXPECT_EQ(States(Tree()), "国标=3 土建=1 给排水=2 行标=1 电气=1");
  SaveWindowPicture(GetAncestor(treeWindow, GA_ROOT), "page2-specialties");

  // Space held down on the selected 给排水 (repeated presses), then released.
  Play({Key(VK_SPACE, true), Key(VK_SPACE, true), Key(VK_SPACE, true)});
  EXPECT_EQ(States(Tree()), "国标=3 土建=1 给排水=2 行标=1 电气=1");
  Play({Key(VK_SPACE, false)});
  ASSERT_TRUE(PumpUntil([&] { return Node("给排水").StateIndex() == ui::csUnchecked; })) << States(Tree());
  EXPECT_EQ(States(Tree()), "国标=1 土建=1 给排水=1 行标=1 电气=1");
}

}  // namespace
