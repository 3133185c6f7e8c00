// The whole wizard on the in-memory machine: the target folder page, the
// page flow of Next, Back and Cancel, and the multi-disc install run with the
// disc prompt between discs.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "catalogue/CatalogueFormat.h"
#include "catalogue/PendingLabels.h"
#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "tests/DiscSet.h"
#include "ui/headless/HeadlessBackend.h"
#include "wizard/Tfm_Install.h"
#include "wizard/U_ChooseCD.h"

namespace {

using platform::FakePlatform;

const char kApp[] = "C:\\App\\";
const char kLibrary[] = "C:\\App\\DLL\\VEXA\\MatterLib\\";

class PageFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.AddDrive('C');
    machine.AddDrive('E', platform::kDriveCdRom);
    machine.AddFile(std::string(kApp) + "DLL\\VEXA\\Nolt.exe", "exe");
    InsertDisc("CD1");
  }

  // Puts another disc into drive E:; its descriptor names it descriptorLabel
  // (by default its own label).
  void InsertDisc(const std::string& label, const std::string& descriptorLabel = "") {
    samples::InsertDisc(machine, label, descriptorLabel);
    for (const auto& [path, contents] : extraDiscFiles[label]) {
      machine.AddFile("E:\\MatterLib\\" + path, contents);
    }
    if (onInsert) onInsert(label);
  }

  Tfm_Install& Start(const std::string& argument1 = "!") {
    form = std::make_unique<Tfm_Install>(machine, shell, argument1);
    form->SetSourceRoot("E:\\");
    form->Show();
    return *form;
  }

  void Next() { ui::ClickButton(*form->bt_Next); }
  void Back() { ui::ClickButton(*form->bt_Last); }

  // Goes to the specialty page with the registered folder.
  void ToSpecialtyPage() {
    machine.SetMachineValue("SOFTWARE\\HUXO\\MIRKE\\", "InstallPath", kApp);
    Start();
    Next();
    Next();
    ASSERT_EQ(form->ActivePage(), Tfm_Install::pgSpecialty);
  }

  void TickAll() {
    for (const auto& standard : form->CheckTree->TopLevel()) form->CheckTree->ToggleCheck(standard.get());
  }

  // Answers the next disc prompt: records its labels, swaps the disc and
  // confirms E:\.
  void AnswerPromptWith(const std::string& disc, const std::string& descriptorLabel = "") {
    headless.Backend.PushResponder([this, disc, descriptorLabel](ui::Form& window) {
      auto& prompt = dynamic_cast<Tfrm_ChooseDriver&>(window);
      promptLabels.push_back(prompt.Label5->Caption());
      InsertDisc(disc, descriptorLabel);
      ui::ClickButton(*prompt.bt_OK);
    });
  }

  void CancelPrompt() {
    headless.Backend.PushResponder([this](ui::Form& window) {
      auto& prompt = dynamic_cast<Tfrm_ChooseDriver&>(window);
      promptLabels.push_back(prompt.Label5->Caption());
      ui::ClickButton(*prompt.bt_Cancel);
    });
  }

  void AnswerMessage(int button, std::vector<std::string>* texts = nullptr) {
    headless.Backend.PushResponder([button, texts](ui::Form& dialog) {
      if (texts) texts->push_back(dialog.FindControl("Message")->Caption());
      const char* names[] = {"", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
      ui::ClickButton(*dialog.FindControl(names[button]));
    });
  }

  std::vector<std::string> Pending(const std::string& standard, const std::string& specialty) {
    std::vector<std::string> texts;
    for (const catalogue::LabelString& label : catalogue::LoadPendingLabels(form->State, machine, standard, specialty).Labels)
      texts.push_back(label.Text());
    return texts;
  }

  ui::HeadlessScope headless;
  FakePlatform machine;
  platform::FakeShellNamespace shell{machine};
  std::unique_ptr<Tfm_Install> form;
  std::vector<std::string> promptLabels;
  // Files a disc holds besides those of samples::DiscSetFiles, by disc.
  std::map<std::string, std::map<std::string, std::string>> extraDiscFiles;
  // Runs whenever a disc has been inserted.
  std::function<void(const std::string& label)> onInsert;
};

// ------------------------------------------------------ target folder page

struct SpaceCase {
  const char* text;
  std::uint32_t freeClusters, totalClusters;
  char separator;
  const char* freeLabel;
  const char* totalLabel;
};

