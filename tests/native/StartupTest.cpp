// The start-up: reading the command line, the parameters of the relaunch,
// and the decision between relocating (first launch) and running the wizard
// (second launch).
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <utility>

#include "startup/Arguments.h"
#include "startup/Startup.h"

namespace {

using startup::BuildRelaunchParameters;
using startup::ParamStr;
using startup::RunStartup;
using startup::SplitArguments;
using Args = std::vector<std::string>;

// ---------------------------------------------------------------- arguments

struct SplitCase {
  const char* what;
  std::string commandLine;
  Args expected;
};

class SplitArgumentsTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitArgumentsTest, ReadsArgumentsByTheInstallersRule) {
  EXPECT_EQ(SplitArguments(GetParam().commandLine), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitArgumentsTest,
    testing::Values(
        SplitCase{"program only, quoted", "\"E:\\Setup.exe\"", {"E:\\Setup.exe"}},
        SplitCase{"program only, bare", "E:\\Setup.exe", {"E:\\Setup.exe"}},
        SplitCase{"relaunch: a backslash before a quote is no escape",
                  "\"C:\\Temp\\Setup.exe\" \"!\" \"E:\\\"",
                  {"C:\\Temp\\Setup.exe", "!", "E:\\"}},
        SplitCase{"blanks inside quotes stay in the argument",
                  "\"C:\\My Temp\\Setup.exe\" \"D:\\My App\\\" \"E:\\Disc One\\\"",
                  {"C:\\My Temp\\Setup.exe", "D:\\My App\\", "E:\\Disc One\\"}},
        SplitCase{"every code 1 to 32 separates, in runs", "a \t\r\n\x01\x1f b  c", {"a", "b", "c"}},
        SplitCase{"leading and trailing separators give nothing", "  a  ", {"a"}},
        SplitCase{"an empty pair of quotes gives no argument", "a \"\" b \"\"", {"a", "b"}},
        SplitCase{"empty pairs before an argument are dropped", "\"\"\"\"x \"\"\"y\"", {"x", "y"}},
        SplitCase{"a quote toggles grouping anywhere in an argument", "a\"b c\"d e\"\"f", {"ab cd", "ef"}},
        SplitCase{"quoted blanks are an argument", "p \"  \"", {"p", "  "}},
        SplitCase{"an unclosed quote runs to the end", "p \"D:\\My App\\", {"p", "D:\\My App\\"}},
        SplitCase{"nothing at all", "", {}},
        SplitCase{"only separators and empty pairs", " \t\"\" \"\"\"\" ", {}},
        SplitCase{"a zero byte ends the command line", std::string("p a\0b", 5), {"p", "a"}},
        SplitCase{"double-byte characters pass whole", "\"D:\\素材库\\\" 昞\\", {"D:\\素材库\\", "昞\\"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return "Case" + std::to_string(info.index); });

TEST(ParamStrTest, ReadsOneArgumentAndMissingOnesAsEmpty) {
  const std::string line = "\"C:\\Temp\\Setup.exe\" \"!\" \"E:\\\"";
  EXPECT_EQ(ParamStr(line, 0), "C:\\Temp\\Setup.exe");
  EXPECT_EQ(ParamStr(line, 1), "!");
  EXPECT_EQ(ParamStr(line, 2), "E:\\");
  EXPECT_EQ(ParamStr(line, 3), "");
  EXPECT_EQ(ParamStr("", 0), "");
}

TEST(BuildRelaunchParametersTest, QuotesEachArgumentWithOneBlankBetween) {
  EXPECT_EQ(BuildRelaunchParameters("!", "E:\\"), "\"!\" \"E:\\\"");
}

TEST(BuildRelaunchParametersTest, ArgumentsReadBackUnchanged) {
  const std::pair<std::string, std::string> cases[] = {
      {"!", "E:\\"},
      {"D:\\App\\", "E:\\"},
      {"D:\\My App\\", "E:\\Disc One\\"},
      {"D:\\\t\\", "E:\\ \\"},
      {"D:\\素材库\\", "E:\\昞\\"},  // the second byte of 昞 is a backslash
  };
  for (const auto& [argument1, argument2] : cases) {
    const std::string line = "\"C:\\Temp\\Setup.exe\" " + BuildRelaunchParameters(argument1, argument2);
    EXPECT_EQ(SplitArguments(line), (Args{"C:\\Temp\\Setup.exe", argument1, argument2})) << line;
  }
}

// ------------------------------------------------------------- the launches

// Just what the start-up asks of the system; anything else is a fault.
class StartupPlatform : public platform::Platform {
 public:
  std::string Temp = "C:\\Temp\\";
  std::string Module = "E:\\Setup.exe";
  std::string Line = "\"E:\\Setup.exe\"";
  // Pairs of folder texts that name one folder on disc.
  std::set<std::pair<std::string, std::string>> SameFolders;
  bool CopySucceeds = true;

  struct Copy {
    std::string Source, Target;
    bool FailIfExists;
  };
  std::vector<Copy> Copies;
  struct Start {
    std::string File, Parameters;
  };
  std::vector<Start> Starts;

  std::string TempPath() override { return Temp; }
  std::string ModulePath() override { return Module; }
  std::string CommandLine() override { return Line; }
  bool SameFolder(const std::string& a, const std::string& b) override {
    return a == b || SameFolders.count({a, b}) || SameFolders.count({b, a});
  }
  bool ShellOpen(const std::string& file, const std::string& parameters) override {
    Starts.push_back({file, parameters});
    return true;
  }
  bool CopyFile(const std::string& source, const std::string& target, bool failIfExists) override {
    Copies.push_back({source, target, failIfExists});
    return CopySucceeds;
  }

  std::vector<platform::FindEntry> ListFolder(const std::string&) override { throw Unused(); }
  std::uint32_t GetAttributes(const std::string&) override { throw Unused(); }
  bool SetAttributes(const std::string&, std::uint32_t) override { throw Unused(); }
  bool CreateFolder(const std::string&) override { throw Unused(); }
  bool MoveFile(const std::string&, const std::string&) override { throw Unused(); }
  bool DeleteFile(const std::string&) override { throw Unused(); }
  std::unique_ptr<platform::File> OpenRead(const std::string&) override { throw Unused(); }
  std::unique_ptr<platform::File> OpenWrite(const std::string&) override { throw Unused(); }
  int GetDriveType(const std::string&) override { throw Unused(); }
  bool GetDiskFreeSpace(const std::string&, platform::DiskSpace&) override { throw Unused(); }
  platform::RegistryRead ReadMachineString(const std::string&, const std::string&, std::string&) override {
    throw Unused();
  }
  int CompareTextNoCase(const std::string&, const std::string&) override { throw Unused(); }
  char DecimalSeparator() override { throw Unused(); }
  bool WideToAnsi(const std::u16string&, std::string&) override { throw Unused(); }

 private:
  static std::logic_error Unused() { return std::logic_error("not used by the start-up"); }
};

struct FirstLaunchCase {
  const char* what;
  std::string module, commandLine;
  std::string expectedCopy, expectedParameters;
};

class FirstLaunchTest : public testing::TestWithParam<FirstLaunchCase> {};

TEST_P(FirstLaunchTest, CopiesItselfIntoTheTempFolderAndStartsTheCopy) {
  const FirstLaunchCase& c = GetParam();
  StartupPlatform platform;
  platform.Module = c.module;
  platform.Line = c.commandLine;

  SCOPED_TRACE(c.what);
  const startup::StartupResult result = RunStartup(platform);

  EXPECT_FALSE(result.RunWizard);
  ASSERT_EQ(platform.Copies.size(), 1u);
  EXPECT_EQ(platform.Copies[0].Source, c.module);
  EXPECT_EQ(platform.Copies[0].Target, c.expectedCopy);
  EXPECT_FALSE(platform.Copies[0].FailIfExists);
  ASSERT_EQ(platform.Starts.size(), 1u);
  EXPECT_EQ(platform.Starts[0].File, c.expectedCopy);
  EXPECT_EQ(platform.Starts[0].Parameters, c.expectedParameters);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstLaunchTest,
    testing::Values(
        FirstLaunchCase{"from the disc root without arguments", "E:\\Setup.exe", "\"E:\\Setup.exe\"",
                        "C:\\Temp\\Setup.exe", "\"!\" \"E:\\\""},
        FirstLaunchCase{"argument 1 is passed on", "E:\\Setup.exe", "\"E:\\Setup.exe\" D:\\App\\",
                        "C:\\Temp\\Setup.exe", "\"D:\\App\\\" \"E:\\\""},
        FirstLaunchCase{"an empty argument 1 becomes !", "E:\\Setup.exe", "E:\\Setup.exe \"\" D:\\Other\\",
                        "C:\\Temp\\Setup.exe", "\"D:\\Other\\\" \"E:\\\""},
        FirstLaunchCase{"a disc folder with a blank stays whole", "E:\\Disc One\\Install.exe",
                        "\"E:\\Disc One\\Install.exe\" \"D:\\My App\\\"", "C:\\Temp\\Install.exe",
                        "\"D:\\My App\\\" \"E:\\Disc One\\\""},
        FirstLaunchCase{"a copy started by hand elsewhere relaunches once more", "D:\\Saved\\Setup.exe",
                        "\"D:\\Saved\\Setup.exe\" \"!\" \"E:\\\"", "C:\\Temp\\Setup.exe",
                        "\"!\" \"D:\\Saved\\\""}),
    [](const testing::TestParamInfo<FirstLaunchCase>& info) { return "Case" + std::to_string(info.index); });

TEST(StartupTest, FailedCopyStillStartsWhateverCopyIsThere) {
  StartupPlatform platform;
  platform.CopySucceeds = false;
  EXPECT_FALSE(RunStartup(platform).RunWizard);
  ASSERT_EQ(platform.Starts.size(), 1u);
  EXPECT_EQ(platform.Starts[0].File, "C:\\Temp\\Setup.exe");
}

TEST(StartupTest, WithoutATempFolderNothingIsCopiedOrStarted) {
  // Starting the copy by its bare name could start this executable again.
  StartupPlatform platform;
  platform.Temp = "";
  EXPECT_FALSE(RunStartup(platform).RunWizard);
  EXPECT_TRUE(platform.Copies.empty());
  EXPECT_TRUE(platform.Starts.empty());
}

TEST(StartupTest, SecondLaunchReadsBothArgumentsAndStartsNothing) {
  StartupPlatform platform;
  platform.Module = "C:\\Temp\\Setup.exe";
  platform.Line = "\"C:\\Temp\\Setup.exe\" \"D:\\My App\\\" \"E:\\Disc One\\\"";

  const startup::StartupResult result = RunStartup(platform);

  EXPECT_TRUE(result.RunWizard);
  EXPECT_EQ(result.Argument1, "D:\\My App\\");
  EXPECT_EQ(result.Argument2, "E:\\Disc One\\");
  EXPECT_TRUE(platform.Copies.empty());
  EXPECT_TRUE(platform.Starts.empty());
}

TEST(StartupTest, SecondLaunchWithoutArgumentsReadsThemEmpty) {
  StartupPlatform platform;
  platform.Module = "C:\\Temp\\Setup.exe";
  platform.Line = "C:\\Temp\\Setup.exe";
  const startup::StartupResult result = RunStartup(platform);
  EXPECT_TRUE(result.RunWizard);
  EXPECT_EQ(result.Argument1, "");
  EXPECT_EQ(result.Argument2, "");
}

TEST(StartupTest, TempFolderSpeltOtherwiseIsStillRecognised) {
  // The system may report the running copy's folder in its long form while
  // the temporary folder comes with a short name, or in another letter case.
  const std::string shortTemp = "C:\\Users\\ADMINI~1\\AppData\\Local\\Temp\\";
  const std::string longTemp = "c:\\users\\Administrator\\AppData\\Local\\Temp\\";
  StartupPlatform platform;
  platform.Temp = shortTemp;
  platform.Module = longTemp + "Setup.exe";
  platform.Line = "\"" + longTemp + "Setup.exe\" \"!\" \"E:\\\"";
  platform.SameFolders.insert({longTemp, shortTemp});

  const startup::StartupResult result = RunStartup(platform);

  EXPECT_TRUE(result.RunWizard);
  EXPECT_EQ(result.Argument1, "!");
  EXPECT_EQ(result.Argument2, "E:\\");
  EXPECT_TRUE(platform.Starts.empty());
}

}  // namespace
