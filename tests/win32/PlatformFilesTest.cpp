// The Win32 platform on real files: listing, attributes, copy, move, open.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Platform.h"
#include "tests/SeekChecks.h"
#include "tests/win32/ScratchFolder.h"

namespace {

using platform::faArchive;
using platform::faDirectory;
using platform::faHidden;
using platform::faReadOnly;

class PlatformFilesTest : public testing::Test {
 protected:
  std::map<std::string, platform::FindEntry> ListByName(const std::string& pattern) {
    std::map<std::string, platform::FindEntry> byName;
    for (const platform::FindEntry& entry : system.ListFolder(pattern)) byName[entry.Name] = entry;
    return byName;
  }
  std::string Contents(const std::string& path) {
    std::string contents;
    EXPECT_TRUE(platform::ReadWholeFile(system, path, contents)) << path;
    return contents;
  }

  platform::Win32Platform system;
  ScratchFolder folder{system};
};

TEST_F(PlatformFilesTest, ListingGivesEveryEntryWithRawAttributesAndSize) {
  folder.AddFile("plain.txt", "12345");
  const std::string marked = folder.AddFile("marked.dat", "");
  ASSERT_TRUE(system.SetAttributes(marked, faReadOnly | faHidden | faArchive));
  folder.AddFile("素材库.pak", std::string(1000, 'x'));
  ASSERT_TRUE(system.CreateFolder(folder.Path() + "sub"));

  const auto entries = ListByName(folder.Path() + "*.*");

  ASSERT_EQ(entries.size(), 6u);
  EXPECT_TRUE(entries.at(".").Attributes & faDirectory);
  EXPECT_TRUE(entries.at("..").Attributes & faDirectory);
  EXPECT_TRUE(entries.at("sub").Attributes & faDirectory);
  EXPECT_EQ(entries.at("plain.txt").Size, 5);
  EXPECT_FALSE(entries.at("plain.txt").Attributes & faDirectory);
  EXPECT_EQ(entries.at("marked.dat").Attributes, std::uint32_t{faReadOnly | faHidden | faArchive});
  EXPECT_EQ(entries.at("素材库.pak").Size, 1000);
}

TEST_F(PlatformFilesTest, ListingReportsSizesBeyondFourGigabytes) {
  // A sparse file: its size is set, no data is written.
  const std::string path = folder.AddFile("big.bin", "");
  {
    platform::win32::FileHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file.IsOpen());
    DWORD returned = 0;
    ::DeviceIoControl(file.Get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 0x100000007LL;
    ASSERT_TRUE(::SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(file.Get()));
  }
  EXPECT_EQ(ListByName(path).at("big.bin").Size, 0x100000007LL);
}

TEST_F(PlatformFilesTest, ListingOfAMissingFolderIsEmpty) {
  EXPECT_TRUE(system.ListFolder(folder.Path() + "missing\\*.*").empty());
}

TEST_F(PlatformFilesTest, AttributesOfFilesFoldersAndMissingPaths) {
  const std::string file = folder.AddFile("a.txt", "a");
  EXPECT_FALSE(system.GetAttributes(file) & faDirectory);
  EXPECT_TRUE(system.GetAttributes(folder.Path()) & faDirectory);
  EXPECT_EQ(system.GetAttributes(folder.Path() + "missing.txt"), platform::kInvalidAttributes);
  EXPECT_FALSE(system.SetAttributes(folder.Path() + "missing.txt", faArchive));
  EXPECT_TRUE(system.CreateFolder(folder.Path() + "new"));
  EXPECT_FALSE(system.CreateFolder(folder.Path() + "new")) << "the folder exists already";
  EXPECT_FALSE(system.CreateFolder(folder.Path() + "no\\parent"));
}

// The plain copy, and the copy piece by piece that reports its progress.
const platform::CopyProgress kCopyModes[] = {nullptr, [](std::int64_t, std::int64_t) { return true; }};

TEST_F(PlatformFilesTest, CopyGivesTheCopyTheSourcesAttributes) {
  const std::string source = folder.AddFile("source.txt", "new");
  ASSERT_TRUE(system.SetAttributes(source, faReadOnly | faArchive));
  for (const platform::CopyProgress& progress : kCopyModes) {
    SCOPED_TRACE(progress ? "with progress" : "plain");
    const std::string target = folder.Path() + (progress ? "reported.txt" : "target.txt");

    ASSERT_TRUE(system.CopyFileTo(source, target, false, progress));

    EXPECT_EQ(Contents(target), "new");
    EXPECT_EQ(system.GetAttributes(target), std::uint32_t{faReadOnly | faArchive});
  }
}

TEST_F(PlatformFilesTest, CopyReplacesAWritableTargetUnlessAskedNotTo) {
  const std::string source = folder.AddFile("source.txt", "new");
  for (const platform::CopyProgress& progress : kCopyModes) {
    SCOPED_TRACE(progress ? "with progress" : "plain");
    const std::string target = folder.AddFile("target.txt", "old");

    EXPECT_FALSE(system.CopyFileTo(source, target, true, progress));
    EXPECT_EQ(Contents(target), "old");
    EXPECT_TRUE(system.CopyFileTo(source, target, false, progress));
    EXPECT_EQ(Contents(target), "new");
  }
  // A hidden target stays, as CopyFileA keeps it on Windows (Wine's
  // CopyFileA replaces it).
  const std::string hidden = folder.AddFile("hidden.txt", "old");
  ASSERT_TRUE(system.SetAttributes(hidden, faHidden));
  EXPECT_FALSE(system.CopyFileTo(source, hidden, false, kCopyModes[1]));
  ASSERT_TRUE(system.SetAttributes(hidden, faArchive));
  EXPECT_EQ(Contents(hidden), "old");
}

TEST_F(PlatformFilesTest, CopyWithProgressReportsAsItGoesAndACancelRemovesThePart) {
  // Large enough for the system to copy it in several pieces.
  std::string contents(4 * 1024 * 1024, '\0');
  for (std::size_t i = 0; i < contents.size(); ++i) contents[i] = static_cast<char>(i * 7 + i / 4096);
  const std::string source = folder.AddFile("source.dat", contents);
  ASSERT_TRUE(system.SetAttributes(source, faReadOnly | faArchive));
  const std::string target = folder.Path() + "target.dat";

  std::vector<std::int64_t> copied;
  ASSERT_TRUE(system.CopyFileTo(source, target, false, [&](std::int64_t bytes, std::int64_t total) {
    EXPECT_EQ(total, static_cast<std::int64_t>(contents.size()));
    copied.push_back(bytes);
    return true;
  }));
  EXPECT_EQ(Contents(target), contents);
  EXPECT_EQ(system.GetAttributes(target), std::uint32_t{faReadOnly | faArchive});
  ASSERT_GE(copied.size(), 2u);
  EXPECT_TRUE(std::is_sorted(copied.begin(), copied.end()));
  EXPECT_EQ(copied.back(), static_cast<std::int64_t>(contents.size()));

  // Cancelled once a part is written: the copy fails and leaves nothing.
  const std::string cancelled = folder.Path() + "cancelled.dat";
  bool partSeen = false;
  EXPECT_FALSE(system.CopyFileTo(source, cancelled, false, [&](std::int64_t bytes, std::int64_t) {
    partSeen = bytes > 0 && system.GetAttributes(cancelled) != platform::kInvalidAttributes;
    return bytes == 0;
  }));
  EXPECT_TRUE(partSeen);
  EXPECT_EQ(system.GetAttributes(cancelled), platform::kInvalidAttributes);

  // An error raised by the progress stops the copy and reaches the caller.
  EXPECT_THROW(system.CopyFileTo(source, cancelled, false,
                               [](std::int64_t, std::int64_t) -> bool { throw platform::Error("in progress"); }),
               platform::Error);
  EXPECT_EQ(system.GetAttributes(cancelled), platform::kInvalidAttributes);
}

TEST_F(PlatformFilesTest, CopyOfAMissingSourceFails) {
  EXPECT_FALSE(system.CopyFileTo(folder.Path() + "missing", folder.Path() + "target", false));
  EXPECT_EQ(system.GetAttributes(folder.Path() + "target"), platform::kInvalidAttributes);
}

TEST_F(PlatformFilesTest, MoveRenamesButNeverOverwrites) {
  const std::string first = folder.AddFile("first.txt", "1");
  const std::string second = folder.AddFile("second.txt", "2");

  EXPECT_FALSE(system.RenameFile(first, second));
  EXPECT_EQ(Contents(second), "2");
  EXPECT_TRUE(system.RenameFile(first, folder.Path() + "third.txt"));
  EXPECT_EQ(Contents(folder.Path() + "third.txt"), "1");
  EXPECT_EQ(system.GetAttributes(first), platform::kInvalidAttributes);
}

TEST_F(PlatformFilesTest, DeleteRemovesAFileOnce) {
  const std::string file = folder.AddFile("a.txt", "a");
  EXPECT_TRUE(system.RemoveFile(file));
  EXPECT_FALSE(system.RemoveFile(file));
}

TEST_F(PlatformFilesTest, WrittenBytesReadBackExactly) {
  const std::string path = folder.Path() + "data.bin";
  const std::string bytes("\0\x01\xff\r\n素材", 9);
  {
    const auto file = system.OpenWrite(path);
    ASSERT_TRUE(file->Write(bytes.data(), bytes.size()));
  }
  const auto file = system.OpenRead(path);
  EXPECT_EQ(file->Size(), static_cast<std::int64_t>(bytes.size()));
  std::string read(bytes.size(), '\0');
  ASSERT_TRUE(file->Read(&read[0], read.size()));
  EXPECT_EQ(read, bytes);
  char extra;
  EXPECT_FALSE(file->Read(&extra, 1)) << "reading past the end is a short read";
}

TEST_F(PlatformFilesTest, SeekMovesTheReadPositionAnywhere) {
  ExpectSeekMovesTheReadPositionAnywhere(*system.OpenRead(folder.AddFile("data.bin", "0123456789")));
}

TEST_F(PlatformFilesTest, OpenWriteTruncatesAnExistingFile) {
  const std::string path = folder.AddFile("data.bin", "a longer text");
  {
    const auto file = system.OpenWrite(path);
    ASSERT_TRUE(file->Write("new", 3));
  }
  EXPECT_EQ(Contents(path), "new");
}

TEST_F(PlatformFilesTest, OpenReadSharesReadingButNotWriting) {
  const std::string path = folder.AddFile("data.bin", "abc");
  const auto reader = system.OpenRead(path);
  EXPECT_NO_THROW(system.OpenRead(path));
  EXPECT_THROW(system.OpenWrite(path), platform::Error);
}

TEST_F(PlatformFilesTest, FailedOpenRaisesErrorNamingThePathAndTheReason) {
  const std::string missing = folder.Path() + "missing.dat";
  try {
    system.OpenRead(missing);
    FAIL() << "no error raised";
  } catch (const platform::Error& error) {
    const std::string message = error.what();
    const std::string start = "无法打开文件 \"" + missing + "\"：";
    EXPECT_EQ(message.compare(0, start.size(), start), 0) << message;
    EXPECT_GT(message.size(), start.size()) << "the system's reason follows";
    EXPECT_NE(message.back(), '\n');
    EXPECT_NE(message.back(), '.');
  }
}

TEST_F(PlatformFilesTest, FailedCreateRaisesErrorNamingThePath) {
  const std::string path = folder.Path() + "missing\\data.bin";
  try {
    system.OpenWrite(path);
    FAIL() << "no error raised";
  } catch (const platform::Error& error) {
    const std::string start = "无法创建文件 \"" + path + "\"：";
    EXPECT_EQ(std::string(error.what()).compare(0, start.size(), start), 0) << error.what();
  }
}

}  // namespace
