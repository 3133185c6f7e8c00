// The installer run as its switches ask, on the in-memory machine: the
// silent modes with discs found by the command line's map, by a disc-set
// folder or not at all, their refusals, the status of the library, answer
// files, the wizard's exit code, and the log's last line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/CatalogueFormat.h"
#include "deploy/ExitCodes.h"
#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "startup/Arguments.h"
#include "startup/InstallerRun.h"
#include "tests/DiscSet.h"
#include "ui/headless/HeadlessBackend.h"
#include "wizard/Tfm_Install.h"

namespace {

using platform::FakePlatform;

const char kApp[] = "C:\\App\\";
const char kLibrary[] = "C:\\App\\DLL\\VEXA\\MatterLib\\";
const char kLog[] = "C:\\setup.log";

class UnattendedInstall : public ::testing::Test {
 protected:
  void SetUp() override {
    machine.AddDrive('C');
    machine.AddDrive('D');
    machine.AddDrive('E', platform::kDriveCdRom);
    machine.AddFile(std::string(kApp) + "DLL\\VEXA\\Nolt.exe", "exe");
    machine.SetMachineValue("SOFTWARE\\HUXO\\MIRKE\\", "InstallPath", kApp);
    samples::InsertDisc(machine, "CD1");
    // The other discs copied to a share, in folders named otherwise.
    samples::PutDisc(machine, "D:\\set\\second\\", "CD2");
    samples::PutDisc(machine, "D:\\set\\third\\", "CD3");
  }

  // Runs the relaunched copy with these switches after its two arguments.
  int Run(const std::string& switches) {
    const std::string commandLine = "\"C:\\TEMP\\Setup.exe\" \"!\" \"E:\\\" " + switches;
    machine.SetCommandLine(commandLine);
    deploy::DeployOptions options;
    std::string error;
    EXPECT_TRUE(startup::ReadSwitches(commandLine, options, error)) << error;
    return startup::RunInstaller(machine, shell, options);
  }

