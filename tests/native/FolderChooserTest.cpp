// Running the folder chooser: where it starts, what OK, Cancel, the keys and
// a close request give back, and what it remembers from run to run.
#include <functional>
#include <stdexcept>

#include "dialogs/TSkinSelectDirectoryDialog.h"
#include "tests/native/FolderChooserFixture.h"

namespace chooser_test {
namespace {

using dialogs::SelectDirectoryWindow;

class FolderChooserTest : public FolderChooserFixture {
 protected:
  // Runs the chooser with a user who acts as `user` says.
  bool Run(const std::function<void(SelectDirectoryWindow&)>& user) {
    headless.Backend.PushResponder([&](ui::Form& form) { user(dynamic_cast<SelectDirectoryWindow&>(form)); });
    const bool result = chooser.SelectFolder();
    EXPECT_TRUE(headless.Backend.AllResponded());
    return result;
  }

  dialogs::TSkinSelectDirectoryDialog chooser{machine, shell};
};

std::string SelectedText(SelectDirectoryWindow& window) {
  return window.DirTree->Selected() ? window.DirTree->Selected()->Text() : "(none)";
}

TEST_F(FolderChooserTest, FirstRunSelectsMyComputerAndOkGivesItsDisplayName) {
  chooser.Title = "选择软件目录";
  const bool chosen = Run([](SelectDirectoryWindow& window) {
    EXPECT_EQ(window.Caption(), "选择软件目录");
    EXPECT_EQ(window.Border, ui::BorderStyle::Sizeable);
    EXPECT_FALSE(window.CloseButton);
    EXPECT_EQ(window.ClientWidth(), 280);
    EXPECT_EQ(window.ClientHeight(), 280);
    EXPECT_EQ(window.ActiveControl(), window.DirTree);

    ui::TreeNode* desktop = window.DirTree->TopLevel().front().get();
    EXPECT_EQ(window.DirTree->TopLevel().size(), 1u);
    EXPECT_EQ(desktop->Text(), "桌面");
    EXPECT_TRUE(desktop->Expanded());
    EXPECT_EQ(ChildTexts(desktop), (std::vector<std::string>{"我的电脑", "网上邻居"}));
    ui::TreeNode* myComputer = Child(desktop, "我的电脑");
    EXPECT_EQ(window.DirTree->Selected(), myComputer);
    EXPECT_TRUE(myComputer->Expanded());
    EXPECT_EQ(ChildTexts(myComputer), (std::vector<std::string>{kDriveC, kDriveD, kDriveE}));
    ui::ClickButton(*window.bt_OK);
  });
  EXPECT_TRUE(chosen);
  EXPECT_EQ(chooser.Directory, "我的电脑");
}

TEST_F(FolderChooserTest, WindowLayoutFollowsItsSize) {
  chooser.DialogWidth = 360;
  chooser.DialogHeight = 320;
  Run([](SelectDirectoryWindow& window) {
    EXPECT_EQ(window.GetFont(), (ui::Font{"宋体", 14, false, ui::clWindowText}));
    for (int round = 0; round < 2; ++round) {
      const int width = window.ClientWidth(), height = window.ClientHeight();
      EXPECT_EQ(window.TreePanel->BoundsRect().Bottom, height - 50);
      EXPECT_EQ(window.DirTree->Width(), width);
      EXPECT_EQ(window.DirTree->Height(), height - 50);
      EXPECT_EQ(window.ButtonPanel->Top(), height - 50);
      EXPECT_EQ(window.ButtonPanel->Height(), 50);
      EXPECT_EQ(window.ButtonPanel->Width(), width);
      // The buttons keep their place at the left of the strip.
      EXPECT_EQ(window.bt_OK->BoundsRect().Left, 20);
      EXPECT_EQ(window.bt_OK->Top(), 15);
      EXPECT_EQ(window.bt_OK->Width(), 70);
      EXPECT_EQ(window.bt_OK->Height(), 25);
      EXPECT_EQ(window.bt_OK->Caption(), "确定");
      EXPECT_EQ(window.bt_Cancel->Left(), 100);
      EXPECT_EQ(window.bt_Cancel->Top(), 15);
      EXPECT_EQ(window.bt_Cancel->Caption(), "取消");
      window.SetClientSize(500, 400);  // the user drags the frame
    }
    ui::ClickButton(*window.bt_OK);
  });
  EXPECT_EQ(chooser.DialogWidth, 500);
  EXPECT_EQ(chooser.DialogHeight, 400);
}

TEST_F(FolderChooserTest, OkGivesTheSelectedFolderAsAPath) {
  struct Case {
    std::vector<std::string> walk;
    std::string directory;
  };
  const Case cases[] = {
      {{"我的电脑", kDriveD}, "D:\\"},
      {{"我的电脑", kDriveC, "Data", "Sub"}, "C:\\Data\\Sub"},
      {{}, "C:\\Documents and Settings\\User\\桌面"},  // the desktop
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.directory);
    EXPECT_TRUE(Run([&](SelectDirectoryWindow& window) {
      ui::TreeNode* node = Walk(*window.DirTree, c.walk);
      ASSERT_NE(node, nullptr);
      window.DirTree->SetSelected(node);
      ui::ClickButton(*window.bt_OK);
    }));
    EXPECT_EQ(chooser.Directory, c.directory);
  }
}

TEST_F(FolderChooserTest, EveryWayOutButOkKeepsTheFolderAndRemembersTheSize) {
  struct Case {
    const char* name;
    std::function<void(SelectDirectoryWindow&)> leave;
  };
  const Case cases[] = {
      {"Cancel", [](SelectDirectoryWindow& w) { ui::ClickButton(*w.bt_Cancel); }},
      {"Escape", [](SelectDirectoryWindow& w) { ui::PressKey(w, ui::kKeyEscape); }},
      {"Alt+F4", [](SelectDirectoryWindow& w) { ui::PressKey(w, ui::kKeyF4, {false, false, true}); }},
      {"close request", [](SelectDirectoryWindow& w) { w.Close(); }},
      {"Enter on Cancel",
       [](SelectDirectoryWindow& w) {
         ui::PressKey(w, ui::kKeyTab);
         ui::PressKey(w, ui::kKeyTab);
         ui::PressKey(w, ui::kKeyReturn);
       }},
  };
  int size = 300;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    chooser.Directory = "C:\\Data";
    size += 10;
    EXPECT_FALSE(Run([&](SelectDirectoryWindow& window) {
      window.DirTree->SetSelected(Walk(*window.DirTree, {"我的电脑", kDriveD}));
      window.SetClientSize(size, size + 1);
      c.leave(window);
    }));
    EXPECT_EQ(chooser.Directory, "C:\\Data");
    EXPECT_EQ(chooser.DialogWidth, size);
    EXPECT_EQ(chooser.DialogHeight, size + 1);
  }
}

