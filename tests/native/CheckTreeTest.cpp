// The check tree: toggles and their cascades, the state events, the first
// paint, the box under the mouse, Space, selection on expand and collapse,
// and the state pictures it hands to the backend.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TreeText.h"
#include "ui/CheckTree.h"
#include "ui/headless/HeadlessBackend.h"

namespace {

using treetext::Find;

class CheckTreeTest : public ::testing::Test {
 protected:
  // Builds the tree from its text and paints it, as page 2 is shown.
  void Fill(const std::string& text, bool paint = true) {
    treetext::Build(tree, text);
    if (paint) tree.Paint();
  }
  std::string States() const { return treetext::Write(tree, true); }
  ui::TreeNode& Node(const std::string& text) {
    ui::TreeNode* node = Find(tree, text);
    if (!node) throw std::logic_error("no node " + text);
    return *node;
  }
  // Records every state event as "changing S1 2", "change S1 2", "children".
  void RecordEvents() {
    tree.OnStateChanging = [this](ui::TCheckTree* sender, ui::TreeNode* node, ui::TCheckState s,
                                  bool& allow) {
      EXPECT_EQ(sender, &tree);
      EXPECT_TRUE(allow);
      allow = refused != node->Text();
      events.push_back("changing " + node->Text() + " " + std::to_string(s) + (allow ? "" : " refused"));
    };
    tree.OnStateChange = [this](ui::TCheckTree* sender, ui::TreeNode* node, ui::TCheckState s) {
      EXPECT_EQ(sender, &tree);
      EXPECT_EQ(node->StateIndex(), s);
      events.push_back("change " + node->Text() + " " + std::to_string(s));
    };
    tree.OnUpdateChildren = [this](ui::TCheckTree* sender) {
      EXPECT_EQ(sender, &tree);
      events.push_back("children");
    };
  }