  // The log's lines (UTF-8), without the byte-order mark and the timestamps.
  std::vector<std::string> LogLines() {
    std::string contents = machine.ReadContents(kLog);
    EXPECT_EQ(contents.substr(0, 3), "\xEF\xBB\xBF");
    std::vector<std::string> lines;
    std::size_t start = 3;
    for (std::size_t end; (end = contents.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(contents.substr(start + 26, end - start - 26));  // "YYYY-MM-DD HH:MM:SS.mmm   "
    return lines;
  }
  // Whether the log has this line, given in the installer's own code page.
  bool Logged(const std::string& line) {
    for (const std::string& l : LogLines())
      if (l == machine.AnsiToUtf8(line)) return true;
    return false;
  }

  // Every file of these discs below the pack folders that start with
  // packs is in the library, as on the disc.
  void ExpectInstalled(const std::vector<std::string>& discs, const std::string& packs = "") {
    for (const std::string& disc : discs)
      for (const auto& [path, contents] : samples::DiscSetFiles().at(disc))
        if (path.compare(0, packs.size(), packs) == 0)
          EXPECT_EQ(machine.ReadContents(kLibrary + path), contents) << path;
  }

  ui::HeadlessScope headless;
  FakePlatform machine;
  platform::FakeShellNamespace shell{machine};
};

// ------------------------------------------------------------ /VERYSILENT

TEST_F(UnattendedInstall, VerySilentWithEveryDiscMappedInstallsAllAndExitsZero) {
  const int code = Run("/VERYSILENT \"/DISCS=CD2=D:\\set\\second;cd3=D:\\set\\third\" /COMPONENTS=* \"/LOG=C:\\setup.log\"");
  EXPECT_EQ(code, deploy::kExitComplete);
  ExpectInstalled({"CD1", "CD2", "CD3"});
  EXPECT_TRUE(headless.Backend.ErrorBoxes.empty());
  const std::vector<std::string> lines = LogLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), std::string("Setup version: ") + startup::kSetupVersion);
  EXPECT_TRUE(Logged("Disc CD1 read from E:\\"));
  EXPECT_TRUE(Logged("Disc CD2 read from D:\\set\\second\\"));
  EXPECT_TRUE(Logged("Disc CD3 read from D:\\set\\third\\"));
  EXPECT_TRUE(Logged("Components: 国标\\土建,浙江省标\\市政"));
  EXPECT_TRUE(Logged("Pack 国标\\土建 complete"));
  EXPECT_TRUE(Logged("Pack 浙江省标\\市政 complete"));
  EXPECT_TRUE(Logged(std::string("Copied: ") + kLibrary + "国标\\土建\\门窗\\门.dwg (3000 bytes)"));
  EXPECT_TRUE(Logged(std::string("Copied: ") + kLibrary + "浙江省标\\市政\\桥梁.dwg (6 bytes)"));
  EXPECT_EQ(lines.back(), "Exit code: 0");
}

TEST_F(UnattendedInstall, VerySilentFindsDiscsInTheDiscSetFolderByTheirLabels) {
  EXPECT_EQ(Run("/VERYSILENT \"/SOURCE=D:\\set\" \"/COMPONENTS=浙江省标\""), deploy::kExitComplete);
  ExpectInstalled({"CD1", "CD3"}, "浙江省标\\");
  // Only 市政 was chosen: CD2 was not needed.
  EXPECT_EQ(machine.GetAttributes(std::string(kLibrary) + "国标"), platform::kInvalidAttributes);
}

// A disc that cannot be found stays pending: exit 10, its pack's pending
// file names it, and a second run that finds it completes the library.
TEST_F(UnattendedInstall, VerySilentLeavesAMissingDiscPendingAndASecondRunCompletes) {
  EXPECT_EQ(Run("/VERYSILENT \"/DISCS=CD2=D:\\set\\second\" /COMPONENTS=* \"/LOG=C:\\setup.log\""),
            deploy::kExitDiscsPending);
  EXPECT_TRUE(Logged("No disc found for CD3; left pending"));
  EXPECT_TRUE(Logged("Pack 浙江省标\\市政 still needs discs CD3"));
  EXPECT_EQ(LogLines().back(), "Exit code: 10");
  EXPECT_EQ(Run("/STATUS"), deploy::kExitDiscsPending);

  EXPECT_EQ(Run("/VERYSILENT \"/DISCS=CD2=D:\\set\\second;CD3=D:\\set\\third\" /COMPONENTS=*"),
            deploy::kExitComplete);
  ExpectInstalled({"CD1", "CD2", "CD3"});
  EXPECT_EQ(Run("/STATUS \"/LOG=C:\\setup.log\""), deploy::kExitComplete);
  EXPECT_EQ(LogLines().back(), "Exit code: 0");
}

// A place holding another disc, or the right one under a wrong label, is
// passed over.
TEST_F(UnattendedInstall, VerySilentTakesNoDiscOfAnotherLabel) {
  EXPECT_EQ(Run("/VERYSILENT \"/DISCS=CD3=D:\\set\\second\" /COMPONENTS=浙江省标\\市政"), deploy::kExitDiscsPending);
  EXPECT_EQ(machine.GetAttributes(std::string(kLibrary) + "浙江省标\\市政\\桥梁.dwg"), platform::kInvalidAttributes);
}

// ------------------------------------------------------------ refusals

struct RefusalCase {
  const char* what;
  const char* switches;
  const char* logged;  // the error line
};

class UnattendedRefusal : public UnattendedInstall, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(UnattendedRefusal, LogsWhyAndExitsOneWithoutABox) {
  const RefusalCase& c = GetParam();
  EXPECT_EQ(Run(std::string(c.switches) + " \"/LOG=C:\\setup.log\""), deploy::kExitCouldNotStart);
  EXPECT_TRUE(Logged(std::string("Error: ") + c.logged)) << c.what;
  EXPECT_EQ(LogLines().back(), "Exit code: 1");
  EXPECT_TRUE(headless.Backend.ErrorBoxes.empty());
  EXPECT_EQ(machine.GetAttributes(kLibrary), platform::kInvalidAttributes) << "nothing is installed";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnattendedRefusal,
    ::testing::Values(
        RefusalCase{"a folder without the application", "/VERYSILENT \"/DIR=D:\\set\"",
                    "选择的文件夹不是Tavrin建筑图库所在目录。D:\\set\\"},
        RefusalCase{"an unknown specialty", "/SILENT /COMPONENTS=国标\\桥梁", "/COMPONENTS 中的“国标\\桥梁”不在光盘的素材库目录中。"},
        RefusalCase{"a missing answer file", "/VERYSILENT \"/LOADINF=C:\\none.inf\"", "应答文件不存在：C:\\none.inf"}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return "Case" + std::to_string(info.index); });

// An error that leaves the run goes to the log, not to a box: exit code 4.
TEST_F(UnattendedInstall, AnErrorOfASilentRunIsLoggedWithExitCodeFour) {
  machine.SetMachineValue("SOFTWARE\\HUXO\\MIRKE\\", "InstallPath", "", false);
  EXPECT_EQ(Run("/SILENT \"/LOG=C:\\setup.log\""), deploy::kExitFatalError);
  EXPECT_TRUE(Logged("Error: 注册表值的数据类型无效：'InstallPath'"));
  EXPECT_EQ(LogLines().back(), "Exit code: 4");
  EXPECT_TRUE(headless.Backend.ErrorBoxes.empty());
}

// The wizard reports why it cannot start in the top-level box.
TEST_F(UnattendedInstall, TheWizardReportsWhyItCannotStartInABox) {
  EXPECT_EQ(Run("/LOADINF=C:\\none.inf"), deploy::kExitCouldNotStart);
  ASSERT_EQ(headless.Backend.ErrorBoxes.size(), 1u);
  EXPECT_EQ(headless.Backend.ErrorBoxes[0].Text, "应答文件不存在：C:\\none.inf.");
}

// ------------------------------------------------------------ /SILENT

// A copy that fails is answered Abort without a question: the run stops
// with exit code 5.
TEST_F(UnattendedInstall, SilentWithSuppressedBoxesAbortsAFailedCopy) {
  machine.AddFolder(std::string(kLibrary) + "国标\\土建\\墙体.dwg");
  EXPECT_EQ(Run("/SILENT /SUPPRESSMSGBOXES /COMPONENTS=* \"/LOG=C:\\setup.log\""), deploy::kExitStoppedDuringCopy);
  EXPECT_TRUE(headless.Backend.AllResponded());
  EXPECT_TRUE(Logged("Question: 复制:'墙体.dwg'出错。 | Answer: Abort (by default)"));
  EXPECT_TRUE(Logged(std::string("Failed: ") + kLibrary + "国标\\土建\\墙体.dwg (1500 bytes): copy aborted"));
  // The aborted pack needs its discs again; the pack after it was not begun.
  EXPECT_TRUE(Logged("Pack 国标\\土建 still needs discs CD1,CD2"));
  EXPECT_TRUE(Logged("Pack 浙江省标\\市政 still needs discs CD1,CD3"));
  EXPECT_EQ(LogLines().back(), "Exit code: 5");
}

// The progress page asks for a disc that cannot be found; cancelling the
// prompt leaves it pending.
TEST_F(UnattendedInstall, SilentShowsTheDiscPromptForADiscNotFound) {
  std::vector<std::string> asked;
  headless.Backend.PushResponder([&asked](ui::Form& prompt) {
    asked.push_back(prompt.FindControl("Label5")->Caption());
    ui::ClickButton(*prompt.FindControl("bt_Cancel"));
  });
  EXPECT_EQ(Run("/SILENT \"/DISCS=CD2=D:\\set\\second\" /COMPONENTS=*"), deploy::kExitDiscsPending);
  EXPECT_EQ(asked, std::vector<std::string>{"CD3"});
  ExpectInstalled({"CD1", "CD2"});
}

// ------------------------------------------------------------ answer files

TEST_F(UnattendedInstall, AChoiceSavedInAnAnswerFileIsTheNextRunsAndTheCommandLineWins) {
  EXPECT_EQ(Run("/VERYSILENT \"/COMPONENTS=国标\" \"/DISCS=CD2=D:\\set\\second\" \"/SAVEINF=C:\\a.inf\""),
            deploy::kExitComplete);
  ExpectInstalled({"CD1", "CD2"}, "国标\\");
  const std::string saved = machine.ReadContents("C:\\a.inf");
  EXPECT_NE(saved.find("Dir=C:\\App\\"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Components=国标\\土建"), std::string::npos) << saved;

  // Into an empty library again: the file's components, with another disc
  // map given on the command line, where CD2 is not.
  machine.Remove(kLibrary);
  EXPECT_EQ(Run("/VERYSILENT \"/LOADINF=C:\\a.inf\" \"/DISCS=CD2=D:\\set\\third\" \"/LOG=C:\\setup.log\""),
            deploy::kExitDiscsPending);
  EXPECT_TRUE(Logged("Components: 国标\\土建"));
}

// ------------------------------------------------------------ the wizard

TEST_F(UnattendedInstall, TheWizardClosedBeforeTheCopyExitsTwo) {
  EXPECT_EQ(Run("\"/LOG=C:\\setup.log\""), deploy::kExitCancelledBeforeCopy);
  EXPECT_EQ(LogLines().back(), "Exit code: 2");
}

}  // namespace
