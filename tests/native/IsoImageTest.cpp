// The disc image reader on images the tests write block by block: folders,
// names, sizes and attributes as a CD-ROM drive shows them, files streamed in
// chunks, files of several extents, and a table of malformed images that must
// each end in a clear error and never in a read past the image.
#include <gtest/gtest.h>

#include <functional>

#include "media/ImageError.h"
#include "media/IsoImage.h"
#include "platform/ForwardingPlatform.h"
#include "platform/fake/FakePlatform.h"
#include "tests/IsoTestImage.h"

namespace platform {
// For comparing listings; found by argument-dependent lookup.
bool operator==(const FindEntry& a, const FindEntry& b) {
  return a.Name == b.Name && a.Attributes == b.Attributes && a.Size == b.Size;
}
void PrintTo(const FindEntry& e, std::ostream* os) { *os << '{' << e.Name << ", " << e.Attributes << ", " << e.Size << '}'; }
}  // namespace platform

namespace {

using iso_test::Entry;
using iso_test::File;
using iso_test::Folder;
using iso_test::Joliet;
using iso_test::Record;
using platform::FindEntry;

const char* const kImage = "C:\\d.iso";

std::vector<FindEntry> List(media::IsoImage& image, const std::string& folder) {
  std::vector<FindEntry> entries;
  EXPECT_TRUE(image.ListFolder(folder, entries)) << folder;
  return entries;
}

std::string ReadWhole(media::IsoImage& image, const std::string& path) {
  std::string contents;
  EXPECT_TRUE(image.ReadFile(path, [&](const char* data, std::size_t size) {
    contents.append(data, size);
    return true;
  })) << path;
  return contents;
}

class IsoImageTest : public ::testing::Test {
 protected:
  IsoImageTest() {
    machine.AddDrive('C');
    machine.AddAnsiCharacters(u"国标土建图纸说明", "国标土建图纸说明");
  }

  media::IsoImage Open(const std::string& bytes) {
    machine.AddFile(kImage, bytes);
    return media::IsoImage(machine, kImage);
  }

