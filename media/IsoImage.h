// An ISO 9660 disc image read in place, as a disc: its folders listed and its
// files read without mounting it. Names come from the Joliet tree when the
// image has one (what Windows shows for the disc), else from the plain
// ISO 9660 tree; they are converted to the ANSI code page and matched as
// bytes (falling back to ASCII letters in either case, as on a disc).
//
// The image is untrusted: every extent is checked against the image's size
// before it is read, and whatever is malformed raises ImageError naming the
// image and the fault (a truncated image, data past its end, a folder that
// contains one of its own parents, a name that would leave its folder or that
// the code page cannot represent). Files of several extents (4 GiB and more)
// are read whole.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "media/IsoRecords.h"
#include "platform/Platform.h"

namespace media {

class IsoImage {
 public:
  // Receives the bytes of a file in order, a chunk at a time; false stops
  // the read.
  using Sink = std::function<bool(const char* data, std::size_t size)>;

  // How many of the directories read last are kept, so that finding the
  // files of one folder one after another does not read the folders on
  // their path again for every file.
  static constexpr std::size_t kKeptDirectories = 8;

  // Opens the image at path through the platform and reads its volume
  // descriptors. The platform's Error when it cannot be opened, ImageError
  // when it is no ISO 9660 image or a malformed one.
  IsoImage(platform::Platform& platform, const std::string& path);

  const std::string& Path() const { return path_; }

  // Paths inside the image are names joined with "\" ("" or "\" is the root;
  // a final "\" is allowed).
  //
  // The entries of a folder, without "." and "..", in the image's order, with
  // the attributes a CD-ROM drive shows (folders read-only folders, files
  // read-only, hidden ones hidden) and 64-bit sizes. False when there is no
  // such folder.
  bool ListFolder(const std::string& folder, std::vector<platform::FindEntry>& entries);
  // The entry at path (name as recorded, attributes, size); false when there
  // is none. The root has the name "" and the folder attributes.
  bool Find(const std::string& path, platform::FindEntry& entry);
  // Streams the file at path to sink; false when there is no such file or
  // the sink stopped the read.
  bool ReadFile(const std::string& path, const Sink& sink);
  // The file at path open for reading (writes fail); nullptr when there is
  // no such file. It reads through this image, which must outlive it.
  std::unique_ptr<platform::File> OpenFile(const std::string& path);

 private:
  class FileReader;

  // An entry of a directory with the extents of its data, checked against
  // the image.
  struct Node {
    platform::FindEntry Entry;
    std::vector<iso::DirectoryRecord> Extents;  // one for a folder
  };

  // A directory as read from the image, known by its data's extent.
  struct Directory {
    std::uint64_t Block = 0;
    std::uint32_t Size = 0;
    std::vector<Node> Nodes;
    std::unordered_map<std::string, std::size_t> ByName;  // the first node of each name
    // The node of that name, else the first of that name in any ASCII
    // letter case, as on a disc; nullptr when there is none.
    const Node* Find(const std::string& name) const;
  };

  void ReadDescriptors();
  // The directory of folder: one of the kept ones, else read from the image
  // and kept in place of the one used longest ago.
  const Directory& DirectoryOf(const Node& folder, const std::string& folderPath);
  // The node at path and its path as recorded in the image; false when some
  // part of it does not exist.
  bool Resolve(const std::string& path, Node& node, std::string& nodePath);
  std::vector<Node> ReadDirectory(const Node& folder, const std::string& folderPath);
  // Adds the record to the directory's nodes, joining the records of a file
  // of several extents.
  void AddRecord(std::vector<Node>& nodes, bool& continues, const iso::DirectoryRecord& record,
                 const std::string& folderPath);
  std::string NameOf(const iso::DirectoryRecord& record, const std::string& folderPath);
  void CheckExtent(const iso::DirectoryRecord& record, const std::string& entryPath);
  // Reads size bytes at offset; ImageError when the image ends before.
  void ReadBytes(std::uint64_t offset, char* buffer, std::size_t size);

  platform::Platform& platform_;
  std::string path_;
  std::unique_ptr<platform::File> file_;
  std::uint64_t size_ = 0;
  bool joliet_ = false;
  Node root_;
  std::deque<Directory> kept_;  // the one used last first
};

// The attributes of a folder of a disc, the image's root included: a
// read-only folder, as a CD-ROM drive shows it.
constexpr std::uint32_t kDiscFolderAttributes = platform::faDirectory | platform::faReadOnly;

// The extension of a disc image's file name.
constexpr const char* kImageExtension = ".iso";

// True when the name ends in ".iso", in any letter case: the name of a disc
// image.
bool HasImageExtension(const std::string& name);
// True when path names an existing file with the extension ".iso" (in any
// letter case): a disc image rather than a folder.
bool IsImageFile(platform::Platform& platform, const std::string& path);

}  // namespace media
