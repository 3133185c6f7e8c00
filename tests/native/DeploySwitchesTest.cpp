// The switches of unattended installs: read from a real command line by the
// installer's command-line rule, and passed on to the relaunched copy so
// that it reads back the same options.
#include <gtest/gtest.h>

#include <stdexcept>

#include "deploy/Switches.h"
#include "startup/Arguments.h"

namespace {

using deploy::DeployOptions;
using deploy::DiscLocation;
using deploy::InstallMode;
using Args = std::vector<std::string>;

// The arguments after the program of a command line.
Args ArgumentsOf(const std::string& afterProgram) {
  Args arguments = startup::SplitArguments("\"C:\\Temp\\Setup.exe\" " + afterProgram);
  arguments.erase(arguments.begin());
  return arguments;
}

DeployOptions Parsed(const std::string& afterProgram) {
  DeployOptions options;
  std::string error;
  EXPECT_TRUE(deploy::ParseSwitches(ArgumentsOf(afterProgram), options, error)) << afterProgram << ": " << error;
  return options;
}

struct ParseCase {
  const char* what;
  std::string commandLine;  // after the program
  DeployOptions expected;
};

DeployOptions With(void (*change)(DeployOptions&)) {
  DeployOptions options;
  change(options);
  return options;
}

class ParseSwitchesTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseSwitchesTest, ReadsTheOptions) {
  EXPECT_EQ(Parsed(GetParam().commandLine), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseSwitchesTest,
    testing::Values(
        ParseCase{"no argument at all", "", DeployOptions()},
        ParseCase{"the two positional arguments of the relaunch", "\"!\" \"E:\\\"", With([](DeployOptions& o) {
                    o.Argument1 = "!";
                    o.Argument2 = "E:\\";
                  })},
        ParseCase{"a third positional argument is ignored, as it always was", "D:\\App\\ E:\\ extra",
                  With([](DeployOptions& o) {
                    o.Argument1 = "D:\\App\\";
                    o.Argument2 = "E:\\";
                  })},
        ParseCase{"names in any letter case", "/silent /SuppressMsgBoxes /status", With([](DeployOptions& o) {
                    o.Mode = InstallMode::Silent;
                    o.SuppressMessageBoxes = true;
                    o.Status = true;
                  })},
        ParseCase{"/VERYSILENT wins over /SILENT, in either order", "/VERYSILENT /Silent",
                  With([](DeployOptions& o) { o.Mode = InstallMode::VerySilent; })},
        ParseCase{"/SILENT then /VERYSILENT", "/silent /verysilent",
                  With([](DeployOptions& o) { o.Mode = InstallMode::VerySilent; })},
        ParseCase{"a value with blanks, the whole argument quoted", "\"/DIR=D:\\My App\\\"",
                  With([](DeployOptions& o) { o.Dir = "D:\\My App\\"; })},
        ParseCase{"a value with blanks, only the value quoted", "/Dir=\"D:\\My App\"",
                  With([](DeployOptions& o) { o.Dir = "D:\\My App"; })},
        ParseCase{"\"=\" inside a value stays", "/DIR=D:\\a=b\\", With([](DeployOptions& o) { o.Dir = "D:\\a=b\\"; })},
        ParseCase{"positional arguments first, then switches", "\"!\" \"E:\\\" /LOG \"/SAVEINF=C:\\a b.inf\"",
                  With([](DeployOptions& o) {
                    o.Argument1 = "!";
                    o.Argument2 = "E:\\";
                    o.Log = true;
                    o.SaveInf = "C:\\a b.inf";
                  })},
        ParseCase{"/LOG with a file, /LOADINF, /?", "/log=D:\\setup.log /LOADINF=D:\\x.inf /?",
                  With([](DeployOptions& o) {
                    o.Log = true;
                    o.LogFile = "D:\\setup.log";
                    o.LoadInf = "D:\\x.inf";
                    o.Help = true;
                  })},
        ParseCase{"components kept as written, double-byte names whole", "\"/COMPONENTS=国标\\土建,浙江省标\\市政\"",
                  With([](DeployOptions& o) { o.Components = "国标\\土建,浙江省标\\市政"; })},
        ParseCase{"the disc map: labels and folders, each folder ending with a backslash",
                  "\"/DISCS=CD2=F:\\;CD3=D:\\my discs\\CD3\"", With([](DeployOptions& o) {
                    o.Discs = std::vector<DiscLocation>{{"CD2", "F:\\"}, {"CD3", "D:\\my discs\\CD3\\"}};
                  })},
        ParseCase{"the disc-set folder ends with a backslash", "/SOURCE=\\\\server\\discs",
                  With([](DeployOptions& o) { o.DiscSetFolder = "\\\\server\\discs\\"; })}),
    [](const testing::TestParamInfo<ParseCase>& info) { return "Case" + std::to_string(info.index); });

struct RefusedCase {
  std::string commandLine;
  std::string named;  // what the error text must name
};

TEST(RefusedSwitchesTest, NamesWhatCannotBeRead) {
  const RefusedCase cases[] = {
      {"/FOO", "/FOO"},
      {"/", "/"},
      {"/Silentt", "/Silentt"},
      {"/SILENT=1", "/SILENT"},
      {"/DIR", "/DIR"},
      {"/dir=", "/DIR"},
      {"/LOG=", "/LOG"},
      {"/DIR=a /dir=b", "/DIR"},
      {"/SILENT /SILENT", "/SILENT"},
      {"/SILENT D:\\App", "D:\\App"},
      {"/DISCS=CD2", "CD2"},
      {"/DISCS==F:\\", "=F:\\"},
      {"\"/DISCS=CD2=F:\\;\"", "/DISCS"},
      {"/DISCS=CD2=F:\\;;CD3=G:\\", "/DISCS"},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.commandLine);
    DeployOptions options;
    options.Argument1 = "unchanged";
    std::string error;
    EXPECT_FALSE(deploy::ParseSwitches(ArgumentsOf(c.commandLine), options, error));
    EXPECT_NE(error.find(c.named), std::string::npos) << error;
    EXPECT_EQ(options.Argument1, "unchanged");
  }
}

