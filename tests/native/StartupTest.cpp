// The start-up: reading the command line, the parameters of the relaunch,
// the decision between relocating (first launch) and running the wizard
// (second launch), the copy in the temporary folder that may be started, and
// the one wizard that runs at a time.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <stdexcept>
#include <utility>

#include "platform/fake/FakePlatform.h"
#include "startup/Arguments.h"
#include "startup/Startup.h"
#include "wizard/Tfm_Install.h"

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

// Just what the second launch asks of the system; anything else is a fault.
class StartupPlatform : public platform::Platform {
 public:
  std::string Temp = "C:\\Temp\\";
  std::string Module = "C:\\Temp\\Setup.exe";
  std::string Line = "\"C:\\Temp\\Setup.exe\"";
  // Pairs of folder texts that name one folder on disc.
  std::set<std::pair<std::string, std::string>> SameFolders;
  std::vector<std::string> Claims;

  std::string TempPath() override { return Temp; }
  std::string ModulePath() override { return Module; }
  std::string CommandLine() override { return Line; }
  bool SameFolder(const std::string& a, const std::string& b) override {
    return a == b || SameFolders.count({a, b}) || SameFolders.count({b, a});
  }
  bool ClaimInstance(const std::string& name) override {
    Claims.push_back(name);
    return true;
  }
  text::LeadBytes AnsiLeadBytes() override { return text::LeadBytes::Gbk(); }

  bool ShellOpen(const std::string&, const std::string&) override { throw Unused(); }
  bool InstanceRunning(const std::string&) override { throw Unused(); }
  bool BringWindowToFront(const std::string&) override { throw Unused(); }
  bool CopyFileTo(const std::string&, const std::string&, bool, const platform::CopyProgress&) override {
    throw Unused();
  }
  std::vector<platform::FindEntry> ListFolder(const std::string&) override { throw Unused(); }
  std::uint32_t GetAttributes(const std::string&) override { throw Unused(); }
  bool SetAttributes(const std::string&, std::uint32_t) override { throw Unused(); }
  bool CreateFolder(const std::string&) override { throw Unused(); }
  bool RenameFile(const std::string&, const std::string&) override { throw Unused(); }
  bool RemoveFile(const std::string&) override { throw Unused(); }
  std::unique_ptr<platform::File> OpenRead(const std::string&) override { throw Unused(); }
  std::unique_ptr<platform::File> OpenWrite(const std::string&) override { throw Unused(); }
  int DriveTypeOf(const std::string&) override { throw Unused(); }
  bool DiskSpaceOf(const std::string&, platform::DiskSpace&) override { throw Unused(); }
  platform::RegistryRead ReadMachineString(const std::string&, const std::string&, std::string&) override {
    throw Unused();
  }
  int CompareTextNoCase(const std::string&, const std::string&) override { throw Unused(); }
  char DecimalSeparator() override { throw Unused(); }
  std::string AnsiToUtf8(const std::string&) override { throw Unused(); }
  platform::LocalTime Now() override { throw Unused(); }
  std::int64_t SteadyMilliseconds() override { throw Unused(); }
  std::string WindowsVersion() override { throw Unused(); }
  bool WideToAnsi(const std::u16string&, std::string&) override { throw Unused(); }

 private:
  static std::logic_error Unused() { return std::logic_error("not used by the second launch"); }
};

const std::string kProgram = "MZ the program on the disc";
constexpr std::uint32_t kDiscFile = platform::faReadOnly | platform::faArchive;

// A machine with the program on the CD-ROM in E: and the temporary folder
// C:\Temp\. Planted, when set, is what stands in the copy's place right after
// a copy that succeeded (another program wrote there in the meantime).
class StartupMachine : public platform::FakePlatform {
 public:
  StartupMachine() {
    AddDrive('C');
    AddDrive('E', platform::kDriveCdRom);
    AddFolder("C:\\Temp");
    SetTempPath("C:\\Temp\\");
    PutProgram("E:\\Setup.exe");
  }
  void PutProgram(const std::string& path) {
    AddFile(path, kProgram, kDiscFile);
    SetModulePath(path);
    SetCommandLine("\"" + path + "\"");
  }
  // Starts the program as the last ShellOpen asked to.
  void RunTheStartedCopy() {
    const ShellCall& call = ShellCalls().back();
    SetModulePath(call.file);
    SetCommandLine("\"" + call.file + "\" " + call.parameters);
  }