  platform::FakePlatform machine;
};

TEST_F(IsoImageTest, ListsFoldersWithTheAttributesAndSizesOfADisc) {
  Entry hidden = File(u"说明.txt", "hid");
  hidden.extraFlags = media::iso::kHidden;
  media::IsoImage image = Open(iso_test::Image().WithRoot({
      Folder(u"MatterLib", {Folder(u"国标", {Folder(u"土建", {File(u"图纸.dwg", "abcd"), File(u"empty.pak", ""),
                                                                hidden})})}),
      File(u"CDFile.Dat", std::string(300, 'x')),
  }));

  const std::uint32_t folder = platform::faDirectory | platform::faReadOnly;
  EXPECT_EQ(List(image, ""), (std::vector<FindEntry>{{"MatterLib", folder, 0}, {"CDFile.Dat", 1, 300}}));
  EXPECT_EQ(List(image, "\\"), List(image, ""));
  EXPECT_EQ(List(image, "MatterLib\\国标\\"), (std::vector<FindEntry>{{"土建", folder, 0}}));
  EXPECT_EQ(List(image, "MatterLib\\国标\\土建"),
            (std::vector<FindEntry>{{"图纸.dwg", 1, 4}, {"empty.pak", 1, 0}, {"说明.txt", 1 | 2, 3}}));

  FindEntry entry;
  ASSERT_TRUE(image.Find("MatterLib\\国标\\土建\\图纸.dwg", entry));
  EXPECT_EQ(entry, (FindEntry{"图纸.dwg", 1, 4}));
  ASSERT_TRUE(image.Find("", entry));
  EXPECT_EQ(entry, (FindEntry{"", folder, 0}));
  EXPECT_EQ(ReadWhole(image, "MatterLib\\国标\\土建\\图纸.dwg"), "abcd");
  EXPECT_EQ(ReadWhole(image, "MatterLib\\国标\\土建\\empty.pak"), "");

  // What is not there, or not of the kind asked for.
  std::vector<FindEntry> entries;
  EXPECT_FALSE(image.ListFolder("MatterLib\\地标", entries));
  EXPECT_FALSE(image.ListFolder("CDFile.Dat", entries));
  EXPECT_FALSE(image.ListFolder("CDFile.Dat\\x", entries));
  EXPECT_FALSE(image.Find("MatterLib\\..\\CDFile.Dat", entry));
  EXPECT_FALSE(image.ReadFile("MatterLib", [](const char*, std::size_t) { return true; }));
  EXPECT_FALSE(image.ReadFile("missing", [](const char*, std::size_t) { return true; }));
}

TEST_F(IsoImageTest, NamesMatchAsBytesFirstAndThenIgnoringTheCaseOfAsciiLetters) {
  media::IsoImage image = Open(iso_test::Image().WithRoot({
      File(u"a.txt", "lower"),
      File(u"A.TXT", "upper"),
      Folder(u"Disc", {File(u"国标.dat", "gb")}),
  }));
  EXPECT_EQ(ReadWhole(image, "a.txt"), "lower");
  EXPECT_EQ(ReadWhole(image, "A.TXT"), "upper");
  EXPECT_EQ(ReadWhole(image, "A.txt"), "lower");  // the first that matches
  EXPECT_EQ(ReadWhole(image, "DISC\\国标.DAT"), "gb");
}

TEST_F(IsoImageTest, WithoutJolietThePlainNamesLoseTheirVersion) {
  iso_test::Image plain(false);
  media::IsoImage image = Open(plain.WithRoot({
      Entry{"README.TXT;1", false, "r", {}, 0, {}},
      Entry{"NOEXT.;1", false, "n", {}, 0, {}},
      Entry{"DISC", true, "", {Entry{"CDFILE.DAT;1", false, "c", {}, 0, {}}}, 0, {}},
  }));
  const std::uint32_t folder = platform::faDirectory | platform::faReadOnly;
  EXPECT_EQ(List(image, ""),
            (std::vector<FindEntry>{{"README.TXT", 1, 1}, {"NOEXT", 1, 1}, {"DISC", folder, 0}}));
  EXPECT_EQ(ReadWhole(image, "disc\\CDFile.Dat"), "c");
}

TEST_F(IsoImageTest, FilesAreStreamedInChunksAndTheSinkCanStopTheRead) {
  std::string big(200000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 % 251);
  media::IsoImage image = Open(iso_test::Image().WithRoot({File(u"big.bin", big)}));

  std::string read;
  std::size_t chunks = 0, largest = 0;
  ASSERT_TRUE(image.ReadFile("big.bin", [&](const char* data, std::size_t size) {
    read.append(data, size);
    ++chunks;
    largest = std::max(largest, size);
    return true;
  }));
  EXPECT_EQ(read, big);
  EXPECT_GT(chunks, 1u);
  EXPECT_LE(largest, 64u << 10);

  std::size_t calls = 0;
  EXPECT_FALSE(image.ReadFile("big.bin", [&](const char*, std::size_t) { return ++calls < 2; }));
  EXPECT_EQ(calls, 2u);
}

TEST_F(IsoImageTest, AFileOfSeveralExtentsIsOneEntryReadWhole) {
  // Files of 4 GiB and more are recorded this way; small pieces stand in for them.
  Entry split = File(u"large.dwg", "");
  split.pieces = {std::string(2048, 'a'), std::string(3000, 'b'), "c"};
  media::IsoImage image = Open(iso_test::Image().WithRoot({split, File(u"next.txt", "n")}));
  EXPECT_EQ(List(image, ""), (std::vector<FindEntry>{{"large.dwg", 1, 5049}, {"next.txt", 1, 1}}));
  EXPECT_EQ(ReadWhole(image, "large.dwg"), std::string(2048, 'a') + std::string(3000, 'b') + "c");
}

TEST_F(IsoImageTest, ANameTheCodePageCannotShowIsAnErrorNamingTheFile) {
  media::IsoImage image = Open(iso_test::Image().WithRoot({Folder(u"国标", {File(u"图\u16A0纸.dwg", "x")})}));
  EXPECT_EQ(List(image, "").size(), 1u);
  std::vector<FindEntry> entries;
  try {
    image.ListFolder("国标", entries);
    FAIL() << "no error";
  } catch (const media::ImageError& error) {
    EXPECT_STREQ(error.what(), "光盘映像'C:\\d.iso'中的文件名'国标\\图?纸.dwg'无法用本系统的代码页表示。");
  }
}

// ---------------------------------------------------------------- malformed

struct Malformed {
  const char* what;
  std::function<std::string()> image;
  // What the program does with the image once it is open (nothing: the fault
  // is found while opening).
  std::function<void(media::IsoImage&)> use;
  std::string error;
};

void ListRoot(media::IsoImage& image) {
  std::vector<FindEntry> entries;
  image.ListFolder("", entries);
}

std::string WithNamedFile(const std::string& identifier) {
  return iso_test::Image().WithRoot({Entry{identifier, false, "x", {}, 0, {}}});
}

std::string Damaged(const std::string& what) { return std::string("光盘映像'C:\\d.iso'已损坏：") + what + "。"; }

TEST_F(IsoImageTest, MalformedImagesEndInAClearErrorAndNoReadPastTheEnd) {
  const std::string good = iso_test::Image().WithRoot({Folder(u"MatterLib", {File(u"a.dwg", std::string(5000, 'a'))})});
  const Malformed cases[] = {
      {"no ISO 9660 at all", [] { return std::string(40 * 2048, '\0'); }, nullptr, Damaged("找不到ISO 9660卷描述符")},
      {"ends inside the descriptors", [&] { return good.substr(0, 17 * 2048 + 100); }, nullptr, Damaged("映像不完整")},
      {"ends before the root folder's data", [&] { return good.substr(0, good.size() - 2048); }, nullptr,
       Damaged("'\\'的数据超出映像末尾")},
      {"file data past the end",
       [] { return iso_test::Image().WithRootRecords(Record(900, 10, 0, Joliet(u"far.dwg"))); }, ListRoot,
       Damaged("'far.dwg'的数据超出映像末尾")},
      {"a folder that holds itself",
       [] {
         iso_test::Image image;
         const std::uint32_t block = image.NextBlock();
         // The record's length does not depend on the size it holds.
         const auto size = static_cast<std::uint32_t>(
             iso_test::Image::DirectoryData(Record(block, 0, media::iso::kDirectory, Joliet(u"b"))).size());
         image.Append(iso_test::Image::DirectoryData(Record(block, size, media::iso::kDirectory, Joliet(u"b"))));
         return image.WithRootRecords(Record(block, size, media::iso::kDirectory, Joliet(u"a")));
       },
       [](media::IsoImage& i) {
         std::vector<FindEntry> entries;
         EXPECT_TRUE(i.ListFolder("a", entries));
         i.ListFolder("a\\b", entries);
       },
       Damaged("目录'a\\b'包含它自己或它的上级目录")},
      {"a folder that holds the root",
       [] {
         iso_test::Image image;
         const std::uint32_t root = image.NextBlock();
         const auto size = static_cast<std::uint32_t>(
             iso_test::Image::DirectoryData(Record(root, 0, media::iso::kDirectory, Joliet(u"up"))).size());
         return image.WithRootRecords(Record(root, size, media::iso::kDirectory, Joliet(u"up")));
       },
       [](media::IsoImage& i) {
         std::vector<FindEntry> entries;
         i.ListFolder("up", entries);
       },
       Damaged("目录'up'包含它自己或它的上级目录")},
      {"the name ..", [] { return WithNamedFile(Joliet(u"..")); }, ListRoot, Damaged("名称'..'无效")},
      {"the name .", [] { return WithNamedFile(Joliet(u".")); }, ListRoot, Damaged("名称'.'无效")},
      {"a backslash", [] { return WithNamedFile(Joliet(u"..\\x")); }, ListRoot, Damaged("名称'..\\x'无效")},
      {"a slash", [] { return WithNamedFile(Joliet(u"a/b")); }, ListRoot, Damaged("名称'a/b'无效")},
      {"a colon", [] { return WithNamedFile(Joliet(u"C:x")); }, ListRoot, Damaged("名称'C:x'无效")},
      {"a control byte", [] { return WithNamedFile(Joliet(u"a\u0001")); }, ListRoot, Damaged("名称'a\x01'无效")},
      {"an odd Joliet name", [] { return WithNamedFile(std::string("\0a\0", 3)); }, ListRoot,
       Damaged("目录'\\'中的记录无效")},
      {"a record longer than its folder",
       [] {
         std::string bytes = WithNamedFile(Joliet(u"a"));
         // The last record of the root's data claims 200 bytes.
         const std::size_t root = bytes.size() - 2048;
         bytes[root + 34 + 34] = static_cast<char>(200);
         return bytes;
       },
       ListRoot, Damaged("目录'\\'中的记录无效")},
      {"a record too short for its name",
       [] {
         std::string bytes = WithNamedFile(Joliet(u"abc"));
         bytes[bytes.size() - 2048 + 34 + 34] = 35;
         return bytes;
       },
       ListRoot, Damaged("目录'\\'中的记录无效")},
      {"an interleaved file",
       [] {
         std::string bytes = WithNamedFile(Joliet(u"i"));
         bytes[bytes.size() - 2048 + 34 + 34 + 26] = 1;
         return bytes;
       },
       ListRoot, Damaged("文件'i'为交错存储，不受支持")},
      {"extents that never end",
       [] {
         Entry file = File(u"cut.dwg", "");
         file.pieces = {"a"};
         file.extraFlags = media::iso::kMultiExtent;
         return iso_test::Image().WithRoot({file});
       },
       ListRoot, Damaged("文件'cut.dwg'的记录不完整")},
      {"extents of two names",
       [] {
         Entry first = File(u"a.dwg", "");
         first.pieces = {"a"};
         first.extraFlags = media::iso::kMultiExtent;
         return iso_test::Image().WithRoot({first, File(u"b.dwg", "b")});
       },
       ListRoot, Damaged("文件'a.dwg'的记录不完整")},
      {"a folder of several extents",
       [] {
         Entry folder = Folder(u"f", {});
         folder.extraFlags = media::iso::kMultiExtent;
         return iso_test::Image().WithRoot({folder});
       },
       ListRoot, Damaged("目录'f'的记录无效")},
      {"another block size",
       [&] {
         std::string bytes = good;
         bytes[17 * 2048 + 128] = 0;
         bytes[17 * 2048 + 129] = 2;  // 512
         return bytes;
       },
       nullptr, Damaged("逻辑块大小不是2048字节")},
      {"a root that is no folder",
       [&] {
         std::string bytes = good;
         bytes[17 * 2048 + 156 + 25] = 0;
         return bytes;
       },
       nullptr, Damaged("根目录记录无效")},
  };
  for (const Malformed& c : cases) {
    SCOPED_TRACE(c.what);
    machine.Remove(kImage);
    machine.AddFile(kImage, c.image());
    try {
      media::IsoImage image(machine, kImage);
      ASSERT_TRUE(c.use) << "opened";
      c.use(image);
      ADD_FAILURE() << "no error";
    } catch (const media::ImageError& error) {
      EXPECT_EQ(error.what(), c.error);
    }
  }
}

TEST_F(IsoImageTest, OnlyAnExistingFileEndingInIsoIsAnImage) {
  machine.AddFile("C:\\discs\\CD2.ISO", "x");
  machine.AddFile("C:\\discs\\CD3.iso", "x");
  machine.AddFile("C:\\discs\\CD4.img", "x");
  machine.AddFolder("C:\\discs\\CD5.iso");
  EXPECT_TRUE(media::IsImageFile(machine, "C:\\discs\\CD2.ISO"));
  EXPECT_TRUE(media::IsImageFile(machine, "C:\\discs\\CD3.iso"));
  EXPECT_FALSE(media::IsImageFile(machine, "C:\\discs\\CD4.img"));
  EXPECT_FALSE(media::IsImageFile(machine, "C:\\discs\\CD5.iso"));
  EXPECT_FALSE(media::IsImageFile(machine, "C:\\discs\\CD6.iso"));
}

// Counts the reads from the files it opens.
class ReadCountingPlatform : public platform::ForwardingPlatform {
 public:
  using ForwardingPlatform::ForwardingPlatform;
  std::unique_ptr<platform::File> OpenRead(const std::string& path) override {
    return std::make_unique<CountedFile>(ForwardingPlatform::OpenRead(path), Reads);
  }
  int Reads = 0;