TEST(QuestionsSuppressedTest, ByTheSwitchAndAlwaysWithoutAWindow) {
  EXPECT_FALSE(Parsed("").QuestionsSuppressed());
  EXPECT_FALSE(Parsed("/SILENT").QuestionsSuppressed());
  EXPECT_TRUE(Parsed("/SILENT /SUPPRESSMSGBOXES").QuestionsSuppressed());
  EXPECT_TRUE(Parsed("/SUPPRESSMSGBOXES").QuestionsSuppressed());
  EXPECT_TRUE(Parsed("/VERYSILENT").QuestionsSuppressed());
}

// ------------------------------------------------------------ passing on

TEST(ForwardedSwitchesTest, NoSwitchPassesNothing) {
  EXPECT_EQ(deploy::ForwardedSwitches(Parsed("\"!\" \"E:\\\"")), "");
}

TEST(ForwardedSwitchesTest, EachSwitchIsOneQuotedArgument) {
  EXPECT_EQ(deploy::ForwardedSwitches(Parsed("/verysilent \"/dir=D:\\My App\\\" /log")),
            "\"/VERYSILENT\" \"/DIR=D:\\My App\\\" \"/LOG\"");
}

TEST(ForwardedSwitchesTest, TheRelaunchedCopyReadsBackTheSameOptions) {
  const std::string commandLines[] = {
      "/SILENT",
      "D:\\App\\ /VERYSILENT /SUPPRESSMSGBOXES \"/DIR=D:\\My App\\\" \"/COMPONENTS=国标\\土建, 浙江省标\"",
      "\"/DISCS=CD2=F:\\;CD3=\\\\server\\my share\\CD3\" /SOURCE=D:\\discs /LOG",
      "\"/LOG=C:\\logs\\setup one.log\" /SAVEINF=D:\\a=b.inf /LOADINF=D:\\c.inf /STATUS /?",
      "/DIR=D:\\昞\\",  // the second byte of 昞 is a backslash, before the closing quote
      "\"/DIR=D:\\tab\there\\\"",
  };
  for (const std::string& line : commandLines) {
    SCOPED_TRACE(line);
    DeployOptions first = Parsed(line);
    // The first launch passes on its own argument 1 (or "!") and its folder.
    first.Argument1 = first.Argument1.empty() ? "!" : first.Argument1;
    first.Argument2 = "E:\\Disc One\\";
    const std::string relaunch = startup::BuildRelaunchParameters(first.Argument1, first.Argument2) + " " +
                                 deploy::ForwardedSwitches(first);
    EXPECT_EQ(Parsed(relaunch), first) << relaunch;
  }
}

TEST(ForwardedSwitchesTest, AValueHoldingADoubleQuoteCannotBePassedOn) {
  DeployOptions options;
  options.Dir = "D:\\\"odd\"\\";
  EXPECT_THROW(deploy::ForwardedSwitches(options), std::invalid_argument);
}

}  // namespace
