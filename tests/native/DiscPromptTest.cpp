// The disc prompt: its window, the needed labels, the CD-ROM drive it
// proposes, what OK, Cancel, the close button and Browse leave in
// SelectedPath, and the needed disc it finds by itself.
#include <gtest/gtest.h>

#include <functional>

#include "catalogue/CatalogueFormat.h"
#include "media/ImagePlatform.h"
#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "tests/IsoTestImage.h"
#include "tests/native/FolderChooserFixture.h"
#include "ui/headless/HeadlessBackend.h"
#include "wizard/U_ChooseCD.h"

namespace {

// The bytes of a CDFile.Dat of the disc label, without packs.
std::string Descriptor(const std::string& label) {
  TCdSignFile descriptor;
  descriptor.Label = label;
  return catalogue::SerializeCatalogue(descriptor);
}

class DiscPromptTest : public ::testing::Test {
 protected:
  DiscPromptTest() {
    machine.AddDrive('C');
    machine.AddDrive('D', platform::kDriveRemovable);
    machine.AddDrive('F', platform::kDriveCdRom);
    machine.AddDrive('G', platform::kDriveCdRom);
    machine.AddFile("F:\\CDFile.Dat", Descriptor("CD1"));
    machine.AddFolder("C:\\Disc2\\MatterLib");
    machine.AddFile("C:\\Disc2\\CDFile.Dat", Descriptor("CD2"));
  }

  // Shows the prompt to a user who acts as `user` says; returns its result.
  int Show(const std::function<void(Tfrm_ChooseDriver&)>& user) {
    headless.Backend.PushResponder([&](ui::Form& form) { user(dynamic_cast<Tfrm_ChooseDriver&>(form)); });
    const int result = prompt.ShowModal();
    EXPECT_TRUE(headless.Backend.AllResponded());
    return result;
  }
  // Shows the prompt asking for labels, lets a second pass (or a device
  // change) after `before` has run, and returns the folder it closed with,
  // or "open" when it stayed open (then the user cancels).
  std::string ClosesByItselfWith(const std::vector<std::string>& labels, const std::function<void()>& before) {
    prompt.SetPath("");
    prompt.SelectedPath.clear();
    prompt.SetLabels(labels);
    std::string closedWith = "open";
    Show([&](Tfrm_ChooseDriver& p) {
      before();
      ui::WatchDevices(p);
      if (p.ModalResult == ui::mrOk) {
        closedWith = p.SelectedPath;
      } else {
        EXPECT_EQ(p.Lb_Problem->Caption(), "") << "a look of its own says nothing";
        ui::ClickButton(*p.bt_Cancel);
      }
    });
    return closedWith;
  }
  // The next answer for the prompt's folder chooser.
  void ChooserAnswers(const std::function<void(dialogs::SelectDirectoryWindow&)>& user) {
    headless.Backend.PushResponder(
        [user](ui::Form& form) { user(dynamic_cast<dialogs::SelectDirectoryWindow&>(form)); });
  }

  ui::HeadlessScope headless;
  platform::FakePlatform machine;
  // As in the program, .iso files can stand for discs.
  media::ImagePlatform images{machine};
  platform::FakeShellNamespace shell{machine};
  ui::Form wizard{nullptr, "fm_Install"};
  Tfrm_ChooseDriver prompt{&wizard, images, shell};
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
  EXPECT_EQ(prompt.Lb_Problem->GetFont(), (ui::Font{"宋体", 12, false, ui::clRed}));
  EXPECT_EQ(prompt.Image1->ResourceName, "DISC");
  EXPECT_EQ(prompt.selDir.Title, "选择驱动器");

