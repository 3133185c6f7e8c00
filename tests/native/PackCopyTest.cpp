// The copy of one pack from a disc on the in-memory machine: what is copied,
// both progress bars and the status text, the Abort/Retry/Ignore question,
// cancel, a killed copy, sizes beyond 32 bits, and the pace of event
// handling inside a large file and during listings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/CatalogueFormat.h"
#include "engine/EventPacer.h"
#include "engine/PackCopy.h"
#include "platform/fake/FakePlatform.h"
#include "tests/CatalogueSamples.h"
#include "tests/PackCopyCases.h"
#include "tests/RecordingSink.h"

namespace {

using engine::CopyFailureAnswer;
using platform::FakePlatform;

constexpr std::uint32_t kDiscFile = platform::faReadOnly | platform::faArchive;
constexpr std::uint32_t kDiscFolder = platform::faDirectory | platform::faReadOnly;
constexpr std::uint64_t kGiB = 1ull << 30;

// The fake with some files listed larger than their contents: files of
// several GiB that the machine need not hold.
class BigFilesMachine : public FakePlatform {
 public:
  std::vector<platform::FindEntry> ListFolder(const std::string& pattern) override {
    std::vector<platform::FindEntry> entries = FakePlatform::ListFolder(pattern);
    for (platform::FindEntry& entry : entries)
      if (entry.Name == "big.iso") entry.Size = static_cast<std::int64_t>(3 * kGiB);
    return entries;
  }
};

// One handling of pending events: what the page showed then.
struct Step {
  std::string label;
  int file, area;
  bool operator==(const Step& o) const { return label == o.label && file == o.file && area == o.area; }
};
void PrintTo(const Step& s, std::ostream* os) { *os << "{\"" << s.label << "\", " << s.file << ", " << s.area << "}"; }

class PackCopy : public ::testing::Test {
 protected:
  PackCopy() {
    machine.AddDrive('C');
    machine.AddDrive('E', platform::kDriveCdRom);
    state.SetSourceRoot("E:\\");
    state.TargetMatterLib = "C:\\Tavrin\\DLL\\VEXA\\MatterLib\\";
    state.DiscLabel = std::string("CD1");
    state.Packs = {samples::Pack("国标", "土建", {"CD1", "CD2"})};
    // The second of two packs.
    bars.StartPass(2);
    bars.FinishPack(1);
    sink.OnEvents = [this] {
      steps.push_back({sink.Current.FileStatus, sink.Current.File.Position, sink.Current.Area.Position});
      if (onEvents) onEvents();
    };
  }

  static std::string Source(const std::string& relative = "") { return "E:\\MatterLib\\国标\\土建\\" + relative; }
  static std::string Target(const std::string& relative = "") {
    return "C:\\Tavrin\\DLL\\VEXA\\MatterLib\\国标\\土建\\" + relative;
  }
  static std::string Bytes(std::size_t count, char c) { return std::string(count, c); }

  // a.dwg (1 500 bytes), 图块\b.dwg (900) in a read-only folder, c'd.dwg
  // (3 000): 5 400 bytes, a file bar of 5.
  void AddThreeFilePack() {
    machine.AddFile(Source("a.dwg"), Bytes(1500, 'a'), kDiscFile);
    machine.AddFolder(Source("图块"), kDiscFolder);
    machine.AddFile(Source("图块\\b.dwg"), Bytes(900, 'b'), kDiscFile);
    machine.AddFile(Source("c'd.dwg"), Bytes(3000, 'c'), kDiscFile);
  }
  std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const platform::FindEntry& entry : machine.ListFolder(folder + "*.*"))
      if (entry.Name != "." && entry.Name != "..") names.push_back(entry.Name);
    return names;
  }
  std::string PendingFile() { return machine.ReadContents(Target("Install.Dat")); }
  static std::string Pending(const std::vector<std::string>& labels) {
    return catalogue::SerializePendingLabels(samples::Labels(labels));
  }
  // The run that this copy belongs to ends as failed (and reports its end,
  // tests/native/InstallRunTest.cpp).
  void ExpectRunStoppedAsFailed() { EXPECT_FALSE(state.InstallOk); }

  BigFilesMachine machine;
  catalogue::InstallerState state;
  RecordingSink sink;
  engine::ProgressBars bars{sink};
  engine::PackCopy copy{state, machine, sink, bars};
  std::vector<Step> steps;
  std::function<void()> onEvents;
};

