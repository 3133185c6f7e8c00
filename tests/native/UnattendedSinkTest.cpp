// The port of an unattended run: the next disc found before anyone is asked,
// default answers, progress passed on to the window, and how the run ended.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "deploy/UnattendedSink.h"
#include "platform/fake/FakePlatform.h"
#include "tests/DiscSet.h"
#include "tests/RecordingSink.h"

namespace {

using deploy::DeployOptions;
using deploy::InstallMode;
using deploy::UnattendedSink;
using engine::CopyFailureAnswer;

class UnattendedSinkTest : public ::testing::Test {
 protected:
  UnattendedSinkTest() {
    machine.AddDrive('C');
    machine.AddDrive('D');
    machine.AddDrive('F', platform::kDriveCdRom);
    samples::PutDisc(machine, "D:\\discs\\b\\", "CD2");
    samples::PutDisc(machine, "D:\\discs\\c\\", "CD3");
  }

  platform::FakePlatform machine;
  deploy::SetupLog log;  // writes nothing
  RecordingSink window;
};

struct DiscCase {
  const char* what;
  InstallMode mode;
  bool withWindow;
  const char* map;     // /DISCS as label=folder;...; "" for none
  const char* source;  // /SOURCE; "" for none
  const char* inDriveF;  // the disc in the CD-ROM drive F:, "" for none
  std::vector<std::string> needed;
  const char* answer;        // the folder returned
  bool windowAsked;
};

class UnattendedSinkDiscs : public UnattendedSinkTest, public ::testing::WithParamInterface<DiscCase> {};

TEST_P(UnattendedSinkDiscs, FindsTheNextDiscBeforeAskingTheWindow) {
  const DiscCase& c = GetParam();
  DeployOptions options;
  options.Mode = c.mode;
  if (*c.map) {
    const std::string map = c.map;
    const std::size_t equals = map.find('=');
    options.Discs = std::vector<deploy::DiscLocation>{{map.substr(0, equals), map.substr(equals + 1)}};
  }
  if (*c.source) options.DiscSetFolder = c.source;
  if (*c.inDriveF) samples::PutDisc(machine, "F:\\", c.inDriveF);
  window.DiscAnswers.push_back([] { return std::string("G:\\"); });

  UnattendedSink sink(machine, options, log, c.withWindow ? &window : nullptr);
  EXPECT_EQ(sink.AskForNextDisc("E:\\", c.needed), c.answer) << c.what;
  EXPECT_EQ(window.DiscRequests.size(), c.windowAsked ? 1u : 0u) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnattendedSinkDiscs,
    ::testing::Values(
        DiscCase{"mapped, no window", InstallMode::VerySilent, false, "CD3=D:\\discs\\c\\", "", "", {"CD2", "CD3"},
                 "D:\\discs\\c\\", false},
        DiscCase{"mapped to a folder of another disc", InstallMode::VerySilent, false, "CD3=D:\\discs\\b\\", "", "",
                 {"CD3"}, "", false},
        DiscCase{"in the disc set, label case ignored", InstallMode::VerySilent, false, "", "D:\\discs\\", "",
                 {"cd3"}, "D:\\discs\\c\\", false},
        DiscCase{"in a CD-ROM drive", InstallMode::Silent, true, "", "", "CD2", {"CD2"}, "F:\\", false},
        DiscCase{"nowhere, no window", InstallMode::VerySilent, false, "", "D:\\discs\\", "", {"CD9"}, "", false},
        DiscCase{"nowhere, the progress page asks", InstallMode::Silent, true, "", "D:\\discs\\", "", {"CD9"},
                 "G:\\", true},
        DiscCase{"the wizard without a map leaves it to its prompt", InstallMode::Interactive, true, "", "", "CD2",
                 {"CD2"}, "G:\\", true},
        DiscCase{"the wizard with a map", InstallMode::Interactive, true, "CD2=D:\\discs\\b\\", "", "", {"CD2"},
                 "D:\\discs\\b\\", false}),
    [](const ::testing::TestParamInfo<DiscCase>& info) { return "Case" + std::to_string(info.index); });

struct CopyFailureCase {
  InstallMode mode;
  bool suppress;
  CopyFailureAnswer expected;
  bool windowAsked;
};

class UnattendedSinkCopyFailure : public UnattendedSinkTest, public ::testing::WithParamInterface<CopyFailureCase> {};

TEST_P(UnattendedSinkCopyFailure, AnswersAbortWhenQuestionsAreSuppressed) {
  const CopyFailureCase& c = GetParam();
  DeployOptions options;
  options.Mode = c.mode;
  options.SuppressMessageBoxes = c.suppress;
  window.Answer(CopyFailureAnswer::Ignore);
  UnattendedSink sink(machine, options, log, c.mode == InstallMode::VerySilent ? nullptr : &window);
  EXPECT_EQ(sink.AskAboutFailedCopy("复制:'a.dwg'出错。"), c.expected);
  EXPECT_EQ(window.CopyFailures.size(), c.windowAsked ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnattendedSinkCopyFailure,
                         ::testing::Values(CopyFailureCase{InstallMode::VerySilent, false, CopyFailureAnswer::Abort, false},
                                           CopyFailureCase{InstallMode::Silent, true, CopyFailureAnswer::Abort, false},
                                           CopyFailureCase{InstallMode::Silent, false, CopyFailureAnswer::Ignore, true},
                                           CopyFailureCase{InstallMode::Interactive, true, CopyFailureAnswer::Abort,
                                                           false},
                                           CopyFailureCase{InstallMode::Interactive, false, CopyFailureAnswer::Ignore,
                                                           true}),
    [](const ::testing::TestParamInfo<CopyFailureCase>& info) { return "Case" + std::to_string(info.index); });

TEST_F(UnattendedSinkTest, PassesProgressOnAndRecordsHowTheRunEnded) {
  DeployOptions options;
  options.Mode = InstallMode::Silent;
  UnattendedSink sink(machine, options, log, &window);
  EXPECT_FALSE(sink.Ended());
  sink.RunStarted();
  sink.ShowPackStatus("正在安装:CD1-国标-土建");
  sink.ShowAreaBar({100, 40});
  EXPECT_EQ(window.RunsStarted, 1);
  EXPECT_EQ(window.Current.PackStatus, "正在安装:CD1-国标-土建");
  EXPECT_EQ(window.Current.Area, (engine::BarFigures{100, 40}));

  sink.RunEnded(false);
  EXPECT_EQ(sink.Ended(), deploy::RunEnd::Finished);
  sink.RunEnded(true);
  EXPECT_EQ(sink.Ended(), deploy::RunEnd::StoppedDuringCopy);
  // The engine reports the end while an error leaves the run.
  struct EndsWhileUnwinding {
    UnattendedSink& sink;
    ~EndsWhileUnwinding() { sink.RunEnded(false); }
  };
  try {
    EndsWhileUnwinding end{sink};
    throw std::runtime_error("error");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(sink.Ended(), deploy::RunEnd::FatalError);
  EXPECT_EQ(window.RunsEnded, 3);
}

}  // namespace
