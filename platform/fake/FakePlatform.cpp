#include "platform/fake/FakePlatform.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/CodePageText.h"
#include "text/AnsiText.h"

namespace platform {

namespace {

// The reasons a Chinese Windows gives for the failures the fake raises.
const char* const kFileNotFound = "系统找不到指定的文件";
const char* const kPathNotFound = "系统找不到指定的路径";
const char* const kAccessDenied = "拒绝访问";
const char* const kInvalidName = "文件名、目录名或卷标语法不正确";

bool StartsWithDrive(const std::string& path) {
  const unsigned char c = path.empty() ? 0 : static_cast<unsigned char>(path[0]);
  return path.size() >= 2 && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && path[1] == ':';
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The longest path the ANSI file functions take: MAX_PATH less the ending NUL.
constexpr std::size_t kMaxPath = 259;

// FindFirstFile's wildcards: "*" any run, "?" any one byte; both upper case.
bool Matches(const char* mask, const char* name) {
  if (*mask == '\0') return *name == '\0';
  if (*mask == '*') return Matches(mask + 1, name) || (*name != '\0' && Matches(mask, name + 1));
  return *name != '\0' && (*mask == '?' || *mask == *name) && Matches(mask + 1, name + 1);
}

std::string RegistryKey(const std::string& key) {
  std::string k = text::UpperAscii(key);
  while (!k.empty() && k.front() == '\\') k.erase(k.begin());
  while (text::EndsWithBackslash(k)) k.pop_back();
  return k;
}

std::uint32_t AddClamped(std::uint32_t a, std::uint32_t b) {
  const std::uint64_t sum = std::uint64_t{a} + b;
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(sum, std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace

// An open file of the fake: reads from, or appends to, the node it was opened on.
class FakePlatform::FakeFile : public File {
 public:
  FakeFile(FakePlatform& owner, std::shared_ptr<Node> node, bool forWriting, std::size_t writeLimit)
      : owner_(owner), node_(std::move(node)), forWriting_(forWriting), writeLimit_(writeLimit) {}

  bool Read(void* buffer, std::size_t count) override {
    const std::string& contents = node_->contents;
    if (forWriting_ || position_ > contents.size() || count > contents.size() - position_) {
      position_ = contents.size();
      return false;
    }
    if (count > 0) std::memcpy(buffer, contents.data() + position_, count);
    position_ += count;
    return true;
  }

  bool Write(const void* buffer, std::size_t count) override {
    Volume* volume = forWriting_ ? owner_.WritableVolumeOf(*node_) : nullptr;
    if (!volume) return false;
    const std::size_t accepted = std::min(count, writeLimit_ - written_);
    if (!owner_.Charge(*volume, *node_, node_->contents.size() + accepted)) return false;
    node_->contents.append(static_cast<const char*>(buffer), accepted);
    written_ += accepted;
    return accepted == count;
  }

  std::int64_t Size() override { return static_cast<std::int64_t>(node_->contents.size()); }

  bool Seek(std::int64_t offset) override {
    if (offset < 0) return false;
    // Past the end is allowed, as on Windows; the next read then fails.
    position_ = static_cast<std::size_t>(std::min<std::uint64_t>(static_cast<std::uint64_t>(offset),
                                                                   std::numeric_limits<std::size_t>::max()));
    return true;
  }

 private:
  FakePlatform& owner_;
  std::shared_ptr<Node> node_;
  bool forWriting_;
  std::size_t writeLimit_;
  std::size_t written_ = 0;
  std::size_t position_ = 0;
};

// --- paths

FakePlatform::Resolved FakePlatform::Resolve(const std::string& path) const {
  std::string full = path;
  if (!StartsWithDrive(full)) {
    if (full.size() >= 2 && IsSeparator(full[0]) && IsSeparator(full[1])) return {};  // UNC
    full = !full.empty() && IsSeparator(full[0]) ? currentFolder_.substr(0, 2) + full
                                                 : text::IncludeTrailingBackslash(currentFolder_) + full;
    if (!StartsWithDrive(full)) return {};
  }
  if (full.size() > kMaxPath) return {};
  Resolved r;
  r.drive = static_cast<char>(text::UpperAscii(full.substr(0, 1))[0]);
  std::string name;
  for (std::size_t i = 2; i <= full.size(); ++i) {
    if (i == full.size() || IsSeparator(full[i])) {
      if (name == "..") {
        if (!r.names.empty()) r.names.pop_back();
      } else if (!name.empty() && name != ".") {
        r.names.push_back(name);
      }
      name.clear();
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(full[i]);
    if (leadBytes_(c) && i + 1 < full.size()) {
      name += full[i];
      name += full[++i];
    } else if (c < 32 || std::strchr("*?\"<>|:", c)) {
      return {};  // no valid name holds these
    } else {
      name += full[i];
    }
  }
  r.valid = true;
  r.key = std::string(1, r.drive) + ":";
  for (const std::string& n : r.names) {
    r.parentKey = r.key;
    r.key += "\\" + text::UpperAscii(n, leadBytes_);
  }
  return r;
}

FakePlatform::Resolved FakePlatform::ResolveForSetUp(const std::string& path) const {
  Resolved r = Resolve(path);
  if (!r.valid || !volumes_.count(r.drive))
    throw std::logic_error("fake platform: no such drive or bad path: " + path);
  return r;
}

FakePlatform::Node* FakePlatform::Find(const std::string& key) const {
  const auto it = nodes_.find(key);
  return it == nodes_.end() ? nullptr : it->second.get();
}

bool FakePlatform::IsFolderKey(const std::string& key) const {
  if (key.size() == 2) return volumes_.count(key[0]) > 0;  // a drive's root
  const Node* node = Find(key);
  return node && node->folder;
}

FakePlatform::Volume* FakePlatform::WritableParent(const Resolved& r) {
  const auto it = volumes_.find(r.drive);
  if (!r.valid || r.names.empty() || it == volumes_.end() || it->second.type == kDriveCdRom) return nullptr;
  return IsFolderKey(r.parentKey) ? &it->second : nullptr;
}

FakePlatform::Volume* FakePlatform::WritableVolumeOf(const Node& node) {
  const auto it = volumes_.find(node.drive);
  return it == volumes_.end() || it->second.type == kDriveCdRom ? nullptr : &it->second;
}

// --- space

DiskSpace FakePlatform::DefaultSpace() {
  DiskSpace space;
  space.SectorsPerCluster = 8;
  space.BytesPerSector = 512;
  space.FreeClusters = 1u << 20;
  space.TotalClusters = 1u << 21;
  return space;
}

std::uint64_t FakePlatform::Room(const Volume& v, const Node* file) const {
  const std::uint64_t clusterSize = std::uint64_t{v.space.SectorsPerCluster} * v.space.BytesPerSector;
  return (std::uint64_t{v.space.FreeClusters} + (file ? file->clusters : 0)) * clusterSize;
}

bool FakePlatform::Charge(Volume& v, Node& file, std::uint64_t newSize) {
  const std::uint64_t clusterSize = std::uint64_t{v.space.SectorsPerCluster} * v.space.BytesPerSector;
  const std::uint64_t needed = (newSize + clusterSize - 1) / clusterSize;
  if (needed > std::uint64_t{v.space.FreeClusters} + file.clusters) return false;
  v.space.FreeClusters = needed > file.clusters
                             ? v.space.FreeClusters - static_cast<std::uint32_t>(needed - file.clusters)
                             : AddClamped(v.space.FreeClusters, file.clusters - static_cast<std::uint32_t>(needed));
  file.clusters = static_cast<std::uint32_t>(needed);
  return true;
}

void FakePlatform::StoreContents(Volume& v, Node& file, std::string contents) {
  contents.resize(std::min<std::uint64_t>(contents.size(), Room(v, &file)));
  Charge(v, file, contents.size());
  file.contents = std::move(contents);
}

bool FakePlatform::WriteInSteps(Volume& v, const std::string& key, const std::string& contents,
                                const CopyProgress& progress) {
  // Held, so that the file outlives whatever progress does to the machine.
  const std::shared_ptr<Node> file = nodes_.at(key);
  Charge(v, *file, 0);
  file->contents.clear();
  const auto total = static_cast<std::int64_t>(contents.size());
  for (std::size_t written = 0;;) {
    if (!progress(static_cast<std::int64_t>(written), total)) {
      const auto it = nodes_.find(key);
      if (it != nodes_.end() && it->second == file) Erase(key);
      return false;
    }
    if (written == contents.size()) return true;
    const std::size_t piece = std::min(copyStepBytes_, contents.size() - written);
    if (!Charge(v, *file, written + piece)) return true;
    file->contents.append(contents, written, piece);
    written += piece;
    steadyMilliseconds_ += copyStepMilliseconds_;
  }
}

// --- set-up

void FakePlatform::AddDrive(char letter, int driveType, const DiskSpace& space) {
  const std::string root = std::string(1, letter) + ":";
  if (!StartsWithDrive(root) || space.SectorsPerCluster == 0 || space.BytesPerSector == 0)
    throw std::logic_error("fake platform: bad drive " + root);
  const char drive = text::UpperAscii(root)[0];
  if (volumes_.count(drive)) throw std::logic_error("fake platform: drive added twice: " + root);
  volumes_[drive] = Volume{driveType, space};
}

DiskSpace& FakePlatform::Space(char letter) {
  const auto it = volumes_.find(text::UpperAscii(std::string(1, letter))[0]);
  if (it == volumes_.end()) throw std::logic_error("fake platform: no drive " + std::string(1, letter));
  return it->second.space;
}

FakePlatform::Node& FakePlatform::Put(const Resolved& r, bool folder, std::uint32_t attributes) {
  auto node = std::make_shared<Node>();
  node->name = r.names.back();
  node->parent = r.parentKey;
  node->folder = folder;
  node->attributes = folder ? (attributes | faDirectory) : (attributes & ~std::uint32_t{faDirectory});
  node->drive = r.drive;
  node->order = nextOrder_++;
  Node& result = *node;
  nodes_[r.key] = std::move(node);
  return result;
}

void FakePlatform::Erase(const std::string& key) {
  std::vector<std::string> children;
  for (const auto& entry : nodes_)
    if (entry.second->parent == key) children.push_back(entry.first);
  for (const std::string& child : children) Erase(child);
  const auto it = nodes_.find(key);
  if (it == nodes_.end()) return;
  Volume& volume = volumes_.at(it->second->drive);
  volume.space.FreeClusters = AddClamped(volume.space.FreeClusters, it->second->clusters);
  nodes_.erase(it);
}

void FakePlatform::AddParentFolders(const Resolved& r) {
  std::string path = std::string(1, r.drive) + ":";
  for (std::size_t i = 0; i + 1 < r.names.size(); ++i) {
    path += "\\" + r.names[i];
    const Resolved folder = Resolve(path);
    const Node* existing = Find(folder.key);
    if (existing && !existing->folder) throw std::logic_error("fake platform: a file stands in the way: " + path);
    if (!existing) Put(folder, true, faDirectory);
  }
}

void FakePlatform::AddFolder(const std::string& path, std::uint32_t attributes) {
  const Resolved r = ResolveForSetUp(path);
  if (r.names.empty()) return;  // a drive's root is always there
  AddParentFolders(r);
  if (Node* existing = Find(r.key)) {
    if (existing->folder) {
      existing->attributes = attributes | faDirectory;
      return;
    }
    Erase(r.key);
  }
  Put(r, true, attributes);
}

void FakePlatform::AddFile(const std::string& path, const std::string& contents, std::uint32_t attributes) {
  const Resolved r = ResolveForSetUp(path);
  if (r.names.empty()) throw std::logic_error("fake platform: a drive's root is not a file: " + path);
  AddParentFolders(r);
  Erase(r.key);
  Volume& volume = volumes_.at(r.drive);
  Node& file = Put(r, false, attributes);
  // All of the contents, even where the volume is described as full; it holds
  // the clusters that were free.
  Charge(volume, file, std::min<std::uint64_t>(contents.size(), Room(volume, &file)));
  file.contents = contents;
}

bool FakePlatform::Remove(const std::string& path) {
  const Resolved r = ResolveForSetUp(path);
  if (r.names.empty()) {  // the whole drive, as when a disc is taken out
    std::vector<std::string> all;
    for (const auto& entry : nodes_)
      if (entry.second->drive == r.drive) all.push_back(entry.first);
    for (const std::string& key : all) Erase(key);
    return !all.empty();
  }
  if (!Find(r.key)) return false;
  Erase(r.key);
  return true;
}

bool FakePlatform::Exists(const std::string& path) const {
  const Resolved r = Resolve(path);
  return r.valid && (IsFolderKey(r.key) || Find(r.key));
}

std::string FakePlatform::ReadContents(const std::string& path) const {
  const Node* node = Find(Resolve(path).key);
  if (!node || node->folder) throw std::logic_error("fake platform: no such file: " + path);
  return node->contents;
}

void FakePlatform::SetMachineValue(const std::string& key, const std::string& value, const std::string& data,
                                   bool isString) {
  AddMachineKey(key);
  registryValues_[{RegistryKey(key), text::UpperAscii(value)}] = RegistryValue{data, isString};
}

void FakePlatform::AddMachineKey(const std::string& key) { registryKeys_.insert(RegistryKey(key)); }

void FakePlatform::SetCopySteps(std::size_t bytes, std::int64_t milliseconds) {
  if (bytes == 0) throw std::logic_error("fake platform: a copy step of no bytes");
  copyStepBytes_ = bytes;
  copyStepMilliseconds_ = milliseconds;
}

void FakePlatform::AddRunningInstance(const std::string& name, const std::string& caption) {
  instances_.insert(name);
  windows_.insert(caption);
}

// --- failure injection

void FakePlatform::FailCopy(const std::string& path, int times) { failingCopies_[ResolveForSetUp(path).key] = times; }

void FakePlatform::FailOpen(const std::string& path) { failingOpens_.insert(ResolveForSetUp(path).key); }

void FakePlatform::FailWriteAfter(const std::string& path, std::size_t bytes) {
  writeLimits_[ResolveForSetUp(path).key] = bytes;
}

void FakePlatform::KillDuringCopy(const std::string& path, std::size_t bytes) {
  killedCopies_[ResolveForSetUp(path).key] = bytes;
}

bool FakePlatform::Consume(std::map<std::string, int>& counts, const std::string& key) {
  const auto it = counts.find(key);
  if (it == counts.end()) return false;
  if (it->second != kAlways && --it->second <= 0) counts.erase(it);
  return true;
}

// --- Platform: process

bool FakePlatform::SameFolder(const std::string& a, const std::string& b) {
  const Resolved ra = Resolve(a), rb = Resolve(b);
  return ra.valid && rb.valid && ra.key == rb.key;
}

bool FakePlatform::ShellOpen(const std::string& file, const std::string& parameters) {
  shellCalls_.push_back(ShellCall{file, parameters});
  return shellOpenResult_;
}

bool FakePlatform::ClaimInstance(const std::string& name) { return instances_.insert(name).second; }

bool FakePlatform::InstanceRunning(const std::string& name) { return instances_.count(name) > 0; }

bool FakePlatform::BringWindowToFront(const std::string& caption) {
  if (!windows_.count(caption)) return false;
  windowsBroughtToFront_.push_back(caption);
  return true;
}

// --- Platform: files and folders

std::vector<FindEntry> FakePlatform::ListFolder(const std::string& pattern) {
  std::string mask = text::UpperAscii(text::ExtractFileName(pattern, leadBytes_), leadBytes_);
  const Resolved folder = Resolve(text::ExtractFilePath(pattern, leadBytes_));
  if (mask.empty() || pattern.size() > kMaxPath || !folder.valid || !IsFolderKey(folder.key)) return {};
  if (mask == "*.*") mask = "*";  // as FindFirstFile: also names without a dot

  std::vector<FindEntry> entries;
  if (!folder.names.empty()) {
    const Node* parent = Find(folder.parentKey);
    entries.push_back({".", Find(folder.key)->attributes, 0});
    entries.push_back({"..", parent ? parent->attributes : std::uint32_t{faDirectory}, 0});
  }
  std::vector<const Node*> children;
  for (const auto& entry : nodes_)
    if (entry.second->parent == folder.key) children.push_back(entry.second.get());
  std::sort(children.begin(), children.end(), [](const Node* a, const Node* b) { return a->order < b->order; });
  for (const Node* child : children)
    entries.push_back({child->name, child->attributes, static_cast<std::int64_t>(child->contents.size())});

  entries.erase(std::remove_if(entries.begin(), entries.end(),
                               [&](const FindEntry& e) {
                                 return !Matches(mask.c_str(), text::UpperAscii(e.Name, leadBytes_).c_str());
                               }),
                entries.end());
  if (AfterList) AfterList(pattern, entries);
  return entries;
}

std::uint32_t FakePlatform::GetAttributes(const std::string& path) {
  const Resolved r = Resolve(path);
  if (!r.valid) return kInvalidAttributes;
  if (r.names.empty()) return volumes_.count(r.drive) ? std::uint32_t{faDirectory} : kInvalidAttributes;
  const Node* node = Find(r.key);
  return node ? node->attributes : kInvalidAttributes;
}

bool FakePlatform::SetAttributes(const std::string& path, std::uint32_t attributes) {
  const Resolved r = Resolve(path);
  Node* node = Find(r.key);
  if (!node || !WritableVolumeOf(*node)) return false;
  // The folder bit is not an attribute one can set or clear.
  node->attributes = (attributes & ~std::uint32_t{faDirectory}) | (node->folder ? std::uint32_t{faDirectory} : 0u);
  return true;
}

bool FakePlatform::CreateFolder(const std::string& path) {
  const Resolved r = Resolve(path);
  if (!WritableParent(r) || Find(r.key)) return false;
  Put(r, true, faDirectory);
  return true;
}

bool FakePlatform::CopyFileTo(const std::string& source, const std::string& target, bool failIfExists,
                            const CopyProgress& progress) {
  if (BeforeCopy) BeforeCopy(source, target);
  const Resolved from = Resolve(source), to = Resolve(target);
  if (Consume(failingCopies_, from.key) || Consume(failingCopies_, to.key)) return false;

  const Node* original = Find(from.key);
  Volume* volume = WritableParent(to);
  if (!original || original->folder || !volume || from.key == to.key) return false;
  Node* existing = Find(to.key);
  if (existing && (existing->folder || failIfExists || (existing->attributes & (faReadOnly | faHidden))))
    return false;
  const std::string contents = original->contents;
  const std::uint32_t attributes = original->attributes;

  for (const std::string& key : {from.key, to.key}) {
    const auto killed = killedCopies_.find(key);
    if (killed == killedCopies_.end()) continue;
    const std::size_t written = std::min(killed->second, contents.size());
    killedCopies_.erase(killed);
    StoreContents(*volume, existing ? *existing : Put(to, false, faArchive), contents.substr(0, written));
    throw ProcessKilled{target};
  }

  const bool fits = contents.size() <= Room(*volume, existing);
  if (!fits && !keepPartialCopies_) return false;  // a full disk; the target stays as it was
  if (!existing) Put(to, false, faArchive);
  if (progress && !WriteInSteps(*volume, to.key, contents, progress)) return false;
  // Found again: progress may have changed the machine.
  Node* copy = Find(to.key);
  if (!copy || copy->folder) return false;
  StoreContents(*volume, *copy, contents);
  copy->attributes = attributes;
  return fits;
}

bool FakePlatform::RenameFile(const std::string& source, const std::string& target) {
  const Resolved from = Resolve(source), to = Resolve(target);
  const Node* original = Find(from.key);
  if (!original || original->folder || !WritableVolumeOf(*original) || !WritableParent(to) ||
      from.drive != to.drive || Find(to.key))
    return false;
  std::shared_ptr<Node> node = nodes_.at(from.key);
  nodes_.erase(from.key);
  node->name = to.names.back();
  node->parent = to.parentKey;
  node->order = nextOrder_++;
  nodes_[to.key] = std::move(node);
  return true;
}

bool FakePlatform::RemoveFile(const std::string& path) {
  const Resolved r = Resolve(path);
  const Node* node = Find(r.key);
  if (!node || node->folder || (node->attributes & faReadOnly) || !WritableVolumeOf(*node)) return false;
  Erase(r.key);
  return true;
}

std::unique_ptr<File> FakePlatform::OpenRead(const std::string& path) {
  const Resolved r = Resolve(path);
  if (!r.valid) throw OpenError(false, path, kInvalidName);
  if (failingOpens_.count(r.key)) throw OpenError(false, path, kAccessDenied);
  if (!IsFolderKey(r.parentKey)) throw OpenError(false, path, kPathNotFound);
  const auto it = nodes_.find(r.key);
  if (it == nodes_.end()) throw OpenError(false, path, kFileNotFound);
  if (it->second->folder) throw OpenError(false, path, kAccessDenied);
  return std::make_unique<FakeFile>(*this, it->second, false, 0);
}

std::unique_ptr<File> FakePlatform::OpenWrite(const std::string& path) {
  const Resolved r = Resolve(path);
  if (!r.valid) throw OpenError(true, path, kInvalidName);
  if (failingOpens_.count(r.key)) throw OpenError(true, path, kAccessDenied);
  if (!IsFolderKey(r.parentKey)) throw OpenError(true, path, kPathNotFound);
  Volume* volume = WritableParent(r);
  if (!volume) throw OpenError(true, path, kAccessDenied);
  if (Node* existing = Find(r.key)) {
    // Create-or-truncate fails on a folder and on a read-only or hidden file.
    if (existing->folder || (existing->attributes & (faReadOnly | faHidden)))
      throw OpenError(true, path, kAccessDenied);
    Charge(*volume, *existing, 0);
    existing->contents.clear();
    existing->attributes = faArchive;
  } else {
    Put(r, false, faArchive);
  }
  const auto limit = writeLimits_.find(r.key);
  return std::make_unique<FakeFile>(*this, nodes_.at(r.key), true,
                                    limit == writeLimits_.end() ? std::numeric_limits<std::size_t>::max()
                                                                : limit->second);
}

// --- Platform: drives, registry, locale

int FakePlatform::DriveTypeOf(const std::string& root) {
  const Resolved r = Resolve(root);
  const auto it = volumes_.find(r.drive);
  return r.valid && it != volumes_.end() ? it->second.type : kDriveNoRootDir;
}

bool FakePlatform::DiskSpaceOf(const std::string& root, DiskSpace& space) {
  const Resolved r = Resolve(root);
  const auto it = volumes_.find(r.drive);
  if (!r.valid || it == volumes_.end()) return false;
  space = it->second.space;
  return true;
}

RegistryRead FakePlatform::ReadMachineString(const std::string& key, const std::string& value,
                                             std::string& result) {
  const std::string k = RegistryKey(key);
  if (!registryKeys_.count(k)) return RegistryRead::KeyMissing;
  const auto it = registryValues_.find({k, text::UpperAscii(value)});
  if (it == registryValues_.end()) return RegistryRead::ValueMissing;
  if (!it->second.isString) return RegistryRead::NotAString;
  result = it->second.data;
  return RegistryRead::Ok;
}

int FakePlatform::CompareTextNoCase(const std::string& a, const std::string& b) {
  const int c = text::UpperAscii(a).compare(text::UpperAscii(b));
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

std::string FakePlatform::AnsiToUtf8(const std::string& ansi) { return CodePageToUtf8(ansi, kGbkCodePage); }
void FakePlatform::AddAnsiCharacters(const std::u16string& wide, const std::string& ansi) {
  std::size_t at = 0;
  for (const char16_t unit : wide) {
    if (at >= ansi.size()) throw std::logic_error("fewer ANSI characters than UTF-16 units");
    const std::size_t length = text::IsLeadByte(static_cast<unsigned char>(ansi[at])) ? 2 : 1;
    ansiCharacters_[unit] = ansi.substr(at, length);
    at += length;
  }
  if (at != ansi.size()) throw std::logic_error("more ANSI characters than UTF-16 units");
}

bool FakePlatform::WideToAnsi(const std::u16string& wide, std::string& ansi) {
  std::string result;
  for (const char16_t unit : wide) {
    if (unit < 0x80) {
      result += static_cast<char>(unit);
      continue;
    }
    const auto known = ansiCharacters_.find(unit);
    if (known == ansiCharacters_.end()) return false;
    result += known->second;
  }
  ansi = std::move(result);
  return true;
}

}  // namespace platform
