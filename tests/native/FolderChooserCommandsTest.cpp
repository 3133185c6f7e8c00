// The shell's context menu in the chooser's tree and renaming a folder in
// place.
#include "tests/native/FolderChooserFixture.h"
#include "ui/Application.h"

namespace chooser_test {
namespace {

class FolderCommandsTest : public FolderChooserFixture {
 protected:
  // Right-clicks the node's text; the user picks verb from the menu.
  void RightClick(ui::TreeNode* node, const std::string& verb) {
    shell.ChooseFromNextMenu(verb);
    const ui::Rect label = Tree().LabelRect(*node);
    ui::App().Dispatch([&] { Tree().DoContextPopup({label.Left + 2, label.Top + 2}, {640, 480}); });
  }
  // The user types a new name into the node's edit box and presses Enter.
  void EditText(ui::TreeNode* node, const std::string& text) {
    Tree().StartEdit(node);
    ui::App().Dispatch([&] { Tree().EditDone(true, text); });
  }
  ui::TreeNode* Data() { return Walk(Tree(), {"我的电脑", kDriveC, "Data"}); }
};

TEST_F(FolderCommandsTest, RightClickSelectsTheFolderAndTheShellRunsTheCommand) {
  ui::TreeNode* data = Data();
  Walk(Tree(), {"我的电脑", kDriveD});
  ASSERT_NE(Tree().Selected(), data);
  RightClick(data, "properties");
  EXPECT_EQ(Tree().Selected(), data);
  ASSERT_EQ(shell.Menus.size(), 1u);
  EXPECT_EQ(shell.Menus[0].Path, "C:\\Data");
  EXPECT_EQ(shell.Menus[0].X, 640);
  EXPECT_EQ(shell.Menus[0].Y, 480);
  EXPECT_TRUE(shell.Menus[0].Ran);
  EXPECT_EQ(shell.Menus[0].CurrentFolder, "");

  RightClick(data, "");  // dismissed
  EXPECT_FALSE(shell.Menus[1].Ran);
}

TEST_F(FolderCommandsTest, AListedFileGetsNoMenuSoItIsNeverOpened) {
  machine.AddFile("C:\\Data\\CD2.iso", "x");
  fileExtension = ".iso";
  ui::TreeNode* image = Walk(Tree(), {"我的电脑", kDriveC, "Data", "CD2.iso"});
  ASSERT_NE(image, nullptr);
  RightClick(image, "");
  EXPECT_EQ(Tree().Selected(), image);
  EXPECT_TRUE(shell.Menus.empty());
  EXPECT_TRUE(shell.Opened.empty());
  // Its folder still has the shell's menu.
  RightClick(image->Parent(), "properties");
  ASSERT_EQ(shell.Menus.size(), 1u);
  EXPECT_EQ(shell.Menus[0].Path, "C:\\Data");
}

TEST_F(FolderCommandsTest, OpenRunsInTheParentFolder) {
  ui::TreeNode* sub = Walk(Tree(), {"我的电脑", kDriveC, "Data", "Sub"});
  RightClick(sub, "Open");
  ASSERT_EQ(shell.Menus.size(), 1u);
  EXPECT_EQ(shell.Menus[0].CurrentFolder, "C:\\Data");
}

TEST_F(FolderCommandsTest, DeleteRemovesTheNodeOnlyWhenTheFolderIsGone) {
  ui::TreeNode* data = Data();
  ui::TreeNode* sub = Walk(Tree(), {"我的电脑", kDriveC, "Data", "Sub"});
  // The user declines the shell's confirmation: the folder stays.
  RightClick(sub, "delete");
  EXPECT_EQ(ChildTexts(data), std::vector<std::string>{"Sub"});

  shell.OnRunCommand = [&](const std::string& verb, const std::string& path) {
    return verb == "delete" && machine.Remove(path);
  };
  RightClick(sub, "delete");
  EXPECT_TRUE(data->Children().empty());
  // The selection went with the node.
  EXPECT_EQ(Tree().Selected(), nullptr);
}

TEST_F(FolderCommandsTest, PasteReadsTheSubFoldersAgainKeepingExpansionAndSelection) {
  machine.AddFolder("C:\\Data\\Sub\\Deep\\Deeper");
  ui::TreeNode* data = Data();
  ui::TreeNode* deep = Walk(Tree(), {"我的电脑", kDriveC, "Data", "Sub", "Deep"});
  deep->Expand();
  Tree().SetSelected(deep);
  shell.OnRunCommand = [&](const std::string&, const std::string&) {
    machine.AddFolder("C:\\Data\\Pasted");
    return true;
  };
  shell.ChooseFromNextMenu("paste");
  const ui::Rect label = Tree().LabelRect(*data);
  // Right-clicking selects Data; the paste is into it.
  ui::App().Dispatch([&] { Tree().DoContextPopup({label.Left + 2, label.Top + 2}, {0, 0}); });
  EXPECT_EQ(ChildTexts(data), (std::vector<std::string>{"Pasted", "Sub"}));
  ui::TreeNode* sub = Child(data, "Sub");
  ui::TreeNode* deepAgain = Child(sub, "Deep");
  ASSERT_NE(deepAgain, nullptr);
  EXPECT_TRUE(sub->Expanded());
  EXPECT_TRUE(deepAgain->Expanded());
  EXPECT_EQ(ChildTexts(deepAgain), std::vector<std::string>{"Deeper"});
  EXPECT_EQ(Tree().Selected(), data);
  EXPECT_TRUE(Child(data, "Pasted")->Children().empty());
}

TEST_F(FolderCommandsTest, RenameFromTheMenuEditsTheNodeAndRenamesTheFolder) {
  ui::TreeNode* data = Data();
  Walk(Tree(), {"我的电脑", kDriveC, "Data", "Sub"});
  RightClick(data, "rename");
  EXPECT_TRUE(Tree().IsEditing());
  EXPECT_EQ(Tree().Selected(), data);
  EXPECT_FALSE(shell.Menus[0].Ran);  // the tree edits; the shell does not run it

  ui::App().Dispatch([&] { Tree().EditDone(true, "新资料"); });
  EXPECT_TRUE(headless.Backend.ErrorBoxes.empty());
  EXPECT_EQ(data->Text(), "新资料");
  EXPECT_EQ(Tree().PathOf(*data), "C:\\新资料");
  EXPECT_TRUE(platform::DirectoryExists(machine, "C:\\新资料\\Sub\\Deep"));
  EXPECT_FALSE(machine.Exists("C:\\Data"));
  // The sub-folders read before now stand for the renamed folder's.
  ui::TreeNode* sub = Child(data, "Sub");
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(Tree().PathOf(*sub), "C:\\新资料\\Sub");
}

TEST_F(FolderCommandsTest, RenameRefusedOrNotAllowedKeepsTheName) {
  struct Case {
    const char* what;
    std::vector<std::string> walk;
    std::string newName;
    std::vector<std::string> errors;
  };
  shell.RefuseRename("C:\\Data");
  const Case cases[] = {
      {"refused by the shell", {"我的电脑", kDriveC, "Data"}, "Other", {"无法重命名为 Other."}},
      {"name the shell cannot take", {"我的电脑", kDriveC, "Data", "Sub"}, "a:b", {"无法重命名为 a:b."}},
      {"not renamable (a drive)", {"我的电脑", kDriveD}, "Other", {}},
      {"unchanged", {"我的电脑", kDriveC, "Data", "Sub"}, "Sub", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    headless.Backend.ErrorBoxes.clear();
    ui::TreeNode* node = Walk(Tree(), c.walk);
    const std::string before = node->Text(), path = Tree().PathOf(*node);
    EditText(node, c.newName);
    std::vector<std::string> errors;
    for (const auto& box : headless.Backend.ErrorBoxes) errors.push_back(box.Text);
    EXPECT_EQ(errors, c.errors);
    EXPECT_EQ(node->Text(), before);
    EXPECT_EQ(Tree().PathOf(*node), path);
    EXPECT_TRUE(platform::DirectoryExists(machine, path));
  }
}

TEST_F(FolderCommandsTest, EditingKeepsEnterAndEscapeFromTheButtons) {
  dialogs::SelectDirectoryWindow& window = Window();
  int clicks = 0;
  window.bt_OK->OnClick = window.bt_Cancel->OnClick = [&] { ++clicks; };
  Tree().StartEdit(Data());
  ui::PressKey(window, ui::kKeyEscape);
  ui::PressKey(window, ui::kKeyReturn);
  EXPECT_EQ(clicks, 0);
  Tree().EditDone(false, "");
  ui::PressKey(window, ui::kKeyEscape);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace chooser_test