TEST_F(PageFlow, SpaceLabelsFollowTheEditBox) {
  // 4 KiB clusters: 262144 clusters are exactly 1 GiB.
  const std::uint32_t gib = 262144;
  const SpaceCase cases[] = {
      {"d:\\app", 20 * gib, 80 * gib, '.', "可用空间: 20.00 GB", "总大小: 80.00 GB"},
      {"D:\\App", gib / 2, 80 * gib, '.', "可用空间: 512.00 MB", "总大小: 80.00 GB"},
      {"D:", gib, 3 * gib / 2, ',', "可用空间: 1024,00 MB", "总大小: 1,50 GB"},
      {"  d:\\", 1, 2, '.', "可用空间: 4.00 KB", "总大小: 8.00 KB"},
      {"D:\\", 0, 0, '.', "可用空间: 0.00 GB", "总大小: 0.00 GB"},
  };
  for (const SpaceCase& c : cases) {
    SCOPED_TRACE(c.text);
    FakePlatform drives;
    drives.AddDrive('D', platform::kDriveFixed, {8, 512, c.freeClusters, c.totalClusters});
    drives.SetDecimalSeparator(c.separator);
    platform::FakeShellNamespace driveShell{drives};
    Tfm_Install window(drives, driveShell, "!");
    window.edt_PrjPath->SetText(c.text);
    EXPECT_EQ(window.Lb_Free->Caption(), c.freeLabel);
    EXPECT_EQ(window.Lb_Total->Caption(), c.totalLabel);
  }
}

TEST_F(PageFlow, SpaceLabelsStayForTextsThatNameNoUsableDrive) {
  machine.AddDrive('W');
  Tfm_Install& window = Start();
  window.edt_PrjPath->SetText("C:\\App");
  const std::string shownFree = window.Lb_Free->Caption();
  ASSERT_NE(shownFree, "可用空间：");
  for (const char* text : {"W:\\App", "\\\\server\\share", "App", "", "   ", "Q:\\not ready"}) {
    SCOPED_TRACE(text);
    window.edt_PrjPath->SetText(text);
    EXPECT_EQ(window.Lb_Free->Caption(), shownFree);
  }
}

TEST_F(PageFlow, FirstNextProposesTheFolder) {
  // No argument and no registry value: an empty box, unchanged labels.
  Start("!");
  Next();
  EXPECT_EQ(form->ActivePage(), Tfm_Install::pgTarget);
  EXPECT_TRUE(form->bt_Last->Visible());
  EXPECT_EQ(form->edt_PrjPath->Text(), "");
  EXPECT_EQ(form->Lb_Free->Caption(), "可用空间：");

  // The registered folder.
  machine.SetMachineValue("SOFTWARE\\HUXO\\MIRKE\\", "InstallPath", "C:\\Tavrin");
  Start("!");
  Next();
  EXPECT_EQ(form->edt_PrjPath->Text(), "C:\\Tavrin");
  EXPECT_NE(form->Lb_Free->Caption(), "可用空间：");

  // A folder passed on the command line wins; going back and forward again
  // replaces what the user typed.
  Start("D:\\App\\");
  Next();
  EXPECT_EQ(form->edt_PrjPath->Text(), "D:\\App\\");
  form->edt_PrjPath->SetText("typed");
  Back();
  EXPECT_EQ(form->ActivePage(), Tfm_Install::pgWelcome);
  EXPECT_FALSE(form->bt_Last->Visible());
  Next();
  EXPECT_EQ(form->edt_PrjPath->Text(), "D:\\App\\");
}

TEST_F(PageFlow, ARegistryValueThatIsNoStringIsReportedOnPageOne) {
  machine.SetMachineValue("SOFTWARE\\HUXO\\MIRKE\\", "InstallPath", "1", /*isString=*/false);
  ui::App().Title = "Setup";
  Start("!");
  Next();
  EXPECT_EQ(form->ActivePage(), Tfm_Install::pgTarget);
  ASSERT_EQ(headless.Backend.ErrorBoxes.size(), 1u);
  EXPECT_EQ(headless.Backend.ErrorBoxes[0].Text, "注册表值的数据类型无效：'InstallPath'");
  EXPECT_EQ(form->edt_PrjPath->Text(), "");
}

