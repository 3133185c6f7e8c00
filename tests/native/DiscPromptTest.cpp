// The disc prompt: its window, the needed labels, the CD-ROM drive it
// proposes, and what OK, Cancel, the close button and Browse leave in
// SelectedPath.
#include <gtest/gtest.h>

#include <functional>

#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "tests/native/FolderChooserFixture.h"
#include "ui/headless/HeadlessBackend.h"
#include "wizard/U_ChooseCD.h"

namespace {

class DiscPromptTest : public ::testing::Test {
 protected:
  DiscPromptTest() {
    machine.AddDrive('C');
    machine.AddDrive('D', platform::kDriveRemovable);
    machine.AddDrive('F', platform::kDriveCdRom);
    machine.AddDrive('G', platform::kDriveCdRom);
    machine.AddFile("F:\\CDFile.Dat", "x");
    machine.AddFolder("C:\\Disc2\\MatterLib");
  }

  // Shows the prompt to a user who acts as `user` says; returns its result.
  int Show(const std::function<void(Tfrm_ChooseDriver&)>& user) {
    headless.Backend.PushResponder([&](ui::TForm& form) { user(dynamic_cast<Tfrm_ChooseDriver&>(form)); });
    const int result = prompt.ShowModal();
    EXPECT_TRUE(headless.Backend.AllResponded());
    return result;
  }
  // The next answer for the prompt's folder chooser.
  void ChooserAnswers(const std::function<void(dialogs::SelectDirectoryWindow&)>& user) {
    headless.Backend.PushResponder(
        [user](ui::TForm& form) { user(dynamic_cast<dialogs::SelectDirectoryWindow&>(form)); });
  }

  ui::HeadlessScope headless;
  platform::FakePlatform machine;
  platform::FakeShellNamespace shell{machine};
  ui::TForm wizard{nullptr, "fm_Install"};
  Tfrm_ChooseDriver prompt{&wizard, machine, shell};
};

TEST_F(DiscPromptTest, WindowAndControls) {
  EXPECT_EQ(prompt.Caption(), "请插入光盘");
  EXPECT_EQ(prompt.ClientWidth(), 440);
  EXPECT_EQ(prompt.ClientHeight(), 175);
  EXPECT_EQ(prompt.Owner(), &wizard);
  EXPECT_EQ(prompt.Position, ui::FormPosition::OwnerFormCenter);
  EXPECT_EQ(prompt.Border, ui::BorderStyle::Dialog);
  EXPECT_TRUE(prompt.CloseButton);
  EXPECT_EQ(prompt.GetFont(), (ui::Font{"宋体", 12, false, ui::clWindowText}));
  EXPECT_EQ(prompt.Label5->GetFont(), (ui::Font{"宋体", 13, false, ui::clRed}));
  EXPECT_EQ(prompt.Image1->ResourceName, "DISC");
  EXPECT_EQ(prompt.selDir.Title, "选择驱动器");

  struct Case {
    ui::TControl* control;
    int left, top, width, height;  // -1: sized by its text
    std::string caption;
  };
  const Case cases[] = {
      {prompt.Image1, 14, 16, 60, 57, ""},
      {prompt.Label1, 90, 17, -1, -1, "请插入下列光盘以继续安装。"},
      {prompt.Label5, 90, 36, -1, -1, "请插入光盘"},
      {prompt.Label2, 90, 57, 337, -1, "如果这个磁盘中的文件不能在不同于下列显示的文件夹"},
      {prompt.Label3, 89, 75, 265, -1, "中找到，请输入正确的路径或单击\"浏览\"。"},
      {prompt.Label4, 15, 79, -1, -1, "路径："},
      {prompt.edt_path, 13, 97, 329, 20, ""},
      {prompt.bt_selDir, 363, 94, 60, 25, "浏览"},
      {prompt.bt_OK, 273, 136, 75, 25, "确定"},
      {prompt.bt_Cancel, 355, 136, 75, 25, "取消"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control->Name());
    EXPECT_EQ(c.control->Left(), c.left);
    EXPECT_EQ(c.control->Top(), c.top);
    if (c.width >= 0) {
      EXPECT_EQ(c.control->Width(), c.width);
    }
    if (c.height >= 0) {
      EXPECT_EQ(c.control->Height(), c.height);
    }
    EXPECT_EQ(c.control->Caption(), c.caption);
  }
}

TEST_F(DiscPromptTest, SetLabelsJoinsThemWithOr) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"CD2"}, "CD2"},
      {{"CD2", "CD3", "CD4"}, "CD2或CD3或CD4"},
      {{}, ""},
  };
  for (const auto& c : cases) {
    prompt.SetLabels(c.first);
    EXPECT_EQ(prompt.Label5->Caption(), c.second);
  }
}

