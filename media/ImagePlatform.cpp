#include "media/ImagePlatform.h"

#include "text/AnsiText.h"

namespace media {

namespace {

// A path inside an image that names its root: "" or only backslashes.
bool IsRoot(const std::string& inside) { return inside.find_first_not_of('\\') == std::string::npos; }

}  // namespace

std::vector<platform::FindEntry> ImagePlatform::ListFolder(const std::string& pattern) {
  const std::optional<ImagePath> through = ThroughImage(pattern);
  if (!through) return ForwardingPlatform::ListFolder(pattern);
  const std::string wildcard = text::ExtractFileName(through->Inside);
  if (wildcard != "*.*" && wildcard != "*") return {};
  const std::string folder = text::ExtractFilePath(through->Inside);
  std::vector<platform::FindEntry> entries;
  if (!Image(through->Image).ListFolder(folder, entries)) return {};
  if (!IsRoot(folder)) {
    entries.insert(entries.begin(), {platform::FindEntry{".", kDiscFolderAttributes, 0},
                                     platform::FindEntry{"..", kDiscFolderAttributes, 0}});
  }
  return entries;
}

std::uint32_t ImagePlatform::GetAttributes(const std::string& path) {
  // The image and its root answer without reading it: a damaged image is
  // still a folder to offer, and says what is wrong once it is read.
  if (IsImage(path)) return kDiscFolderAttributes;
  const std::optional<ImagePath> through = ThroughImage(path);
  if (!through) return ForwardingPlatform::GetAttributes(path);
  if (IsRoot(through->Inside)) return kDiscFolderAttributes;
  platform::FindEntry entry;
  return Image(through->Image).Find(through->Inside, entry) ? entry.Attributes : platform::kInvalidAttributes;
}

bool ImagePlatform::SetAttributes(const std::string& path, std::uint32_t attributes) {
  return !ThroughImage(path) && ForwardingPlatform::SetAttributes(path, attributes);
}

bool ImagePlatform::CreateFolder(const std::string& path) {
  return !ThroughImage(path) && ForwardingPlatform::CreateFolder(path);
}

bool ImagePlatform::CopyFileTo(const std::string& source, const std::string& target, bool failIfExists,
                             const platform::CopyProgress& progress) {
  if (ThroughImage(target)) return false;
  const std::optional<ImagePath> from = ThroughImage(source);
  if (!from) return ForwardingPlatform::CopyFileTo(source, target, failIfExists, progress);
  return CopyOutOfImage(*from, target, failIfExists, progress);
}

bool ImagePlatform::RenameFile(const std::string& source, const std::string& target) {
  return !ThroughImage(source) && !ThroughImage(target) && ForwardingPlatform::RenameFile(source, target);
}

bool ImagePlatform::RemoveFile(const std::string& path) {
  return !ThroughImage(path) && ForwardingPlatform::RemoveFile(path);
}

std::unique_ptr<platform::File> ImagePlatform::OpenRead(const std::string& path) {
  const std::optional<ImagePath> through = ThroughImage(path);
  if (!through) return ForwardingPlatform::OpenRead(path);
  std::unique_ptr<platform::File> file = Image(through->Image).OpenFile(through->Inside);
  if (!file) throw platform::OpenError(false, path, "系统找不到指定的文件。");
  return file;
}

std::unique_ptr<platform::File> ImagePlatform::OpenWrite(const std::string& path) {
  if (ThroughImage(path)) throw platform::OpenError(true, path, "光盘映像是只读的。");
  return ForwardingPlatform::OpenWrite(path);
}

bool ImagePlatform::IsImage(const std::string& path) {
  return HasImageExtension(path) && (images_.count(path) > 0 || IsImageFile(Inner(), path));
}

std::optional<ImagePlatform::ImagePath> ImagePlatform::ThroughImage(const std::string& path) {
  // Most paths name no image at all.
  if (text::UpperAscii(path).find(".ISO") == std::string::npos) return std::nullopt;
  for (std::size_t slash = text::FindWholeChar(path, '\\'); slash != std::string::npos;
       slash = text::FindWholeChar(path, '\\', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (IsImage(prefix)) return ImagePath{prefix, path.substr(slash + 1)};
  }
  return std::nullopt;
}

IsoImage& ImagePlatform::Image(const std::string& path) {
  auto open = images_.find(path);
  if (open == images_.end()) open = images_.emplace(path, std::make_unique<IsoImage>(Inner(), path)).first;
  return *open->second;
}

bool ImagePlatform::CopyOutOfImage(const ImagePath& source, const std::string& target, bool failIfExists,
                                   const platform::CopyProgress& progress) {
  bool created = false, copied = false;
  try {
    IsoImage& image = Image(source.Image);
    platform::FindEntry entry;
    if (!image.Find(source.Inside, entry) || (entry.Attributes & platform::faDirectory)) return false;
    const std::uint32_t existing = Inner().GetAttributes(target);
    const std::uint32_t keeps = platform::faReadOnly | platform::faHidden | platform::faDirectory;
    if (existing != platform::kInvalidAttributes && (failIfExists || (existing & keeps))) return false;
    {
      const std::unique_ptr<platform::File> out = Inner().OpenWrite(target);
      created = true;
      // A chunk at a time, in one loop from the first byte to the last;
      // progress hears of every chunk written and may stop the copy.
      std::int64_t written = 0;
      copied = image.ReadFile(source.Inside, [&](const char* data, std::size_t size) {
        if (!out->Write(data, size)) return false;
        written += static_cast<std::int64_t>(size);
        return !progress || progress(written, entry.Size);
      });
    }  // closed before its attributes are set, or before it is deleted
    copied = copied && Inner().SetAttributes(target, entry.Attributes);
  } catch (const platform::Error&) {
    copied = false;  // a damaged image, a target that cannot be created
  }
  if (created && !copied) Inner().RemoveFile(target);
  return copied;
}

}  // namespace media
