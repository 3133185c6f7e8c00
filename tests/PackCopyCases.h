// Pack-copy cases that rest on how the system treats files (attributes taken
// over by a copy, a read-only leftover that must be made writable before it
// can go), written once and run on the in-memory machine and on real files
// under Wine. The cases that rest on read-only files being refused
// (PackCopyReadOnlyCases, PakRefreshCases) run under Wine as an ordinary
// user: Wine run as root writes to read-only files. (Nor can an ordinary
// user's Wine keep a file both read-only and hidden, so the attribute cases
// run as root.)
// A test file includes this header once and names a machine type:
//
//   struct Machine {
//     platform::Platform& Platform();
//     std::string Root();  // an empty folder of this test's own, ending in "\"
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Name, PackCopyCases, Machine);
//   INSTANTIATE_TYPED_TEST_SUITE_P(Name, PackCopyReadOnlyCases, Machine);
//   INSTANTIATE_TYPED_TEST_SUITE_P(Name, PakRefreshCases, Machine);
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/CatalogueFormat.h"
#include "engine/PackCopy.h"
#include "tests/CatalogueSamples.h"
#include "tests/RecordingSink.h"
#include "text/AnsiText.h"

template <class Machine>
class PackCopyCases : public ::testing::Test {
 protected:
  static constexpr std::uint32_t kDiscFile = platform::faReadOnly | platform::faArchive;

  PackCopyCases() {
    state.SetSourceRoot(machine.Root() + "disc\\");
    state.TargetMatterLib = machine.Root() + "Tavrin\\DLL\\VEXA\\MatterLib\\";
    state.DiscLabel = std::string("CD1");
    state.Packs = {samples::Pack("国标", "土建", {"CD1", "CD2"})};
  }

  platform::Platform& System() { return machine.Platform(); }
  std::string Source(const std::string& relative = "") { return state.SourceMatterLib + "国标\\土建\\" + relative; }
  std::string Target(const std::string& relative = "") { return state.TargetMatterLib + "国标\\土建\\" + relative; }

  // A file with its attributes (in place of any file there), and the folders
  // above it.
  void Put(const std::string& path, const std::string& contents, std::uint32_t attributes = platform::faArchive) {
    ASSERT_TRUE(platform::ForceDirectories(System(), text::ExtractFilePath(path))) << path;
    if (platform::FileExists(System(), path)) {
      ASSERT_TRUE(System().SetAttributes(path, platform::faArchive)) << path;
    }
    ASSERT_TRUE(platform::WriteWholeFile(System(), path, contents)) << path;
    ASSERT_TRUE(System().SetAttributes(path, attributes)) << path;
  }
  std::string Contents(const std::string& path) {
    std::string contents;
    EXPECT_TRUE(platform::ReadWholeFile(System(), path, contents)) << path;
    return contents;
  }
  std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const platform::FindEntry& entry : System().ListFolder(folder + "*.*"))
      if (entry.Name != "." && entry.Name != "..") names.push_back(entry.Name);
    return names;
  }

  Machine machine;
  catalogue::InstallerState state;
  RecordingSink sink;
  engine::ProgressBars bars{sink};
  engine::PackCopy copy{state, System(), sink, bars};
};

TYPED_TEST_SUITE_P(PackCopyCases);

TYPED_TEST_P(PackCopyCases, CopiesTakeTheSourceAttributesWithoutReadOnly) {
  this->Put(this->Source("a.dwg"), "disc a", this->kDiscFile);
  this->Put(this->Source("h.dwg"), "disc h", this->kDiscFile | platform::faHidden);
  this->Put(this->Source("keep.dwg"), "disc keep", this->kDiscFile);
  this->Put(this->Source("图块\\b.dwg"), "disc b", this->kDiscFile);
  ASSERT_TRUE(this->System().SetAttributes(this->Source("图块"), platform::faDirectory | platform::faReadOnly));
  // Left by an earlier run: never copied again.
  this->Put(this->Target("keep.dwg"), "mine", platform::faArchive);

  ASSERT_TRUE(this->copy.InstallPackFromDisc("国标", "土建"));

  EXPECT_EQ(this->Contents(this->Target("a.dwg")), "disc a");
  EXPECT_EQ(this->System().GetAttributes(this->Target("a.dwg")), platform::faArchive);
  EXPECT_EQ(this->System().GetAttributes(this->Target("h.dwg")), platform::faArchive | platform::faHidden);
  EXPECT_EQ(this->Contents(this->Target("keep.dwg")), "mine");
  // The read-only folder was gone into.
  EXPECT_EQ(this->Contents(this->Target("图块\\b.dwg")), "disc b");
  EXPECT_EQ(this->System().GetAttributes(this->Target("图块\\b.dwg")), platform::faArchive);
  EXPECT_EQ(this->Contents(this->Target("Install.Dat")), catalogue::SerializePendingLabels(samples::Labels({"CD2"})));
  EXPECT_TRUE(this->sink.CopyFailures.empty());
}