TEST_F(DiscPromptTest, ShowingProposesTheFirstCdRomDriveUnlessAPathIsPreset) {
  Show([](Tfrm_ChooseDriver& p) {
    EXPECT_EQ(p.edt_path->Text(), "F:\\");
    ui::ClickButton(*p.bt_Cancel);
  });
  prompt.SetPath("C:\\Disc2\\");
  Show([](Tfrm_ChooseDriver& p) {
    EXPECT_EQ(p.edt_path->Text(), "C:\\Disc2\\");
    ui::ClickButton(*p.bt_Cancel);
  });
}

TEST_F(DiscPromptTest, WithoutACdRomDriveTheTextStaysAsItWas) {
  platform::FakePlatform noCd;
  noCd.AddDrive('C');
  Tfrm_ChooseDriver other(&wizard, noCd, shell);
  other.edt_path->SetText("typed");
  headless.Backend.PushResponder([](ui::TForm& form) {
    auto& p = dynamic_cast<Tfrm_ChooseDriver&>(form);
    EXPECT_EQ(p.edt_path->Text(), "typed");
    ui::ClickButton(*p.bt_Cancel);
  });
  other.ShowModal();
}

TEST_F(DiscPromptTest, OkTakesOnlyAnExistingFolderWithAFinalBackslash) {
  struct Case {
    std::string typed;
    int result;
    std::string selected;
  };
  const Case cases[] = {
      {"F:\\", ui::mrOk, "F:\\"},
      {"C:\\Disc2", ui::mrOk, "C:\\Disc2\\"},
      {"C:\\Disc2\\", ui::mrOk, "C:\\Disc2\\"},
      {"C:\\Missing", ui::mrNone, "C:\\Preset\\"},
      {"F:\\CDFile.Dat", ui::mrNone, "C:\\Preset\\"},
      {"", ui::mrNone, "C:\\Preset\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    prompt.SetPath("C:\\Preset\\");
    int afterOk = -1;
    Show([&](Tfrm_ChooseDriver& p) {
      p.edt_path->TextEdited(c.typed);
      ui::ClickButton(*p.bt_OK);
      afterOk = p.ModalResult;
      if (afterOk == ui::mrNone) p.Close();  // it stayed open
    });
    EXPECT_EQ(afterOk, c.result);
    EXPECT_EQ(prompt.SelectedPath, c.selected);
  }
}

TEST_F(DiscPromptTest, CancelEmptiesThePathAndTheCloseButtonKeepsThePreset) {
  prompt.SetPath("F:\\");
  EXPECT_EQ(Show([](Tfrm_ChooseDriver& p) { ui::ClickButton(*p.bt_Cancel); }), ui::mrCancel);
  EXPECT_EQ(prompt.SelectedPath, "");

  prompt.SetPath("F:\\");
  EXPECT_EQ(Show([](Tfrm_ChooseDriver& p) {
              p.edt_path->TextEdited("C:\\Disc2");
              p.Close();
            }),
            ui::mrCancel);
  EXPECT_EQ(prompt.SelectedPath, "F:\\");
}

TEST_F(DiscPromptTest, BrowsePutsTheChosenFolderWithABackslashAndRemembersIt) {
  using chooser_test::Walk;
  std::vector<std::string> texts;
  headless.Backend.PushResponder([&](ui::TForm&) {
    for (int i = 0; i < 4; ++i) {
      ui::ClickButton(*prompt.bt_selDir);
      texts.push_back(prompt.edt_path->Text());
    }
    ui::ClickButton(*prompt.bt_OK);
  });
  ChooserAnswers([](dialogs::SelectDirectoryWindow& w) {
    EXPECT_EQ(w.Caption(), "选择驱动器");
    w.DirTree->SetSelected(Walk(*w.DirTree, {"我的电脑", "本地磁盘 (C:)", "Disc2"}));
    ui::ClickButton(*w.bt_OK);
  });
  // The second browse starts at the first choice; an empty choice (nothing
  // selected) changes nothing; Cancel changes nothing.
  ChooserAnswers([](dialogs::SelectDirectoryWindow& w) {
    ASSERT_NE(w.DirTree->Selected(), nullptr);
    EXPECT_EQ(w.DirTree->PathOf(*w.DirTree->Selected()), "C:\\Disc2");
    w.DirTree->SetSelected(nullptr);
    ui::ClickButton(*w.bt_OK);
  });
  ChooserAnswers([](dialogs::SelectDirectoryWindow& w) {
    w.DirTree->SetSelected(Walk(*w.DirTree, {"我的电脑", "CD 驱动器 (F:)"}));
    ui::ClickButton(*w.bt_Cancel);
  });
  ChooserAnswers([](dialogs::SelectDirectoryWindow& w) {
    w.DirTree->SetSelected(Walk(*w.DirTree, {"我的电脑", "CD 驱动器 (F:)"}));
    ui::ClickButton(*w.bt_OK);
  });
  EXPECT_EQ(prompt.ShowModal(), ui::mrOk);
  EXPECT_TRUE(headless.Backend.AllResponded());
  EXPECT_EQ(texts, (std::vector<std::string>{"C:\\Disc2\\", "C:\\Disc2\\", "C:\\Disc2\\", "F:\\"}));
  EXPECT_EQ(prompt.SelectedPath, "F:\\");
}

}  // namespace
