#include "media/IsoImage.h"

#include <algorithm>
#include <set>

#include "media/ImageError.h"
#include "text/AnsiText.h"
#include "text/FolderName.h"

namespace media {

namespace {

// A volume holds a handful of descriptors; a run of this many without a
// terminator is no real one.
constexpr std::uint32_t kMostDescriptors = 64;
// Far above any real folder (some 100 000 entries), far below what a forged
// size could make the reader allocate.
constexpr std::uint32_t kLargestDirectory = 16u << 20;
constexpr std::size_t kChunkSize = 64u << 10;

const std::uint32_t kFileAttributes = platform::faReadOnly;

std::string Join(const std::string& folderPath, const std::string& name) {
  return folderPath.empty() ? name : folderPath + "\\" + name;
}

std::string Shown(const std::string& entryPath) { return entryPath.empty() ? "\\" : entryPath; }

// The names of a path inside the image, split at whole "\" characters.
std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> names;
  std::string name;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (text::IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      name += path.substr(i++, 2);
    } else if (path[i] == '\\') {
      if (!name.empty()) names.push_back(name);
      name.clear();
    } else {
      name += path[i];
    }
  }
  if (!name.empty()) names.push_back(name);
  return names;
}

// The identifier as UTF-16: Joliet's is big-endian UCS-2, the plain tree's
// one character per byte. The version (";1") and, in the plain tree, the dot
// of a name without extension are not part of the name.
std::u16string DecodeIdentifier(const std::string& identifier, bool joliet, bool folder) {
  std::u16string name;
  if (joliet) {
    for (std::size_t i = 0; i + 1 < identifier.size(); i += 2)
      name += static_cast<char16_t>(static_cast<unsigned char>(identifier[i]) << 8 |
                                    static_cast<unsigned char>(identifier[i + 1]));
  } else {
    for (const char c : identifier) name += static_cast<char16_t>(static_cast<unsigned char>(c));
  }
  if (folder) return name;
  const std::size_t version = name.rfind(u';');
  if (version != std::u16string::npos &&
      std::all_of(name.begin() + version + 1, name.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }))
    name.erase(version);
  if (!joliet && !name.empty() && name.back() == u'.') name.pop_back();
  return name;
}

}  // namespace

IsoImage::IsoImage(platform::Platform& platform, const std::string& path)
    : platform_(platform), path_(path), file_(platform.OpenRead(path)) {
  const std::int64_t size = file_->Size();
  size_ = size > 0 ? static_cast<std::uint64_t>(size) : 0;
  ReadDescriptors();
}

void IsoImage::ReadDescriptors() {
  std::string block(iso::kBlockSize, '\0');
  std::string primary, joliet;
  for (std::uint32_t i = 0; i < kMostDescriptors; ++i) {
    ReadBytes(std::uint64_t{iso::kFirstDescriptorBlock + i} * iso::kBlockSize, &block[0], block.size());
    const iso::DescriptorKind kind = iso::KindOfDescriptor(block);
    if (kind == iso::DescriptorKind::Terminator || kind == iso::DescriptorKind::None) break;
    if (kind == iso::DescriptorKind::Primary && primary.empty()) primary = block;
    if (kind == iso::DescriptorKind::Joliet && joliet.empty()) joliet = block;
  }
  if (primary.empty()) throw DamagedImage(path_, "找不到ISO 9660卷描述符");
  joliet_ = !joliet.empty();
  const std::string& chosen = joliet_ ? joliet : primary;
  if (iso::DescriptorBlockSize(chosen) != iso::kBlockSize) throw DamagedImage(path_, "逻辑块大小不是2048字节");
  iso::DirectoryRecord root;
  if (!iso::DescriptorRoot(chosen, root)) throw DamagedImage(path_, "根目录记录无效");
  CheckExtent(root, "");
  root_.Entry.Attributes = kDiscFolderAttributes;
  root_.Extents = {root};
}

bool IsoImage::ListFolder(const std::string& folder, std::vector<platform::FindEntry>& entries) {
  Node node;
  std::string folderPath;
  if (!Resolve(folder, node, folderPath) || !(node.Entry.Attributes & platform::faDirectory)) return false;
  entries.clear();
  for (const Node& child : DirectoryOf(node, folderPath).Nodes) entries.push_back(child.Entry);
  return true;
}

bool IsoImage::Find(const std::string& path, platform::FindEntry& entry) {
  Node node;
  std::string nodePath;
  if (!Resolve(path, node, nodePath)) return false;
  entry = node.Entry;
  return true;
}

// A file of the image: its extents read one after the other as one run of
// bytes.
class IsoImage::FileReader : public platform::File {
 public:
  FileReader(IsoImage& image, const Node& node) : image_(image), extents_(node.Extents), size_(node.Entry.Size) {}

