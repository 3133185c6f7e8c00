// The catalogue files read and written through a platform, written once and
// run on every platform. A test file includes this header once and names a
// machine type:
//
//   struct Machine {
//     platform::Platform& Platform();
//     std::string Root();  // an empty folder of this test's own, ending in "\"
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Name, CatalogueCases, Machine);
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/CatalogueFormat.h"
#include "catalogue/DiscDescriptor.h"
#include "catalogue/PendingLabels.h"
#include "tests/CatalogueSamples.h"
#include "tests/FaultyPlatform.h"
#include "text/AnsiText.h"

template <class Machine>
class CatalogueCases : public ::testing::Test {
 protected:
  CatalogueCases() {
    state.SetSourceRoot(machine.Root() + "disc\\");
    state.TargetMatterLib = machine.Root() + "lib\\MatterLib\\";
    EXPECT_TRUE(platform::ForceDirectories(faulty, state.SourceRoot));
    // What a failed load must leave untouched.
    state.DiscLabel = std::string("OLD");
    state.Packs = {samples::Pack("旧标", "旧专业", {"CD9"})};
  }

  std::string Descriptor() const { return state.SourceRoot + "CDFile.Dat"; }
  std::string PackFolder(const std::string& standard, const std::string& specialty) const {
    return state.TargetMatterLib + standard + "\\" + specialty + "\\";
  }

  void Put(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(platform::ForceDirectories(faulty, text::ExtractFilePath(path))) << path;
    ASSERT_TRUE(platform::WriteWholeFile(faulty, path, bytes)) << path;
  }
  std::string Get(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(platform::ReadWholeFile(faulty, path, bytes)) << path;
    return bytes;
  }

  void ExpectStateUntouched() {
    EXPECT_EQ(state.DiscLabel, catalogue::LabelString(std::string("OLD")));
    EXPECT_EQ(state.Packs, TCdPacks{samples::Pack("旧标", "旧专业", {"CD9"})});
  }

  Machine machine;
  FaultyPlatform faulty{machine.Platform()};
  catalogue::InstallerState state;
};

using catalogue::CatalogueRead;

TYPED_TEST_SUITE_P(CatalogueCases);

TYPED_TEST_P(CatalogueCases, ExampleDescriptorWritesAndReadsBack) {
  catalogue::WriteCatalogue(this->state, this->faulty, samples::Example());
  EXPECT_EQ(this->Get(this->Descriptor()).size(), 2836u);

  ASSERT_EQ(catalogue::ReadCatalogue(this->state, this->faulty), CatalogueRead::Loaded);
  EXPECT_EQ(this->state.DiscLabel, catalogue::LabelString(std::string("CD2")));
  EXPECT_EQ(this->state.Packs, samples::Example().Packs);

  this->state.DiscLabel = std::string("other");
  catalogue::ReadDiscLabel(this->state, this->faulty);
  EXPECT_EQ(this->state.DiscLabel, catalogue::LabelString(std::string("CD2")));
}

TYPED_TEST_P(CatalogueCases, MalformedDescriptorGivesFalseSilentlyAndChangesNothing) {
  for (const auto& c : samples::MalformedDescriptors()) {
    SCOPED_TRACE(c.what);
    this->Put(this->Descriptor(), c.bytes);
    EXPECT_EQ(catalogue::ReadCatalogue(this->state, this->faulty), CatalogueRead::Malformed);
    this->ExpectStateUntouched();
  }
}

TYPED_TEST_P(CatalogueCases, EmptyStandardAndTrailingBytesAreAccepted) {
  TCdSignFile d = samples::Example();
  d.Packs[2].Standard = std::string();
  this->Put(this->Descriptor(), catalogue::SerializeCatalogue(d) + "trailing bytes are not read");
  ASSERT_EQ(catalogue::ReadCatalogue(this->state, this->faulty), CatalogueRead::Loaded);
  EXPECT_EQ(this->state.Packs, d.Packs);
}

// (The wizard reports it, tests/native/PageFlowTest.cpp.)
TYPED_TEST_P(CatalogueCases, MissingDescriptorIsReported) {
  EXPECT_EQ(catalogue::ReadCatalogue(this->state, this->faulty), CatalogueRead::Missing);
  this->ExpectStateUntouched();
}

