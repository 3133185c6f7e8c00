// Answer files: the choices of a run written by /SAVEINF and read back by
// /LOADINF, with the command line winning over the file.
#include <gtest/gtest.h>

#include "deploy/AnswerFile.h"
#include "deploy/Switches.h"
#include "platform/fake/FakePlatform.h"

namespace {

using deploy::DeployOptions;
using deploy::DiscLocation;

DeployOptions Choices() {
  DeployOptions answers;
  answers.Dir = "D:\\My App\\";
  answers.Components = "国标\\土建,浙江省标\\市政";
  answers.Discs = std::vector<DiscLocation>{{"CD2", "F:\\"}, {"CD3", "\\\\server\\share\\a=b\\CD3\\"}};
  answers.DiscSetFolder = "D:\\discs\\";
  return answers;
}

TEST(AnswerFileTest, IsAnIniFileOfTheChoiceSwitches) {
  EXPECT_EQ(deploy::AnswerFileText(Choices()),
            "[Setup]\r\n"
            "Dir=D:\\My App\\\r\n"
            "Components=国标\\土建,浙江省标\\市政\r\n"
            "Discs=CD2=F:\\;CD3=\\\\server\\share\\a=b\\CD3\\\r\n"
            "Source=D:\\discs\\\r\n");
  EXPECT_EQ(deploy::AnswerFileText(DeployOptions()), "[Setup]\r\n");
}

TEST(AnswerFileTest, RoundTripThroughAFile) {
  platform::FakePlatform machine;
  machine.AddDrive('C');
  std::string error;
  ASSERT_TRUE(deploy::SaveAnswerFile(machine, "C:\\setup.inf", Choices(), error)) << error;

  DeployOptions loaded;
  loaded.Mode = deploy::InstallMode::Silent;  // not a choice: the file leaves it alone
  ASSERT_TRUE(deploy::LoadAnswerFile(machine, "C:\\setup.inf", loaded, error)) << error;
  DeployOptions expected = Choices();
  expected.Mode = deploy::InstallMode::Silent;
  EXPECT_EQ(loaded, expected);

  // Only some choices: the others stay unset.
  DeployOptions some;
  some.Dir = "D:\\App\\";
  ASSERT_TRUE(deploy::SaveAnswerFile(machine, "C:\\some.inf", some, error));
  DeployOptions loadedSome;
  ASSERT_TRUE(deploy::LoadAnswerFile(machine, "C:\\some.inf", loadedSome, error));
  EXPECT_EQ(loadedSome, some);
}

TEST(AnswerFileTest, ReadsAFileWrittenByHand) {
  const std::string text =
      "; written by hand\n"
      "[other]\n"
      "Dir=C:\\not this one\\\n"
      "\n"
      "  [ setup ]  \r\n"
      "  dir = \"D:\\My App\\\"  \r\n"
      "COMPONENTS=*\r\n"
      "discs=cd2=F:\\\r\n"
      "Source=\r\n";  // empty: not given
  DeployOptions answers;
  std::string error;
  ASSERT_TRUE(deploy::ParseAnswerFile(text, answers, error)) << error;
  EXPECT_EQ(answers.Dir, std::optional<std::string>("D:\\My App\\"));
  EXPECT_EQ(answers.Components, std::optional<std::string>("*"));
  EXPECT_EQ(answers.Discs, (std::optional<std::vector<DiscLocation>>(std::vector<DiscLocation>{{"cd2", "F:\\"}})));
  EXPECT_FALSE(answers.DiscSetFolder.has_value());
}

TEST(AnswerFileTest, RefusesWhatItCannotReadAndNamesTheLine) {
  const struct {
    std::string text, named;
  } cases[] = {
      {"[Setup]\nDir=D:\\\nTarget=D:\\\n", "3"},
      {"[Setup]\nTarget=\n", "Target"},
      {"[Setup]\nDir=D:\\\ndir=E:\\\n", "dir"},
      {"[Setup]\nDiscs=CD2\n", "CD2"},
      {"[Setup]\njust some words\n", "just some words"},
      {"\xEF\xBB\xBF[Setup]\nDir=D:\\\n", "1"},  // saved as UTF-8: not an ANSI file
      {"[Setup]\n/SILENT=1\n", "/SILENT"},      // only the choices, never the mode
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    DeployOptions answers;
    answers.Dir = "unchanged";
    std::string error;
    EXPECT_FALSE(deploy::ParseAnswerFile(c.text, answers, error));
    EXPECT_NE(error.find(c.named), std::string::npos) << error;
    EXPECT_EQ(answers.Dir, std::optional<std::string>("unchanged"));
  }
}

TEST(AnswerFileTest, AMissingFileIsAnError) {
  platform::FakePlatform machine;
  machine.AddDrive('C');
  DeployOptions answers;
  std::string error;
  EXPECT_FALSE(deploy::LoadAnswerFile(machine, "C:\\none.inf", answers, error));
  EXPECT_NE(error.find("C:\\none.inf"), std::string::npos);
  EXPECT_FALSE(deploy::SaveAnswerFile(machine, "Q:\\no drive\\a.inf", Choices(), error));
}

TEST(AnswerFileTest, TheCommandLineWinsOverTheFile) {
  DeployOptions options;
  std::string error;
  ASSERT_TRUE(deploy::ParseSwitches({"/VERYSILENT", "/DIR=E:\\Mine\\", "/DISCS=CD3=G:\\", "/LOADINF=C:\\a.inf"},
                                    options, error));
  deploy::ApplyAnswers(options, Choices());
  EXPECT_EQ(options.Dir, std::optional<std::string>("E:\\Mine\\"));
  EXPECT_EQ(options.Discs, (std::optional<std::vector<DiscLocation>>(std::vector<DiscLocation>{{"CD3", "G:\\"}})));
  EXPECT_EQ(options.Components, Choices().Components);
  EXPECT_EQ(options.DiscSetFolder, Choices().DiscSetFolder);
  EXPECT_EQ(options.Mode, deploy::InstallMode::VerySilent);
}

}  // namespace