TEST_F(PageFlow, NextOnPageOneChecksTheFolderAndReadsTheCatalogue) {
  Start("C:\\App");
  Next();

  // An empty box: the check looks for DLL\VEXA\Nolt.exe alone and fails.
  form->edt_PrjPath->SetText("");
  std::vector<std::string> messages;
  AnswerMessage(ui::mrOk, &messages);
  Next();
  EXPECT_EQ(form->State.TargetDir, "DLL\\VEXA\\");
  EXPECT_EQ(form->ActivePage(), Tfm_Install::pgTarget);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "选择的文件夹不是Tavrin建筑图库所在目录。");

  // The right folder without its backslash gains one, and page 2 opens with
  // the catalogue's standards.
  form->edt_PrjPath->SetText("C:\\App");
  Next();
  EXPECT_EQ(form->edt_PrjPath->Text(), "C:\\App\\");
  EXPECT_EQ(form->State.TargetMatterLib, kLibrary);
  EXPECT_EQ(form->ActivePage(), Tfm_Install::pgSpecialty);
  EXPECT_EQ(form->State.DiscLabel.Text(), "CD1");
  ASSERT_EQ(form->CheckTree->TopLevel().size(), 2u);
  EXPECT_EQ(form->CheckTree->TopLevel()[0]->Text(), "国标");

  // A missing descriptor is reported as an error with OK alone, and the
  // page stays.
  Back();
  machine.Remove("E:\\CDFile.Dat");
  messages.clear();
  headless.Backend.PushResponder([&messages](ui::Form& dialog) {
    messages.push_back(dialog.FindControl("Message")->Caption());
    EXPECT_EQ(dialog.Caption(), "错误");
    EXPECT_EQ(dialog.Controls().size(), 3u);  // the text, the icon and OK
    ui::ClickButton(*dialog.FindControl("OK"));
  });
  Next();
  EXPECT_EQ(form->ActivePage(), Tfm_Install::pgTarget);
  EXPECT_EQ(messages, std::vector<std::string>{"光盘配置文件不存在，请检查光盘。"});
}

// ------------------------------------------------------------- install run

TEST_F(PageFlow, ThreeDiscsAreReadInTheOrderThePromptsAskFor) {
  ToSpecialtyPage();
  TickAll();
  AnswerPromptWith("CD3");
  AnswerPromptWith("CD2");
  Next();

  EXPECT_EQ(promptLabels, (std::vector<std::string>{"CD2或CD3", "CD2"}));
  EXPECT_TRUE(headless.Backend.AllResponded());
  EXPECT_TRUE(form->State.InstallOk);
  EXPECT_EQ(form->ActivePage(), Tfm_Install::pgProgress);
  EXPECT_TRUE(form->bt_Next->Visible());
  EXPECT_TRUE(form->bt_Next->Enabled());
  EXPECT_FALSE(form->bt_cancel->Visible());
  EXPECT_EQ(form->Lb_Spec->Caption(), "CD2-浙江省标-市政完成");
  EXPECT_EQ(form->Lb_File->Caption(), "复制完成");

  for (const auto& [disc, files] : samples::DiscSetFiles()) {
    for (const auto& [path, contents] : files) {
      EXPECT_EQ(machine.ReadContents(std::string(kLibrary) + path), contents) << path;
    }
  }
  EXPECT_TRUE(Pending("国标", "土建").empty());
  EXPECT_TRUE(Pending("浙江省标", "市政").empty());

  // The progress page cannot be closed; Next leads to the last page.
  form->Close();
  EXPECT_FALSE(form->Closed());
  Next();
  EXPECT_EQ(form->ActivePage(), Tfm_Install::pgFinish);
  EXPECT_EQ(form->Label11->Caption(), "安装完成");
  EXPECT_EQ(form->bt_Next->Caption(), "完成");
  EXPECT_FALSE(form->bt_Last->Visible());
  Next();
  EXPECT_TRUE(form->Closed());
}

TEST_F(PageFlow, AStartDiscThatNoPackNeedsAsksAtOnce) {
  // Only "国标"/"土建", started from CD3 (which holds none of it).
  InsertDisc("CD3");
  ToSpecialtyPage();
  form->CheckTree->ToggleCheck(form->CheckTree->TopLevel()[0].get());
  AnswerPromptWith("CD1");
  AnswerPromptWith("CD2");
  Next();
  EXPECT_EQ(promptLabels, (std::vector<std::string>{"CD1或CD2", "CD2"}));
  EXPECT_TRUE(form->State.InstallOk);
  EXPECT_FALSE(machine.Exists(std::string(kLibrary) + "浙江省标"));
}

