// The chooser's folder tree over the shell: what is listed and when, in
// which order, the expand buttons, zip files, and the texts and paths of
// nodes.
#include "tests/native/FolderChooserFixture.h"
#include "ui/Application.h"

namespace chooser_test {
namespace {

using platform::FakeShellNamespace;
using platform::ShellName;

class FolderTreeTest : public FolderChooserFixture {};

TEST_F(FolderTreeTest, FoldersAreListedOnFirstExpansionOnlyInTheShellsOrder) {
  machine.AddFolder("C:\\Data\\b");
  machine.AddFolder("C:\\Data\\A");
  machine.AddFile("C:\\Data\\Archive.zip");
  machine.AddFile("C:\\Data\\notes.txt");
  machine.AddFolder("C:\\Data\\c");
  machine.AddFolder("C:\\Data\\secret", platform::faDirectory | platform::faHidden);
  std::vector<ui::Cursor> cursors;
  shell.OnListing = [&](const std::string&) { cursors.push_back(ui::App().ScreenCursor()); };

  ui::TreeNode* data = Walk(Tree(), {"我的电脑", kDriveC, "Data"});
  ASSERT_NE(data, nullptr);
  // Nothing below Data was read before it was expanded.
  const std::vector<std::string> listedBefore = shell.Listed;
  EXPECT_EQ(listedBefore, (std::vector<std::string>{shell.DesktopFolder, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "C:\\"}));
  EXPECT_TRUE(data->Children().empty());

  data->Expand();
  // Folders only (no plain files, nothing hidden), zip files after folders.
  EXPECT_EQ(ChildTexts(data), (std::vector<std::string>{"A", "b", "c", "Sub", "Archive.zip"}));
  EXPECT_EQ(shell.Listed.size(), listedBefore.size() + 1);
  // The hourglass while each folder was read, the arrow again afterwards.
  EXPECT_EQ(cursors, std::vector<ui::Cursor>(shell.Listed.size(), ui::Cursor::HourGlass));
  EXPECT_EQ(ui::App().ScreenCursor(), ui::Cursor::Default);

  // Collapsing keeps the children; they are not read again.
  data->Collapse();
  data->Expand();
  EXPECT_EQ(shell.Listed.size(), listedBefore.size() + 1);
  EXPECT_EQ(data->Children().size(), 5u);
}

TEST_F(FolderTreeTest, ExpandButtonsFollowTheShellThenTheChildren) {
  machine.AddFolder("C:\\Data\\OnlyHidden\\h", platform::faDirectory | platform::faHidden);
  machine.AddFolder("C:\\Locked\\x");
  shell.FailListing("C:\\Locked");
  ui::TreeNode* driveC = Walk(Tree(), {"我的电脑", kDriveC});
  driveC->Expand();
  ui::TreeNode* data = Child(driveC, "Data");
  ui::TreeNode* locked = Child(driveC, "Locked");
  data->Expand();
  ui::TreeNode* sub = Child(data, "Sub");
  ui::TreeNode* onlyHidden = Child(data, "OnlyHidden");
  ASSERT_TRUE(sub && onlyHidden && locked);

  EXPECT_TRUE(sub->HasChildren());          // the shell reports sub-folders
  EXPECT_FALSE(onlyHidden->HasChildren());  // none that are shown
  EXPECT_TRUE(locked->HasChildren());

  // A folder whose listing cannot be started shows no sub-folders and loses
  // its button once opened.
  locked->Expand();
  EXPECT_TRUE(locked->Children().empty());
  EXPECT_FALSE(locked->HasChildren());

  // A folder without a button is not read at all.
  const std::size_t listings = shell.Listed.size();
  onlyHidden->Expand();
  EXPECT_EQ(shell.Listed.size(), listings);
  EXPECT_FALSE(onlyHidden->HasChildren());

  sub->Expand();
  EXPECT_TRUE(sub->HasChildren());
  ui::TreeNode* deep = Child(sub, "Deep");
  ASSERT_NE(deep, nullptr);
  EXPECT_FALSE(deep->HasChildren());
}

TEST_F(FolderTreeTest, ExpandingAZipFileOpensItInsteadOfListingIt) {
  machine.AddFile("C:\\Data\\Archive.ZIP");
  ui::TreeNode* zip = Walk(Tree(), {"我的电脑", kDriveC, "Data", "Archive.ZIP"});
  ASSERT_NE(zip, nullptr);
  EXPECT_TRUE(zip->HasChildren());
  const std::size_t listings = shell.Listed.size();
  zip->Expand();
  EXPECT_EQ(shell.Opened, std::vector<std::string>{"C:\\Data\\Archive.ZIP"});
  EXPECT_EQ(shell.Listed.size(), listings);
  EXPECT_TRUE(zip->Children().empty());
  EXPECT_FALSE(zip->HasChildren());
}

TEST_F(FolderTreeTest, FilesOfTheAskedExtensionAreListedAfterTheFoldersAsLeaves) {
  machine.AddFolder("C:\\Data\\Folder.iso");
  machine.AddFile("C:\\Data\\cd3.ISO", "x");
  machine.AddFile("C:\\Data\\CD2.iso", "x");
  machine.AddFile("C:\\Data\\secret.iso", "x", platform::faHidden);
  machine.AddFile("C:\\Data\\notes.txt", "x");
  machine.AddFile("C:\\Data\\Archive.zip");
  struct Case {
    std::string extension;
    std::vector<std::string> children;
    std::vector<std::string> files;  // those of the children that are files
  };
  const Case cases[] = {
      {"", {"Folder.iso", "Sub", "Archive.zip"}, {}},
      {".iso", {"Folder.iso", "Sub", "Archive.zip", "CD2.iso", "cd3.ISO"}, {"CD2.iso", "cd3.ISO"}},
      {".ISO", {"Folder.iso", "Sub", "Archive.zip", "CD2.iso", "cd3.ISO"}, {"CD2.iso", "cd3.ISO"}},
      {".txt", {"Folder.iso", "Sub", "Archive.zip", "notes.txt"}, {"notes.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    shell.Opened.clear();
    dialogs::SelectDirectoryWindow window(shell, machine, "", ui::Font{}, c.extension);
    ui::TreeNode* data = Walk(*window.DirTree, {"我的电脑", kDriveC, "Data"});
    ASSERT_NE(data, nullptr);
    data->Expand();
    EXPECT_EQ(ChildTexts(data), c.children);
    for (const std::string& file : c.files) {
      ui::TreeNode* node = Child(data, file);
      ASSERT_NE(node, nullptr);
      EXPECT_TRUE(window.DirTree->IsFileNode(*node));
      EXPECT_FALSE(node->HasChildren());
      EXPECT_EQ(window.DirTree->PathOf(*node), "C:\\Data\\" + file);
      // Expanding a file (by a double click, or on the way to it) neither
      // lists it nor has the shell open it.
      const std::size_t listings = shell.Listed.size();
      node->Expand();
      EXPECT_EQ(shell.Listed.size(), listings);
      EXPECT_TRUE(node->Children().empty());
      EXPECT_FALSE(node->HasChildren());
    }
    EXPECT_FALSE(window.DirTree->IsFileNode(*Child(data, "Folder.iso")));
    EXPECT_TRUE(shell.Opened.empty());
  }
}

TEST_F(FolderTreeTest, NodesCarryTheShellsIcons) {
  ui::TreeNode* data = Walk(Tree(), {"我的电脑", kDriveC, "Data"});
  const platform::ShellItemPtr item = Tree().ItemOf(*data);
  EXPECT_EQ(data->ImageIndex, shell.IconIndex(item, false));
  EXPECT_EQ(data->SelectedIndex, shell.IconIndex(item, true));
  EXPECT_NE(data->ImageIndex, data->SelectedIndex);
}

TEST_F(FolderTreeTest, TextsAndPathsOfNodes) {
  struct Case {
    const char* what;
    std::string item;  // whose names are replaced
    ShellName kind;
    std::string name;  // the name the shell gives
    std::vector<std::string> walk;
    std::string text, path;
  };
  const std::string myComputer = FakeShellNamespace::kMyComputerParsingName;
  const Case cases[] = {
      {"plain folder", "C:\\Data", ShellName::InFolder, "Data", {"我的电脑", kDriveC, "Data"}, "Data", "C:\\Data"},
      {"drive", "D:\\", ShellName::InFolder, kDriveD, {"我的电脑", kDriveD}, kDriveD, "D:\\"},
      {"class name as text", myComputer, ShellName::InFolder, myComputer, {"我的电脑"}, "我的电脑", "我的电脑"},
      {"?digit text", "C:\\Data", ShellName::InFolder, "?1?2?", {"我的电脑", kDriveC, "12"}, "12", "C:\\Data"},
      {"? without digit", "C:\\Data", ShellName::InFolder, "?a?", {"我的电脑", kDriveC, "?a?"}, "?a?", "C:\\Data"},
      {"?digit path", "C:\\Data", ShellName::Parsing, "?9C:\\Da?ta", {"我的电脑", kDriveC, "Data"}, "Data",
       "9C:\\Data"},
      {"class name as path", "C:\\Data", ShellName::Parsing, "::{0000}", {"我的电脑", kDriveC, "Data"}, "Data", "Data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeShellNamespace names(machine);
    names.SetName(c.item, c.kind, c.name);
    dialogs::SelectDirectoryWindow window(names, machine, "", ui::Font{});
    ui::TreeNode* node = Walk(*window.DirTree, c.walk);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Text(), c.text);
    EXPECT_EQ(window.DirTree->PathOf(*node), c.path);
  }
}

}  // namespace
}  // namespace chooser_test
