// Disc images read in place behind the platform: a path through an .iso file
// is served from the image, read only, and the whole install run reads an
// image as it reads a disc's folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/CatalogueFormat.h"
#include "engine/InstallRun.h"
#include "media/ImageError.h"
#include "media/ImagePlatform.h"
#include "platform/fake/FakePlatform.h"
#include "tests/DiscSet.h"
#include "tests/FaultyPlatform.h"
#include "tests/IsoTestImage.h"
#include "tests/RecordingSink.h"
#include "tests/SeekChecks.h"

namespace {

using iso_test::File;
using iso_test::Folder;
using platform::FindEntry;

const std::string kImage = "C:\\discs\\CD2.iso";

// Counts the opens for reading of the image file.
class CountingPlatform : public platform::ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  std::unique_ptr<platform::File> OpenRead(const std::string& path) override {
    if (path == kImage) ++ImageOpens;
    return ForwardingPlatform::OpenRead(path);
  }
  int ImageOpens = 0;
};

class ImagePlatformTest : public ::testing::Test {
 protected:
  ImagePlatformTest() {
    machine.AddDrive('C');
    machine.AddAnsiCharacters(u"国标土建门窗", "国标土建门窗");
    iso_test::Entry hidden = File(u"hidden.txt", "h");
    hidden.extraFlags = media::iso::kHidden;
    iso_test::Entry split = File(u"split.bin", "");
    split.pieces = {std::string(3000, 'x'), std::string(100, 'y')};
    machine.AddFile(kImage, iso_test::Image().WithRoot({
                                File(u"CDFile.Dat", "descriptor"),
                                Folder(u"MatterLib", {Folder(u"国标", {Folder(u"土建", {File(u"门窗.dwg", "0123456789")})})}),
                                hidden,
                                split,
                            }));
    machine.AddFolder("C:\\discs\\folder.iso");
    machine.AddFile("C:\\discs\\notes.txt", "notes");
  }

  std::vector<std::string> Names(const std::vector<FindEntry>& entries) {
    std::vector<std::string> names;
    for (const FindEntry& entry : entries) names.push_back(entry.Name);
    return names;
  }

  platform::FakePlatform machine;
  CountingPlatform counting{machine};
  media::ImagePlatform images{counting};
};

TEST_F(ImagePlatformTest, TheImageIsAReadOnlyFolderAndItsEntriesHaveTheAttributesOfADisc) {
  const std::pair<std::string, std::uint32_t> cases[] = {
      {kImage, platform::faDirectory | platform::faReadOnly},
      {"C:\\discs\\cd2.ISO", platform::faDirectory | platform::faReadOnly},
      {kImage + "\\", platform::faDirectory | platform::faReadOnly},
      {kImage + "\\MatterLib\\国标", platform::faDirectory | platform::faReadOnly},
      {kImage + "\\matterlib\\国标\\土建\\", platform::faDirectory | platform::faReadOnly},
      {kImage + "\\MatterLib\\国标\\土建\\门窗.dwg", platform::faReadOnly},
      {kImage + "\\hidden.txt", platform::faReadOnly | platform::faHidden},
      {kImage + "\\missing.txt", platform::kInvalidAttributes},
      {kImage + "\\CDFile.Dat\\inside", platform::kInvalidAttributes},
      // Not images: a missing .iso file, a folder named so, any other file.
      {"C:\\discs\\CD9.iso", platform::kInvalidAttributes},
      {"C:\\discs\\CD9.iso\\CDFile.Dat", platform::kInvalidAttributes},
      {"C:\\discs\\folder.iso", platform::faDirectory},
      {"C:\\discs\\notes.txt", platform::faArchive},
  };
  for (const auto& [path, attributes] : cases) EXPECT_EQ(images.GetAttributes(path), attributes) << path;
}