  ui::HeadlessScope headless;
  ui::Form form{nullptr, "form"};
  ui::TCheckTree& tree = form.Add<ui::TCheckTree>("tree", 0, 0, 271, 153);
  std::vector<std::string> events;
  std::string refused;  // text of the node whose changes OnStateChanging refuses
};

// ------------------------------------------------------------------ toggles

struct ToggleStep {
  const char* node;      // first node in tree order with this text
  const char* expected;  // the whole tree's states afterwards
};
struct ToggleCase {
  const char* name;
  const char* tree;
  bool paint;
  std::vector<ToggleStep> steps;
};

const ToggleCase kToggleCases[] = {
    {"standard with three specialties", "S1(a,b,c)", true,
     {{"S1", "S1=2(a=2,b=2,c=2)"},
      {"b", "S1=3(a=2,b=1,c=2)"},
      {"S1", "S1=2(a=2,b=2,c=2)"},
      {"S1", "S1=1(a=1,b=1,c=1)"}}},
    {"a single child carries its standard", "S1(a)", true,
     {{"a", "S1=2(a=2)"}, {"a", "S1=1(a=1)"}}},
    {"duplicate specialties are separate nodes", "S1(a,a)", true, {{"a", "S1=3(a=2,a=1)"}}},
    {"other standards stay as they are", "S1(a) S2(b)", true,
     {{"a", "S1=2(a=2) S2=1(b=1)"}, {"S2", "S1=2(a=2) S2=2(b=2)"}}},
    {"every ancestor is recomputed", "S1(a(x,y),b)", true,
     {{"y", "S1=3(a=3(x=1,y=2),b=1)"},
      {"x", "S1=3(a=2(x=2,y=2),b=1)"},
      {"b", "S1=2(a=2(x=2,y=2),b=2)"},
      {"a", "S1=3(a=1(x=1,y=1),b=2)"},
      {"S1", "S1=2(a=2(x=2,y=2),b=2)"}}},
    {"unset nodes become checked and are not counted", "S1(a,b)", false,
     {{"a", "S1=2(a=2,b=-1)"}, {"a", "S1=1(a=1,b=-1)"}}},
};

TEST_F(CheckTreeTest, ToggleSequences) {
  for (const ToggleCase& c : kToggleCases) {
    SCOPED_TRACE(c.name);
    tree.Clear();
    Fill(c.tree, c.paint);
    for (const ToggleStep& step : c.steps) {
      SCOPED_TRACE(step.node);
      tree.ToggleCheck(&Node(step.node));
      EXPECT_EQ(States(), step.expected);
    }
  }
}

TEST_F(CheckTreeTest, NodesWithoutABox) {
  Fill("S1(a,b)");
  Node("b").SetStateIndex(ui::csNoBox);
  RecordEvents();

  tree.ToggleCheck(&Node("b"));
  EXPECT_EQ(States(), "S1=1(a=1,b=0)");
  EXPECT_TRUE(events.empty());

  // A child without a box is not counted upwards, but the downward cascade
  // gives every descendant a box.
  tree.ToggleCheck(&Node("a"));
  EXPECT_EQ(States(), "S1=2(a=2,b=0)");
  tree.ToggleCheck(&Node("S1"));
  EXPECT_EQ(States(), "S1=1(a=1,b=1)");
}

TEST_F(CheckTreeTest, WithoutCascadeOnlyTheNodeChanges) {
  Fill("S1(a,b)");
  tree.CascadeChecks = false;
  tree.ToggleCheck(&Node("S1"));
  tree.ToggleCheck(&Node("b"));
  EXPECT_EQ(States(), "S1=2(a=1,b=2)");
}

// ------------------------------------------------------------------- events

TEST_F(CheckTreeTest, EventsOfAToggleInOrder) {
  Fill("S1(a(x,y),b)");
  tree.ToggleCheck(&Node("x"));
  RecordEvents();

  // b's standard stays partly checked, and is still passed through both events.
  tree.ToggleCheck(&Node("b"));
  EXPECT_EQ(events, (std::vector<std::string>{"changing b 2", "change b 2", "children",
                                              "changing S1 3", "change S1 3"}));
  EXPECT_EQ(States(), "S1=3(a=3(x=2,y=1),b=2)");

  events.clear();
  tree.ToggleCheck(&Node("a"));
  EXPECT_EQ(events, (std::vector<std::string>{"changing a 2", "change a 2", "changing x 2",
                                              "change x 2", "changing y 2", "change y 2",
                                              "children", "changing S1 2", "change S1 2"}));
}

TEST_F(CheckTreeTest, ApplyCheckStateRaisesBothEventsEvenWithoutChange) {
  Fill("S1");
  RecordEvents();
  tree.ApplyCheckState(&Node("S1"), ui::csUnchecked);
  EXPECT_EQ(events, (std::vector<std::string>{"changing S1 1", "change S1 1"}));
}

TEST_F(CheckTreeTest, ARefusedChangeKeepsTheStateAndStillCascadesFromIt) {
  Fill("S1(a,b)");
  tree.ToggleCheck(&Node("a"));
  ASSERT_EQ(States(), "S1=3(a=2,b=1)");
  RecordEvents();
  refused = "S1";

  // The standard keeps "partly checked", which is not "checked": its
  // specialties are unchecked.
  tree.ToggleCheck(&Node("S1"));
  EXPECT_EQ(events, (std::vector<std::string>{"changing S1 2 refused", "changing a 1", "change a 1",
                                              "changing b 1", "change b 1", "children"}));
  EXPECT_EQ(States(), "S1=3(a=1,b=1)");

  // A refused ancestor keeps its state while its children change.
  events.clear();
  tree.ToggleCheck(&Node("b"));
  EXPECT_EQ(events, (std::vector<std::string>{"changing b 2", "change b 2", "children",
                                              "changing S1 3 refused"}));
  EXPECT_EQ(States(), "S1=3(a=1,b=2)");
}

TEST_F(CheckTreeTest, PaintGivesUnsetNodesAnEmptyBoxQuietly) {
  Fill("S1(a,b) S2(c)", false);
  EXPECT_EQ(States(), "S1=-1(a=-1,b=-1) S2=-1(c=-1)");
  Node("c").SetStateIndex(ui::csNoBox);
  Node("S2").SetStateIndex(ui::csChecked);
  RecordEvents();
  int painted = 0;
  tree.OnBeforePaint = [&] { ++painted; };

  tree.Paint();
  EXPECT_EQ(States(), "S1=1(a=1,b=1) S2=2(c=0)");
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(painted, 1);

  // Later nodes get their box at the next paint.
  tree.AddChild(&Node("S1"), "d");
  tree.Paint();
  EXPECT_EQ(States(), "S1=1(a=1,b=1,d=1) S2=2(c=0)");
  EXPECT_TRUE(events.empty());
}

// -------------------------------------------------------------------- mouse

// Without a peer, rows are 18 pixels high and a top-level label starts at
// Indent (19) + box (16) + icon.
struct BoxCase {
  int iconWidth;
  int dx;  // press point relative to the label's left edge
  bool toggles;
};

TEST_F(CheckTreeTest, TheBoxLiesJustLeftOfTheIconAndLabel) {
  const BoxCase cases[] = {
      {0, -17, false}, {0, -16, false}, {0, -15, true}, {0, -8, true}, {0, 0, true}, {0, 1, false},
      {16, -32, false}, {16, -31, true}, {16, -16, true}, {16, -15, false}, {16, 0, false},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE("icon " + std::to_string(c.iconWidth) + " dx " + std::to_string(c.dx));
    tree.Clear();
    tree.ImageWidth = c.iconWidth;
    tree.TakeIconWidth();
    Fill("S1");  // no children, so no expand button left of the box
    const ui::Rect label = tree.LabelRect(Node("S1"));
    ASSERT_EQ(label.Left, 19 + 16 + c.iconWidth);
    ui::MouseClick(tree, {label.Left + c.dx, label.Top + 9});
    EXPECT_EQ(tree.Selected(), &Node("S1"));
    EXPECT_EQ(States(), c.toggles ? "S1=2" : "S1=1");
  }
}

TEST_F(CheckTreeTest, BoxRowsFromTopToBottomEdge) {
  Fill("S1 S2");
  const ui::Rect second = tree.LabelRect(Node("S2"));
  ui::MouseClick(tree, {second.Left - 4, second.Top});
  EXPECT_EQ(States(), "S1=1 S2=2");
  ui::MouseClick(tree, {second.Left - 4, second.Bottom - 1});
  EXPECT_EQ(States(), "S1=1 S2=1");
}

TEST_F(CheckTreeTest, PressOnTheBoxReleaseAnywhereInTheTree) {
  Fill("S1(a) S2(b)");
  const ui::Rect s1 = tree.LabelRect(Node("S1"));
  const ui::Point box{s1.Left - 4, s1.Top + 9};
  const ui::Point label{s1.Left + 5, s1.Top + 9};

  ui::MousePress(tree, box);
  EXPECT_EQ(States(), "S1=1(a=1) S2=1(b=1)");  // nothing before the release
  ui::MouseRelease(tree, label);
  EXPECT_EQ(States(), "S1=2(a=2) S2=1(b=1)");

  // A click on the label alone does nothing.
  ui::MouseClick(tree, label);
  EXPECT_EQ(States(), "S1=2(a=2) S2=1(b=1)");

  // Released outside the tree: no toggle, and the next press decides anew.
  ui::MousePress(tree, box);
  ui::MouseRelease(tree, {tree.Width() + 5, s1.Top + 9});
  ui::MouseClick(tree, label);
  EXPECT_EQ(States(), "S1=2(a=2) S2=1(b=1)");
}

TEST_F(CheckTreeTest, OnlyALeftPressAndReleaseOnTheSameSelectedNodeToggle) {
  Fill("S1 S2");
  const ui::Rect s1 = tree.LabelRect(Node("S1"));
  const ui::Point box{s1.Left - 4, s1.Top + 9};

  ui::MousePress(tree, box, ui::MouseButton::Right);
  ui::MouseRelease(tree, box);
  EXPECT_EQ(tree.Selected(), &Node("S1"));
  ui::MousePress(tree, box);
  ui::MouseRelease(tree, box, ui::MouseButton::Right);
  EXPECT_EQ(States(), "S1=1 S2=1");

  // The selection moved between press and release.
  ui::MousePress(tree, box);
  tree.SetSelected(&Node("S2"));
  ui::MouseRelease(tree, box);
  EXPECT_EQ(States(), "S1=1 S2=1");
}

TEST_F(CheckTreeTest, ThePressSelectsAndFocusesAndTheExpandButtonIsNoBox) {
  tree.SetAutoSelect(true);
  Fill("S1(a) S2(b)");
  const ui::Rect s2 = tree.LabelRect(Node("S2"));
  ui::MouseClick(tree, {s2.Left - 16 - 9, s2.Top + 9});  // the expand button
  EXPECT_TRUE(Node("S2").Expanded());
  EXPECT_EQ(tree.Selected(), &Node("S2"));
  EXPECT_EQ(form.ActiveControl(), &tree);
  EXPECT_EQ(States(), "S1=1(a=1) S2=1(b=1)");

  // b's row is now below S2's.
  const ui::Rect b = tree.LabelRect(Node("b"));
  ASSERT_EQ(b.Top, s2.Bottom);
  ui::MouseClick(tree, {b.Left - 1, b.Top + 9});
  EXPECT_EQ(tree.Selected(), &Node("b"));
  EXPECT_EQ(States(), "S1=1(a=1) S2=2(b=2)");
}

// ----------------------------------------------------------------- keyboard

TEST_F(CheckTreeTest, SpaceTogglesOncePerRelease) {
  Fill("S1(a)");
  form.SetActiveControl(&tree);
  ui::KeyUpOnly(form, ui::kKeySpace);
  EXPECT_EQ(States(), "S1=1(a=1)");  // nothing selected

  tree.SetSelected(&Node("S1"));
  for (int repeat = 0; repeat < 3; ++repeat) ui::KeyDownOnly(form, ui::kKeySpace);
  EXPECT_EQ(States(), "S1=1(a=1)");
  ui::KeyUpOnly(form, ui::kKeySpace);
  EXPECT_EQ(States(), "S1=2(a=2)");

  ui::ShiftState ctrlShift;
  ctrlShift.Ctrl = ctrlShift.Shift = true;
  ui::PressKey(form, ui::kKeySpace, ctrlShift);
  EXPECT_EQ(States(), "S1=1(a=1)");

  ui::PressKey(form, 'A');
  EXPECT_EQ(States(), "S1=1(a=1)");
}

TEST_F(CheckTreeTest, NoSpaceToggleWhileALabelIsEdited) {
  Fill("S1");
  EXPECT_TRUE(tree.ReadOnly);
  tree.ReadOnly = false;
  tree.StartEdit(&Node("S1"));
  ASSERT_TRUE(tree.IsEditing());
  int key = ui::kKeySpace;
  tree.DoKeyUp(key, {});
  EXPECT_EQ(States(), "S1=1");
}

TEST_F(CheckTreeTest, TheSpaceCharacterIsWithheldFromTypeAhead) {
  std::string seen;
  tree.OnKeyPress = [&](char& c) { seen += c; };
  char space = ' ', letter = 'a';
  tree.DoKeyPress(space);
  tree.DoKeyPress(letter);
  EXPECT_EQ(space, 0);
  EXPECT_EQ(letter, 'a');
  EXPECT_EQ(seen, " a");
}

// ------------------------------------------------------ expand and collapse

TEST_F(CheckTreeTest, AutoSelectOnExpandAndCollapse) {
  Fill("S1(a) S2(b)");
  std::vector<std::string> changes;
  tree.OnChange = [&](ui::TreeNode* node) {
    changes.push_back(node->Text() + (node->Expanded() ? " expanded" : " collapsed"));
  };

  Node("S1").Expand();
  EXPECT_EQ(tree.Selected(), nullptr);  // off by default
  Node("S1").Collapse();

  tree.SetAutoSelect(true);
  Node("S2").Expand();   // selected after it expanded
  tree.SetSelected(&Node("b"));
  Node("S2").Collapse();  // selected before it collapses
  EXPECT_EQ(changes, (std::vector<std::string>{"S2 expanded", "b collapsed", "S2 expanded"}));
  EXPECT_EQ(tree.Selected(), &Node("S2"));
}

TEST_F(CheckTreeTest, AutoSelectAndAutoExpandExcludeEachOther) {
  EXPECT_FALSE(tree.AutoSelect());
  EXPECT_FALSE(tree.AutoExpand());
  tree.SetAutoSelect(true);
  tree.SetAutoExpand(true);
  EXPECT_FALSE(tree.AutoSelect());
  tree.SetAutoSelect(true);
  EXPECT_FALSE(tree.AutoExpand());
  EXPECT_TRUE(tree.AutoSelect());
}

// ----------------------------------------------------------------- pictures

// A peer that only counts how often it is asked to show the state pictures
// and which list it saw.
class PictureCountingPeer : public ui::TreePeer {
 public:
  explicit PictureCountingPeer(ui::TreeView& tree, std::vector<const ui::StateImageList*>& shown)
      : tree_(tree), shown_(shown) {}
  void Changed(ui::Prop) override {}
  void NodeAdded(ui::TreeNode&) override {}
  void NodeRemoved(ui::TreeNode&) override {}
  void NodeChanged(ui::TreeNode&) override {}
  void Cleared() override {}
  ui::Rect LabelRect(const ui::TreeNode&) override { return {}; }
  ui::TreeNode* NodeAt(ui::Point) override { return nullptr; }
  void StartEdit(ui::TreeNode&) override {}
  void StateImagesChanged() override { shown_.push_back(tree_.StateImages()); }