TYPED_TEST_P(PackCopyCases, RefreshReplacesAWritablePakFile) {
  // Folders named like a ".PAK" file are passed over.
  ASSERT_TRUE(platform::ForceDirectories(this->System(), this->Source("旧.PAK\\")));
  ASSERT_TRUE(platform::ForceDirectories(this->System(), this->Source("只读.pak\\")));
  ASSERT_TRUE(this->System().SetAttributes(this->Source("只读.pak"), platform::faDirectory | platform::faReadOnly));
  this->Put(this->Source("readme.txt"), "text", this->kDiscFile);
  this->Put(this->Source("土建.pak"), "new pak", this->kDiscFile);

  // The pack's first disc: no target folder yet, so nothing is copied.
  EXPECT_TRUE(this->copy.RefreshPakFile("国标", "土建"));
  EXPECT_FALSE(platform::DirectoryExists(this->System(), this->Target()));

  // A writable copy (as CopyTree leaves it) is replaced.
  this->Put(this->Target("土建.pak"), "old pak", platform::faArchive);
  EXPECT_TRUE(this->copy.RefreshPakFile("国标", "土建"));
  EXPECT_EQ(this->Contents(this->Target("土建.pak")), "new pak");

  // No ".PAK" file in the pack, or no pack folder on the disc: nothing is
  // copied and nothing asked.
  this->state.Packs.push_back(samples::Pack("国标", "安装", {"CD1"}));
  this->Put(this->state.SourceMatterLib + "国标\\安装\\a.dwg", "a");
  ASSERT_TRUE(platform::ForceDirectories(this->System(), this->state.TargetMatterLib + "国标\\安装\\"));
  EXPECT_TRUE(this->copy.RefreshPakFile("国标", "安装"));
  EXPECT_TRUE(this->copy.RefreshPakFile("国标", "没有"));
  EXPECT_TRUE(this->Names(this->state.TargetMatterLib + "国标\\安装\\").empty());
  EXPECT_TRUE(this->sink.CopyFailures.empty());
}

REGISTER_TYPED_TEST_SUITE_P(PackCopyCases, CopiesTakeTheSourceAttributesWithoutReadOnly,
                            RefreshReplacesAWritablePakFile);

template <class Machine>
class PackCopyReadOnlyCases : public PackCopyCases<Machine> {};

TYPED_TEST_SUITE_P(PackCopyReadOnlyCases);

TYPED_TEST_P(PackCopyReadOnlyCases, ReadOnlyLeftoverOfAKilledCopyIsReplaced) {
  this->Put(this->Source("a.dwg"), "disc a", this->kDiscFile);
  // A copy that took the disc's read-only attribute and was killed before it
  // was complete.
  this->Put(this->Target("~"), "disc", this->kDiscFile);

  ASSERT_TRUE(this->copy.CopyTree(this->Source(), this->Target()));

  EXPECT_EQ(this->Contents(this->Target("a.dwg")), "disc a");
  EXPECT_EQ(this->Names(this->Target()), std::vector<std::string>{"a.dwg"});
  EXPECT_TRUE(this->sink.CopyFailures.empty());
}

REGISTER_TYPED_TEST_SUITE_P(PackCopyReadOnlyCases, ReadOnlyLeftoverOfAKilledCopyIsReplaced);

// The ".PAK" refresh over read-only files: the library's ".PAK" file is the
// one of the last disc that delivered the pack's files.
template <class Machine>
class PakRefreshCases : public PackCopyCases<Machine> {
 protected:
  // Reads disc label: its pack holds <label>.dwg and the read-only 土建.pak
  // "pak <label>".
  void InstallFromDisc(const std::string& label) {
    this->state.SetSourceRoot(this->machine.Root() + label + "\\");
    this->state.DiscLabel = label;
    this->Put(this->Source(label + ".dwg"), "file of " + label, this->kDiscFile);
    this->Put(this->Source("土建.pak"), "pak " + label, this->kDiscFile);
    ASSERT_TRUE(this->copy.InstallPackFromDisc("国标", "土建")) << label;
  }
};

TYPED_TEST_SUITE_P(PakRefreshCases);

TYPED_TEST_P(PakRefreshCases, APackOnThreeDiscsEndsWithTheLastDiscsPakFile) {
  this->state.Packs = {samples::Pack("国标", "土建", {"CD1", "CD2", "CD3"})};
  this->InstallFromDisc("CD1");
  this->InstallFromDisc("CD2");
  // A read-only copy, as an earlier version's refresh left it.
  ASSERT_TRUE(this->System().SetAttributes(this->Target("土建.pak"), this->kDiscFile));
  this->InstallFromDisc("CD3");

  EXPECT_EQ(this->Contents(this->Target("土建.pak")), "pak CD3");
  EXPECT_EQ(this->System().GetAttributes(this->Target("土建.pak")), platform::faArchive);
  std::vector<std::string> names = this->Names(this->Target());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"CD1.dwg", "CD2.dwg", "CD3.dwg", "Install.Dat", "土建.pak"}));
  EXPECT_EQ(this->Contents(this->Target("Install.Dat")), catalogue::SerializePendingLabels({}));
  EXPECT_TRUE(this->sink.CopyFailures.empty());
  EXPECT_TRUE(this->state.InstallOk);

  // Read again from disc 1 once the pack is complete: nothing changes.
  this->InstallFromDisc("CD1");
  EXPECT_EQ(this->Contents(this->Target("土建.pak")), "pak CD3");
}

REGISTER_TYPED_TEST_SUITE_P(PakRefreshCases, APackOnThreeDiscsEndsWithTheLastDiscsPakFile);
