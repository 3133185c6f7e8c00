// The system's platform with disc images read in place: a path that leads
// through an existing file ending in ".iso" (in any letter case), such as
// "D:\discs\CD2.iso\MatterLib\国标\", is served from that image, so that an
// image can stand wherever a disc's folder is named.
//
// The image itself shows as a read-only folder (also when it is damaged:
// what is inside it then raises ImageError). Inside it everything is read
// only: listing, attributes, reading and copying a file out of it work, and
// every change (write, rename, delete, attributes, new folder) fails as it
// does on a CD. Every other path, the image file itself among them, goes to
// the inner platform unchanged. Images are opened once and kept open.
#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "media/IsoImage.h"
#include "platform/ForwardingPlatform.h"

namespace media {

class ImagePlatform : public platform::ForwardingPlatform {
 public:
  explicit ImagePlatform(platform::Platform& inner) : ForwardingPlatform(inner) {}

  // Inside an image only the pattern "*.*" (or "*") is known; the listing of
  // a folder below the root begins with "." and "..", as on a disc.
  std::vector<platform::FindEntry> ListFolder(const std::string& pattern) override;
  std::uint32_t GetAttributes(const std::string& path) override;
  bool SetAttributes(const std::string& path, std::uint32_t attributes) override;
  bool CreateFolder(const std::string& path) override;
  // A copy out of an image behaves as CopyFileA from a disc: the target is
  // replaced unless failIfExists or it is read-only or hidden, and takes
  // the attributes the image gives the file (read-only). A failure of any
  // kind, a damaged image too, is a failed copy that leaves no target, and
  // so is a copy that progress stops.
  bool CopyFileTo(const std::string& source, const std::string& target, bool failIfExists,
                const platform::CopyProgress& progress = nullptr) override;
  bool RenameFile(const std::string& source, const std::string& target) override;
  bool RemoveFile(const std::string& path) override;
  std::unique_ptr<platform::File> OpenRead(const std::string& path) override;
  std::unique_ptr<platform::File> OpenWrite(const std::string& path) override;

 private:
  // Where a path leads through an image: the image's path and the path
  // inside it ("" for its root).
  struct ImagePath {
    std::string Image;
    std::string Inside;
  };

  // The image path leads through (past the image's name); nothing for a
  // path that names no image or names the image file itself.
  std::optional<ImagePath> ThroughImage(const std::string& path);
  // path names an image file (one opened before, or an existing .iso file).
  bool IsImage(const std::string& path);
  IsoImage& Image(const std::string& path);
  bool CopyOutOfImage(const ImagePath& source, const std::string& target, bool failIfExists,
                      const platform::CopyProgress& progress);

  std::map<std::string, std::unique_ptr<IsoImage>> images_;
};

}  // namespace media
