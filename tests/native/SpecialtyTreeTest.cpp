// The specialty tree of the wizard window: filled from the catalogue, read
// out for the disc plan, and as the user meets it on page 2.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TreeText.h"
#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "ui/headless/HeadlessBackend.h"
#include "wizard/Tfm_Install.h"

namespace {

using treetext::Find;

TCdPacks Catalogue(const std::vector<std::pair<std::string, std::string>>& pairs) {
  TCdPacks packs;
  for (const auto& [standard, specialty] : pairs) {
    TCdPack pack;
    pack.Standard = standard;
    pack.Specialty = specialty;
    pack.Labels = {catalogue::LabelString("CD1")};
    packs.push_back(pack);
  }
  return packs;
}

std::string Entries(const std::vector<engine::SpecialtyCheck>& checks) {
  std::string out;
  for (const engine::SpecialtyCheck& c : checks) {
    out += "(" + c.Standard + "," + c.Specialty + "," + (c.Ticked ? "1" : "0") + ")";
  }
  return out;
}

class SpecialtyTree : public ::testing::Test {
 protected:
  ui::TCheckTree& Tree() { return *form.CheckTree; }
  ui::TreeNode& Node(const std::string& text) { return *Find(Tree(), text); }

  ui::HeadlessScope headless;
  platform::FakePlatform machine;
  platform::FakeShellNamespace shell{machine};
  Tfm_Install form{machine, shell, "!"};
};

struct FillCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> packs;
  const char* tree;
  const char* entries;
};

const FillCase kFillCases[] = {
    {"standards in order of appearance", {{"S1", "a"}, {"S2", "b"}, {"S1", "c"}}, "S1(a,c) S2(b)",
     "(S1,a,0)(S1,c,0)(S2,b,0)"},
    {"a repeated pair gives two nodes", {{"S1", "a"}, {"S1", "a"}}, "S1(a,a)", "(S1,a,0)(S1,a,0)"},
    {"a standard named like a specialty hangs below it", {{"S1", "a"}, {"a", "x"}}, "S1(a(x))",
     "(S1,a,0)(a,x,0)"},
    {"letter case makes two standards", {{"S1", "a"}, {"s1", "b"}, {"S1", "c"}}, "S1(a,c) s1(b)",
     "(S1,a,0)(S1,c,0)(s1,b,0)"},
    {"specialties are not sorted", {{"S2", "z"}, {"S1", "b"}, {"S2", "a"}}, "S2(z,a) S1(b)",
     "(S2,z,0)(S2,a,0)(S1,b,0)"},
    {"Chinese texts", {{"国标", "土建"}, {"国标", "给排水"}, {"行标", "电气"}},
     "国标(土建,给排水) 行标(电气)", "(国标,土建,0)(国标,给排水,0)(行标,电气,0)"},
    {"an empty catalogue", {}, "", ""},
};

TEST_F(SpecialtyTree, FillFromTheCatalogue) {
  for (const FillCase& c : kFillCases) {
    SCOPED_TRACE(c.name);
    form.FillSpecialtyTree(Catalogue(c.packs));
    EXPECT_EQ(treetext::Write(Tree()), c.tree);
    for (ui::TreeNode* node : Tree().Items()) {
      EXPECT_FALSE(node->Expanded()) << node->Text();
      EXPECT_EQ(node->StateIndex(), ui::csUnset) << node->Text();
    }
    EXPECT_EQ(Tree().Selected(), nullptr);

    form.ShowPage(Tfm_Install::pgSpecialty);
    Tree().Paint();
    for (ui::TreeNode* node : Tree().Items()) EXPECT_EQ(node->StateIndex(), ui::csUnchecked);
    EXPECT_EQ(Entries(form.ListSpecialtyChecks()), c.entries);
  }
}

TEST_F(SpecialtyTree, TickedMeansCheckedOrPartlyChecked) {
  form.FillSpecialtyTree(Catalogue({{"S1", "a"}, {"a", "x"}, {"a", "y"}, {"S2", "b"}}));
  Tree().Paint();
  Tree().ToggleCheck(&Node("x"));
  ASSERT_EQ(treetext::Write(Tree(), true), "S1=3(a=3(x=2,y=1)) S2=1(b=1)");
  // The partly checked top-level S1 gives no entry of its own.
  EXPECT_EQ(Entries(form.ListSpecialtyChecks()), "(S1,a,1)(a,x,1)(a,y,0)(S2,b,0)");
}