const char kDiskFull[] = "磁盘空间已满，请清理磁盘后再试。";

TEST_F(PackCopy, PendingPackIsCopiedFromThisDiscAndTheDiscDropped) {
  AddThreeFilePack();

  ASSERT_TRUE(copy.InstallPackFromDisc("国标", "土建"));

  EXPECT_EQ(machine.ReadContents(Target("a.dwg")), Bytes(1500, 'a'));
  EXPECT_EQ(machine.ReadContents(Target("图块\\b.dwg")), Bytes(900, 'b'));
  EXPECT_EQ(machine.ReadContents(Target("c'd.dwg")), Bytes(3000, 'c'));
  EXPECT_EQ(machine.GetAttributes(Target("c'd.dwg")), platform::faArchive);
  EXPECT_EQ(Names(Target()), (std::vector<std::string>{"a.dwg", "图块", "c'd.dwg", "Install.Dat"}));
  EXPECT_EQ(PendingFile(), Pending({"CD2"}));
  EXPECT_TRUE(state.InstallOk);
  EXPECT_TRUE(sink.CopyFailures.empty());

  // 1 500 bytes advance the file bar by 1, 900 bytes by 0; the area bar
  // shows the pack's share from 100 on.
  EXPECT_EQ(sink.Current.File.Max, 5);
  EXPECT_EQ(steps,
            (std::vector<Step>{
                {"正在复制:'a.dwg'.", 1, 120}, {"正在复制:'b.dwg'.", 1, 120}, {"正在复制:'c''d.dwg'.", 3, 160}}));
}