 private:
  ui::TreeView& tree_;
  std::vector<const ui::StateImageList*>& shown_;
};

TEST_F(CheckTreeTest, FourCheckBoxCellsAsTheStatePictures) {
  using ui::StockPicture;
  const ui::StateImageList& images = tree.CheckImages;
  EXPECT_EQ(tree.StateImages(), &images);
  EXPECT_EQ(tree.StateImageWidth, 16);
  EXPECT_EQ(images.Width, 16);
  EXPECT_EQ(images.Height, 16);
  EXPECT_EQ(images.Cells, (std::vector<StockPicture>{StockPicture::CheckBoxUnchecked,
                                                     StockPicture::CheckBoxUnchecked,
                                                     StockPicture::CheckBoxChecked,
                                                     StockPicture::CheckBoxMixed}));
  EXPECT_EQ(images.HighlightColor, ui::clHighlight);
  EXPECT_EQ(images.FrameColor, ui::clBtnShadow);
}

TEST_F(CheckTreeTest, ANewHighlightColourRebuildsThePicturesForThePeer) {
  std::vector<const ui::StateImageList*> shown;
  auto& own = form.Add<ui::TCheckTree>("own", 0, 0, 100, 100);
  own.AttachPeer(std::make_unique<PictureCountingPeer>(own, shown));

  own.SetHighlightColor(ui::clHighlight);  // unchanged: nothing to rebuild
  EXPECT_TRUE(shown.empty());
  own.FrameColor = ui::clBlack;
  own.SetHighlightColor(ui::clRed);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], &own.CheckImages);
  EXPECT_EQ(own.CheckImages.HighlightColor, ui::clRed);
  EXPECT_EQ(own.CheckImages.FrameColor, ui::clBlack);
  EXPECT_EQ(own.CheckImages.Cells.size(), 4u);

  // The peer lets go of the pictures before the tree ends.
  form.RemoveChild(&own);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1], nullptr);
}

}  // namespace
