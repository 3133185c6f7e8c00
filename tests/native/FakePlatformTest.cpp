// The fake machine's behaviour where the installer's tests rely on it acting
// like Windows: CopyFileA's rules, a full disk, letter case in paths, the
// order and the "." and ".." entries of listings, and the failure hooks.
#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"
#include "tests/SeekChecks.h"

namespace {

using platform::FakePlatform;

std::vector<std::string> Names(const std::vector<platform::FindEntry>& entries) {
  std::vector<std::string> names;
  for (const auto& e : entries) names.push_back(e.Name);
  return names;
}

class FakeMachine : public ::testing::Test {
 protected:
  FakeMachine() {
    machine.AddDrive('C');
    machine.AddDrive('E', platform::kDriveCdRom);
  }
  // A drive of 10 clusters of 1 024 bytes, `free` of them free.
  void AddSmallDrive(char letter, std::uint32_t free) {
    platform::DiskSpace space;
    space.SectorsPerCluster = 2;
    space.BytesPerSector = 512;
    space.FreeClusters = free;
    space.TotalClusters = 10;
    machine.AddDrive(letter, platform::kDriveFixed, space);
  }
  FakePlatform machine;
};

TEST_F(FakeMachine, PathsIgnoreLetterCaseButNotDoubleByteCharacters) {
  machine.AddFolder("C:\\Lib\\国标\\");
  machine.AddFile("C:\\Lib\\a.DWG", "x");
  EXPECT_TRUE(platform::DirectoryExists(machine, "c:\\LIB"));
  EXPECT_TRUE(platform::DirectoryExists(machine, "C:/lib/./国标/../国标\\\\"));
  EXPECT_TRUE(machine.SameFolder("C:\\a\\", "c:\\A"));
  EXPECT_EQ(machine.ReadContents("c:\\lib\\A.dwg"), "x");
  // In "\x81\\" and "\x81z" the second byte of a double-byte character looks
  // like "\" or a letter: it is neither a separator nor a letter to fold.
  machine.AddFile("C:\\\x81\\x", "one");
  EXPECT_FALSE(machine.Exists("C:\\\x81"));
  EXPECT_EQ(machine.ReadContents("C:\\\x81\\X"), "one");
  machine.AddFile("C:\\\x81z", "lower");
  EXPECT_FALSE(machine.Exists("C:\\\x81Z"));
  // The listing keeps the name as it was created.
  EXPECT_EQ(Names(machine.ListFolder("c:\\LIB\\*.*")), (std::vector<std::string>{".", "..", "国标", "a.DWG"}));
}

TEST_F(FakeMachine, ListingInCreationOrderWithDotEntriesOnlyBelowTheRoot) {
  machine.AddFile("C:\\d\\z.txt", "12345");
  machine.AddFolder("C:\\d\\a", platform::faDirectory | platform::faReadOnly);
  machine.AddFile("C:\\d\\m");
  const auto entries = machine.ListFolder("C:\\d\\*.*");
  EXPECT_EQ(Names(entries), (std::vector<std::string>{".", "..", "z.txt", "a", "m"}));
  EXPECT_EQ(entries[2].Size, 5);
  EXPECT_EQ(entries[3].Attributes, 17u);
  EXPECT_EQ(Names(machine.ListFolder("C:\\*.*")), std::vector<std::string>{"d"});
  // A file made again after its deletion goes to the end; truncating keeps the place.
  EXPECT_TRUE(machine.RemoveFile("C:\\d\\z.txt"));
  machine.OpenWrite("C:\\D\\M");
  EXPECT_TRUE(machine.CopyFileTo("C:\\d\\m", "C:\\d\\Z.TXT", false));
  EXPECT_EQ(Names(machine.ListFolder("C:\\d\\*")), (std::vector<std::string>{".", "..", "a", "m", "Z.TXT"}));
  EXPECT_EQ(Names(machine.ListFolder("C:\\d\\*.TXT")), std::vector<std::string>{"Z.TXT"});
  EXPECT_TRUE(machine.ListFolder("C:\\missing\\*.*").empty());
  EXPECT_TRUE(machine.ListFolder("C:\\d\\m\\*.*").empty());
}

struct CopyCase {
  const char* what;
  bool sourceThere;
  bool targetFolderThere;
  std::uint32_t targetAttributes;  // 0: no target yet
  bool failIfExists;
  bool copied;
};

class CopyFileRules : public FakeMachine, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyFileRules, FollowCopyFileA) {
  const CopyCase& c = GetParam();
  if (c.sourceThere) machine.AddFile("E:\\src.dwg", "new", platform::faReadOnly | platform::faArchive);
  if (c.targetFolderThere) machine.AddFolder("C:\\t");
  if (c.targetAttributes) machine.AddFile("C:\\t\\src.dwg", "old", c.targetAttributes);
  EXPECT_EQ(machine.CopyFileTo("E:\\src.dwg", "C:\\t\\src.dwg", c.failIfExists), c.copied) << c.what;
  if (c.copied) {
    EXPECT_EQ(machine.ReadContents("C:\\t\\src.dwg"), "new");
    EXPECT_EQ(machine.GetAttributes("C:\\t\\src.dwg"), platform::faReadOnly | platform::faArchive);
  } else if (c.targetAttributes) {
    EXPECT_EQ(machine.ReadContents("C:\\t\\src.dwg"), "old");
  } else {
    EXPECT_FALSE(machine.Exists("C:\\t\\src.dwg"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    FakeMachine, CopyFileRules,
    ::testing::Values(CopyCase{"new target", true, true, 0, false, true},
                      CopyCase{"missing source", false, true, 0, false, false},
                      CopyCase{"missing target folder", true, false, 0, false, false},
                      CopyCase{"overwrites a plain file", true, true, platform::faArchive, false, true},
                      CopyCase{"failIfExists", true, true, platform::faArchive, true, false},
                      CopyCase{"read-only target", true, true, platform::faReadOnly, false, false},
                      CopyCase{"hidden target", true, true, platform::faHidden, false, false}));

TEST_F(FakeMachine, CopyOntoItselfOrOntoACdFails) {
  machine.AddFile("C:\\a", "x");
  EXPECT_FALSE(machine.CopyFileTo("C:\\a", "c:\\A", false));
  EXPECT_FALSE(machine.CopyFileTo("C:\\a", "E:\\a", false));
  EXPECT_FALSE(machine.CreateFolder("E:\\f"));
  EXPECT_THROW(machine.OpenWrite("E:\\x"), platform::Error);
}

TEST_F(FakeMachine, FullDiskRefusesCopiesAndWritesAndDeletionFreesSpace) {
  AddSmallDrive('D', 2);
  machine.AddFile("C:\\big", std::string(3000, 'b'));   // 3 clusters
  machine.AddFile("C:\\small", std::string(1500, 's'));  // 2 clusters
  EXPECT_FALSE(machine.CopyFileTo("C:\\big", "D:\\big", false));
  EXPECT_FALSE(machine.Exists("D:\\big"));
  EXPECT_EQ(machine.Space('D').FreeClusters, 2u);

  EXPECT_TRUE(machine.CopyFileTo("C:\\small", "D:\\small", false));
  EXPECT_EQ(machine.Space('D').FreeClusters, 0u);
  // Overwriting gives the old copy's clusters to the new one.
  EXPECT_TRUE(machine.CopyFileTo("C:\\small", "D:\\small", false));
  {
    auto file = machine.OpenWrite("D:\\w");
    EXPECT_FALSE(file->Write("x", 1));
  }
  EXPECT_EQ(machine.ReadContents("D:\\w"), "");
  EXPECT_TRUE(machine.RemoveFile("D:\\small"));
  platform::DiskSpace space;
  ASSERT_TRUE(machine.DiskSpaceOf("D:", space));
  EXPECT_EQ(space.FreeClusters, 2u);

  machine.SetKeepPartialCopies(true);
  EXPECT_FALSE(machine.CopyFileTo("C:\\big", "D:\\big", false));
  EXPECT_EQ(machine.ReadContents("D:\\big"), std::string(2048, 'b'));
  EXPECT_EQ(machine.Space('D').FreeClusters, 0u);
}

TEST_F(FakeMachine, ReadOnlyFilesCannotBeDeletedOrOpenedForWriting) {
  machine.AddFile("C:\\r", "x", platform::faReadOnly);
  EXPECT_FALSE(machine.RemoveFile("C:\\r"));
  EXPECT_THROW(machine.OpenWrite("C:\\r"), platform::Error);
  EXPECT_TRUE(machine.SetAttributes("C:\\r", 0));
  EXPECT_TRUE(machine.RemoveFile("C:\\r"));
  EXPECT_FALSE(machine.Exists("C:\\r"));
}

TEST_F(FakeMachine, OpenRaisesForMissingFilesFoldersAndInjectedFailures) {
  machine.AddFile("C:\\f", "abc");
  EXPECT_THROW(machine.OpenRead("C:\\missing"), platform::Error);
  EXPECT_THROW(machine.OpenRead("C:\\no\\f"), platform::Error);
  EXPECT_THROW(machine.OpenWrite("C:\\no\\f"), platform::Error);
  machine.FailOpen("c:\\F");
  EXPECT_THROW(machine.OpenRead("C:\\x\\..\\f"), platform::Error);
  EXPECT_THROW(machine.OpenWrite("C:\\f"), platform::Error);
  EXPECT_EQ(machine.ReadContents("C:\\f"), "abc");
}

TEST_F(FakeMachine, InjectedCopyFailuresCountDown) {
  machine.AddFile("E:\\a", "x");
  machine.FailCopy("C:\\a", 2);
  EXPECT_FALSE(machine.CopyFileTo("E:\\a", "C:\\a", false));
  EXPECT_FALSE(machine.CopyFileTo("E:\\a", "C:\\a", false));
  EXPECT_TRUE(machine.CopyFileTo("E:\\a", "C:\\a", false));
}

TEST_F(FakeMachine, HookRunsBeforeEachCopy) {
  AddSmallDrive('D', 0);
  machine.AddFile("C:\\a", "x");
  int calls = 0;
  machine.BeforeCopy = [&](const std::string&, const std::string& target) {
    ++calls;
    EXPECT_EQ(target, "D:\\a");
    machine.Space('D').FreeClusters = 1;
  };
  EXPECT_TRUE(machine.CopyFileTo("C:\\a", "D:\\a", false));
  EXPECT_EQ(calls, 1);
}

TEST_F(FakeMachine, FailedWriteStopsAfterTheGivenBytes) {
  machine.FailWriteAfter("C:\\out", 3);
  auto file = machine.OpenWrite("C:\\out");
  EXPECT_TRUE(file->Write("ab", 2));
  EXPECT_FALSE(file->Write("cd", 2));
  EXPECT_EQ(machine.ReadContents("C:\\out"), "abc");
}

TEST_F(FakeMachine, KilledCopyLeavesThePartialTarget) {
  machine.AddFile("E:\\a.dwg", "0123456789", platform::faReadOnly);
  machine.KillDuringCopy("E:\\a.dwg", 4);
  EXPECT_THROW(machine.CopyFileTo("E:\\a.dwg", "C:\\a.dwg", false), FakePlatform::ProcessKilled);
  EXPECT_EQ(machine.ReadContents("C:\\a.dwg"), "0123");
  EXPECT_TRUE(machine.CopyFileTo("E:\\a.dwg", "C:\\b.dwg", false));  // only once
}

TEST_F(FakeMachine, CopyWithProgressWritesInStepsOnTheClockAndACancelRemovesThePart) {
  AddSmallDrive('D', 10);
  machine.AddFile("E:\\a.dwg", "0123456789", platform::faReadOnly);
  machine.SetCopySteps(4, 25);
  // What progress sees: the bytes reported, the target's contents, the clock.
  struct Seen {
    std::int64_t copied;
    std::string target;
    std::int64_t clock;
    bool operator==(const Seen& o) const { return copied == o.copied && target == o.target && clock == o.clock; }
  };
  std::vector<Seen> seen;
  const auto recordUntil = [&](std::int64_t stopAt) {
    return [&, stopAt](std::int64_t copied, std::int64_t total) {
      EXPECT_EQ(total, 10);
      seen.push_back({copied, machine.ReadContents("D:\\a.dwg"), machine.SteadyMilliseconds()});
      return copied < stopAt;
    };
  };

  EXPECT_TRUE(machine.CopyFileTo("E:\\a.dwg", "D:\\a.dwg", false, recordUntil(11)));
  EXPECT_EQ(seen, (std::vector<Seen>{{0, "", 0}, {4, "0123", 25}, {8, "01234567", 50}, {10, "0123456789", 75}}));
  EXPECT_EQ(machine.GetAttributes("D:\\a.dwg"), std::uint32_t{platform::faReadOnly});
  EXPECT_EQ(machine.Space('D').FreeClusters, 9u);

  // Cancelled over an existing copy: the target is gone, its space free.
  ASSERT_TRUE(machine.SetAttributes("D:\\a.dwg", platform::faArchive));
  seen.clear();
  EXPECT_FALSE(machine.CopyFileTo("E:\\a.dwg", "D:\\a.dwg", false, recordUntil(4)));
  EXPECT_EQ(seen, (std::vector<Seen>{{0, "", 75}, {4, "0123", 100}}));
  EXPECT_FALSE(machine.Exists("D:\\a.dwg"));
  EXPECT_EQ(machine.Space('D').FreeClusters, 10u);
}

TEST_F(FakeMachine, SeekMovesTheReadPositionAnywhere) {
  machine.AddFile("E:\\image.iso", "0123456789");
  ExpectSeekMovesTheReadPositionAnywhere(*machine.OpenRead("E:\\image.iso"));
}

TEST_F(FakeMachine, AnsiCodePageKnowsAsciiAndTheCharactersGivenIt) {
  machine.AddAnsiCharacters(u"国标", "国标");
  std::string ansi = "before";
  ASSERT_TRUE(machine.WideToAnsi(u"国标 CD1.dat", ansi));
  EXPECT_EQ(ansi, "国标 CD1.dat");
  ansi = "before";
  EXPECT_FALSE(machine.WideToAnsi(u"国土", ansi));
  EXPECT_EQ(ansi, "before");
  EXPECT_THROW(machine.AddAnsiCharacters(u"国标", "国"), std::logic_error);
  EXPECT_THROW(machine.AddAnsiCharacters(u"国", "国标"), std::logic_error);
}

TEST_F(FakeMachine, RegistryValuesWithTypes) {
  machine.SetMachineValue("SOFTWARE\\HUXO\\MIRKE\\", "InstallPath", "D:\\Tavrin\\");
  machine.SetMachineValue("SOFTWARE\\HUXO\\MIRKE", "Count", "\x01\0\0\0", false);
  std::string value;
  EXPECT_EQ(machine.ReadMachineString("software\\huxo\\mirke", "INSTALLPATH", value), platform::RegistryRead::Ok);
  EXPECT_EQ(value, "D:\\Tavrin\\");
  EXPECT_EQ(machine.ReadMachineString("SOFTWARE\\HUXO\\MIRKE\\", "Count", value), platform::RegistryRead::NotAString);
  EXPECT_EQ(machine.ReadMachineString("SOFTWARE\\HUXO\\MIRKE\\", "Other", value),
            platform::RegistryRead::ValueMissing);
  EXPECT_EQ(machine.ReadMachineString("SOFTWARE\\HUXO\\", "InstallPath", value), platform::RegistryRead::KeyMissing);
}

}  // namespace
