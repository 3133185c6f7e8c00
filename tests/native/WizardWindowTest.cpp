// The wizard window as the user first meets it: pages, texts, places, sizes,
// the page switch and the close request.
#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "ui/headless/HeadlessBackend.h"
#include "wizard/Tfm_Install.h"

namespace {

class WizardWindow : public ::testing::Test {
 protected:
  ui::HeadlessScope headless;
  platform::FakePlatform machine;
  platform::FakeShellNamespace shell{machine};
  Tfm_Install form{machine, shell, "!"};
};

TEST_F(WizardWindow, WindowFrameAndInitialState) {
  EXPECT_EQ(form.Caption(), "Tavrin素材安装程序");
  EXPECT_EQ(form.ClientWidth(), 498);
  EXPECT_EQ(form.ClientHeight(), 291);
  EXPECT_EQ(form.Border, ui::BorderStyle::Sizeable);
  EXPECT_EQ(form.Position, ui::FormPosition::ScreenCenter);
  EXPECT_TRUE(form.IconResource.empty());
  EXPECT_TRUE(form.State.InstallOk);
  EXPECT_FALSE(form.State.CancelRequested);
  EXPECT_TRUE(form.State.NeededLabels.empty());

  EXPECT_EQ(form.PageCtrl->VisibleTabs(), std::vector<int>{0});
  EXPECT_EQ(form.PageCtrl->Page(0).Caption(), "说明");
  EXPECT_FALSE(form.bt_Last->Visible());
  EXPECT_FALSE(form.bt_cancel->Visible());
  EXPECT_TRUE(form.bt_Next->Visible());
  EXPECT_EQ(form.bt_Next->Caption(), "下一步");
}

struct Placed {
  const char* name;
  int page;  // -1: directly on the window
  int left, top, width, height;  // width/height 0: sized to the text
  const char* caption;
  const char* fontName;
  int fontHeight;
  bool bold;
};

// Every control of the window with its place, size, text and font.
const Placed kLayout[] = {
    {"PageCtrl", -1, 169, 0, 328, 241, "", "Arial", 14, false},
    {"bt_Last", -1, 296, 256, 75, 25, "上一步", "Arial", 14, false},
    {"bt_Next", -1, 384, 256, 75, 25, "下一步", "Arial", 14, false},
    {"bt_cancel", -1, 384, 248, 75, 25, "取消", "Arial", 14, false},
    {"Label1", 0, 26, 24, 0, 0, "欢迎使用Tavrin素材库安装向导", "宋体", 16, true},
    {"Label2", 0, 25, 81, 0, 0, "现在将安装Tavrin素材库到您的电脑中。", "Arial", 14, false},
    {"Label3", 0, 24, 112, 0, 0, "推荐您在继续安装前关闭所有其他应用程序。", "Arial", 14, false},
    {"Label4", 0, 24, 144, 0, 0, "单击下一步继续。", "Arial", 14, false},
    {"Label5", 1, 10, 48, 0, 0, "安装程序将安装Tavrin素材库到下列文件夹中。", "Arial", 14, false},
    {"Label6", 1, 10, 80, 0, 0, "单击下一步继续。如果您想选择其它文件夹，单击“浏览”。", "Arial", 14, false},
    {"Label7", 1, 10, 112, 0, 0, "选择图集软件目录：", "Arial", 14, false},
    {"edt_PrjPath", 1, 10, 136, 185, 22, "", "Arial", 14, false},
    {"bt_Browse", 1, 202, 135, 47, 23, "浏览", "Arial", 14, false},
    {"Lb_Free", 1, 8, 168, 0, 0, "可用空间：", "Arial", 14, false},
    {"Lb_Total", 1, 8, 184, 0, 0, "总大小：", "Arial", 14, false},
    {"Label8", 2, 24, 16, 0, 0, "请选择专业：", "Arial", 14, false},
    {"CheckTree", 2, 24, 40, 271, 153, "", "Arial", 14, false},
    {"Label9", 3, 114, 16, 0, 0, "正在安装", "宋体", 16, true},
    {"Label12", 3, 16, 46, 0, 0, "请稍等，安装程序正在安装您选择的各个专业图库。", "Arial", 14, false},
    {"Lb_Spec", 3, 16, 72, 0, 0, "安装完成", "Arial", 14, false},
    {"AreaProgress", 3, 16, 96, 289, 17, "", "Arial", 14, false},
    {"Lb_File", 3, 16, 128, 0, 0, "安装完成", "Arial", 14, false},
    {"FileProgress", 3, 16, 152, 289, 17, "", "Arial", 14, false},
    {"Label11", 4, 106, 16, 0, 0, "安装完成", "宋体", 16, true},
    {"Label10", 4, 16, 72, 0, 0, "安装程序已经在您的电脑中安装了Tavrin素材库。", "Arial", 14, false},
    {"Label13", 4, 16, 96, 0, 0, "此应用程序可以通过选择安装的快捷方式运行。", "Arial", 14, false},
    {"Label14", 4, 16, 120, 0, 0, "单击“完成”退出安装程序。", "Arial", 14, false},
};

TEST_F(WizardWindow, EveryControlHasItsPlaceTextAndFont) {
  for (const Placed& p : kLayout) {
    SCOPED_TRACE(p.name);
    ui::Control* control = form.FindControl(p.name);
    ASSERT_NE(control, nullptr);
    if (p.page < 0) {
      EXPECT_EQ(control->Parent(), &form);
    } else {
      EXPECT_EQ(control->Parent(), &form.PageCtrl->Page(p.page));
    }
    EXPECT_EQ(control->Left(), p.left);
    EXPECT_EQ(control->Top(), p.top);
    if (p.width) {
      EXPECT_EQ(control->Width(), p.width);
      EXPECT_EQ(control->Height(), p.height);
    } else {
      // A label is as large as its text.
      const ui::Size text = ui::HeadlessBackend::MeasureText(control->GetFont(), p.caption);
      EXPECT_EQ(control->Width(), text.Width);
      EXPECT_EQ(control->Height(), text.Height);
      EXPECT_TRUE(control->Transparent());
    }
    EXPECT_EQ(control->Caption(), p.caption);
    EXPECT_EQ(control->GetFont().Name, p.fontName);
    EXPECT_EQ(control->GetFont().Height, p.fontHeight);
    EXPECT_EQ(control->GetFont().Bold, p.bold);
  }
}

TEST_F(WizardWindow, PagesBannerAndProgressBars) {
  const char* captions[] = {"说明", "选择程序目录", "选择专业", "安装进度", "完成"};
  ASSERT_EQ(form.PageCtrl->PageCount(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(form.PageCtrl->Page(i).Caption(), captions[i]);
  EXPECT_EQ(form.PageCtrl->TabHeight, 20);

  EXPECT_EQ(form.LeftPanel->Width(), 169);
  EXPECT_EQ(form.LeftPanel->Height(), 291);
  EXPECT_EQ(form.Banner->Width(), 164);
  EXPECT_EQ(form.Banner->Height(), 290);

  for (ui::ProgressBar* bar : {form.AreaProgress, form.FileProgress}) {
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->Position(), 100);
  }
}

TEST_F(WizardWindow, LeftPanelFollowsTheHeightWhileThePagesStay) {
  form.SetClientSize(600, 400);
  EXPECT_EQ(form.LeftPanel->Height(), 400);
  EXPECT_EQ(form.PageCtrl->BoundsRect().Bottom, 241);
  EXPECT_EQ(form.bt_Next->Top(), 256);
}

TEST_F(WizardWindow, ShowPageLeavesOnlyTheCurrentTabVisible) {
  for (int page = 0; page < Tfm_Install::kPageCount; ++page) {
    SCOPED_TRACE(page);
    form.ShowPage(page);
    EXPECT_EQ(form.ActivePage(), page);
    EXPECT_EQ(form.PageCtrl->VisibleTabs(), std::vector<int>{page});
    for (int other = 0; other < Tfm_Install::kPageCount; ++other) {
      EXPECT_EQ(form.PageCtrl->Page(other).Visible(), other == page);
    }
  }
}

TEST_F(WizardWindow, CloseRequestIsRefusedOnlyOnTheProgressPage) {
  for (int page = 0; page < Tfm_Install::kPageCount; ++page) {
    SCOPED_TRACE(page);
    Tfm_Install window(machine, shell, "!");
    window.Show();
    window.ShowPage(page);
    window.Close();
    EXPECT_EQ(window.Closed(), page != Tfm_Install::pgProgress);
  }
}

TEST(ProgramTitle, ComesFromTheExecutableName) {
  const struct {
    const char* exe;
    const char* title;
  } cases[] = {
      {"C:\\Temp\\Setup.exe", "Setup"},
      {"E:\\SETUP.EXE", "Setup"},
      {"C:\\a.b\\MySetup.v2.exe", "Mysetup"},
      {"C:\\x\\安装Setup.exe", "安装setup"},
      {"setup", "setup"},  // the first character keeps its case
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ui::Application::TitleFromExeName(c.exe), c.title) << c.exe;
  }
}

TEST(TopLevelErrorReport, AddsAFullStopAfterCharactersAboveIt) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {
      {"", ""},
      {"Disk full", "Disk full."},
      {"Done.", "Done."},
      {"Is it?", "Is it?."},  // "?" has a code above "."; "!" and "-" have not
      {"Stop!", "Stop!"},
      {"a-", "a-"},
      {"3/", "3/."},
      {"复制出错", "复制出错."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ui::Application::ErrorReportText(c.message), c.shown) << c.message;
  }
}

TEST(TopLevelErrorReport, AnErrorLeavingAHandlerIsShownAndTheProgramGoesOn) {
  ui::HeadlessScope headless;
  ui::App().Title = "Setup";
  ui::App().Dispatch([] { throw std::runtime_error("Rename to Data2 failed"); });
  ui::App().Dispatch([] { throw std::runtime_error("Invalid data type for 'InstallPath'"); });
  ASSERT_EQ(headless.Backend.ErrorBoxes.size(), 2u);
  EXPECT_EQ(headless.Backend.ErrorBoxes[0].Caption, "Setup");
  EXPECT_EQ(headless.Backend.ErrorBoxes[0].Text, "Rename to Data2 failed.");
  EXPECT_EQ(headless.Backend.ErrorBoxes[1].Text, "Invalid data type for 'InstallPath'");
}

}  // namespace
