// The Win32 platform's process services: temporary folder, own path and
// command line, folder identity, starting a program.
#include <gtest/gtest.h>

#include "platform/win32/Win32Platform.h"
#include "startup/Arguments.h"
#include "tests/win32/ScratchFolder.h"
#include "text/AnsiText.h"

namespace {

// The 8.3 form of a path, as GetShortPathNameA gives it.
std::string ShortName(const std::string& path) {
  char buffer[MAX_PATH];
  const DWORD length = ::GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

class PlatformProcessTest : public testing::Test {
 protected:
  platform::Win32Platform system;
};

TEST_F(PlatformProcessTest, TempPathIsAnExistingFolderWithAFinalBackslash) {
  const std::string temp = system.TempPath();
  EXPECT_TRUE(text::EndsWithBackslash(temp)) << temp;
  EXPECT_TRUE(platform::DirectoryExists(system, temp)) << temp;
}

TEST_F(PlatformProcessTest, ModulePathAndCommandLineNameThisProgram) {
  const std::string module = system.ModulePath();
  EXPECT_TRUE(platform::FileExists(system, module)) << module;
  EXPECT_EQ(text::LowerAscii(text::ExtractFileName(module)), "win32_tests.exe");
  const std::string program = startup::ParamStr(system.CommandLine(), 0);
  EXPECT_EQ(text::LowerAscii(text::ExtractFileName(program)).find("win32_tests"), 0u) << program;
}

TEST_F(PlatformProcessTest, SameFolderSeesThroughCaseShortNamesAndFinalBackslash) {
  ScratchFolder scratch(system);
  const std::string folder = scratch.Path() + "A Long Folder Name\\";
  const std::string other = scratch.Path() + "Another Long Name\\";
  ASSERT_TRUE(system.CreateFolder(folder));
  ASSERT_TRUE(system.CreateFolder(other));
  const std::string shortFolder = ShortName(folder);
  ASSERT_FALSE(shortFolder.empty());
  ASSERT_NE(shortFolder, folder);

  EXPECT_TRUE(system.SameFolder(folder, folder));
  EXPECT_TRUE(system.SameFolder(folder, text::UpperAscii(folder)));
  EXPECT_TRUE(system.SameFolder(folder, shortFolder));
  EXPECT_TRUE(system.SameFolder(shortFolder, text::LowerAscii(folder)));
  EXPECT_TRUE(system.SameFolder(folder, folder.substr(0, folder.size() - 1)));
  EXPECT_FALSE(system.SameFolder(folder, other));
  EXPECT_FALSE(system.SameFolder(folder, scratch.Path()));
  EXPECT_FALSE(system.SameFolder(folder, scratch.Path() + "missing\\"));
  EXPECT_FALSE(system.SameFolder(folder, ""));
}

// The call returns once the program has ended: its file is there and its
// exit code is given.
TEST_F(PlatformProcessTest, ShellOpenAndWaitStartsAProgramWithItsParametersAndGivesItsExitCode) {
  ScratchFolder scratch(system);
  const std::string marker = scratch.Path() + "started.txt";
  int exitCode = -1;
  ASSERT_TRUE(system.ShellOpenAndWait("cmd.exe", "/c echo started> \"" + marker + "\" & exit 10", exitCode));
  EXPECT_TRUE(platform::FileExists(system, marker));
  EXPECT_EQ(exitCode, 10);
}

TEST_F(PlatformProcessTest, ShellOpenAndWaitOfAMissingProgramFails) {
  ScratchFolder scratch(system);
  int exitCode = -1;
  EXPECT_FALSE(system.ShellOpenAndWait(scratch.Path() + "missing.exe", "\"!\" \"E:\\\"", exitCode));
  EXPECT_EQ(exitCode, -1);
}

}  // namespace
