// libFuzzer target for the disc image reader: the input is an image from its
// volume descriptors on (the 32 KiB of system area before them are added
// here, so that no effort goes into bytes nobody reads). The whole tree is
// walked and every file read, and what the reader promises is checked: a
// malformed image ends in ImageError and in nothing else, every name it gives
// is a safe name, attributes are those of a disc, and a file reads exactly as
// many bytes as its entry says.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "media/ImageError.h"
#include "media/IsoImage.h"
#include "platform/fake/FakePlatform.h"
#include "text/FolderName.h"

namespace {

// Enough for any seed's tree; a forged image may nest deeper than it is worth walking.
constexpr int kDeepest = 12;
constexpr int kMostEntries = 400;

void Check(bool condition) {
  if (!condition) std::abort();
}

void Walk(media::IsoImage& image, const std::string& folder, int depth, int& budget) {
  std::vector<platform::FindEntry> entries;
  Check(image.ListFolder(folder, entries));
  for (const platform::FindEntry& entry : entries) {
    if (--budget < 0) return;
    Check(!entry.Name.empty() && text::IsSafeFolderName(entry.Name));
    const std::string path = folder.empty() ? entry.Name : folder + "\\" + entry.Name;
    const std::uint32_t kind = entry.Attributes & ~platform::faHidden;
    if (kind == (platform::faDirectory | platform::faReadOnly)) {
      if (depth < kDeepest) Walk(image, path, depth + 1, budget);
      continue;
    }
    Check(kind == platform::faReadOnly && entry.Size >= 0);
    std::int64_t read = 0;
    // A name may stand twice in a folder; the first of them is read.
    platform::FindEntry found;
    Check(image.Find(path, found));
    Check(image.ReadFile(path, [&](const char*, std::size_t size) {
      read += static_cast<std::int64_t>(size);
      return true;
    }));
    Check(read == found.Size);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(16 * media::iso::kBlockSize, '\0');
  bytes.append(reinterpret_cast<const char*>(data), size);
  platform::FakePlatform machine;
  machine.AddDrive('C');
  machine.AddAnsiCharacters(u"国标土建", "\xB9\xFA\xB1\xEA\xCD\xC1\xBD\xA8");  // GBK, as clang keeps UTF-8 literals
  machine.AddFile("C:\\d.iso", bytes);
  try {
    media::IsoImage image(machine, "C:\\d.iso");
    int budget = kMostEntries;
    Walk(image, "", 0, budget);
  } catch (const media::ImageError&) {
  }
  return 0;
}
