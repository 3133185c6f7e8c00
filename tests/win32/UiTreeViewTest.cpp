// The tree view of the Win32 backend: its items mirror the nodes, real
// presses reach the control after the system tree made its own press, keys
// reach the control before the system tree, and the check tree's boxes
// toggle under the real mouse.
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "ui/CheckTree.h"

namespace uitest {
namespace {

using ui::Form;
using ui::TreeNode;
using ui::TreeView;

// Item texts in tree order, children indented by "  ".
void CollectItems(HWND tree, HTREEITEM first, const std::string& indent, std::vector<std::string>& out) {
  for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
    out.push_back(indent + TreeItemText(tree, item));
    CollectItems(tree, TreeView_GetChild(tree, item), indent + "  ", out);
  }
}

std::vector<std::string> Items(HWND tree) {
  std::vector<std::string> out;
  CollectItems(tree, TreeView_GetRoot(tree), "", out);
  return out;
}

int StatePicture(HWND tree, HTREEITEM item) {
  return (TreeView_GetItemState(tree, item, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12;
}

POINT Middle(const ui::Rect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

class TreeForm {
 public:
  template <class Tree = TreeView>
  Tree& AddTree() {
    form.SetClientSize(320, 240);
    auto& tree = form.Add<Tree>("CheckTree", 24, 40, 271, 153);
    tree.SetFont({"Arial", 14, false, ui::clBtnText});
    return tree;
  }
  Form form{nullptr, "Form"};
};

TEST_F(UiTest, TreeItemsMirrorTheNodes) {
  TreeForm host;
  TreeView& tree = host.AddTree();
  TreeNode* standard = tree.AddChild(nullptr, "国标");
  tree.AddChild(standard, "土建");
  host.form.Show();
  const HWND window = WindowOf(tree);
  EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & (TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT));

  TreeNode* later = tree.AddChild(standard, "给排水");
  tree.AddChild(nullptr, "行标");
  later->SetStateIndex(2);
  EXPECT_EQ(Items(window), (std::vector<std::string>{"国标", "  土建", "  给排水", "行标"}));
  const HTREEITEM laterItem =
      TreeView_GetNextSibling(window, TreeView_GetChild(window, TreeView_GetRoot(window)));
  EXPECT_EQ(StatePicture(window, laterItem), 2);

  tree.SetSelected(later);
  EXPECT_EQ(TreeView_GetSelection(window), laterItem);
  tree.Delete(later);
  EXPECT_EQ(Items(window), (std::vector<std::string>{"国标", "  土建", "行标"}));
  EXPECT_EQ(TreeView_GetSelection(window), nullptr);
  EXPECT_EQ(tree.Selected(), nullptr);
  tree.Clear();
  EXPECT_EQ(TreeView_GetCount(window), 0u);
}

TEST_F(UiTest, TreeGeometryComesFromTheSystemTree) {
  TreeForm host;
  TreeView& tree = host.AddTree();
  TreeNode* first = tree.AddChild(nullptr, "国标");
  TreeNode* second = tree.AddChild(nullptr, "行标");
  host.form.Show();
  const ui::Rect label = tree.LabelRect(*second);
  EXPECT_GT(label.Left, 0);
  EXPECT_GT(label.Top, tree.LabelRect(*first).Top);
  EXPECT_EQ(tree.NodeAt({Middle(label).x, Middle(label).y}), second);
  EXPECT_EQ(tree.NodeAt({10, label.Bottom + 40}), nullptr);
}

TEST_F(UiTest, TreePressIsReportedAfterTheSystemSelected) {
  TreeForm host;
  TreeView& tree = host.AddTree();
  tree.AddChild(nullptr, "国标");
  TreeNode* target = tree.AddChild(nullptr, "行标");
  std::vector<std::string> events;
  tree.OnChange = [&](TreeNode* node) { events.push_back("change " + (node ? node->Text() : "")); };
  tree.OnMouseDown = [&](ui::MouseButton, ui::ShiftState, ui::Point at) {
    events.push_back("down " + std::to_string(at.X) + "," + std::to_string(at.Y));
  };
  tree.OnMouseUp = [&](ui::MouseButton, ui::ShiftState, ui::Point at) {
    events.push_back("up " + std::to_string(at.X) + "," + std::to_string(at.Y));
  };
  host.form.Show();
  // A system tree that gets the focus without a selection selects its first node.
  SetFocus(WindowOf(tree));
  ASSERT_EQ(events, (std::vector<std::string>{"change 国标"}));
  events.clear();
  const POINT at = Middle(tree.LabelRect(*target));
  const std::string where = std::to_string(at.x) + "," + std::to_string(at.y);

  ClickAt(WindowOf(tree), at);
  ASSERT_TRUE(PumpUntil([&] { return events.size() >= 3; }));
  PumpFor(100);

  EXPECT_EQ(events, (std::vector<std::string>{"change 行标", "down " + where, "up " + where}));
  EXPECT_EQ(tree.Selected(), target);
  EXPECT_EQ(host.form.ActiveControl(), &tree);
}

TEST_F(UiTest, RightPressAsksForTheContextMenuAfterThePressEvents) {
  TreeForm host;
  TreeView& tree = host.AddTree();
  TreeNode* node = tree.AddChild(nullptr, "国标");
  std::vector<std::string> events;
  tree.OnMouseDown = [&](ui::MouseButton b, ui::ShiftState, ui::Point) {
    events.push_back(b == ui::MouseButton::Right ? "down right" : "down");
  };
  tree.OnMouseUp = [&](ui::MouseButton b, ui::ShiftState, ui::Point) {
    events.push_back(b == ui::MouseButton::Right ? "up right" : "up");
  };
  tree.OnContextPopup = [&](ui::Point at, ui::Point screenAt) {
    POINT screen{at.X, at.Y};
    ClientToScreen(WindowOf(tree), &screen);
    events.push_back("menu " + std::to_string(at.X) + "," + std::to_string(at.Y) +
                     (screen.x == screenAt.X && screen.y == screenAt.Y ? " on screen" : " elsewhere"));
  };
  host.form.Show();
  const POINT at = Middle(tree.LabelRect(*node));

  ClickAt(WindowOf(tree), at, true);
  PumpUntil([&] { return events.size() >= 3; });
  PumpFor(100);

  const std::string where = std::to_string(at.x) + "," + std::to_string(at.y);
  EXPECT_EQ(events, (std::vector<std::string>{"down right", "up right", "menu " + where + " on screen"}));
}

TEST_F(UiTest, KeysReachTheTreeBeforeTheSystemTree) {
  TreeForm host;
  TreeView& tree = host.AddTree();
  TreeNode* standard = tree.AddChild(nullptr, "国标");
  tree.AddChild(standard, "土建");
  bool withhold = true, allow = false;
  int expanded = 0;
  std::string typed;
  tree.OnKeyDown = [&](int& key, ui::ShiftState) {
    if (key == VK_RIGHT && withhold) key = 0;
  };
  tree.OnKeyPress = [&](char& c) {
    typed += c;
    c = 0;
  };
  tree.OnExpanding = [&](TreeNode*, bool& allowIt) { allowIt = allow; };
  tree.OnExpanded = [&](TreeNode*) { ++expanded; };
  host.form.Show();
  tree.SetSelected(standard);
  SetFocus(WindowOf(tree));
  const HTREEITEM item = TreeView_GetRoot(WindowOf(tree));
  auto shownExpanded = [&] {
    return (TreeView_GetItemState(WindowOf(tree), item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
  };

  TypeKey(VK_RIGHT);  // withheld by the control
  TypeKey('X');       // a character withheld from the type-ahead
  ASSERT_TRUE(PumpUntil([&] { return !typed.empty(); }));
  EXPECT_FALSE(shownExpanded());
  EXPECT_EQ(typed, "x");

  withhold = false;  // the system tree expands, the control refuses
  TypeKey(VK_RIGHT);
  PumpFor(200);
  EXPECT_FALSE(shownExpanded());
  EXPECT_FALSE(standard->Expanded());

  allow = true;
  TypeKey(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return expanded == 1; }));
  EXPECT_TRUE(shownExpanded());
  EXPECT_TRUE(standard->Expanded());
}

TEST_F(UiTest, TreeRaisesBeforePaintAndScrollsByWheelLines) {
  TreeForm host;
  TreeView& tree = host.AddTree();
  for (int i = 0; i < 40; ++i) tree.AddChild(nullptr, "Node " + std::to_string(i));
  int paints = 0;
  tree.OnBeforePaint = [&] { ++paints; };
  host.form.Show();
  RedrawWindow(WindowOf(tree), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(paints, 0);

  UINT lines = 0;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  ASSERT_GT(lines, 0u);
  ASSERT_LT(lines, 30u);
  SendMessageA(WindowOf(tree), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);  // already at the top
  EXPECT_EQ(tree.TopItem(), tree.Items()[0]);
  SendMessageA(WindowOf(tree), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(tree.TopItem(), tree.Items()[lines]);
}

TEST_F(UiTest, CheckTreeBoxesToggleUnderTheRealMouseAndSpace) {
  TreeForm host;
  auto& tree = host.AddTree<ui::TCheckTree>();
  TreeNode* standard = tree.AddChild(nullptr, "国标");
  TreeNode* specialty = tree.AddChild(standard, "土建");
  standard->Expand();
  host.form.Show();
  const HWND window = WindowOf(tree);
  ASSERT_TRUE(PumpUntil([&] { return standard->StateIndex() == ui::csUnchecked; }));  // boxes on first paint
  const HIMAGELIST pictures = TreeView_GetImageList(window, TVSIL_STATE);
  ASSERT_NE(pictures, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(pictures), 4);

  const ui::Rect label = tree.LabelRect(*standard);
  ClickAt(window, {label.Left - 8, (label.Top + label.Bottom) / 2});
  ASSERT_TRUE(PumpUntil([&] { return standard->StateIndex() == ui::csChecked; }));
  EXPECT_EQ(specialty->StateIndex(), ui::csChecked);
  EXPECT_EQ(StatePicture(window, TreeView_GetRoot(window)), 2);

  TypeKey(VK_SPACE);
  ASSERT_TRUE(PumpUntil([&] { return standard->StateIndex() == ui::csUnchecked; }));
  EXPECT_EQ(specialty->StateIndex(), ui::csUnchecked);
}

}  // namespace
}  // namespace uitest
