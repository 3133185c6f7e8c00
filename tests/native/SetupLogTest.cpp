// The setup log: where /LOG puts it, its UTF-8 lines for a small scripted
// run, and lines that are on the disk the moment they happen.
#include <gtest/gtest.h>

#include "deploy/SetupLog.h"
#include "platform/fake/FakePlatform.h"
#include "tests/CatalogueSamples.h"

namespace {

using deploy::SetupLog;
using platform::FakePlatform;

class SetupLogTest : public testing::Test {
 protected:
  SetupLogTest() {
    machine.AddDrive('C');
    machine.AddFolder("C:\\TEMP");
    machine.SetNow({2024, 3, 9, 8, 5, 7, 42});
  }

  // The log's contents after the byte-order mark, which must be there.
  std::string LinesOf(const std::string& path) {
    const std::string contents = machine.ReadContents(path);
    EXPECT_EQ(contents.substr(0, 3), "\xEF\xBB\xBF");
    return contents.substr(3);
  }

  FakePlatform machine;
};

TEST_F(SetupLogTest, DefaultPathIsTheFirstFreeNumberOfTheDay) {
  EXPECT_EQ(deploy::DefaultLogPath(machine), "C:\\TEMP\\Setup Log 2024-03-09 #001.txt");
  machine.AddFile("C:\\TEMP\\Setup Log 2024-03-09 #001.txt");
  machine.AddFolder("C:\\TEMP\\Setup Log 2024-03-09 #002.txt");
  machine.AddFile("C:\\TEMP\\Setup Log 2024-03-08 #003.txt");
  EXPECT_EQ(deploy::DefaultLogPath(machine), "C:\\TEMP\\Setup Log 2024-03-09 #003.txt");
}

TEST_F(SetupLogTest, WritesOneUtf8LinePerEventOfASmallRun) {
  catalogue::InstallerState state;
  state.SetSourceRoot("E:\\");
  state.TargetDir = "D:\\素材\\DLL\\VEXA\\";
  state.TargetMatterLib = state.TargetDir + "MatterLib\\";
  state.DiscLabel = std::string("CD1");
  state.Packs = {samples::Pack("国标", "土建", {"CD1", "CD2"}), samples::Pack("中南标", "结构", {})};
  {
    SetupLog log(machine, "C:\\setup.log");
    log.SetupVersion("1.0.0.1");
    log.CommandLine("\"E:\\Setup.exe\" /VERYSILENT");
    log.WindowsVersion();
    log.Folders(state);
    log.Catalogue(state);
    log.Components({{"国标", "土建"}});
    log.NeededDiscs({"CD1", "CD2"});
    log.DiscRead("CD1", "E:\\");
    machine.SetNow({2024, 3, 9, 8, 5, 9, 5});
    log.FileCopied("D:\\素材\\DLL\\VEXA\\MatterLib\\国标\\土建\\a.pak", 1234);
    log.FileSkipped("D:\\素材\\DLL\\VEXA\\MatterLib\\国标\\土建\\b.dwg", 0);
    log.FileFailed("D:\\素材\\DLL\\VEXA\\MatterLib\\国标\\土建\\c.dwg", 5000000000, "磁盘已满");
    log.Question("复制文件出错。\r\n是否重试？", 3, true);
    log.PackPending("国标", "土建", {"CD2"});
    log.DiscNotFound({"CD2"});
    log.PackPending("中南标", "结构", {});
    log.PackPending(deploy::PendingPack{"国标", "给排水", {}, true});
    log.Error("Invalid data type for 'InstallPath'");
    log.ExitCode(10);
  }
  EXPECT_EQ(LinesOf("C:\\setup.log"),
            u8"2024-03-09 08:05:07.042   Setup version: 1.0.0.1\r\n"
            u8"2024-03-09 08:05:07.042   Command line: \"E:\\Setup.exe\" /VERYSILENT\r\n"
            u8"2024-03-09 08:05:07.042   Windows version: Windows 10.0 build 19045\r\n"
            u8"2024-03-09 08:05:07.042   Source folder: E:\\\r\n"
            u8"2024-03-09 08:05:07.042   Target folder: D:\\素材\\DLL\\VEXA\\\r\n"
            u8"2024-03-09 08:05:07.042   Material library: D:\\素材\\DLL\\VEXA\\MatterLib\\\r\n"
            u8"2024-03-09 08:05:07.042   Catalogue read from disc CD1: 2 packs\r\n"
            u8"2024-03-09 08:05:07.042   Pack 国标\\土建 on discs CD1,CD2\r\n"
            u8"2024-03-09 08:05:07.042   Pack 中南标\\结构 on no disc\r\n"
            u8"2024-03-09 08:05:07.042   Components: 国标\\土建\r\n"
            u8"2024-03-09 08:05:07.042   Discs needed: CD1,CD2\r\n"
            u8"2024-03-09 08:05:07.042   Disc CD1 read from E:\\\r\n"
            u8"2024-03-09 08:05:09.005   Copied: D:\\素材\\DLL\\VEXA\\MatterLib\\国标\\土建\\a.pak (1234 bytes)\r\n"
            u8"2024-03-09 08:05:09.005   Skipped, already there: D:\\素材\\DLL\\VEXA\\MatterLib\\国标\\土建\\b.dwg (0 bytes)\r\n"
            u8"2024-03-09 08:05:09.005   Failed: D:\\素材\\DLL\\VEXA\\MatterLib\\国标\\土建\\c.dwg (5000000000 bytes): 磁盘已满\r\n"
            u8"2024-03-09 08:05:09.005   Question: 复制文件出错。  是否重试？ | Answer: Abort (by default)\r\n"
            u8"2024-03-09 08:05:09.005   Pack 国标\\土建 still needs discs CD2\r\n"
            u8"2024-03-09 08:05:09.005   No disc found for CD2; left pending\r\n"
            u8"2024-03-09 08:05:09.005   Pack 中南标\\结构 complete\r\n"
            u8"2024-03-09 08:05:09.005   Pack 国标\\给排水 has an unreadable Install.Dat: its discs are needed again\r\n"
            u8"2024-03-09 08:05:09.005   Error: Invalid data type for 'InstallPath'\r\n"
            u8"2024-03-09 08:05:09.005   Exit code: 10\r\n");
}

TEST_F(SetupLogTest, EachLineIsOnTheDiskWhenItHappens) {
  // Nothing closes the log here, as when the process is killed mid-run.
  SetupLog log(machine, "C:\\TEMP\\run.log");
  log.DiscRead("CD1", "E:\\");
  EXPECT_EQ(LinesOf("C:\\TEMP\\run.log"), "2024-03-09 08:05:07.042   Disc CD1 read from E:\\\r\n");
  log.Question("Yes?", 6, false);
  EXPECT_EQ(LinesOf("C:\\TEMP\\run.log"),
            "2024-03-09 08:05:07.042   Disc CD1 read from E:\\\r\n"
            "2024-03-09 08:05:07.042   Question: Yes? | Answer: Yes\r\n");
}

TEST_F(SetupLogTest, ANewLogReplacesAnOldFile) {
  machine.AddFile("C:\\setup.log", "an older run\r\n");
  SetupLog log(machine, "C:\\setup.log");
  EXPECT_EQ(LinesOf("C:\\setup.log"), "");
}

TEST_F(SetupLogTest, WithoutLogNothingIsWritten) {
  SetupLog log;
  EXPECT_FALSE(log.IsOpen());
  log.WindowsVersion();
  log.ExitCode(0);
  EXPECT_EQ(machine.ListFolder("C:\\*.*").size(), 1u);  // C:\TEMP alone
}

TEST_F(SetupLogTest, ALogThatCannotBeCreatedRaises) {
  machine.FailOpen("C:\\setup.log");
  EXPECT_THROW(SetupLog(machine, "C:\\setup.log"), platform::Error);
}

TEST_F(SetupLogTest, ALogThatFillsTheDiskDoesNotStopTheRun) {
  machine.FailWriteAfter("C:\\setup.log", 40);
  SetupLog log(machine, "C:\\setup.log");
  log.DiscRead("CD1", "E:\\");
  log.DiscRead("CD2", "F:\\");
  EXPECT_EQ(machine.ReadContents("C:\\setup.log").size(), 40u);
}

}  // namespace