TEST_F(PageFlow, CompletePacksNeedOnePassAndNoPrompt) {
  machine.AddFile(std::string(kLibrary) + "国标\\土建\\Install.Dat", catalogue::SerializePendingLabels({}));
  machine.AddFile(std::string(kLibrary) + "浙江省标\\市政\\Install.Dat", catalogue::SerializePendingLabels({}));
  ToSpecialtyPage();
  TickAll();
  Next();
  EXPECT_TRUE(promptLabels.empty());
  EXPECT_TRUE(form->State.InstallOk);
  EXPECT_EQ(form->AreaProgress->Max(), 200);
  EXPECT_EQ(form->AreaProgress->Position(), 200);
  EXPECT_FALSE(machine.Exists(std::string(kLibrary) + "国标\\土建\\墙体.dwg"));
}

TEST_F(PageFlow, TheAreaBarGivesEveryPackAHundred) {
  ToSpecialtyPage();
  TickAll();
  // Record where the area bar stands after each pack's only file on CD1.
  std::vector<std::string> specs;
  std::vector<int> areaPositions;
  headless.Backend.OnProcessMessages = [&] {
    specs.push_back(form->Lb_Spec->Caption());
    areaPositions.push_back(form->AreaProgress->Position());
  };
  CancelPrompt();
  Next();
  ASSERT_EQ(specs.size(), 2u);
  EXPECT_EQ(specs[0], "正在安装:CD1-国标-土建");
  EXPECT_EQ(areaPositions[0], 100);
  EXPECT_EQ(specs[1], "正在安装:CD1-浙江省标-市政");
  EXPECT_EQ(areaPositions[1], 200);
  EXPECT_EQ(form->AreaProgress->Max(), 200);
  EXPECT_EQ(form->AreaProgress->Position(), 200);
}

TEST_F(PageFlow, CancellingThePromptWithDiscsMissingIsNoSuccess) {
  ToSpecialtyPage();
  TickAll();
  CancelPrompt();
  Next();
  EXPECT_EQ(promptLabels, std::vector<std::string>{"CD2或CD3"});
  EXPECT_FALSE(form->State.InstallOk);
  // The pending files keep the missing discs for a later run.
  EXPECT_EQ(Pending("国标", "土建"), std::vector<std::string>{"CD2"});
  EXPECT_EQ(Pending("浙江省标", "市政"), std::vector<std::string>{"CD3"});
  Next();
  EXPECT_EQ(form->Label11->Caption(), "安装失败");
  EXPECT_EQ(form->Label10->Caption(), "安装时发生了错误，素材库可能没有完全安装。");
}

TEST_F(PageFlow, CancelDuringTheCopy) {
  // mrNone stands for Enter pressed at once, which answers No: the focus
  // starts there.
  for (const int answer : {ui::mrNo, ui::mrYes, ui::mrNone}) {
    SCOPED_TRACE(answer);
    promptLabels.clear();
    machine.Remove(std::string(kApp) + "DLL\\VEXA\\MatterLib");
    ToSpecialtyPage();
    TickAll();
    // Cancel pressed while the first file is copied; the question comes
    // before the prompt for the next disc.
    std::vector<std::string> questions;
    if (answer == ui::mrNone) {
      headless.Backend.PushResponder([&questions](ui::Form& dialog) {
        questions.push_back(dialog.FindControl("Message")->Caption());
        ui::PressKey(dialog, ui::kKeyReturn);
      });
    } else {
      AnswerMessage(answer, &questions);
    }
    if (answer != ui::mrYes) CancelPrompt();
    bool pressed = false;
    headless.Backend.OnProcessMessages = [&] {
      if (pressed) return;
      pressed = true;
      ui::ClickButton(*form->bt_cancel);
    };
    Next();
    headless.Backend.OnProcessMessages = nullptr;
    EXPECT_EQ(questions, std::vector<std::string>{"是否中断安装过程？"});
    if (answer != ui::mrYes) {
      // Nothing changes: the copy goes on to the prompt for the next disc.
      EXPECT_FALSE(form->State.CancelRequested);
      EXPECT_EQ(promptLabels.size(), 1u);
      EXPECT_TRUE(machine.Exists(std::string(kLibrary) + "浙江省标\\市政\\道路.dwg"));
    } else {
      EXPECT_TRUE(form->State.CancelRequested);
      EXPECT_TRUE(promptLabels.empty());
      EXPECT_FALSE(form->State.InstallOk);
      // The first pack's only file was done; the next entry of the run stops.
      EXPECT_EQ(form->Lb_Spec->Caption(), "CD1-浙江省标-市政安装失败");
      EXPECT_EQ(form->Lb_File->Caption(), "复制中断");
      EXPECT_FALSE(machine.Exists(std::string(kLibrary) + "浙江省标\\市政\\道路.dwg"));
      Next();
      EXPECT_EQ(form->Label11->Caption(), "安装失败");
    }
    EXPECT_TRUE(form->bt_Next->Visible());
    EXPECT_FALSE(form->bt_cancel->Visible());
  }
}