TEST_F(ImagePlatformTest, ListsFoldersOfTheImageAsADiscShowsThem) {
  EXPECT_EQ(Names(images.ListFolder(kImage + "\\*.*")),
            (std::vector<std::string>{"CDFile.Dat", "MatterLib", "hidden.txt", "split.bin"}));
  // Below the root, "." and ".." come first, as on a disc.
  const std::vector<FindEntry> pack = images.ListFolder(kImage + "\\MatterLib\\国标\\土建\\*.*");
  EXPECT_EQ(Names(pack), (std::vector<std::string>{".", "..", "门窗.dwg"}));
  EXPECT_EQ(pack[0].Attributes, platform::faDirectory | platform::faReadOnly);
  EXPECT_EQ(pack[2].Size, 10);
  EXPECT_EQ(Names(images.ListFolder(kImage + "\\MatterLib\\*")), (std::vector<std::string>{".", "..", "国标"}));
  EXPECT_EQ(images.ListFolder(kImage + "\\split.bin\\*.*").size(), 0u);
  EXPECT_EQ(images.ListFolder(kImage + "\\missing\\*.*").size(), 0u);
  // Only the listing of everything is known inside an image.
  EXPECT_EQ(images.ListFolder(kImage + "\\*.dat").size(), 0u);
  // The folder holding the image lists it as the file it is.
  const std::vector<FindEntry> discs = images.ListFolder("C:\\discs\\*.*");
  const auto image = std::find_if(discs.begin(), discs.end(), [](const FindEntry& e) { return e.Name == "CD2.iso"; });
  ASSERT_NE(image, discs.end());
  EXPECT_FALSE(image->Attributes & platform::faDirectory);
}

TEST_F(ImagePlatformTest, FilesOfTheImageOpenForReadingOnly) {
  const std::unique_ptr<platform::File> file = images.OpenRead(kImage + "\\MatterLib\\国标\\土建\\门窗.dwg");
  EXPECT_EQ(file->Size(), 10);
  ExpectSeekMovesTheReadPositionAnywhere(*file);
  EXPECT_FALSE(file->Write("x", 1));

  // A file of several extents reads as one across the seam.
  const std::unique_ptr<platform::File> split = images.OpenRead(kImage + "\\split.bin");
  std::string seam(4, '\0');
  ASSERT_TRUE(split->Seek(2998));
  ASSERT_TRUE(split->Read(&seam[0], seam.size()));
  EXPECT_EQ(seam, "xxyy");
  EXPECT_FALSE(split->Read(&seam[0], 99)) << "only 98 bytes are left";

  EXPECT_THROW(images.OpenRead(kImage + "\\missing.txt"), platform::Error);
  EXPECT_THROW(images.OpenRead(kImage + "\\MatterLib"), platform::Error);
  // The image file itself is read as the file it is.
  EXPECT_EQ(images.OpenRead(kImage)->Size(), static_cast<std::int64_t>(machine.ReadContents(kImage).size()));
}

TEST_F(ImagePlatformTest, NothingInsideTheImageCanBeChanged) {
  const std::string inside = kImage + "\\CDFile.Dat";
  machine.AddFile("C:\\other.txt", "other");
  EXPECT_FALSE(images.SetAttributes(inside, 0));
  EXPECT_FALSE(images.CreateFolder(kImage + "\\new"));
  EXPECT_FALSE(images.RemoveFile(inside));
  EXPECT_FALSE(images.RenameFile(inside, "C:\\moved.txt"));
  EXPECT_FALSE(images.RenameFile("C:\\other.txt", kImage + "\\other.txt"));
  EXPECT_FALSE(images.CopyFileTo("C:\\other.txt", kImage + "\\other.txt", false));
  EXPECT_THROW(images.OpenWrite(inside), platform::Error);
  EXPECT_EQ(images.ListFolder(kImage + "\\*.*").size(), 4u);
  EXPECT_TRUE(machine.Exists("C:\\other.txt"));
  EXPECT_FALSE(machine.Exists("C:\\moved.txt"));
}

