// Finding a needed disc with nobody to ask: in the folders of /DISCS, below
// /SOURCE and in every CD-ROM drive, always by the label in CDFile.Dat.
#include <gtest/gtest.h>

#include "catalogue/CatalogueFormat.h"
#include "deploy/DiscMap.h"
#include "deploy/DiscSearch.h"
#include "media/ImagePlatform.h"
#include "platform/fake/FakePlatform.h"
#include "tests/IsoTestImage.h"

namespace {

using deploy::DiscLocation;
using deploy::FindDisc;
using platform::FakePlatform;
using Labels = std::vector<std::string>;

class DiscSearchTest : public testing::Test {
 protected:
  DiscSearchTest() {
    machine.AddDrive('C');
    machine.AddDrive('D');
    machine.AddDrive('E', platform::kDriveCdRom);
  }

  // A disc labelled label with its root at folder.
  void PutDisc(const std::string& folder, const std::string& label) {
    TCdSignFile descriptor;
    descriptor.Label = label;
    machine.AddFile(folder + "CDFile.Dat", catalogue::SerializeCatalogue(descriptor));
    machine.AddFolder(folder + "MatterLib");
  }

  // "folder label" of the disc found, or "none".
  std::string Found(const Labels& needed, const std::vector<DiscLocation>& map, const std::string& discSet = "") {
    const std::optional<deploy::FoundDisc> disc = FindDisc(images, needed, map, discSet);
    return disc ? disc->Folder + " " + disc->Label : "none";
  }

  // An image of a disc labelled label at path.
  void PutImage(const std::string& path, const std::string& label) {
    TCdSignFile descriptor;
    descriptor.Label = label;
    machine.AddFile(path, iso_test::Image().WithRoot({iso_test::File(u"CDFile.Dat", catalogue::SerializeCatalogue(descriptor))}));
  }