// What the wizard's taskbar button shows, and when.
struct TaskbarSeen {
  std::string when;
  ui::TaskbarState state;
  std::int64_t completed, total;
  bool operator==(const TaskbarSeen& o) const {
    return when == o.when && state == o.state && completed == o.completed && total == o.total;
  }
};

std::ostream& operator<<(std::ostream& out, const TaskbarSeen& seen) {
  return out << seen.when << ": state " << static_cast<int>(seen.state) << ", " << seen.completed << " of "
             << seen.total;
}

TEST_F(PageFlow, TheTaskbarButtonFollowsTheAreaBarPausesAtThePromptAndShowsCopyErrors) {
  ToSpecialtyPage();
  TickAll();
  std::vector<TaskbarSeen> seen;
  const auto look = [&](const std::string& when) {
    const ui::TaskbarProgress& shown = form->Taskbar();
    seen.push_back({when, shown.State, shown.Completed, shown.Total});
  };
  look("before the run");
  // The first copy of the second pack's file fails once; Retry copies it.
  machine.FailCopy("E:\\MatterLib\\浙江省标\\市政\\道路.dwg", 1);
  headless.Backend.OnProcessMessages = [&] { look("copying"); };
  headless.Backend.PushResponder([&](ui::Form& dialog) {
    look("copy error");
    ui::ClickButton(*dialog.FindControl("Retry"));
  });
  headless.Backend.PushResponder([&](ui::Form& window) {
    look("disc prompt");
    ui::ClickButton(*dynamic_cast<Tfrm_ChooseDriver&>(window).bt_Cancel);
  });
  Next();
  look("after the run");

  using ui::TaskbarState;
  EXPECT_EQ(seen, (std::vector<TaskbarSeen>{
                      {"before the run", TaskbarState::None, 0, 0},
                      {"copying", TaskbarState::Normal, 100, 200},
                      {"copy error", TaskbarState::Error, 100, 200},
                      {"copying", TaskbarState::Normal, 200, 200},
                      {"disc prompt", TaskbarState::Paused, 200, 200},
                      {"after the run", TaskbarState::None, 0, 0},
                  }));
  EXPECT_TRUE(headless.Backend.AllResponded());
}

TEST_F(PageFlow, MessagesOutsideARunLeaveTheTaskbarButtonEmpty) {
  Start();
  Next();
  form->edt_PrjPath->SetText("C:\\Nowhere\\");
  std::vector<ui::TaskbarState> states;
  headless.Backend.PushResponder([&](ui::Form& dialog) {
    states.push_back(form->Taskbar().State);
    ui::ClickButton(*dialog.FindControl("OK"));
  });
  Next();
  EXPECT_EQ(states, std::vector<ui::TaskbarState>{ui::TaskbarState::None});
  EXPECT_EQ(form->Taskbar().State, ui::TaskbarState::None);
}

TEST_F(PageFlow, AFolderWithoutDescriptorKeepsThePromptOpenAndTheWizardStaysUsable) {
  ToSpecialtyPage();
  TickAll();
  machine.AddFolder("C:\\Empty");
  std::string problem;
  headless.Backend.PushResponder([&](ui::Form& window) {
    auto& prompt = dynamic_cast<Tfrm_ChooseDriver&>(window);
    prompt.edt_path->SetText("C:\\Empty");
    ui::ClickButton(*prompt.bt_OK);
    EXPECT_EQ(prompt.ModalResult, ui::mrNone);
    problem = prompt.Lb_Problem->Caption();
    ui::ClickButton(*prompt.bt_Cancel);
  });
  Next();
  EXPECT_EQ(problem, "光盘配置文件不存在，请检查光盘。");
  EXPECT_TRUE(headless.Backend.ErrorBoxes.empty());
  EXPECT_TRUE(form->bt_Next->Visible());
  EXPECT_TRUE(form->bt_Next->Enabled());
  EXPECT_FALSE(form->bt_cancel->Visible());
  EXPECT_FALSE(form->State.InstallOk);
  Next();
  EXPECT_EQ(form->ActivePage(), Tfm_Install::pgFinish);
}