 private:
  class CountedFile : public platform::File {
   public:
    CountedFile(std::unique_ptr<platform::File> inner, int& reads) : inner_(std::move(inner)), reads_(reads) {}
    bool Read(void* buffer, std::size_t count) override {
      ++reads_;
      return inner_->Read(buffer, count);
    }
    bool Write(const void* buffer, std::size_t count) override { return inner_->Write(buffer, count); }
    std::int64_t Size() override { return inner_->Size(); }
    bool Seek(std::int64_t offset) override { return inner_->Seek(offset); }

   private:
    std::unique_ptr<platform::File> inner_;
    int& reads_;
  };
};

std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// Root: A\B with files f0 to f19, and folders D0 to D9 with a file x each.
std::string ManyFilesImage() {
  std::vector<Entry> files, root;
  for (int i = 0; i < 20; ++i) files.push_back(File(Wide("f" + std::to_string(i)), "data"));
  root.push_back(Folder(u"A", {Folder(u"B", files)}));
  for (int i = 0; i < 10; ++i) root.push_back(Folder(Wide("D" + std::to_string(i)), {File(u"x", "x")}));
  return iso_test::Image().WithRoot(root);
}

TEST_F(IsoImageTest, FoldersOnThePathOfFilesReadOneAfterAnotherAreReadOnce) {
  machine.AddFile(kImage, ManyFilesImage());
  std::vector<std::string> everyFileOfB;
  for (int i = 0; i < 20; ++i) everyFileOfB.push_back("A\\B\\f" + std::to_string(i));
  struct Case {
    const char* what;
    std::vector<std::string> files;  // read in this order
    bool listBFirst;
    int reads;  // from the image, after opening it
  };
  const Case cases[] = {
      // Each file's data once, and the root, A and B once.
      {"every file of a folder", everyFileOfB, false, 20 + 3},
      {"a listed folder", everyFileOfB, true, 20 + 3},
      {"one file again and again", {"A\\B\\f7", "a\\b\\F7", "A\\B\\f7"}, false, 3 + 3},
      // ... and D0 once.
      {"files of two folders in turn", {"A\\B\\f0", "D0\\x", "A\\B\\f1", "D0\\x"}, false, 4 + 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReadCountingPlatform counting(machine);
    media::IsoImage image(counting, kImage);
    counting.Reads = 0;
    if (c.listBFirst) {
      EXPECT_EQ(List(image, "A\\B").size(), 20u);
    }
    for (const std::string& file : c.files) EXPECT_FALSE(ReadWhole(image, file).empty());
    EXPECT_EQ(counting.Reads, c.reads);
  }
}

TEST_F(IsoImageTest, OnlyTheFoldersUsedLastAreKept) {
  machine.AddFile(kImage, ManyFilesImage());
  ReadCountingPlatform counting(machine);
  media::IsoImage image(counting, kImage);
  ReadWhole(image, "A\\B\\f0");
  for (std::size_t i = 0; i < media::IsoImage::kKeptDirectories; ++i) ReadWhole(image, "D" + std::to_string(i) + "\\x");
  // The root was used all along; A and B were not, and are read again.
  counting.Reads = 0;
  ReadWhole(image, "A\\B\\f0");
  EXPECT_EQ(counting.Reads, 1 + 2);
}

}  // namespace