TEST_F(FolderChooserTest, EnterTakesTheFocusedChoiceAndTabCyclesTreeOkCancel) {
  EXPECT_TRUE(Run([](SelectDirectoryWindow& window) {
    const std::vector<ui::Control*> expected = {window.bt_OK, window.bt_Cancel, window.DirTree, window.bt_OK};
    for (ui::Control* next : expected) {
      ui::PressKey(window, ui::kKeyTab);
      EXPECT_EQ(window.ActiveControl(), next);
    }
    ui::PressKey(window, ui::kKeyTab, {true, false, false});
    EXPECT_EQ(window.ActiveControl(), window.DirTree);
    ui::PressKey(window, ui::kKeyReturn);  // in the tree: OK
  }));
  EXPECT_EQ(chooser.Directory, "我的电脑");
}

TEST_F(FolderChooserTest, SecondRunOpensTheTreeDownToTheLastFolder) {
  ASSERT_TRUE(Run([](SelectDirectoryWindow& window) {
    window.DirTree->SetSelected(Walk(*window.DirTree, {"我的电脑", kDriveC, "Data"}));
    ui::ClickButton(*window.bt_OK);
  }));
  ASSERT_EQ(chooser.Directory, "C:\\Data");
  EXPECT_TRUE(Run([](SelectDirectoryWindow& window) {
    ui::TreeNode* data = window.DirTree->Selected();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(window.DirTree->PathOf(*data), "C:\\Data");
    for (ui::TreeNode* n = data; n; n = n->Parent()) EXPECT_TRUE(n->Expanded()) << n->Text();
    EXPECT_EQ(ChildTexts(data), std::vector<std::string>{"Sub"});
    EXPECT_FALSE(Child(data, "Sub")->Expanded());
    ui::ClickButton(*window.bt_OK);
  }));
  EXPECT_EQ(chooser.Directory, "C:\\Data");
}