// ------------------------------------------------------ the run's verdict

class RunVerdict;

// One way an installation of both packs started from CD1 can go, and the
// truth it must end with: page 4's text and the packs' pending files.
struct VerdictCase {
  const char* name;
  // Arranges the scenario once the specialty page is shown with both packs
  // ticked; answers the prompts and questions it brings.
  void (*arrange)(RunVerdict&);
  const char* finishText;
  // The pending file of each pack: its labels joined by ",", "no file" or
  // "unreadable".
  const char* building;  // 国标/土建
  const char* roads;     // 浙江省标/市政
  std::vector<std::string> prompts, questions;
  std::size_t errorBoxes;
  // What else must hold afterwards, or nullptr.
  void (*check)(RunVerdict&);
};

void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

class RunVerdict : public PageFlow, public ::testing::WithParamInterface<VerdictCase> {
 public:
  static std::vector<VerdictCase> Cases();

 protected:
  std::string PendingFile(const std::string& pack) {
    const std::string path = std::string(kLibrary) + pack + "\\Install.Dat";
    if (!machine.Exists(path)) return "no file";
    std::string bytes, joined;
    TCdLabels labels;
    std::size_t failOffset = 0;
    try {
      if (!platform::ReadWholeFile(machine, path, bytes)) return "unreadable";
    } catch (const platform::Error&) {
      return "unreadable";
    }
    EXPECT_TRUE(catalogue::ParsePendingLabels(bytes, labels, failOffset));
    for (const catalogue::LabelString& label : labels) joined += (joined.empty() ? "" : ",") + label.Text();
    return joined;
  }
  // The listing of the first pack's folder on CD1 shows one more entry.
  void AddListedEntryOnCd1(const std::string& name, std::uint32_t attributes) {
    machine.AfterList = [this, name, attributes](const std::string& pattern, std::vector<platform::FindEntry>& entries) {
      if (pattern == "E:\\MatterLib\\国标\\土建\\*.*" && form->State.DiscLabel.Text() == "CD1")
        entries.push_back({name, attributes, 4});
    };
  }
  // Answers the prompts of a run that reads every disc: CD3, then CD2.
  void InsertTheOtherDiscs() {
    AnswerPromptWith("CD3");
    AnswerPromptWith("CD2");
  }
  bool Installed(const std::string& path) { return machine.Exists(std::string(kLibrary) + path); }
  void PressCancelDuring(const std::string& packStatus) {
    headless.Backend.OnProcessMessages = [this, packStatus] {
      if (form->Lb_Spec->Caption() != packStatus || !form->bt_cancel->Visible()) return;
      ui::ClickButton(*form->bt_cancel);
    };
  }

  std::vector<std::string> questions;
};