TEST_F(PackCopy, DiscThatThePackNoLongerNeedsCopiesNothing) {
  struct Case {
    const char* what;
    const char* discLabel;
    bool packOnDisc;
    std::vector<std::string> pending;  // empty: no Install.Dat yet
    int fileBarMax;
  };
  const Case cases[] = {
      {"the pack is not on this disc", "CD3", true, {}, 5},
      {"the pack folder is missing on this disc", "CD3", false, {}, 0},
      {"this disc was read before", "CD1", true, {"CD2"}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    machine.Remove("C:\\Tavrin");
    machine.Remove("E:\\");
    if (c.packOnDisc) AddThreeFilePack();
    if (!c.pending.empty()) machine.AddFile(Target("Install.Dat"), Pending(c.pending));
    state.DiscLabel = std::string(c.discLabel);
    sink.Current.File = {100, 100};

    EXPECT_TRUE(copy.InstallPackFromDisc("国标", "土建"));

    EXPECT_EQ(sink.Current.File.Max, c.fileBarMax);
    EXPECT_EQ(sink.Current.File.Position, 0);
    EXPECT_EQ(Names(Target()),
              c.pending.empty() ? std::vector<std::string>{} : std::vector<std::string>{"Install.Dat"});
    if (!c.pending.empty()) {
      EXPECT_EQ(PendingFile(), Pending(c.pending));
    }
  }
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(state.InstallOk);
}

TEST_F(PackCopy, ExistingTargetFilesAreSkippedButCounted) {
  AddThreeFilePack();
  machine.AddFile(Target("图块\\b.dwg"), "mine");
  machine.AddFile(Target("C'D.DWG"), "mine too");  // names are found whatever their letter case

  ASSERT_TRUE(copy.InstallPackFromDisc("国标", "土建"));

  EXPECT_EQ(machine.ReadContents(Target("图块\\b.dwg")), "mine");
  EXPECT_EQ(machine.ReadContents(Target("c'd.dwg")), "mine too");
  EXPECT_EQ(machine.ReadContents(Target("a.dwg")), Bytes(1500, 'a'));
  // The status text is that of the last file this level copied: none yet
  // in the sub-folder, a.dwg at the top.
  EXPECT_EQ(steps, (std::vector<Step>{{"正在复制:'a.dwg'.", 1, 120}, {"", 1, 120}, {"正在复制:'a.dwg'.", 3, 160}}));
  EXPECT_EQ(PendingFile(), Pending({"CD2"}));
}

TEST_F(PackCopy, PackUnderOneKiBTakesItsWholeShareOfTheAreaBar) {
  machine.AddFile(Source("a.txt"), Bytes(300, 'a'), kDiscFile);
  machine.AddFile(Source("b.txt"), Bytes(300, 'b'), kDiscFile);
  machine.AddFile(Source("c.txt"), Bytes(300, 'c'), kDiscFile);
  // The second of three packs.
  bars.StartPass(3);
  bars.FinishPack(1);

  ASSERT_TRUE(copy.InstallPackFromDisc("国标", "土建"));

  EXPECT_EQ(sink.Current.File.Max, 0);
  EXPECT_EQ(steps, (std::vector<Step>{
                       {"正在复制:'a.txt'.", 0, 200}, {"正在复制:'b.txt'.", 0, 200}, {"正在复制:'c.txt'.", 0, 200}}));
}

TEST_F(PackCopy, RetryAfterFreeingSpaceCopiesTheFile) {
  AddThreeFilePack();
  machine.Space('C').FreeClusters = 0;
  sink.CopyFailureAnswers.push_back([this] {
    machine.Space('C').FreeClusters = 100;
    return CopyFailureAnswer::Retry;
  });

  ASSERT_TRUE(copy.InstallPackFromDisc("国标", "土建"));

  // (The wizard asks it as an error with Abort, Retry and Ignore,
  // tests/native/ProgressPageSinkTest.cpp.)
  ASSERT_EQ(sink.CopyFailures.size(), 1u);
  EXPECT_EQ(sink.CopyFailures[0], kDiskFull);
  EXPECT_EQ(machine.ReadContents(Target("a.dwg")), Bytes(1500, 'a'));
  EXPECT_EQ(Names(Target()), (std::vector<std::string>{"a.dwg", "图块", "c'd.dwg", "Install.Dat"}));
  EXPECT_EQ(PendingFile(), Pending({"CD2"}));
}

TEST_F(PackCopy, AbortStopsTheRunAndKeepsThePendingFile) {
  AddThreeFilePack();
  machine.AddFile(Target("Install.Dat"), Pending({"CD1", "CD2"}));
  machine.FailCopy(Source("图块\\b.dwg"));
  sink.Answer(CopyFailureAnswer::Retry);
  sink.Answer(CopyFailureAnswer::Abort);

  EXPECT_FALSE(copy.InstallPackFromDisc("国标", "土建"));

  ASSERT_EQ(sink.CopyFailures.size(), 2u);
  EXPECT_EQ(sink.CopyFailures[1], "复制:'b.dwg'出错。");
  EXPECT_EQ(PendingFile(), Pending({"CD1", "CD2"}));
  EXPECT_EQ(Names(Target()), (std::vector<std::string>{"Install.Dat", "a.dwg", "图块"}));
  EXPECT_TRUE(Names(Target("图块\\")).empty());
  ExpectRunStoppedAsFailed();
}

TEST_F(PackCopy, IgnoreLeavesTheFileMissingAndNoPartOfIt) {
  // a.dwg does not fit: the copy fills the disk and fails.
  machine.AddFile(Source("a.dwg"), Bytes(20000, 'a'), kDiscFile);
  machine.AddFile(Source("b.dwg"), Bytes(900, 'b'), kDiscFile);
  machine.AddFile(Target("Install.Dat"), Pending({"CD1", "CD2"}));
  machine.Space('C').FreeClusters = 3;
  machine.SetKeepPartialCopies(true);
  sink.Answer(CopyFailureAnswer::Ignore);

  ASSERT_TRUE(copy.InstallPackFromDisc("国标", "土建"));

  ASSERT_EQ(sink.CopyFailures.size(), 1u);
  EXPECT_EQ(sink.CopyFailures[0], kDiskFull);
  EXPECT_EQ(Names(Target()), (std::vector<std::string>{"Install.Dat", "b.dwg"}));
  // The pack is not complete: this disc stays pending and the run is no
  // success.
  EXPECT_EQ(PendingFile(), Pending({"CD1", "CD2"}));
  EXPECT_FALSE(state.InstallOk);
  // The ignored file still counts on the bars.
  EXPECT_EQ(steps, (std::vector<Step>{{"正在复制:'a.dwg'.", 19, 195}, {"正在复制:'b.dwg'.", 19, 195}}));

  // The next pack starts complete again.
  machine.Space('C').FreeClusters = 100;
  ASSERT_TRUE(copy.InstallPackFromDisc("国标", "土建"));
  EXPECT_EQ(PendingFile(), Pending({"CD2"}));
}

TEST_F(PackCopy, FailedCopyIsReportedAsFullDiskOnlyWhenTheFileDoesNotFit) {
  struct Case {
    const char* what;
    const char* targetFolder;
    std::uint32_t freeClusters;  // of 4 096 bytes
    std::size_t fileSize;
    const char* expected;
  };
  const Case cases[] = {
      {"5 GB free, a 1 MB file", "C:\\lib\\", 1280000, 1 << 20, "复制:'a.dwg'出错。"},
      {"a file that fills the free space exactly", "C:\\lib\\", 2, 8192, "复制:'a.dwg'出错。"},
      {"a file one byte larger than the free space", "C:\\lib\\", 2, 8193, kDiskFull},
      {"blanks and a lower-case drive letter", "  c:\\lib\\", 2, 8193, kDiskFull},
      {"a drive whose free space is unknown", "Z:\\lib\\", 0, 8193, "复制:'a.dwg'出错。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    machine.Remove("E:\\");
    machine.AddFile("E:\\pack\\a.dwg", Bytes(c.fileSize, 'a'), kDiscFile);
    machine.FailCopy("E:\\pack\\a.dwg");
    machine.Space('C').FreeClusters = c.freeClusters;
    sink.CopyFailures.clear();
    sink.Answer(CopyFailureAnswer::Abort);

    EXPECT_FALSE(copy.CopyTree("E:\\pack", c.targetFolder));

    ASSERT_EQ(sink.CopyFailures.size(), 1u);
    EXPECT_EQ(sink.CopyFailures[0], c.expected);
  }
}

TEST_F(PackCopy, EveryFolderIsGoneIntoButNoJunction) {
  machine.AddFolder(Source("只读"), kDiscFolder);
  machine.AddFile(Source("只读\\a.dwg"), Bytes(2048, 'a'), kDiscFile);
  machine.AddFolder(Source("存档"), platform::faDirectory | platform::faArchive);
  machine.AddFile(Source("存档\\b.dwg"), Bytes(2048, 'b'), kDiscFile);
  machine.AddFolder(Source("隐藏"), platform::faDirectory | platform::faHidden | 0x2000 | 0x800);
  machine.AddFile(Source("隐藏\\c.dwg"), Bytes(2048, 'c'), kDiscFile);
  // A junction that leads back to the pack's folder: a loop.
  machine.AddFolder(Source("环"), platform::faDirectory | platform::faReparsePoint);
  machine.AfterList = [this](const std::string& pattern, std::vector<platform::FindEntry>& entries) {
    if (pattern.find("\\环\\") != std::string::npos) entries = machine.ListFolder(Source("*.*"));
  };

  ASSERT_TRUE(copy.InstallPackFromDisc("国标", "土建"));

  // Every folder counts in the pack's size, the junction nothing.
  EXPECT_EQ(engine::DirectorySize(machine, "E:\\MatterLib\\国标\\土建"), 3 * 2048);
  EXPECT_EQ(sink.Current.File.Max, 6);
  EXPECT_TRUE(sink.CopyFailures.empty());
  EXPECT_EQ(Names(Target()), (std::vector<std::string>{"只读", "存档", "隐藏", "Install.Dat"}));
  EXPECT_EQ(machine.ReadContents(Target("只读\\a.dwg")), Bytes(2048, 'a'));
  EXPECT_EQ(machine.ReadContents(Target("存档\\b.dwg")), Bytes(2048, 'b'));
  EXPECT_EQ(machine.ReadContents(Target("隐藏\\c.dwg")), Bytes(2048, 'c'));
  EXPECT_EQ(PendingFile(), Pending({"CD2"}));
}

TEST_F(PackCopy, AFileWhosePathFitsTheLimitCopiesWhateverItsFolderLength) {
  // A target folder so deep that a.dwg's path is exactly 259 characters,
  // the longest the system takes.
  std::string target = "C:\\";
  while (target.size() + 20 < 259 - 5) target += std::string(19, 'x') + "\\";
  target += std::string(259 - 5 - 1 - target.size(), 'y') + "\\";
  ASSERT_EQ((target + "a.dwg").size(), 259u);
  machine.AddFile(Source("a.dwg"), "a", kDiscFile);
  machine.AddFolder(target);
  // One character more is beyond the limit.
  EXPECT_FALSE(machine.CopyFileTo(Source("a.dwg"), target + "ab.dwg", false));

  ASSERT_TRUE(copy.CopyTree(Source(), target));

  EXPECT_TRUE(sink.CopyFailures.empty());
  EXPECT_EQ(machine.ReadContents(target + "a.dwg"), "a");
  EXPECT_EQ(Names(target), std::vector<std::string>{"a.dwg"});
}

TEST_F(PackCopy, CancelStopsAtTheNextEntryThroughEveryLevel) {
  machine.AddFile(Source("a.dwg"), Bytes(10, 'a'), kDiscFile);
  machine.AddFolder(Source("图块"), kDiscFolder);
  machine.AddFile(Source("图块\\b.dwg"), Bytes(10, 'b'), kDiscFile);
  machine.AddFolder(Source("图块\\深层"), kDiscFolder);
  machine.AddFile(Source("图块\\深层\\d.dwg"), Bytes(10, 'd'), kDiscFile);
  machine.AddFile(Source("图块\\深层\\e.dwg"), Bytes(10, 'e'), kDiscFile);
  machine.AddFile(Source("图块\\f.dwg"), Bytes(10, 'f'), kDiscFile);
  machine.AddFile(Source("g.dwg"), Bytes(10, 'g'), kDiscFile);
  machine.AddFile(Target("Install.Dat"), Pending({"CD1", "CD2"}));
  // The user cancels while d.dwg is being copied.
  onEvents = [this] {
    if (sink.Current.FileStatus == "正在复制:'d.dwg'.") state.CancelRequested = true;
  };

  EXPECT_FALSE(copy.InstallPackFromDisc("国标", "土建"));

  EXPECT_TRUE(state.CancelRequested);
  EXPECT_EQ(steps.size(), 3u);
  EXPECT_TRUE(machine.Exists(Target("图块\\深层\\d.dwg")));
  for (const char* missing : {"图块\\深层\\e.dwg", "图块\\f.dwg", "g.dwg"})
    EXPECT_FALSE(machine.Exists(Target(missing))) << missing;
  EXPECT_EQ(PendingFile(), Pending({"CD1", "CD2"}));
  ExpectRunStoppedAsFailed();

  // Once cancelled, nothing more is copied, nor any folder made.
  EXPECT_FALSE(copy.CopyTree(Source(), "C:\\elsewhere\\"));
  EXPECT_FALSE(machine.Exists("C:\\elsewhere"));
}

TEST_F(PackCopy, EventsAreHandledInsideALargeFileAndTheFileBoundariesStayAsTheyWere) {
  // a.dwg (1 500 bytes), big.dwg (256 KiB), 图块\b.dwg (900): a file bar
  // of 258. The copy writes pieces of 32 KiB.
  struct Case {
    const char* what;
    std::int64_t pieceMilliseconds;
    std::vector<Step> expected;
  };
  const Case cases[] = {
      {"a copy that takes no time: events after every file only", 0,
       {{"正在复制:'a.dwg'.", 1, 100}, {"正在复制:'big.dwg'.", 257, 199}, {"正在复制:'b.dwg'.", 257, 199}}},
      // After 30 ms of big.dwg (3 pieces) and 60 ms (6 pieces) the bars show
      // the bytes written; the last 2 pieces take 20 ms, too short for
      // another handling.
      {"pieces of 10 ms: events every 30 ms inside big.dwg", 10,
       {{"正在复制:'a.dwg'.", 1, 100},
        {"正在复制:'a.dwg'.", 97, 137},
        {"正在复制:'a.dwg'.", 193, 174},
        {"正在复制:'big.dwg'.", 257, 199},
        {"正在复制:'b.dwg'.", 257, 199}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    machine.Remove("C:\\Tavrin");
    machine.Remove("E:\\");
    machine.AddFile(Source("a.dwg"), Bytes(1500, 'a'), kDiscFile);
    machine.AddFile(Source("big.dwg"), Bytes(256 * 1024, 'g'), kDiscFile);
    machine.AddFile(Source("图块\\b.dwg"), Bytes(900, 'b'), kDiscFile);
    machine.SetCopySteps(32 * 1024, c.pieceMilliseconds);
    steps.clear();
    engine::PackCopy paced(state, machine, sink, bars);
    bars.StartPass(2);
    bars.FinishPack(1);

    ASSERT_TRUE(paced.InstallPackFromDisc("国标", "土建"));

    EXPECT_EQ(sink.Current.File.Max, 258);
    EXPECT_EQ(steps, c.expected);
    EXPECT_EQ(machine.ReadContents(Target("big.dwg")), Bytes(256 * 1024, 'g'));
    EXPECT_EQ(PendingFile(), Pending({"CD2"}));
  }
}

TEST_F(PackCopy, CancelAnsweredInsideALargeFileStopsItsCopyAndLeavesNoTemporaryFile) {
  machine.AddFile(Source("big.dwg"), Bytes(1024 * 1024, 'g'), kDiscFile);
  machine.AddFile(Source("g.dwg"), Bytes(10, 'g'), kDiscFile);
  machine.AddFile(Target("Install.Dat"), Pending({"CD1", "CD2"}));
  const std::uint32_t freeBefore = machine.Space('C').FreeClusters;
  // Pieces of 64 KiB of 10 ms: the first handling comes after 3 pieces,
  // where the user answers Yes to Cancel.
  machine.SetCopySteps(64 * 1024, 10);
  std::size_t writtenAtCancel = 0;
  std::int64_t cancelledAt = -1;
  onEvents = [&] {
    if (state.CancelRequested) return;
    ASSERT_TRUE(machine.Exists(Target("~")));
    writtenAtCancel = machine.ReadContents(Target("~")).size();
    cancelledAt = machine.SteadyMilliseconds();
    state.CancelRequested = true;
  };

  EXPECT_FALSE(copy.InstallPackFromDisc("国标", "土建"));

  EXPECT_EQ(writtenAtCancel, 3u * 64 * 1024);
  // The copy stopped at once: not one more piece, and no question asked.
  EXPECT_EQ(machine.SteadyMilliseconds(), cancelledAt);
  EXPECT_TRUE(sink.CopyFailures.empty());
  EXPECT_EQ(Names(Target()), std::vector<std::string>{"Install.Dat"});
  EXPECT_EQ(machine.Space('C').FreeClusters, freeBefore);
  EXPECT_EQ(PendingFile(), Pending({"CD1", "CD2"}));
  EXPECT_EQ(steps, (std::vector<Step>{{"", 192, 118}}));
  ExpectRunStoppedAsFailed();
}

TEST_F(PackCopy, EventsAreHandledAtTheirPaceWhileFoldersAreListed) {
  // Twelve empty folders; every listing takes 20 ms.
  std::string folder = Source();
  for (int depth = 0; depth < 4; ++depth) {
    for (const char* sibling : {"甲", "乙"}) machine.AddFolder(folder + sibling, kDiscFolder);
    folder += "丙\\";
    machine.AddFolder(folder, kDiscFolder);
  }
  machine.AfterList = [this](const std::string&, std::vector<platform::FindEntry>&) { machine.AdvanceClock(20); };
  std::vector<std::int64_t> handledAt;
  onEvents = [&] { handledAt.push_back(machine.SteadyMilliseconds()); };
  struct Case {
    const char* what;
    const char* discLabel;
  };
  const Case cases[] = {
      {"the size count of a pack this disc holds nothing more for", "CD3"},
      {"the size count and the copy of the pack", "CD1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    machine.Remove("C:\\Tavrin");
    handledAt.clear();
    state.DiscLabel = std::string(c.discLabel);
    const std::int64_t start = machine.SteadyMilliseconds();
    engine::PackCopy paced(state, machine, sink, bars);

    ASSERT_TRUE(paced.InstallPackFromDisc("国标", "土建"));

    // Never longer than the pace and one listing without a handling (up to
    // the end), and never a handling before the pace is due.
    ASSERT_GE(handledAt.size(), 4u);
    std::int64_t last = start;
    for (const std::int64_t at : handledAt) {
      EXPECT_GE(at - last, engine::EventPacer::kIntervalMilliseconds);
      EXPECT_LE(at - last, engine::EventPacer::kIntervalMilliseconds + 20);
      last = at;
    }
    EXPECT_LE(machine.SteadyMilliseconds() - last, engine::EventPacer::kIntervalMilliseconds + 20);
  }
}

TEST_F(PackCopy, KilledCopyLeavesNoFileUnderItsNameAndTheNextRunCompletesIt) {
  AddThreeFilePack();
  machine.KillDuringCopy(Source("c'd.dwg"), 1000);

  EXPECT_THROW(copy.InstallPackFromDisc("国标", "土建"), FakePlatform::ProcessKilled);

  EXPECT_FALSE(machine.Exists(Target("c'd.dwg")));
  std::vector<std::string> names = Names(Target());
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "a.dwg");
  EXPECT_EQ(names[1], "图块");
  // The part that was written, read-only as a copy from a disc first is.
  const std::string leftover = Target(names[2]);
  EXPECT_EQ(machine.ReadContents(leftover), Bytes(1000, 'c'));
  ASSERT_TRUE(machine.SetAttributes(leftover, kDiscFile));

  ASSERT_TRUE(copy.InstallPackFromDisc("国标", "土建"));

  EXPECT_EQ(machine.ReadContents(Target("c'd.dwg")), Bytes(3000, 'c'));
  EXPECT_EQ(Names(Target()), (std::vector<std::string>{"a.dwg", "图块", "c'd.dwg", "Install.Dat"}));
  EXPECT_EQ(PendingFile(), Pending({"CD2"}));
}

TEST_F(PackCopy, ALeftoverTemporaryBesideAFileAlreadyInPlaceIsRemoved) {
  // A run killed while the ".PAK" file was copied; the next refresh put the
  // file in place directly, so the copy finds it existing.
  machine.AddFile(Source("土建.PAK"), "pak", kDiscFile);
  machine.AddFile(Target("土建.PAK"), "pak");
  machine.AddFile(Target("~"), "pa", kDiscFile);

  ASSERT_TRUE(copy.CopyTree(Source(), Target()));

  EXPECT_EQ(Names(Target()), std::vector<std::string>{"土建.PAK"});
}

TEST_F(PackCopy, RefreshTakesTheFirstPakFileAndReplacesAReadOnlyCopy) {
  machine.AddFile(Source("b.PAK"), "first", kDiscFile);
  machine.AddFile(Source("a.pak"), "second", kDiscFile);
  machine.AddFolder(Target());

  EXPECT_TRUE(copy.RefreshPakFile("国标", "土建"));
  EXPECT_EQ(Names(Target()), std::vector<std::string>{"b.PAK"});
  EXPECT_EQ(machine.ReadContents(Target("b.PAK")), "first");
  // The copy does not keep the disc's read-only attribute, and a read-only
  // copy (an earlier version's refresh left one) is replaced as well.
  EXPECT_EQ(machine.GetAttributes(Target("b.PAK")), platform::faArchive);
  machine.AddFile(Target("b.PAK"), "older", kDiscFile);
  EXPECT_TRUE(copy.RefreshPakFile("国标", "土建"));
  EXPECT_EQ(machine.ReadContents(Target("b.PAK")), "first");
  EXPECT_EQ(Names(Target()), std::vector<std::string>{"b.PAK"});
  EXPECT_TRUE(sink.CopyFailures.empty());
}

TEST_F(PackCopy, AKilledRefreshLeavesTheOldPakFileWhole) {
  machine.AddFile(Source("土建.PAK"), "new pak", kDiscFile);
  machine.AddFile(Target("土建.PAK"), "old pak");
  machine.KillDuringCopy(Source("土建.PAK"), 3);

  EXPECT_THROW(copy.RefreshPakFile("国标", "土建"), FakePlatform::ProcessKilled);
  EXPECT_EQ(machine.ReadContents(Target("土建.PAK")), "old pak");

  // The next run's copy removes what the killed one left.
  ASSERT_TRUE(copy.CopyTree(Source(), Target()));
  EXPECT_EQ(Names(Target()), std::vector<std::string>{"土建.PAK"});
}

TEST_F(PackCopy, TemporaryNameNeverTakesAFileOfThePack) {
  // The pack itself holds files named like the temporary copies, and the
  // target a folder.
  machine.AddFile(Source("~"), "real one", kDiscFile);
  machine.AddFile(Source("~1"), "real two", kDiscFile);
  machine.AddFile(Source("a.dwg"), "a", kDiscFile);
  machine.AddFolder(Target("~2"));

  ASSERT_TRUE(copy.CopyTree(Source(), Target()));

  EXPECT_EQ(machine.ReadContents(Target("~")), "real one");
  EXPECT_EQ(machine.ReadContents(Target("~1")), "real two");
  EXPECT_EQ(machine.ReadContents(Target("a.dwg")), "a");
  EXPECT_EQ(Names(Target()).size(), 4u);
}

TEST_F(PackCopy, FilesOfTwoGiBAndMoreKeepEveryFigurePositive) {
  machine.AddFile(Source("a.dwg"), Bytes(1500, 'a'), kDiscFile);
  machine.AddFile(Source("big.iso"), "listed as 3 GiB", kDiscFile);

  EXPECT_EQ(engine::DirectorySize(machine, Source()), static_cast<std::int64_t>(3 * kGiB + 1500));
  ASSERT_TRUE(copy.InstallPackFromDisc("国标", "土建"));
  EXPECT_EQ(sink.Current.File.Max, 3 * 1024 * 1024 + 1);
  EXPECT_EQ(steps,
            (std::vector<Step>{{"正在复制:'a.dwg'.", 1, 100}, {"正在复制:'big.iso'.", 3 * 1024 * 1024 + 1, 200}}));

  // With 1 GiB free, a failed copy of it is a full disk.
  machine.Remove(Target("big.iso"));
  machine.FailCopy(Source("big.iso"));
  machine.Space('C').FreeClusters = 1u << 18;
  sink.Answer(CopyFailureAnswer::Abort);
  EXPECT_FALSE(copy.CopyTree(Source(), Target()));
  ASSERT_EQ(sink.CopyFailures.size(), 1u);
  EXPECT_EQ(sink.CopyFailures[0], kDiskFull);
}

TEST_F(PackCopy, NothingHappensWithoutASpecialtyOrASourceFolder) {
  AddThreeFilePack();
  sink.Snapshots.clear();
  EXPECT_TRUE(copy.InstallPackFromDisc("国标", ""));
  EXPECT_TRUE(sink.Snapshots.empty());  // not even the file bar

  EXPECT_FALSE(copy.CopyTree("E:\\MatterLib\\没有", Target()));
  EXPECT_FALSE(machine.Exists("C:\\Tavrin"));

  // A pending pack whose folder the disc lacks fails the run.
  state.Packs.push_back(samples::Pack("国标", "安装", {"CD1"}));
  EXPECT_FALSE(copy.InstallPackFromDisc("国标", "安装"));
  ExpectRunStoppedAsFailed();
  EXPECT_TRUE(steps.empty());
}

// The cases that also run on real files under Wine.
struct FakePackMachine {
  FakePackMachine() {
    machine.AddDrive('C');
    machine.AddFolder(Root());
  }
  platform::Platform& Platform() { return machine; }
  std::string Root() { return "C:\\PackCopyTest\\"; }

  FakePlatform machine;
};

}  // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, PackCopyCases, FakePackMachine);
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, PackCopyReadOnlyCases, FakePackMachine);
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, PakRefreshCases, FakePackMachine);
