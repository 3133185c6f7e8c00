// The disc image reader on images made by xorriso from folders on this
// machine: what a real authoring tool writes reads back as the folder was.
// Linux only: the Windows build of the tests has no xorriso to run.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "media/ImageError.h"
#include "media/IsoImage.h"
#include "platform/fake/FakePlatform.h"

namespace {

namespace fs = std::filesystem;

struct DiscFile {
  const char* onLinux;  // UTF-8, "/" between names
  std::string inImage;  // GBK, "\" between names
  std::string contents;
};

class XorrisoImageTest : public ::testing::Test {
 protected:
  XorrisoImageTest() : folder(fs::path(::testing::TempDir()) / ("xorriso-" + std::to_string(::getpid()))) {
    fs::remove_all(folder);
    machine.AddDrive('C');
    machine.AddAnsiCharacters(u"国标土建图纸空浙江省市政说明第版", "国标土建图纸空浙江省市政说明第版");
  }
  ~XorrisoImageTest() override { fs::remove_all(folder); }

  // Writes the files under folder/disc and makes C:\disc.iso of them.
  media::IsoImage MakeImage(const std::vector<DiscFile>& files, const std::string& options) {
    const fs::path disc = folder / "disc", image = folder / "disc.iso";
    for (const DiscFile& file : files) {
      const fs::path path = disc / fs::u8path(file.onLinux);
      fs::create_directories(path.parent_path());
      std::ofstream(path, std::ios::binary) << file.contents;
    }
    const std::string command = "xorriso -as mkisofs -quiet -input-charset UTF-8 " + options + " -o '" +
                                image.string() + "' '" + disc.string() + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::ifstream in(image, std::ios::binary);
    machine.AddFile("C:\\disc.iso", std::string(std::istreambuf_iterator<char>(in), {}));
    return media::IsoImage(machine, "C:\\disc.iso");
  }

  // Every file below folder of the image, with its size and contents.
  void Collect(media::IsoImage& image, const std::string& path, std::vector<DiscFile>& files) {
    std::vector<platform::FindEntry> entries;
    ASSERT_TRUE(image.ListFolder(path, entries)) << path;
    for (const platform::FindEntry& entry : entries) {
      const std::string child = path.empty() ? entry.Name : path + "\\" + entry.Name;
      if (entry.Attributes & platform::faDirectory) {
        EXPECT_EQ(entry.Attributes, platform::faDirectory | platform::faReadOnly);
        Collect(image, child, files);
        continue;
      }
      EXPECT_EQ(entry.Attributes, platform::faReadOnly);
      std::string contents;
      EXPECT_TRUE(image.ReadFile(child, [&](const char* data, std::size_t size) {
        contents.append(data, size);
        return true;
      }));
      EXPECT_EQ(entry.Size, static_cast<std::int64_t>(contents.size())) << child;
      files.push_back({"", child, contents});
    }
  }

  static std::vector<std::pair<std::string, std::string>> Sorted(const std::vector<DiscFile>& files) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const DiscFile& file : files) pairs.emplace_back(file.inImage, file.contents);
    std::sort(pairs.begin(), pairs.end());
    return pairs;
  }

  fs::path folder;
  platform::FakePlatform machine;
};

TEST_F(XorrisoImageTest, ImagesReadBackAsTheirFolders) {
  struct Case {
    const char* what;
    std::vector<DiscFile> files;
    std::string options;
  };
  const Case cases[] = {
      {"Joliet names in GBK, nested folders, an empty file",
       {
           {u8"CDFile.Dat", "CDFile.Dat", std::string(2836, '\x01')},
           {u8"MatterLib/国标/土建/图纸.dwg", "MatterLib\\国标\\土建\\图纸.dwg", std::string(70000, 'd')},
           {u8"MatterLib/国标/土建/空.pak", "MatterLib\\国标\\土建\\空.pak", ""},
           {u8"MatterLib/浙江省标/市政/说明 (第2版).txt", "MatterLib\\浙江省标\\市政\\说明 (第2版).txt", "txt"},
           {u8"a/b/c/d/e/f/g/h/i/deep.txt", "a\\b\\c\\d\\e\\f\\g\\h\\i\\deep.txt", "deep"},
       },
       "-J -joliet-long"},
      {"plain ISO 9660 names without Joliet",
       {
           {u8"CDFILE.DAT", "CDFILE.DAT", "c"},
           {u8"DISC/README.TXT", "DISC\\README.TXT", "r"},
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(folder);
    machine.Remove("C:\\disc.iso");
    media::IsoImage image = MakeImage(c.files, c.options);
    std::vector<DiscFile> read;
    Collect(image, "", read);
    EXPECT_EQ(Sorted(read), Sorted(c.files));
  }
}

TEST_F(XorrisoImageTest, ANameOutsideTheCodePageIsAnErrorNamingIt) {
  media::IsoImage image = MakeImage({{u8"国标/ᚠ.txt", "", "x"}}, "-J");
  std::vector<platform::FindEntry> entries;
  try {
    image.ListFolder("国标", entries);
    FAIL() << "no error";
  } catch (const media::ImageError& error) {
    EXPECT_STREQ(error.what(), "光盘映像'C:\\disc.iso'中的文件名'国标\\?.txt'无法用本系统的代码页表示。");
  }
}

}  // namespace
#endif
