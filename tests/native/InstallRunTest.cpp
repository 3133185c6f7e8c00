// The multi-disc install run without any window, on the disc set of
// tests/DiscSet.h: what it reports through its sink from start to end, the
// discs it asks for, and its end when a copy fails or an error leaves it.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "engine/InstallRun.h"
#include "platform/fake/FakePlatform.h"
#include "tests/DiscSet.h"
#include "tests/RecordingSink.h"

namespace {

using engine::BarFigures;

class InstallRun : public ::testing::Test {
 protected:
  InstallRun() {
    machine.AddDrive('C');
    machine.AddDrive('E', platform::kDriveCdRom);
    samples::InsertDisc(machine, "CD1");
    state.SetSourceRoot("E:\\");
    state.TargetMatterLib = "C:\\App\\DLL\\VEXA\\MatterLib\\";
    state.DiscLabel = std::string("CD1");
    state.Packs = samples::DiscSetCatalogue("CD1").Packs;
  }

  // The next disc question is answered with this disc in E:.
  void AnswerWithDisc(const std::string& label) {
    sink.DiscAnswers.push_back([this, label] {
      samples::InsertDisc(machine, label);
      return std::string("E:\\");
    });
  }

  platform::FakePlatform machine;
  catalogue::InstallerState state;
  RecordingSink sink;
  // Both packs ticked: the run needs CD1, CD2 and CD3.
  const std::vector<engine::SpecialtyCheck> bothPacks = {{"国标", "土建", true}, {"浙江省标", "市政", true}};
};

TEST_F(InstallRun, EveryNeededDiscIsAskedForAndTheEndIsReportedOnce) {
  AnswerWithDisc("CD3");
  AnswerWithDisc("CD2");

  engine::RunInstall(state, machine, sink, bothPacks);

  EXPECT_EQ(sink.DiscRequests, (std::vector<std::vector<std::string>>{{"CD2", "CD3"}, {"CD2"}}));
  EXPECT_TRUE(state.InstallOk);
  EXPECT_TRUE(state.NeededLabels.empty());
  EXPECT_EQ(sink.RunsStarted, 1);
  EXPECT_EQ(sink.RunsEnded, 1);
  EXPECT_FALSE(sink.EndedByFailedCopy);
  EXPECT_EQ(machine.ReadContents("C:\\App\\DLL\\VEXA\\MatterLib\\国标\\土建\\门窗\\门.dwg"), std::string(3000, 'd'));
  // The last pass: both packs done, the second from CD2 copied nothing.
  EXPECT_EQ(sink.Current.PackStatus, "CD2-浙江省标-市政完成");
  EXPECT_EQ(sink.Current.FileStatus, "复制完成");
  EXPECT_EQ(sink.Current.Area, (BarFigures{200, 200}));

  // Every pass goes through both packs, in catalogue order.
  std::vector<std::string> packStatuses;
  for (const RecordingSink::Snapshot& snapshot : sink.Snapshots)
    if (packStatuses.empty() || packStatuses.back() != snapshot.PackStatus) packStatuses.push_back(snapshot.PackStatus);
  packStatuses.erase(packStatuses.begin());  // before the first pack
  EXPECT_EQ(packStatuses, (std::vector<std::string>{
                              "正在安装:CD1-国标-土建", "CD1-国标-土建完成", "正在安装:CD1-浙江省标-市政",
                              "CD1-浙江省标-市政完成", "正在安装:CD3-国标-土建", "CD3-国标-土建完成",
                              "正在安装:CD3-浙江省标-市政", "CD3-浙江省标-市政完成", "正在安装:CD2-国标-土建",
                              "CD2-国标-土建完成", "正在安装:CD2-浙江省标-市政", "CD2-浙江省标-市政完成"}));
}

TEST_F(InstallRun, AFailedCopyEndsTheRunWithoutAskingForADisc) {
  machine.FailCopy("E:\\MatterLib\\国标\\土建\\墙体.dwg");

  engine::RunInstall(state, machine, sink, bothPacks);

  EXPECT_EQ(sink.CopyFailures.size(), 1u);  // answered Abort
  EXPECT_TRUE(sink.DiscRequests.empty());
  EXPECT_FALSE(state.InstallOk);
  EXPECT_EQ(sink.RunsEnded, 1);
  EXPECT_TRUE(sink.EndedByFailedCopy);
  EXPECT_EQ(sink.Current.PackStatus, "CD1-国标-土建安装失败");
  EXPECT_EQ(sink.Current.FileStatus, "复制中断");
  EXPECT_EQ(sink.Current.Area, (BarFigures{200, 200}));
}

TEST_F(InstallRun, AnErrorLeavingTheRunStillEndsIt) {
  // A folder without a descriptor confirmed for the next disc.
  machine.AddFolder("C:\\Empty");
  sink.DiscAnswers.push_back([] { return std::string("C:\\Empty\\"); });

  EXPECT_THROW(engine::RunInstall(state, machine, sink, bothPacks), std::runtime_error);

  EXPECT_EQ(sink.RunsEnded, 1);
  EXPECT_FALSE(sink.EndedByFailedCopy);
  EXPECT_FALSE(state.InstallOk);
}

}  // namespace