  bool Read(void* buffer, std::size_t count) override {
    if (position_ > size_ || count > static_cast<std::uint64_t>(size_ - position_)) return false;
    char* out = static_cast<char*>(buffer);
    std::uint64_t at = static_cast<std::uint64_t>(position_);  // from the start of the current extent
    for (const iso::DirectoryRecord& extent : extents_) {
      if (count == 0) break;
      if (at >= extent.Size) {
        at -= extent.Size;
        continue;
      }
      const std::size_t part = static_cast<std::size_t>(std::min<std::uint64_t>(count, extent.Size - at));
      image_.ReadBytes(extent.Block * iso::kBlockSize + at, out, part);
      out += part;
      count -= part;
      position_ += static_cast<std::int64_t>(part);
      at = 0;
    }
    return true;
  }
  bool Write(const void*, std::size_t) override { return false; }
  std::int64_t Size() override { return size_; }
  bool Seek(std::int64_t offset) override {
    if (offset < 0) return false;
    position_ = offset;
    return true;
  }

 private:
  IsoImage& image_;
  std::vector<iso::DirectoryRecord> extents_;
  std::int64_t size_;
  std::int64_t position_ = 0;
};

bool IsoImage::ReadFile(const std::string& path, const Sink& sink) {
  const std::unique_ptr<platform::File> file = OpenFile(path);
  if (!file) return false;
  std::vector<char> buffer(kChunkSize);
  for (std::int64_t left = file->Size(); left > 0;) {
    const std::size_t chunk = static_cast<std::size_t>(std::min<std::int64_t>(left, buffer.size()));
    if (!file->Read(buffer.data(), chunk)) return false;
    if (!sink(buffer.data(), chunk)) return false;
    left -= static_cast<std::int64_t>(chunk);
  }
  return true;
}

std::unique_ptr<platform::File> IsoImage::OpenFile(const std::string& path) {
  Node node;
  std::string nodePath;
  if (!Resolve(path, node, nodePath) || (node.Entry.Attributes & platform::faDirectory)) return nullptr;
  return std::make_unique<FileReader>(*this, node);
}

bool IsoImage::Resolve(const std::string& path, Node& node, std::string& nodePath) {
  node = root_;
  nodePath.clear();
  // The folders walked through: a folder whose data is that of one of them
  // would lead round in a circle for ever.
  std::set<std::uint64_t> walked{root_.Extents.front().Block};
  for (const std::string& name : SplitPath(path)) {
    if (!(node.Entry.Attributes & platform::faDirectory)) return false;
    const Node* found = DirectoryOf(node, nodePath).Find(name);
    if (!found) return false;
    nodePath = Join(nodePath, found->Entry.Name);
    if ((found->Entry.Attributes & platform::faDirectory) && !walked.insert(found->Extents.front().Block).second)
      throw DamagedImage(path_, "目录" + text::QuotedName(nodePath) + "包含它自己或它的上级目录");
    node = *found;
  }
  return true;
}

const IsoImage::Node* IsoImage::Directory::Find(const std::string& name) const {
  const auto exact = ByName.find(name);
  if (exact != ByName.end()) return &Nodes[exact->second];
  const std::string upper = text::UpperAscii(name);
  const auto found =
      std::find_if(Nodes.begin(), Nodes.end(), [&](const Node& n) { return text::UpperAscii(n.Entry.Name) == upper; });
  return found == Nodes.end() ? nullptr : &*found;
}

const IsoImage::Directory& IsoImage::DirectoryOf(const Node& folder, const std::string& folderPath) {
  const iso::DirectoryRecord& extent = folder.Extents.front();
  const auto kept = std::find_if(kept_.begin(), kept_.end(), [&](const Directory& d) {
    return d.Block == extent.Block && d.Size == extent.Size;
  });
  if (kept != kept_.end()) {
    std::rotate(kept_.begin(), kept, kept + 1);
    return kept_.front();
  }
  Directory read;
  read.Block = extent.Block;
  read.Size = extent.Size;
  read.Nodes = ReadDirectory(folder, folderPath);
  for (std::size_t i = 0; i < read.Nodes.size(); ++i) read.ByName.emplace(read.Nodes[i].Entry.Name, i);
  if (kept_.size() == kKeptDirectories) kept_.pop_back();
  kept_.push_front(std::move(read));
  return kept_.front();
}