  FakePlatform machine;
  // As in the program, .iso files can stand for discs.
  media::ImagePlatform images{machine};
};

TEST_F(DiscSearchTest, TakesAMappedFolderHoldingTheDisc) {
  PutDisc("D:\\set\\CD2\\", "CD2");
  EXPECT_EQ(Found({"CD2", "CD3"}, {{"CD2", "D:\\set\\CD2\\"}}), "D:\\set\\CD2\\ CD2");
}

TEST_F(DiscSearchTest, PassesOverAMappedFolderWithAnotherDiscOrNone) {
  PutDisc("D:\\wrong\\", "CD4");
  machine.AddFolder("D:\\empty");
  PutDisc("D:\\right\\", "CD3");
  EXPECT_EQ(Found({"CD2", "CD3"}, {{"CD2", "D:\\wrong\\"}, {"CD2", "D:\\empty\\"}, {"CD3", "D:\\right\\"}}),
            "D:\\right\\ CD3");
  EXPECT_EQ(Found({"CD2"}, {{"CD2", "D:\\wrong\\"}, {"CD2", "D:\\missing\\"}}), "none");
}

TEST_F(DiscSearchTest, AMappedFolderCountsByTheLabelItHoldsNotTheOneItIsMappedTo) {
  PutDisc("D:\\x\\", "CD3");
  // There is no drive F: at all.
  EXPECT_EQ(Found({"CD2", "CD3"}, {{"CD2", "F:\\"}, {"CD2", "D:\\x\\"}}), "D:\\x\\ CD3");
  // A folder mapped to a label that is not needed is not looked at.
  EXPECT_EQ(Found({"CD3"}, {{"CD1", "D:\\x\\"}}), "none");
}

TEST_F(DiscSearchTest, LabelsAreComparedWithoutRegardToLetterCase) {
  PutDisc("D:\\set\\disc\\", "cd2");
  EXPECT_EQ(Found({"CD2"}, {{"Cd2", "D:\\set\\disc\\"}}), "D:\\set\\disc\\ cd2");
  EXPECT_EQ(Found({"CD2"}, {}, "D:\\set\\"), "D:\\set\\disc\\ cd2");
}

TEST_F(DiscSearchTest, SearchesTheDiscSetFoldersByLabelNotByName) {
  PutDisc("D:\\discs\\CD2\\", "CD4");    // named like a needed disc, holding another
  machine.AddFolder("D:\\discs\\photos");  // a foreign folder
  machine.AddFile("D:\\discs\\CD3", "not a folder");
  PutDisc("D:\\discs\\third one\\", "CD3");
  PutDisc("D:\\discs\\deeper\\CD2\\", "CD2");  // only the sub-folders themselves count
  EXPECT_EQ(Found({"CD2", "CD3"}, {}, "D:\\discs"), "D:\\discs\\third one\\ CD3");
  EXPECT_EQ(Found({"CD2"}, {}, "D:\\discs\\"), "none");
  EXPECT_EQ(Found({"CD2"}, {}, "D:\\no such folder\\"), "none");
}

TEST_F(DiscSearchTest, SearchesEveryCdRomDriveButNoOtherDrive) {
  PutDisc("E:\\", "CD1");
  machine.AddDrive('G', platform::kDriveCdRom);  // no disc in it
  machine.AddDrive('H', platform::kDriveCdRom);
  PutDisc("H:\\", "CD3");
  PutDisc("C:\\", "CD2");  // a fixed drive's root is no disc drive
  EXPECT_EQ(Found({"CD2", "CD3"}, {}), "H:\\ CD3");
  EXPECT_EQ(Found({"CD2"}, {}), "none");
}

TEST_F(DiscSearchTest, MappedFoldersComeFirstThenTheDiscSetThenTheDrives) {
  PutDisc("E:\\", "CD3");
  PutDisc("D:\\discs\\a\\", "CD3");
  PutDisc("D:\\mapped\\", "CD3");
  EXPECT_EQ(Found({"CD3"}, {{"CD3", "D:\\mapped\\"}}, "D:\\discs\\"), "D:\\mapped\\ CD3");
  EXPECT_EQ(Found({"CD3"}, {}, "D:\\discs\\"), "D:\\discs\\a\\ CD3");
  EXPECT_EQ(Found({"CD3"}, {}), "E:\\ CD3");
}

TEST_F(DiscSearchTest, PassesOverADescriptorThatCannotBeRead) {
  PutDisc("D:\\locked\\", "CD2");
  machine.FailOpen("D:\\locked\\CDFile.Dat");
  machine.AddFile("D:\\short\\CDFile.Dat", std::string(100, '\x03'));
  PutDisc("D:\\good\\", "CD2");
  EXPECT_EQ(Found({"CD2"}, {{"CD2", "D:\\locked\\"}, {"CD2", "D:\\short\\"}, {"CD2", "D:\\good\\"}}),
            "D:\\good\\ CD2");
}

TEST_F(DiscSearchTest, NothingNeededFindsNothing) {
  PutDisc("E:\\", "CD1");
  EXPECT_EQ(Found({}, {{"CD1", "E:\\"}}), "none");
}

TEST_F(DiscSearchTest, ImagesAreDiscsInTheMapAndInTheDiscSetFolder) {
  PutImage("D:\\discs\\CD2.iso", "CD2");
  PutImage("D:\\discs\\third.ISO", "CD3");
  machine.AddFile("D:\\discs\\a broken.iso", "no image at all");
  machine.AddFile("D:\\discs\\CD3.txt", "no image either");
  std::vector<DiscLocation> map;
  std::string error;
  ASSERT_TRUE(deploy::ParseDiscMap("CD2=D:\\discs\\CD2.iso", map, error)) << error;
  EXPECT_EQ(Found({"CD2"}, map), "D:\\discs\\CD2.iso\\ CD2");
  // By the label in the image, not by its name; a damaged image is passed over.
  EXPECT_EQ(Found({"CD3"}, {}, "D:\\discs"), "D:\\discs\\third.ISO\\ CD3");
  EXPECT_EQ(Found({"CD4"}, {}, "D:\\discs"), "none");
}

}  // namespace