TEST_F(ImagePlatformTest, ACopyOutOfTheImageBehavesAsACopyFromADisc) {
  const std::string source = kImage + "\\MatterLib\\国标\\土建\\门窗.dwg";
  struct Case {
    const char* what;
    std::uint32_t existing;  // attributes of a file at the target; 0: none
    bool failIfExists;
    bool copied;
  };
  const Case cases[] = {
      {"a new file", 0, false, true},
      {"over a file", platform::faArchive, false, true},
      {"not over a file when asked not to", platform::faArchive, true, false},
      {"not over a read-only file", platform::faReadOnly, false, false},
      {"not over a hidden file", platform::faHidden, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    machine.Remove("C:\\lib");
    machine.AddFolder("C:\\lib");
    if (c.existing) machine.AddFile("C:\\lib\\门窗.dwg", "old", c.existing);
    EXPECT_EQ(images.CopyFileTo(source, "C:\\lib\\门窗.dwg", c.failIfExists), c.copied);
    EXPECT_EQ(machine.ReadContents("C:\\lib\\门窗.dwg"), c.copied ? "0123456789" : "old");
    EXPECT_EQ(machine.GetAttributes("C:\\lib\\门窗.dwg"), c.copied ? platform::faReadOnly : c.existing);
  }
  // Several extents are copied whole.
  EXPECT_TRUE(images.CopyFileTo(kImage + "\\split.bin", "C:\\lib\\split.bin", false));
  EXPECT_EQ(machine.ReadContents("C:\\lib\\split.bin"), std::string(3000, 'x') + std::string(100, 'y'));
  // The image file itself is copied as a file.
  EXPECT_TRUE(images.CopyFileTo(kImage, "C:\\lib\\copy.iso", false));
  EXPECT_EQ(machine.ReadContents("C:\\lib\\copy.iso"), machine.ReadContents(kImage));
}

TEST_F(ImagePlatformTest, AFailedCopyOutOfTheImageLeavesNoTarget) {
  machine.AddFolder("C:\\lib");
  // The image ends before its root folder.
  std::string damaged = iso_test::Image().WithRoot({File(u"far.dwg", std::string(5000, 'f'))});
  damaged.resize(damaged.size() - 4096);
  machine.AddFile("C:\\discs\\damaged.iso", damaged);
  FaultyPlatform faulty(machine);
  faulty.FailWriteAfter("C:\\lib\\short.dwg", 4);
  media::ImagePlatform overFaulty(faulty);

  const std::pair<std::string, std::string> cases[] = {
      {kImage + "\\missing.dwg", "C:\\lib\\missing.dwg"},
      {kImage + "\\MatterLib", "C:\\lib\\MatterLib"},
      {"C:\\discs\\damaged.iso\\far.dwg", "C:\\lib\\far.dwg"},
      {kImage + "\\MatterLib\\国标\\土建\\门窗.dwg", "C:\\lib\\short.dwg"},  // the disk takes 4 bytes
      {kImage + "\\CDFile.Dat", "C:\\no such folder\\CDFile.Dat"},
  };
  for (const auto& [source, target] : cases) {
    SCOPED_TRACE(source);
    EXPECT_FALSE(overFaulty.CopyFileTo(source, target, false));
    EXPECT_FALSE(machine.Exists(target));
  }
}

TEST_F(ImagePlatformTest, ACopyOutOfTheImageReportsItsProgressAndStopsWhenTold) {
  machine.AddFolder("C:\\lib");
  const std::string source = kImage + "\\split.bin";
  std::vector<std::int64_t> reported;
  const auto record = [&](std::int64_t copied, std::int64_t total) {
    EXPECT_EQ(total, 3100);
    reported.push_back(copied);
    return true;
  };
  EXPECT_TRUE(images.CopyFileTo(source, "C:\\lib\\split.bin", false, record));
  ASSERT_FALSE(reported.empty());
  EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
  EXPECT_EQ(reported.back(), 3100);

  // Told to stop after the first piece: a failed copy that leaves no target.
  int calls = 0;
  const auto stop = [&](std::int64_t, std::int64_t) { return ++calls < 1; };
  EXPECT_FALSE(images.CopyFileTo(source, "C:\\lib\\stopped.bin", false, stop));
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(machine.Exists("C:\\lib\\stopped.bin"));
}

TEST_F(ImagePlatformTest, ADamagedImageIsAFolderWhoseInsideRaisesAClearError) {
  std::string damaged = iso_test::Image().WithRoot({File(u"CDFile.Dat", "x")});
  machine.AddFile("C:\\discs\\broken.iso", damaged.substr(0, 17 * iso_test::kBlockSize));
  EXPECT_EQ(images.GetAttributes("C:\\discs\\broken.iso"), platform::faDirectory | platform::faReadOnly);
  try {
    images.GetAttributes("C:\\discs\\broken.iso\\CDFile.Dat");
    ADD_FAILURE() << "no error";
  } catch (const media::ImageError& error) {
    EXPECT_STREQ(error.what(), "光盘映像'C:\\discs\\broken.iso'已损坏：映像不完整。");
  }
  EXPECT_THROW(images.ListFolder("C:\\discs\\broken.iso\\*.*"), media::ImageError);
}

TEST_F(ImagePlatformTest, AnImageIsOpenedOnceForEverythingReadFromIt) {
  images.GetAttributes(kImage + "\\CDFile.Dat");
  images.ListFolder(kImage + "\\MatterLib\\*.*");
  machine.AddFolder("C:\\lib");
  images.CopyFileTo(kImage + "\\CDFile.Dat", "C:\\lib\\CDFile.Dat", false);
  std::string contents;
  platform::ReadWholeFile(images, kImage + "\\CDFile.Dat", contents);
  EXPECT_EQ(contents, "descriptor");
  EXPECT_EQ(counting.ImageOpens, 1);
}

// The install run of tests/DiscSet.h with CD2 and CD3 given as images: the
// library it installs is the one it installs from discs in a drive.
TEST(ImageInstallRun, DiscsGivenAsImagesInstallTheLibraryOfDiscsInADrive) {
  const std::string library = "C:\\App\\DLL\\VEXA\\MatterLib\\";
  const auto install = [&](platform::FakePlatform& machine, bool fromImages) {
    machine.AddDrive('C');
    machine.AddDrive('E', platform::kDriveCdRom);
    machine.AddAnsiCharacters(u"国标土建门窗浙江省市政桥梁", "国标土建门窗浙江省市政桥梁");
    samples::InsertDisc(machine, "CD1");
    const auto descriptor = [](const std::string& label) {
      return File(u"CDFile.Dat", catalogue::SerializeCatalogue(samples::DiscSetCatalogue(label)));
    };
    machine.AddFile("C:\\discs\\CD2.iso",
                    iso_test::Image().WithRoot({descriptor("CD2"),
                                                Folder(u"MatterLib", {Folder(u"国标", {Folder(u"土建", {Folder(
                                                                          u"门窗", {File(u"门.dwg", std::string(3000, 'd'))})})})})}));
    machine.AddFile("C:\\discs\\CD3.ISO",
                    iso_test::Image().WithRoot({descriptor("CD3"),
                                                Folder(u"MatterLib", {Folder(u"浙江省标", {Folder(
                                                                          u"市政", {File(u"桥梁.dwg", "bridge")})})})}));
    media::ImagePlatform images(machine);
    catalogue::InstallerState state;
    state.SetSourceRoot("E:\\");
    state.TargetMatterLib = library;
    state.DiscLabel = std::string("CD1");
    state.Packs = samples::DiscSetCatalogue("CD1").Packs;
    RecordingSink sink;
    for (const char* label : {"CD3", "CD2"}) {
      sink.DiscAnswers.push_back([&machine, label, fromImages] {
        if (!fromImages) samples::InsertDisc(machine, label);
        return fromImages ? "C:\\discs\\" + std::string(label) + (label[2] == '2' ? ".iso\\" : ".ISO\\")
                          : std::string("E:\\");
      });
    }
    engine::RunInstall(state, images, sink, {{"国标", "土建", true}, {"浙江省标", "市政", true}});
    EXPECT_TRUE(state.InstallOk);
    EXPECT_TRUE(sink.CopyFailures.empty());
    EXPECT_EQ(sink.DiscRequests, (std::vector<std::vector<std::string>>{{"CD2", "CD3"}, {"CD2"}}));
  };
  platform::FakePlatform fromDrive, fromImages;
  install(fromDrive, false);
  install(fromImages, true);

  const std::vector<std::string> files = {"国标\\土建\\墙体.dwg", "国标\\土建\\门窗\\门.dwg", "国标\\土建\\Install.Dat",
                                          "浙江省标\\市政\\道路.dwg", "浙江省标\\市政\\桥梁.dwg",
                                          "浙江省标\\市政\\Install.Dat"};
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    ASSERT_TRUE(fromImages.Exists(library + file));
    EXPECT_EQ(fromImages.ReadContents(library + file), fromDrive.ReadContents(library + file));
    EXPECT_FALSE(fromImages.GetAttributes(library + file) & platform::faReadOnly);
  }
  // Nothing else, such as a temporary copy, is left.
  for (const char* pack : {"国标\\土建\\", "浙江省标\\市政\\"})
    EXPECT_EQ(fromImages.ListFolder(library + pack + "*.*").size(), fromDrive.ListFolder(library + pack + "*.*").size());
}

}  // namespace