  std::string Planted;
  bool CopyFileTo(const std::string& source, const std::string& target, bool failIfExists,
                const platform::CopyProgress& progress = nullptr) override {
    const bool copied = FakePlatform::CopyFileTo(source, target, failIfExists, progress);
    if (copied && !Planted.empty()) AddFile(target, Planted);
    return copied;
  }
};

struct FirstLaunchCase {
  const char* what;
  std::string module, commandLine;
  std::string expectedCopy, expectedParameters;
};

class FirstLaunchTest : public testing::TestWithParam<FirstLaunchCase> {};

TEST_P(FirstLaunchTest, CopiesItselfIntoTheTempFolderAndStartsTheCopy) {
  const FirstLaunchCase& c = GetParam();
  StartupMachine machine;
  machine.AddDrive('D');
  machine.PutProgram(c.module);
  machine.SetCommandLine(c.commandLine);

  SCOPED_TRACE(c.what);
  const startup::StartupResult result = RunStartup(machine);

  EXPECT_FALSE(result.RunWizard);
  EXPECT_EQ(machine.ReadContents(c.expectedCopy), kProgram);
  ASSERT_EQ(machine.ShellCalls().size(), 1u);
  EXPECT_EQ(machine.ShellCalls()[0].file, c.expectedCopy);
  EXPECT_EQ(machine.ShellCalls()[0].parameters, c.expectedParameters);
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

// What stands in the temporary folder before the first launch, and whether
// the copy may be started: only a writable copy that is this very program.
struct TempCopyCase {
  const char* what;
  std::function<void(StartupMachine&)> arrange;
  bool started;
  std::string leftInTemp;  // contents of C:\Temp\Setup.exe afterwards; "": no file
};

class TempCopyTest : public testing::TestWithParam<TempCopyCase> {};

TEST_P(TempCopyTest, StartsOnlyAWritableCopyOfThisProgram) {
  const TempCopyCase& c = GetParam();
  const std::string copy = "C:\\Temp\\Setup.exe";
  StartupMachine machine;
  c.arrange(machine);

  bool reported = false;
  try {
    EXPECT_FALSE(RunStartup(machine).RunWizard);
  } catch (const std::runtime_error& error) {
    reported = true;
    // The top-level report, in the user's language, naming the file.
    EXPECT_EQ(std::string(error.what()).find("无法将安装程序复制到临时文件夹"), 0u) << error.what();
    EXPECT_NE(std::string(error.what()).find("\"" + copy + "\""), std::string::npos) << error.what();
  }

  EXPECT_EQ(reported, !c.started);
  EXPECT_EQ(machine.ShellCalls().size(), c.started ? 1u : 0u);
  if (!c.leftInTemp.empty()) {
    EXPECT_EQ(machine.ReadContents(copy), c.leftInTemp);
  } else {
    EXPECT_FALSE(machine.Exists(copy));
  }
  // The disc's read-only attribute does not travel into the temporary folder.
  if (c.started) {
    EXPECT_EQ(machine.GetAttributes(copy), std::uint32_t{platform::faArchive});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TempCopyTest,
    testing::Values(
        TempCopyCase{"no earlier copy", [](StartupMachine&) {}, true, kProgram},
        TempCopyCase{"a writable copy of an older program",
                     [](StartupMachine& m) { m.AddFile("C:\\Temp\\Setup.exe", "MZ older"); }, true,
                     kProgram},
        TempCopyCase{"a read-only copy left by an earlier run from a disc",
                     [](StartupMachine& m) { m.AddFile("C:\\Temp\\Setup.exe", "MZ older", kDiscFile); }, true,
                     kProgram},
        TempCopyCase{"a locked foreign file that cannot be replaced",
                     [](StartupMachine& m) {
                       m.AddFile("C:\\Temp\\Setup.exe", "MZ foreign");
                       m.FailCopy("C:\\Temp\\Setup.exe");
                     },
                     false, "MZ foreign"},
        TempCopyCase{"a temporary folder that refuses writes",
                     [](StartupMachine& m) { m.FailCopy("C:\\Temp\\Setup.exe"); }, false, ""},
        TempCopyCase{"a temporary folder that is gone", [](StartupMachine& m) { m.Remove("C:\\Temp"); }, false, ""},
        TempCopyCase{"a foreign file of another size stands there after the copy",
                     [](StartupMachine& m) { m.Planted = "MZ foreign, longer than the program"; }, false,
                     "MZ foreign, longer than the program"},
        TempCopyCase{"a foreign file of the same size stands there after the copy",
                     [](StartupMachine& m) { m.Planted = std::string(kProgram.size(), 'x'); }, false,
                     std::string(kProgram.size(), 'x')},
        TempCopyCase{"the copy cannot be read back", [](StartupMachine& m) { m.FailOpen("C:\\Temp\\Setup.exe"); },
                     false, kProgram}),
    [](const testing::TestParamInfo<TempCopyCase>& info) { return "Case" + std::to_string(info.index); });

TEST(StartupTest, WithoutATempFolderNothingIsCopiedOrStarted) {
  // Starting the copy by its bare name could start this executable again.
  StartupMachine machine;
  machine.SetTempPath("");
  EXPECT_FALSE(RunStartup(machine).RunWizard);
  EXPECT_FALSE(machine.Exists("C:\\Temp\\Setup.exe"));
  EXPECT_TRUE(machine.ShellCalls().empty());
}

TEST(StartupTest, SecondLaunchReadsBothArgumentsAndStartsNothing) {
  StartupPlatform platform;
  platform.Line = "\"C:\\Temp\\Setup.exe\" \"D:\\My App\\\" \"E:\\Disc One\\\"";

  const startup::StartupResult result = RunStartup(platform);

  EXPECT_TRUE(result.RunWizard);
  EXPECT_EQ(result.Argument1, "D:\\My App\\");
  EXPECT_EQ(result.Argument2, "E:\\Disc One\\");
  EXPECT_EQ(platform.Claims, std::vector<std::string>{startup::kInstanceName});
}

TEST(StartupTest, SecondLaunchWithoutArgumentsReadsThemEmpty) {
  StartupPlatform platform;
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
}

TEST(StartupTest, PathsSplitByTheSystemsCodePage) {
  // In code page 1252 "é" is one byte, 0xE9, which GBK would read as the
  // lead byte of a character that swallows the backslash after it.
  StartupMachine machine;
  machine.SetLeadBytes(text::LeadBytes::SingleByte());
  machine.AddDrive('D');
  machine.PutProgram("D:\\Caf\xE9\\Setup.exe");

  RunStartup(machine);

  ASSERT_EQ(machine.ShellCalls().size(), 1u);
  EXPECT_EQ(machine.ShellCalls()[0].file, "C:\\Temp\\Setup.exe");
  EXPECT_EQ(machine.ShellCalls()[0].parameters, "\"!\" \"D:\\Caf\xE9\\\"");
}

// ------------------------------------------------------ one wizard at a time

TEST(SingleInstanceTest, TheRelaunchedCopyOfTheFirstLaunchRunsTheWizard) {
  StartupMachine machine;
  ASSERT_FALSE(RunStartup(machine).RunWizard);
  machine.RunTheStartedCopy();

  const startup::StartupResult wizard = RunStartup(machine);

  EXPECT_TRUE(wizard.RunWizard);
  EXPECT_EQ(wizard.Argument2, "E:\\");
  EXPECT_TRUE(machine.InstanceRunning(startup::kInstanceName));
  EXPECT_TRUE(machine.WindowsBroughtToFront().empty());
}

struct SecondStartCase {
  const char* what;
  std::string module;
};

class SecondStartTest : public testing::TestWithParam<SecondStartCase> {};

TEST_P(SecondStartTest, BringsTheRunningWizardToTheFrontAndStartsNothing) {
  StartupMachine machine;
  machine.AddFile("C:\\Temp\\Setup.exe", "MZ the running wizard");
  machine.AddRunningInstance(startup::kInstanceName, Tfm_Install::kCaption);
  machine.PutProgram(GetParam().module);

  SCOPED_TRACE(GetParam().what);
  EXPECT_FALSE(RunStartup(machine).RunWizard);

  EXPECT_EQ(machine.WindowsBroughtToFront(), std::vector<std::string>{Tfm_Install::kCaption});
  EXPECT_TRUE(machine.ShellCalls().empty());
  EXPECT_EQ(machine.ReadContents("C:\\Temp\\Setup.exe"), "MZ the running wizard");
}

INSTANTIATE_TEST_SUITE_P(Cases, SecondStartTest,
                         testing::Values(SecondStartCase{"started from the disc again", "E:\\Setup.exe"},
                                         SecondStartCase{"started from the temporary folder", "C:\\Temp\\Copy.exe"}),
                         [](const testing::TestParamInfo<SecondStartCase>& info) {
                           return "Case" + std::to_string(info.index);
                         });

}  // namespace