  struct Case {
    ui::Control* control;
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
      {prompt.Lb_Problem, 13, 141, -1, -1, ""},
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
  headless.Backend.PushResponder([](ui::Form& form) {
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

TEST_F(DiscPromptTest, OkOnAFolderWithoutAReadableDescriptorStaysOpenAndSaysWhy) {
  machine.AddFolder("C:\\Empty");
  machine.AddFile("C:\\Short\\CDFile.Dat", std::string(100, 'x'));
  machine.AddFile("C:\\Locked\\CDFile.Dat", Descriptor("CD2"));
  machine.FailOpen("C:\\Locked\\CDFile.Dat");
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Empty", "光盘配置文件不存在，请检查光盘。"},
      {"C:\\Short\\", "光盘配置文件无法读取，请检查光盘。"},
      {"C:\\Locked", "光盘配置文件无法读取，请检查光盘。"},
  };
  for (const auto& [typed, problem] : cases) {
    SCOPED_TRACE(typed);
    prompt.SetPath("F:\\");
    Show([&](Tfrm_ChooseDriver& p) {
      p.edt_path->TextEdited(typed);
      ui::ClickButton(*p.bt_OK);
      EXPECT_EQ(p.ModalResult, ui::mrNone);
      EXPECT_EQ(p.Lb_Problem->Caption(), problem);
      // The right folder is taken.
      p.edt_path->TextEdited("C:\\Disc2");
      ui::ClickButton(*p.bt_OK);
    });
    EXPECT_EQ(prompt.SelectedPath, "C:\\Disc2\\");
  }
  // The next showing starts without the message.
  Show([](Tfrm_ChooseDriver& p) {
    EXPECT_EQ(p.Lb_Problem->Caption(), "");
    ui::ClickButton(*p.bt_Cancel);
  });
  EXPECT_TRUE(headless.Backend.ErrorBoxes.empty());
}

TEST_F(DiscPromptTest, OkTakesAReadableDiscEvenWhenItIsNotNeeded) {
  prompt.SetPath("F:\\");
  prompt.SetLabels({"CD2"});
  EXPECT_EQ(Show([](Tfrm_ChooseDriver& p) { ui::ClickButton(*p.bt_OK); }), ui::mrOk);
  EXPECT_EQ(prompt.SelectedPath, "F:\\");
}

TEST_F(DiscPromptTest, ANeededDiscInADriveOrTheTypedFolderClosesThePromptByItself) {
  struct Case {
    const char* what;
    std::vector<std::string> labels;
    std::function<void()> before;
    std::string closedWith;
  };
  const Case cases[] = {
      {"the needed disc goes into G:", {"CD2", "CD3"}, [&] { machine.AddFile("G:\\CDFile.Dat", Descriptor("CD3")); },
       "G:\\"},
      {"labels match whatever their letter case", {"CD3"}, [&] { machine.AddFile("G:\\CDFile.Dat", Descriptor("cd3")); },
       "G:\\"},
      {"the typed folder holds it", {"CD2"}, [&] { prompt.edt_path->TextEdited("C:\\Disc2"); }, "C:\\Disc2\\"},
      {"a foreign disc in G:", {"CD2"}, [&] { machine.AddFile("G:\\CDFile.Dat", Descriptor("CD9")); }, "open"},
      {"the disc in F: is no needed one", {"CD2", "CD3"}, [] {}, "open"},
      {"a descriptor too short for a label", {"CD2"}, [&] { machine.AddFile("G:\\CDFile.Dat", "CD2"); }, "open"},
      {"a folder is no CD-ROM drive", {"CD2"}, [&] { machine.AddFile("D:\\CDFile.Dat", Descriptor("CD2")); }, "open"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    machine.Remove("G:\\CDFile.Dat");
    machine.Remove("D:\\CDFile.Dat");
    EXPECT_EQ(ClosesByItselfWith(c.labels, c.before), c.closedWith);
  }
}

TEST_F(DiscPromptTest, AnImageFileIsADiscToo) {
  using iso_test::File;
  const std::string image = iso_test::Image().WithRoot({File(u"CDFile.Dat", Descriptor("CD3"))});
  machine.AddFile("C:\\discs\\CD3.iso", image);
  machine.AddFile("C:\\discs\\empty.iso", iso_test::Image().WithRoot({}));
  machine.AddFile("C:\\discs\\broken.iso", image.substr(0, 17 * iso_test::kBlockSize));

  prompt.SetLabels({"CD3"});
  const std::pair<std::string, std::string> refused[] = {
      {"C:\\discs\\empty.iso", "光盘配置文件不存在，请检查光盘。"},
      {"C:\\discs\\broken.iso", "光盘映像'C:\\discs\\broken.iso'已损坏：映像不完整。"},
  };
  for (const auto& [typed, problem] : refused) {
    Show([&](Tfrm_ChooseDriver& p) {
      p.edt_path->TextEdited(typed);
      ui::ClickButton(*p.bt_OK);
      EXPECT_EQ(p.ModalResult, ui::mrNone);
      EXPECT_EQ(p.Lb_Problem->Caption(), problem);
      // A damaged image in the edit box does not disturb the prompt's own look.
      ui::WatchDevices(p);
      EXPECT_EQ(p.ModalResult, ui::mrNone);
      ui::ClickButton(*p.bt_Cancel);
    });
  }
  EXPECT_TRUE(headless.Backend.ErrorBoxes.empty());
  EXPECT_EQ(ClosesByItselfWith({"CD3"}, [&] { prompt.edt_path->TextEdited("C:\\discs\\CD3.ISO"); }),
            "C:\\discs\\CD3.ISO\\");
  EXPECT_EQ(ClosesByItselfWith({"CD2"}, [&] { prompt.edt_path->TextEdited("C:\\discs\\CD3.iso"); }), "open");
  prompt.SetPath("F:\\");
  Show([](Tfrm_ChooseDriver& p) {
    p.edt_path->TextEdited("C:\\discs\\CD3.iso");
    ui::ClickButton(*p.bt_OK);
  });
  EXPECT_EQ(prompt.SelectedPath, "C:\\discs\\CD3.iso\\");
}

TEST_F(DiscPromptTest, BrowseListsImagesAndAChosenImageIsReadAsTheDisc) {
  using chooser_test::Child;
  using chooser_test::Walk;
  machine.AddFile("C:\\discs\\CD3.iso", iso_test::Image().WithRoot({iso_test::File(u"CDFile.Dat", Descriptor("CD3"))}));
  machine.AddFile("C:\\discs\\readme.txt", "x");
  prompt.SetLabels({"CD3"});
  std::string typed;
  headless.Backend.PushResponder([&](ui::Form&) {
    ui::ClickButton(*prompt.bt_selDir);
    typed = prompt.edt_path->Text();
    ui::WatchDevices(prompt);  // the prompt's own look finds the needed disc
  });
  ChooserAnswers([](dialogs::SelectDirectoryWindow& w) {
    ui::TreeNode* discs = Walk(*w.DirTree, {"我的电脑", "本地磁盘 (C:)", "discs"});
    ASSERT_NE(discs, nullptr);
    discs->Expand();
    EXPECT_EQ(chooser_test::ChildTexts(discs), std::vector<std::string>{"CD3.iso"});
    w.DirTree->SetSelected(Child(discs, "CD3.iso"));
    ui::ClickButton(*w.bt_OK);
  });
  EXPECT_EQ(prompt.ShowModal(), ui::mrOk);
  EXPECT_EQ(typed, "C:\\discs\\CD3.iso");
  EXPECT_EQ(prompt.SelectedPath, "C:\\discs\\CD3.iso\\");

  // The next browse starts at the image.
  headless.Backend.PushResponder([&](ui::Form&) {
    ui::ClickButton(*prompt.bt_selDir);
    ui::ClickButton(*prompt.bt_Cancel);
  });
  ChooserAnswers([](dialogs::SelectDirectoryWindow& w) {
    ASSERT_NE(w.DirTree->Selected(), nullptr);
    EXPECT_EQ(w.DirTree->PathOf(*w.DirTree->Selected()), "C:\\discs\\CD3.iso");
    ui::ClickButton(*w.bt_Cancel);
  });
  prompt.ShowModal();
  EXPECT_TRUE(headless.Backend.AllResponded());
  EXPECT_TRUE(shell.Opened.empty());
  EXPECT_TRUE(headless.Backend.ErrorBoxes.empty());
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
  headless.Backend.PushResponder([&](ui::Form&) {
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