std::vector<IsoImage::Node> IsoImage::ReadDirectory(const Node& folder, const std::string& folderPath) {
  const iso::DirectoryRecord& extent = folder.Extents.front();
  if (extent.Size > kLargestDirectory) throw DamagedImage(path_, "目录" + text::QuotedName(Shown(folderPath)) + "过大");
  std::string data(extent.Size, '\0');
  if (!data.empty()) ReadBytes(extent.Block * iso::kBlockSize, &data[0], data.size());

  std::vector<Node> nodes;
  bool continues = false;  // the last record said that more of its file follow
  std::size_t at = 0;
  iso::DirectoryRecord record;
  for (;;) {
    const iso::RecordRead read = iso::NextRecord(data, at, record);
    if (read == iso::RecordRead::End) break;
    if (read == iso::RecordRead::Malformed)
      throw DamagedImage(path_, "目录" + text::QuotedName(Shown(folderPath)) + "中的记录无效");
    if (record.IsSelf() || record.IsParent() || (record.Flags & iso::kAssociated)) continue;
    AddRecord(nodes, continues, record, folderPath);
  }
  if (continues)
    throw DamagedImage(path_, "文件" + text::QuotedName(Join(folderPath, nodes.back().Entry.Name)) + "的记录不完整");
  return nodes;
}

void IsoImage::AddRecord(std::vector<Node>& nodes, bool& continues, const iso::DirectoryRecord& record,
                         const std::string& folderPath) {
  const bool folder = (record.Flags & iso::kDirectory) != 0;
  const std::string name = NameOf(record, folderPath);
  const std::string entryPath = Join(folderPath, name);
  if (continues) {
    // The next extent of the file before: the same name, never a folder.
    Node& file = nodes.back();
    if (folder || name != file.Entry.Name)
      throw DamagedImage(path_, "文件" + text::QuotedName(Join(folderPath, file.Entry.Name)) + "的记录不完整");
    CheckExtent(record, entryPath);
    file.Extents.push_back(record);
    file.Entry.Size += record.Size;
    continues = (record.Flags & iso::kMultiExtent) != 0;
    return;
  }
  if (record.Interleaved) throw DamagedImage(path_, "文件" + text::QuotedName(entryPath) + "为交错存储，不受支持");
  if (folder && (record.Flags & iso::kMultiExtent))
    throw DamagedImage(path_, "目录" + text::QuotedName(entryPath) + "的记录无效");
  CheckExtent(record, entryPath);
  Node node;
  node.Entry.Name = name;
  node.Entry.Attributes = (folder ? kDiscFolderAttributes : kFileAttributes) |
                          ((record.Flags & iso::kHidden) ? platform::faHidden : 0u);
  node.Entry.Size = folder ? 0 : record.Size;
  node.Extents = {record};
  nodes.push_back(std::move(node));
  continues = (record.Flags & iso::kMultiExtent) != 0;
}

std::string IsoImage::NameOf(const iso::DirectoryRecord& record, const std::string& folderPath) {
  const bool folder = (record.Flags & iso::kDirectory) != 0;
  if (joliet_ && record.Identifier.size() % 2 != 0)
    throw DamagedImage(path_, "目录" + text::QuotedName(Shown(folderPath)) + "中的记录无效");
  const std::u16string wide = DecodeIdentifier(record.Identifier, joliet_, folder);
  std::string name;
  if (!platform_.WideToAnsi(wide, name)) {
    // Named as far as it can be: every character without a form shows as "?".
    std::string shown;
    for (const char16_t c : wide) {
      std::string one;
      shown += platform_.WideToAnsi(std::u16string(1, c), one) ? one : "?";
    }
    throw UnrepresentableName(path_, Join(folderPath, shown));
  }
  if (name.empty() || !text::IsSafeFolderName(name))
    throw DamagedImage(path_, "名称" + text::QuotedName(Join(folderPath, name)) + "无效");
  return name;
}

void IsoImage::CheckExtent(const iso::DirectoryRecord& record, const std::string& entryPath) {
  // Block and size are at most 32 bits each: the sum cannot overflow.
  if (record.Size > 0 && (record.Block * iso::kBlockSize + record.Size > size_))
    throw DamagedImage(path_, text::QuotedName(Shown(entryPath)) + "的数据超出映像末尾");
}

void IsoImage::ReadBytes(std::uint64_t offset, char* buffer, std::size_t size) {
  if (offset > size_ || size > size_ - offset || !file_->Seek(static_cast<std::int64_t>(offset)) ||
      !file_->Read(buffer, size))
    throw DamagedImage(path_, "映像不完整");
}

bool HasImageExtension(const std::string& name) {
  return text::UpperAscii(text::ExtractFileExt(name)) == text::UpperAscii(kImageExtension);
}

bool IsImageFile(platform::Platform& platform, const std::string& path) {
  return HasImageExtension(path) && platform::FileExists(platform, path);
}

}  // namespace media