std::vector<VerdictCase> RunVerdict::Cases() {
  const char* const kDone = "安装完成";
  const char* const kFailed = "安装失败";
  return {
      {"Complete", [](RunVerdict& t) {
         t.InsertTheOtherDiscs();
       }, kDone, "", "", {"CD2或CD3", "CD2"}, {}, 0, nullptr},
      {"IgnoreOnOneFile", [](RunVerdict& t) {
         t.machine.FailCopy("E:\\MatterLib\\国标\\土建\\墙体.dwg", 1);
         t.AnswerMessage(ui::mrIgnore, &t.questions);
         t.InsertTheOtherDiscs();
       }, kFailed, "CD1", "", {"CD2或CD3", "CD2"}, {"复制:'墙体.dwg'出错。"}, 0, [](RunVerdict& t) {
         // The rest of the pack and the other pack are there.
         EXPECT_TRUE(t.Installed("国标\\土建\\门窗\\门.dwg"));
         EXPECT_TRUE(t.Installed("浙江省标\\市政\\桥梁.dwg"));
         EXPECT_FALSE(t.Installed("国标\\土建\\墙体.dwg"));
       }},
      {"PlanFails", [](RunVerdict& t) {
         // A pending file that exists but cannot be read.
         t.machine.AddFile(std::string(kLibrary) + "国标\\土建\\Install.Dat", catalogue::SerializePendingLabels({}));
         t.machine.FailOpen(std::string(kLibrary) + "国标\\土建\\Install.Dat");
       }, kFailed, "unreadable", "no file", {}, {}, 1, nullptr},
      {"DiscLabelInAnotherLetterCase", [](RunVerdict& t) {
         t.AnswerPromptWith("CD3");
         t.AnswerPromptWith("CD2", "cd2");
       }, kDone, "", "", {"CD2或CD3", "CD2"}, {}, 0, [](RunVerdict& t) {
         EXPECT_TRUE(t.Installed("国标\\土建\\门窗\\门.dwg"));
       }},
      {"CancelDuringTheLastFileOfAPass", [](RunVerdict& t) {
         t.PressCancelDuring("正在安装:CD1-浙江省标-市政");
         t.AnswerMessage(ui::mrYes, &t.questions);
       }, kFailed, "CD2", "CD3", {}, {"是否中断安装过程？"}, 0, nullptr},
      {"PromptCancelled", [](RunVerdict& t) { t.CancelPrompt(); },
       kFailed, "CD2", "CD3", {"CD2或CD3"}, {}, 0, nullptr},
      {"NextClickedAgainDuringTheRun", [](RunVerdict& t) {
         // A click on Next queued before the button was hidden reaches its
         // handler while the copy runs.
         t.headless.Backend.OnProcessMessages = [&t] { t.form->bt_NextClick(); };
         t.InsertTheOtherDiscs();
       }, kDone, "", "", {"CD2或CD3", "CD2"}, {}, 0, nullptr},
      {"ListedFileNameLeadingOutOfTheFolder", [](RunVerdict& t) {
         t.machine.AddFile("E:\\MatterLib\\国标\\x.dll", "evil");
         t.AddListedEntryOnCd1("..\\x.dll", platform::faArchive);
         t.AnswerMessage(ui::mrIgnore, &t.questions);
         t.InsertTheOtherDiscs();
       }, kFailed, "CD1", "", {"CD2或CD3", "CD2"}, {"复制:'..\\x.dll'出错。"}, 0, [](RunVerdict& t) {
         EXPECT_FALSE(t.Installed("国标\\x.dll"));
         EXPECT_TRUE(t.Installed("国标\\土建\\墙体.dwg"));
       }},
      {"ListedFolderNameWithABackslash", [](RunVerdict& t) {
         t.AddListedEntryOnCd1("a\\b", platform::faDirectory);
         t.AnswerMessage(ui::mrAbort, &t.questions);
       }, kFailed, "no file", "no file", {}, {"复制:'a\\b'出错。"}, 0, nullptr},
      {"PakRefreshOnAFullDisk", [](RunVerdict& t) {
         t.extraDiscFiles["CD1"]["国标\\土建\\土建.PAK"] = "pak of CD1";
         t.extraDiscFiles["CD2"]["国标\\土建\\土建.PAK"] = std::string(10000, '2');
         t.InsertDisc("CD1");
         t.machine.SetKeepPartialCopies(true);
         t.onInsert = [&t](const std::string& label) {
           if (label == "CD2") t.machine.Space('C').FreeClusters = 1;
         };
         t.InsertTheOtherDiscs();
         t.AnswerMessage(ui::mrAbort, &t.questions);
       }, kFailed, "CD2", "", {"CD2或CD3", "CD2"}, {"磁盘空间已满，请清理磁盘后再试。"}, 0, [](RunVerdict& t) {
         // The older file stays whole, and no temporary copy is left.
         EXPECT_EQ(t.machine.ReadContents(std::string(kLibrary) + "国标\\土建\\土建.PAK"), "pak of CD1");
         EXPECT_FALSE(t.Installed("国标\\土建\\~"));
       }},
      {"RetryAfterTheTargetFolderCanBeMade", [](RunVerdict& t) {
         // Something stands where the pack's folder goes, until the user
         // takes it away and answers Retry.
         t.machine.AddFile(std::string(kLibrary) + "国标\\土建", "in the way");
         t.headless.Backend.PushResponder([&t](ui::Form& dialog) {
           t.questions.push_back(dialog.FindControl("Message")->Caption());
           t.machine.Remove(std::string(kLibrary) + "国标\\土建");
           ui::ClickButton(*dialog.FindControl("Retry"));
         });
         t.InsertTheOtherDiscs();
       }, kDone, "", "", {"CD2或CD3", "CD2"}, {"复制:'墙体.dwg'出错。"}, 0, nullptr},
  };
}

