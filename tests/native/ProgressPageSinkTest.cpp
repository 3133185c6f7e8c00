// The install run's sink on the wizard's progress page: the figures reach the
// bars and labels, the run's start and end set the buttons, and the two
// questions are asked with the message dialog and the disc prompt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "tests/DiscSet.h"
#include "ui/headless/HeadlessBackend.h"
#include "wizard/ProgressPageSink.h"

namespace {

using engine::BarFigures;
using engine::CopyFailureAnswer;

class ProgressPageSinkTest : public ::testing::Test {
 protected:
  ProgressPageSinkTest() {
    machine.AddDrive('C');
    // The prompt takes only a folder with a descriptor.
    machine.AddFile("C:\\Disc2\\CDFile.Dat", catalogue::SerializeCatalogue(samples::DiscSetCatalogue("CD2")));
  }

  ui::HeadlessScope headless;
  platform::FakePlatform machine;
  platform::FakeShellNamespace shell{machine};
  Tfm_Install form{machine, shell, "!"};
  Tfrm_ChooseDriver frm_ChooseDriver{&form, machine, shell};
  wizard::ProgressPageSink sink{form, frm_ChooseDriver};
};

TEST_F(ProgressPageSinkTest, FiguresAndTextsReachThePage) {
  struct Case {
    const char* what;
    BarFigures shown, reported;
  };
  const Case cases[] = {
      {"a larger range", {100, 100}, {300, 250}},
      {"a smaller range with the position reset", {300, 250}, {5, 0}},
      {"a smaller range below the old position", {300, 250}, {200, 200}},
      {"the same figures", {200, 100}, {200, 100}},
      {"an empty range", {100, 100}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (ui::ProgressBar* bar : {form.AreaProgress, form.FileProgress}) {
      bar->SetMax(c.shown.Max);
      bar->SetPosition(c.shown.Position);
    }
    sink.ShowAreaBar(c.reported);
    sink.ShowFileBar(c.reported);
    for (ui::ProgressBar* bar : {form.AreaProgress, form.FileProgress}) {
      EXPECT_EQ((BarFigures{bar->Max(), bar->Position()}), c.reported) << bar->Name();
    }
  }

  sink.ShowPackStatus("正在安装:CD1-国标-土建");
  sink.ShowFileStatus("正在复制:'a.dwg'.");
  EXPECT_EQ(form.Lb_Spec->Caption(), "正在安装:CD1-国标-土建");
  EXPECT_EQ(form.Lb_File->Caption(), "正在复制:'a.dwg'.");
}

TEST_F(ProgressPageSinkTest, RunStartAndEndSetTheButtons) {
  form.ShowPage(Tfm_Install::pgProgress);
  form.bt_Last->SetVisible(true);
  form.bt_Next->SetVisible(false);
  form.bt_cancel->SetVisible(true);

  sink.RunStarted();
  EXPECT_FALSE(form.bt_Last->Visible());
  EXPECT_FALSE(form.bt_Next->Enabled());
  EXPECT_TRUE(form.bt_cancel->Visible());

  for (const bool copyFailed : {false, true}) {
    SCOPED_TRACE(copyFailed);
    form.bt_Next->SetVisible(false);
    form.bt_Next->SetEnabled(false);
    form.bt_cancel->SetVisible(true);
    sink.RunEnded(copyFailed);
    EXPECT_FALSE(form.bt_Last->Visible());
    EXPECT_TRUE(form.bt_Next->Visible());
    EXPECT_TRUE(form.bt_Next->Enabled());
    EXPECT_FALSE(form.bt_cancel->Visible());
  }
}

TEST_F(ProgressPageSinkTest, FailedCopyIsAnErrorWithAbortRetryIgnore) {
  struct Case {
    const char* button;  // "" for the close request
    CopyFailureAnswer expected;
  };
  const Case cases[] = {
      {"Abort", CopyFailureAnswer::Abort},
      {"Retry", CopyFailureAnswer::Retry},
      {"Ignore", CopyFailureAnswer::Ignore},
      {"", CopyFailureAnswer::Retry},  // any other answer copies again
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    headless.Backend.PushResponder([&](ui::Form& dialog) {
      EXPECT_EQ(dialog.Caption(), "错误");
      EXPECT_EQ(dialog.FindControl("Message")->Caption(), "复制:'a.dwg'出错。");
      std::vector<std::string> buttons;
      for (ui::Control* control : dialog.Controls())
        if (dynamic_cast<ui::Button*>(control)) buttons.push_back(control->Name());
      EXPECT_EQ(buttons, (std::vector<std::string>{"Abort", "Retry", "Ignore"}));
      if (*c.button)
        ui::ClickButton(*dialog.FindControl(c.button));
      else
        dialog.Close();
    });
    EXPECT_EQ(sink.AskAboutFailedCopy("复制:'a.dwg'出错。"), c.expected);
    EXPECT_TRUE(headless.Backend.AllResponded());
  }
}

TEST_F(ProgressPageSinkTest, NextDiscIsAskedWithTheDiscPrompt) {
  headless.Backend.PushResponder([](ui::Form& window) {
    auto& prompt = dynamic_cast<Tfrm_ChooseDriver&>(window);
    EXPECT_EQ(prompt.edt_path->Text(), "E:\\");
    EXPECT_EQ(prompt.Label5->Caption(), "CD2或CD3");
    prompt.edt_path->SetText("C:\\Disc2");
    ui::ClickButton(*prompt.bt_OK);
  });
  EXPECT_EQ(sink.AskForNextDisc("E:\\", {"CD2", "CD3"}), "C:\\Disc2\\");

  headless.Backend.PushResponder([](ui::Form& window) {
    ui::ClickButton(*dynamic_cast<Tfrm_ChooseDriver&>(window).bt_Cancel);
  });
  EXPECT_EQ(sink.AskForNextDisc("C:\\Disc2\\", {"CD3"}), "");
}

}  // namespace
