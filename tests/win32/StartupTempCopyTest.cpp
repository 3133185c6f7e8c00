// The first launch's copy in the temporary folder, on real files: a
// read-only copy left by an earlier run from a disc is replaced (a test of
// read-only attributes, run as an ordinary user), and a locked one is not
// started.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "startup/Startup.h"
#include "tests/FaultyPlatform.h"
#include "platform/win32/Win32Handles.h"
#include "tests/win32/ScratchFolder.h"

namespace {

// The real system, with the start-up's view of it moved into a scratch
// folder: the program on a "disc" folder, the temporary folder beside it.
// Starts are recorded, not made.
class ScratchStartup : public FaultyPlatform {
 public:
  ScratchStartup(platform::Platform& system, std::string temp, std::string program)
      : FaultyPlatform(system), temp_(std::move(temp)), program_(std::move(program)) {}

  std::string TempPath() override { return temp_; }
  std::string ModulePath() override { return program_; }
  std::string CommandLine() override { return "\"" + program_ + "\""; }
  bool ShellOpenAndWait(const std::string& file, const std::string&, int& exitCode) override {
    Started.push_back(file);
    exitCode = 0;
    return true;
  }
  // No wizard of the machine's own counts.
  bool InstanceRunning(const std::string&) override { return false; }

  std::vector<std::string> Started;

 private:
  std::string temp_, program_;
};

class StartupTempCopy : public ::testing::Test {
 protected:
  // The program in a "disc" folder, read-only as on a disc, and an empty
  // temporary folder; its path.
  std::string PutProgram() {
    system.CreateFolder(scratch.Path() + "disc");
    system.CreateFolder(scratch.Path() + "temp");
    const std::string path = scratch.AddFile("disc\\Setup.exe", "MZ the program");
    system.SetAttributes(path, platform::faReadOnly | platform::faArchive);
    return path;
  }
  std::string Contents(const std::string& path) {
    std::string contents;
    EXPECT_TRUE(platform::ReadWholeFile(system, path, contents)) << path;
    return contents;
  }

  platform::Win32Platform system;
  ScratchFolder scratch{system};
  std::string program = PutProgram();
  std::string copy = scratch.Path() + "temp\\Setup.exe";
  ScratchStartup startup{system, scratch.Path() + "temp\\", program};
};

using StartupTempCopyAsUser = StartupTempCopy;

TEST_F(StartupTempCopyAsUser, ReadOnlyCopyOfAnEarlierRunIsReplacedAndStarted) {
  scratch.AddFile("temp\\Setup.exe", "MZ older");
  ASSERT_TRUE(system.SetAttributes(copy, platform::faReadOnly | platform::faArchive));

  EXPECT_FALSE(startup::RunStartup(startup).RunWizard);

  EXPECT_EQ(Contents(copy), "MZ the program");
  EXPECT_EQ(system.GetAttributes(copy) & platform::faReadOnly, 0u) << "the disc's attribute travelled";
  EXPECT_EQ(startup.Started, std::vector<std::string>{copy});
}

TEST_F(StartupTempCopy, LockedCopyIsReportedAndNotStarted) {
  scratch.AddFile("temp\\Setup.exe", "MZ foreign");
  {
    // Held open without sharing, as a running program or a scanner holds it.
    platform::win32::FileHandle lock(
        ::CreateFileA(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock.IsOpen());
    EXPECT_THROW(startup::RunStartup(startup), std::runtime_error);
  }
  EXPECT_TRUE(startup.Started.empty());
  EXPECT_EQ(Contents(copy), "MZ foreign");
}

}  // namespace