TEST_F(FolderChooserTest, AChosenFileIsWhereTheNextRunStartsWhileItExists) {
  machine.AddFile("C:\\Data\\CD2.iso", "x");
  chooser.FileExtension = ".iso";
  ASSERT_TRUE(Run([](SelectDirectoryWindow& window) {
    window.DirTree->SetSelected(Walk(*window.DirTree, {"我的电脑", kDriveC, "Data", "CD2.iso"}));
    ui::ClickButton(*window.bt_OK);
  }));
  EXPECT_EQ(chooser.Directory, "C:\\Data\\CD2.iso");
  EXPECT_TRUE(chooser.DirectoryIsFile);

  EXPECT_TRUE(Run([](SelectDirectoryWindow& window) {
    ui::TreeNode* image = window.DirTree->Selected();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(window.DirTree->PathOf(*image), "C:\\Data\\CD2.iso");
    EXPECT_TRUE(window.DirTree->IsFileNode(*image));
    EXPECT_TRUE(image->Parent()->Expanded());
    window.DirTree->SetSelected(image->Parent());
    ui::ClickButton(*window.bt_OK);
  }));
  EXPECT_EQ(chooser.Directory, "C:\\Data");
  EXPECT_FALSE(chooser.DirectoryIsFile);

  // A file gone since: the run starts at My Computer, and Cancel keeps the
  // choice as it was.
  chooser.Directory = "C:\\Data\\CD2.iso";
  chooser.DirectoryIsFile = true;
  machine.Remove("C:\\Data\\CD2.iso");
  EXPECT_FALSE(Run([](SelectDirectoryWindow& window) {
    EXPECT_EQ(SelectedText(window), "我的电脑");
    ui::ClickButton(*window.bt_Cancel);
  }));
  EXPECT_EQ(chooser.Directory, "C:\\Data\\CD2.iso");
  EXPECT_TRUE(chooser.DirectoryIsFile);
  EXPECT_TRUE(shell.Opened.empty());
}

TEST_F(FolderChooserTest, StartFolderThatIsNoReachableFolder) {
  machine.AddFile("C:\\Data\\readme.txt", "x");
  struct Case {
    std::string directory;
    std::string selected;  // text of the selected node at the start
  };
  const Case cases[] = {
      {"C:\\Gone", "我的电脑"},           // deleted since
      {"我的电脑", "我的电脑"},           // a display name from an earlier run
      {"C:\\Data\\readme.txt", "我的电脑"},  // a file
      {"C:\\Hidden\\Inner", "(none)"},    // exists, inside a hidden folder
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.directory);
    chooser.Directory = c.directory;
    EXPECT_TRUE(Run([&](SelectDirectoryWindow& window) {
      EXPECT_EQ(SelectedText(window), c.selected);
      ui::ClickButton(*window.bt_OK);
    }));
  }
  // The last one: the tree opened as far as it could, and OK gave nothing.
  EXPECT_EQ(chooser.Directory, "");
}

TEST_F(FolderChooserTest, UnreachableFolderOpensTheTreeAsFarAsItCan) {
  chooser.Directory = "C:\\Hidden\\Inner";
  Run([](SelectDirectoryWindow& window) {
    ui::TreeNode* driveC = Child(Child(window.DirTree->TopLevel().front().get(), "我的电脑"), kDriveC);
    ASSERT_NE(driveC, nullptr);
    EXPECT_TRUE(driveC->Expanded());
    EXPECT_EQ(ChildTexts(driveC), std::vector<std::string>{"Data"});
    ui::ClickButton(*window.bt_Cancel);
  });
}

TEST_F(FolderChooserTest, StartFolderTheShellCannotParseIsReportedAndChangesNothing) {
  machine.AddFolder("C:\\Odd");
  shell.FailParse("C:\\Odd");
  chooser.Directory = "C:\\Odd";
  chooser.DialogWidth = 333;
  // The callers do not catch it: the top-level report shows it.
  ui::App().Dispatch([&] { chooser.SelectFolder(); });
  ASSERT_EQ(headless.Backend.ErrorBoxes.size(), 1u);
  EXPECT_EQ(headless.Backend.ErrorBoxes[0].Text, "无法定位到路径：\"C:\\Odd\"");
  EXPECT_EQ(chooser.Directory, "C:\\Odd");
  EXPECT_EQ(chooser.DialogWidth, 333);
}

}  // namespace
}  // namespace chooser_test