TYPED_TEST_P(CatalogueCases, DescriptorFailuresGoToTheTopLevelReport) {
  // One that exists but cannot be opened.
  this->Put(this->Descriptor(), catalogue::SerializeCatalogue(samples::Example()));
  this->faulty.FailOpen(this->Descriptor());
  EXPECT_THROW(catalogue::ReadCatalogue(this->state, this->faulty), platform::Error);
  EXPECT_THROW(catalogue::ReadDiscLabel(this->state, this->faulty), platform::Error);
  this->ExpectStateUntouched();

  // A wrong folder confirmed for the next disc, and a descriptor too short
  // for the label.
  this->state.SetSourceRoot(this->machine.Root() + "nothing here\\");
  EXPECT_THROW(catalogue::ReadDiscLabel(this->state, this->faulty), platform::Error);
  this->state.SetSourceRoot(this->machine.Root() + "short\\");
  this->Put(this->Descriptor(), catalogue::SerializeCatalogue(samples::Example()).substr(0, 256));
  EXPECT_THROW(catalogue::ReadDiscLabel(this->state, this->faulty), std::runtime_error);
  this->ExpectStateUntouched();

  // The head alone is enough for the label.
  this->Put(this->Descriptor(), catalogue::SerializeCatalogue(samples::Example()).substr(0, 257));
  catalogue::ReadDiscLabel(this->state, this->faulty);
  EXPECT_EQ(this->state.DiscLabel, catalogue::LabelString(std::string("CD2")));

  // A descriptor that cannot be created, or not written whole.
  this->state.SetSourceRoot(this->machine.Root() + "missing\\");
  EXPECT_THROW(catalogue::WriteCatalogue(this->state, this->faulty, samples::Example()), platform::Error);
  this->state.SetSourceRoot(this->machine.Root() + "written\\");
  this->Put(this->Descriptor(), "an older descriptor");
  this->faulty.FailWriteAfter(this->Descriptor(), 1000);
  EXPECT_THROW(catalogue::WriteCatalogue(this->state, this->faulty, samples::Example()), std::runtime_error);
  EXPECT_FALSE(platform::FileExists(this->faulty, this->Descriptor()));
}

TYPED_TEST_P(CatalogueCases, PendingLabelsFromTheFileOrFromTheCatalogue) {
  struct Case {
    const char* what;
    bool hasFile;
    std::string bytes;
    std::vector<std::string> expected;
  };
  const std::string one = catalogue::SerializePendingLabels(samples::Labels({"CD2"}));
  const std::vector<Case> cases = {
      {"no file yet: the catalogue's labels", false, "", {"CD1", "CD2"}},
      {"a file with one label", true, one, {"CD2"}},
      {"count 0: a complete pack", true, catalogue::SerializePendingLabels({}), {}},
      {"3 bytes: the catalogue's labels", true, std::string("\x01\0\0", 3), {"CD1", "CD2"}},
      {"negative count", true, samples::WithInt32(one, 0, -1), {"CD1", "CD2"}},
      {"count beyond the file", true, samples::WithInt32(one, 0, 0x7FFFFFFF), {"CD1", "CD2"}},
      {"bytes after the labels are not read", true, one + "xyz", {"CD2"}},
  };
  // The first of two catalogue entries with the same names gives the labels.
  this->state.Packs = {samples::Pack("国标", "土建", {"CD1", "CD2"}), samples::Pack("国标", "土建", {"CD3"})};
  const std::string pending = this->PackFolder("国标", "土建") + "Install.Dat";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.hasFile) {
      this->Put(pending, c.bytes);
    } else if (platform::FileExists(this->faulty, pending)) {
      ASSERT_TRUE(this->faulty.RemoveFile(pending));
    }
    EXPECT_EQ(catalogue::LoadPendingLabels(this->state, this->faulty, "国标", "土建").Labels,
              samples::Labels(c.expected));
  }
  EXPECT_TRUE(catalogue::LoadPendingLabels(this->state, this->faulty, "国标", "安装").Labels.empty());

  this->faulty.FailOpen(pending);
  EXPECT_THROW(catalogue::LoadPendingLabels(this->state, this->faulty, "国标", "土建"), platform::Error);
}

TYPED_TEST_P(CatalogueCases, SavePendingLabelsLeavesNoPartialFile) {
  const std::string folder = this->PackFolder("国标", "土建");
  ASSERT_TRUE(platform::ForceDirectories(this->faulty, folder));
  const TCdLabels labels = samples::Labels({"CD1", "CD3"});
  catalogue::SavePendingLabels(this->faulty, folder, labels);
  EXPECT_EQ(this->Get(folder + "Install.Dat"), catalogue::SerializePendingLabels(labels));
  EXPECT_EQ(catalogue::LoadPendingLabels(this->state, this->faulty, "国标", "土建").Labels, labels);

  this->faulty.FailWriteAfter(folder + "Install.Dat", 300);
  catalogue::SavePendingLabels(this->faulty, folder, labels);
  EXPECT_FALSE(platform::FileExists(this->faulty, folder + "Install.Dat"));

  EXPECT_THROW(catalogue::SavePendingLabels(this->faulty, this->PackFolder("国标", "没有"), labels),
               platform::Error);
}

REGISTER_TYPED_TEST_SUITE_P(CatalogueCases, ExampleDescriptorWritesAndReadsBack,
                            MalformedDescriptorGivesFalseSilentlyAndChangesNothing,
                            EmptyStandardAndTrailingBytesAreAccepted, MissingDescriptorIsReported,
                            DescriptorFailuresGoToTheTopLevelReport, PendingLabelsFromTheFileOrFromTheCatalogue,
                            SavePendingLabelsLeavesNoPartialFile);
