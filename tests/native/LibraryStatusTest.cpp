// /STATUS: the installed packs that still wait for discs, read from their
// pending-disc files with no disc at hand.
#include <gtest/gtest.h>

#include "catalogue/CatalogueFormat.h"
#include "deploy/LibraryStatus.h"
#include "platform/fake/FakePlatform.h"

namespace {

const std::string kLibrary = "D:\\App\\DLL\\VEXA\\MatterLib\\";

std::string Pending(const std::vector<std::string>& labels) {
  return catalogue::SerializePendingLabels(TCdLabels(labels.begin(), labels.end()));
}

// "standard\specialty: labels" or "...: unreadable" for each pending pack.
std::vector<std::string> Described(const std::vector<deploy::PendingPack>& packs) {
  std::vector<std::string> lines;
  for (const deploy::PendingPack& p : packs) {
    std::string line = p.Standard + "\\" + p.Specialty + ":";
    if (p.Unreadable) line += " unreadable";
    for (const std::string& label : p.Labels) line += " " + label;
    lines.push_back(line);
  }
  return lines;
}

TEST(LibraryStatusTest, ListsThePacksWhosePendingFilesNameDiscs) {
  platform::FakePlatform machine;
  machine.AddDrive('D');
  machine.AddFile(kLibrary + "国标\\土建\\Install.Dat", Pending({"CD2", "CD3"}));
  machine.AddFile(kLibrary + "浙江省标\\市政\\Install.Dat", Pending({}));   // complete
  machine.AddFile(kLibrary + "中南标\\结构\\a.dwg");                        // never installed
  machine.AddFile(kLibrary + "国标\\给排水\\Install.Dat", std::string(3, '\x01'));  // cut short
  machine.AddFile(kLibrary + "国标\\暖通\\Install.Dat", Pending({"CD1"}));
  machine.FailOpen(kLibrary + "国标\\暖通\\Install.Dat");
  machine.AddFile(kLibrary + "readme.txt");
  machine.AddFile(kLibrary + "国标\\notes.txt", Pending({"CD9"}));

  EXPECT_EQ(Described(deploy::PendingPacks(machine, kLibrary)),
            (std::vector<std::string>{"国标\\土建: CD2 CD3", "国标\\给排水: unreadable", "国标\\暖通: unreadable"}));
}

TEST(LibraryStatusTest, ACompleteOrMissingLibraryHasNothingPending) {
  platform::FakePlatform machine;
  machine.AddDrive('D');
  EXPECT_TRUE(deploy::PendingPacks(machine, kLibrary).empty());
  machine.AddFile(kLibrary + "国标\\土建\\Install.Dat", Pending({}));
  EXPECT_TRUE(deploy::PendingPacks(machine, kLibrary).empty());
}

}  // namespace