TEST_F(SpecialtyTree, OneOfTwoEqualSpecialtiesTicked) {
  form.FillSpecialtyTree(Catalogue({{"S1", "a"}, {"S1", "a"}}));
  Tree().Paint();
  Tree().ToggleCheck(Tree().Items()[2]);
  EXPECT_EQ(treetext::Write(Tree(), true), "S1=3(a=1,a=2)");
  EXPECT_EQ(Entries(form.ListSpecialtyChecks()), "(S1,a,0)(S1,a,1)");
}

TEST_F(SpecialtyTree, ARefillAfterGoingBackEmptiesEveryBox) {
  const TCdPacks packs = Catalogue({{"S1", "a"}, {"S1", "b"}, {"S2", "c"}});
  form.FillSpecialtyTree(packs);
  form.ShowPage(Tfm_Install::pgSpecialty);
  Tree().Paint();
  Tree().ToggleCheck(&Node("S1"));
  Tree().SetSelected(&Node("c"));
  Node("S1").Expand();

  form.ShowPage(Tfm_Install::pgTarget);
  form.FillSpecialtyTree(packs);
  form.ShowPage(Tfm_Install::pgSpecialty);
  Tree().Paint();
  EXPECT_EQ(treetext::Write(Tree(), true), "S1=1(a=1,b=1) S2=1(c=1)");
  EXPECT_FALSE(Node("S1").Expanded());
  EXPECT_EQ(Tree().Selected(), nullptr);
}

TEST_F(SpecialtyTree, SettingsOfTheWindowsTree) {
  const ui::TCheckTree& tree = Tree();
  EXPECT_TRUE(tree.CascadeChecks);
  EXPECT_TRUE(tree.AutoSelect());
  EXPECT_FALSE(tree.AutoExpand());
  EXPECT_EQ(tree.Indent, 19);
  EXPECT_TRUE(tree.ReadOnly);
  EXPECT_TRUE(tree.HideSelection);
  EXPECT_TRUE(tree.BorderNone);
  EXPECT_EQ(tree.ImageWidth, 0);
  EXPECT_EQ(tree.StateImageWidth, 16);
  EXPECT_EQ(tree.HighlightColor(), ui::clHighlight);
  EXPECT_EQ(tree.FrameColor, ui::clBtnShadow);
  EXPECT_TRUE(tree.ShowButtons && tree.ShowLines && tree.ShowRoot);
  EXPECT_EQ(tree.GetFont(), (ui::Font{"Arial", 14, false, ui::clBtnText}));
  EXPECT_EQ(tree.GetColor(), ui::clWindow);
}

// Page 2 as the user meets it: a press on a standard's box, released over
// its label, ticks the standard and its specialties; expanding shows them.
TEST_F(SpecialtyTree, TickAStandardWithTheMouse) {
  form.FillSpecialtyTree(Catalogue({{"S1", "a"}, {"S1", "b"}, {"S2", "c"}}));
  form.ShowPage(Tfm_Install::pgSpecialty);
  Tree().Paint();
  const ui::Rect s1 = Tree().LabelRect(Node("S1"));
  ui::MousePress(Tree(), {s1.Left - 8, s1.Top + 9});
  ui::MouseRelease(Tree(), {s1.Left + 10, s1.Top + 9});
  EXPECT_EQ(Entries(form.ListSpecialtyChecks()), "(S1,a,1)(S1,b,1)(S2,c,0)");

  // Expanding selects the standard (AutoSelect); Space on b unticks it.
  Node("S2").Expand();
  EXPECT_EQ(Tree().Selected(), &Node("S2"));
  Node("S1").Expand();
  Tree().SetSelected(&Node("b"));
  ui::PressKey(form, ui::kKeySpace);
  EXPECT_EQ(treetext::Write(Tree(), true), "S1=3(a=2,b=1) S2=1(c=1)");
}

}  // namespace