TEST_P(RunVerdict, PageFourTellsWhetherTheLibraryIsComplete) {
  const VerdictCase& c = GetParam();
  ToSpecialtyPage();
  TickAll();
  c.arrange(*this);

  Next();

  EXPECT_TRUE(headless.Backend.AllResponded());
  EXPECT_EQ(promptLabels, c.prompts);
  EXPECT_EQ(questions, c.questions);
  EXPECT_EQ(headless.Backend.ErrorBoxes.size(), c.errorBoxes);
  // The end of every run: only Next is offered, on the progress page.
  EXPECT_EQ(form->ActivePage(), Tfm_Install::pgProgress);
  EXPECT_TRUE(form->bt_Next->Visible());
  EXPECT_TRUE(form->bt_Next->Enabled());
  EXPECT_FALSE(form->bt_cancel->Visible());
  EXPECT_FALSE(form->bt_Last->Visible());
  EXPECT_EQ(PendingFile("国标\\土建"), c.building);
  EXPECT_EQ(PendingFile("浙江省标\\市政"), c.roads);
  if (c.check) c.check(*this);

  headless.Backend.OnProcessMessages = nullptr;
  Next();
  EXPECT_EQ(form->ActivePage(), Tfm_Install::pgFinish);
  EXPECT_EQ(form->Label11->Caption(), c.finishText);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, RunVerdict, ::testing::ValuesIn(RunVerdict::Cases()),
                         [](const ::testing::TestParamInfo<VerdictCase>& info) { return std::string(info.param.name); });

TEST_F(PageFlow, ThePromptTakesANeededDiscAsSoonAsItIsInserted) {
  ToSpecialtyPage();
  TickAll();
  // CD3 goes in without a click: the prompt's own look finds it; then CD2.
  for (const char* disc : {"CD3", "CD2"}) {
    headless.Backend.PushResponder([this, disc](ui::Form& window) {
      promptLabels.push_back(dynamic_cast<Tfrm_ChooseDriver&>(window).Label5->Caption());
      ui::WatchDevices(window);
      EXPECT_EQ(window.ModalResult, ui::mrNone) << "the disc read before is no needed one";
      InsertDisc(disc);
      ui::WatchDevices(window);
    });
  }
  Next();
  EXPECT_EQ(promptLabels, (std::vector<std::string>{"CD2或CD3", "CD2"}));
  EXPECT_TRUE(headless.Backend.AllResponded());
  EXPECT_TRUE(form->State.InstallOk);
  EXPECT_TRUE(Pending("国标", "土建").empty());
  EXPECT_TRUE(Pending("浙江省标", "市政").empty());
}

TEST_F(PageFlow, NeededDiscsAlreadyInDrivesAreReadWithoutAPromptAndNoneIsAskedForTwice) {
  // CD3 waits in a second drive from the start; CD2 comes later, into E:.
  machine.AddDrive('G', platform::kDriveCdRom);
  samples::PutDisc(machine, "G:\\", "CD3");
  ToSpecialtyPage();
  TickAll();
  // The one prompt asks for CD2 only: CD3, read from G:, is not needed again.
  AnswerPromptWith("CD2");
  Next();
  EXPECT_EQ(promptLabels, std::vector<std::string>{"CD2"});
  EXPECT_TRUE(headless.Backend.AllResponded());
  EXPECT_TRUE(form->State.InstallOk);
  EXPECT_EQ(machine.ReadContents(std::string(kLibrary) + "浙江省标\\市政\\桥梁.dwg"), "bridge");
  EXPECT_TRUE(Pending("国标", "土建").empty());
  EXPECT_TRUE(Pending("浙江省标", "市政").empty());
}

TEST_F(PageFlow, WithEveryNeededDiscInADriveThereIsNoPromptAtAll) {
  machine.AddDrive('G', platform::kDriveCdRom);
  machine.AddDrive('H', platform::kDriveCdRom);
  samples::PutDisc(machine, "G:\\", "CD2");
  samples::PutDisc(machine, "H:\\", "CD3");
  ToSpecialtyPage();
  TickAll();
  Next();
  EXPECT_TRUE(promptLabels.empty());
  EXPECT_TRUE(form->State.InstallOk);
  EXPECT_TRUE(form->State.NeededLabels.empty());
  EXPECT_TRUE(Pending("国标", "土建").empty());
  EXPECT_TRUE(Pending("浙江省标", "市政").empty());
}

}  // namespace
