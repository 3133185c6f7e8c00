#include "platform/fake/FakeShellNamespace.h"

#include <cstring>

#include "text/AnsiText.h"

namespace platform {

const char* const FakeShellNamespace::kMyComputerParsingName = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
const char* const FakeShellNamespace::kNetworkParsingName = "::{208D2C60-3AEA-1069-A2D7-08002B30309D}";
const char* const FakeShellNamespace::kDesktopName = "桌面";
const char* const FakeShellNamespace::kMyComputerName = "我的电脑";
const char* const FakeShellNamespace::kNetworkName = "网上邻居";

struct FakeShellNamespace::Item : ShellItem {
  enum Kind { kDesktop, kMyComputer, kNetwork, kPath };
  Item(Kind k, std::string p) : kind(k), path(std::move(p)) {}
  Kind kind;
  std::string path;  // kPath: "C:\" for a drive, "C:\Data\Sub" for a folder or a zip file
  bool IsDrive() const { return kind == kPath && path.size() == 3; }
};

namespace {

bool IsDot(const std::string& name) { return name == "." || name == ".."; }

bool HasExtension(const std::string& name, const std::string& extension) {
  return text::UpperAscii(text::ExtractFileExt(name)) == text::UpperAscii(extension);
}

// The names between "\" characters; "\" counts only as a whole character.
std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (text::IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      parts.back() += path.substr(i++, 2);
    } else if (path[i] == '\\') {
      parts.emplace_back();
    } else {
      parts.back() += path[i];
    }
  }
  return parts;
}

bool IsValidName(const std::string& name) {
  if (name.empty() || IsDot(name)) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (text::IsLeadByte(c) && i + 1 < name.size()) {
      ++i;
    } else if (c < 32 || std::strchr("\\/:*?\"<>|", c)) {
      return false;
    }
  }
  return true;
}

std::string WithoutFinalBackslash(const std::string& path) {
  std::string result = path;
  while (text::EndsWithBackslash(result)) result.pop_back();
  return result;
}

}  // namespace

const FakeShellNamespace::Item& FakeShellNamespace::Of(const ShellItemPtr& item) {
  return dynamic_cast<const Item&>(*item);
}

std::string FakeShellNamespace::Key(const std::string& name) {
  std::string key = WithoutFinalBackslash(text::UpperAscii(name));
  if (key.size() == 2 && key[1] == ':') key += "\\";
  return key;
}

std::string FakeShellNamespace::KeyOf(const ShellItemPtr& item) {
  switch (Of(item).kind) {
    case Item::kDesktop: return "::DESKTOP";
    case Item::kMyComputer: return kMyComputerParsingName;
    case Item::kNetwork: return kNetworkParsingName;
    case Item::kPath: break;
  }
  return Key(Of(item).path);
}

// --- set-up

void FakeShellNamespace::FailListing(const std::string& path) { failListing_.insert(Key(path)); }
void FakeShellNamespace::RefuseRename(const std::string& path) { refuseRename_.insert(Key(path)); }
void FakeShellNamespace::FailParse(const std::string& name) { failParse_.insert(Key(name)); }

void FakeShellNamespace::SetName(const std::string& path, ShellName kind, const std::string& name) {
  names_[{Key(path), kind}] = name;
}

// --- items and their places

ShellItemPtr FakeShellNamespace::Desktop() { return std::make_shared<Item>(Item::kDesktop, ""); }
ShellItemPtr FakeShellNamespace::MyComputer() { return std::make_shared<Item>(Item::kMyComputer, ""); }

ShellItemPtr FakeShellNamespace::Parent(const ShellItemPtr& item) {
  const Item& i = Of(item);
  switch (i.kind) {
    case Item::kDesktop: return nullptr;
    case Item::kMyComputer:
    case Item::kNetwork: return Desktop();
    case Item::kPath: break;
  }
  if (i.IsDrive()) return MyComputer();
  std::string parent = WithoutFinalBackslash(text::ExtractFilePath(i.path));
  if (parent.size() == 2) parent += "\\";
  return std::make_shared<Item>(Item::kPath, parent);
}

bool FakeShellNamespace::SameItem(const ShellItemPtr& a, const ShellItemPtr& b) { return KeyOf(a) == KeyOf(b); }

std::vector<ShellItemPtr> FakeShellNamespace::Drives() {
  std::vector<ShellItemPtr> drives;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string root = std::string(1, letter) + ":\\";
    if (machine_.DriveTypeOf(root) != kDriveNoRootDir) drives.push_back(std::make_shared<Item>(Item::kPath, root));
  }
  return drives;
}

std::vector<ShellItemPtr> FakeShellNamespace::Entries(const std::string& path, bool includeHidden,
                                                      const std::function<bool(const FindEntry&)>& wanted) {
  std::vector<ShellItemPtr> items;
  const std::string folder = text::IncludeTrailingBackslash(path);
  for (const FindEntry& entry : machine_.ListFolder(folder + "*.*")) {
    if (IsDot(entry.Name) || (!includeHidden && (entry.Attributes & faHidden))) continue;
    if (wanted(entry)) items.push_back(std::make_shared<Item>(Item::kPath, folder + entry.Name));
  }
  return items;
}

// Sub-folders and zip files of a file-system folder, in the machine's order.
std::vector<ShellItemPtr> FakeShellNamespace::FolderEntries(const std::string& path, bool includeHidden) {
  return Entries(path, includeHidden, [](const FindEntry& entry) {
    return (entry.Attributes & faDirectory) || HasExtension(entry.Name, ".zip");
  });
}

bool FakeShellNamespace::IsZip(const Item& item) {
  return item.kind == Item::kPath && !item.IsDrive() && !DirectoryExists(machine_, item.path);
}

bool FakeShellNamespace::IsPlainFile(const Item& item) {
  return IsZip(item) && FileExists(machine_, item.path) && !HasExtension(item.path, ".zip");
}

bool FakeShellNamespace::ListSubFolders(const ShellItemPtr& folder, NativeWindow, std::vector<ShellItemPtr>& items) {
  const std::string name = Name(folder, ShellName::Parsing);
  Listed.push_back(name);
  if (OnListing) OnListing(name);
  items.clear();
  if (failListing_.count(KeyOf(folder))) return false;
  const Item& i = Of(folder);
  switch (i.kind) {
    case Item::kDesktop:
      items = {MyComputer(), std::make_shared<Item>(Item::kNetwork, "")};
      return true;
    case Item::kMyComputer:
      items = Drives();
      return true;
    case Item::kNetwork: return true;
    case Item::kPath: break;
  }
  if (!DirectoryExists(machine_, i.path)) return false;
  items = FolderEntries(i.path, false);
  return true;
}

bool FakeShellNamespace::ListFiles(const ShellItemPtr& folder, NativeWindow, const std::string& extension,
                                   std::vector<ShellItemPtr>& items) {
  items.clear();
  if (failListing_.count(KeyOf(folder))) return false;
  const Item& i = Of(folder);
  if (i.kind != Item::kPath) return true;
  if (!DirectoryExists(machine_, i.path)) return false;
  items = Entries(i.path, false, [&](const FindEntry& entry) {
    return !(entry.Attributes & faDirectory) && HasExtension(entry.Name, extension);
  });
  return true;
}

int FakeShellNamespace::Compare(const ShellItemPtr&, const ShellItemPtr& a, const ShellItemPtr& b) {
  const Item &x = Of(a), &y = Of(b);
  if (x.kind != y.kind) return x.kind < y.kind ? -1 : 1;
  if (IsZip(x) != IsZip(y)) return IsZip(x) ? 1 : -1;
  const std::string nx = text::UpperAscii(x.path), ny = text::UpperAscii(y.path);
  return nx < ny ? -1 : (nx == ny ? 0 : 1);
}

std::uint32_t FakeShellNamespace::Attributes(const ShellItemPtr& item) {
  const Item& i = Of(item);
  if (IsPlainFile(i)) return saCanRename;
  if (i.kind != Item::kPath || IsZip(i)) return saFolder | saHasSubFolders;
  std::uint32_t attributes = saFolder;
  if (!FolderEntries(i.path, false).empty()) attributes |= saHasSubFolders;
  if (!i.IsDrive()) attributes |= saCanRename;
  return attributes;
}

std::string FakeShellNamespace::Name(const ShellItemPtr& item, ShellName kind) {
  const auto named = names_.find({KeyOf(item), kind});
  if (named != names_.end()) return named->second;
  const Item& i = Of(item);
  const bool parsing = kind == ShellName::Parsing;
  switch (i.kind) {
    case Item::kDesktop: return parsing ? DesktopFolder : kDesktopName;
    case Item::kMyComputer: return parsing ? kMyComputerParsingName : kMyComputerName;
    case Item::kNetwork: return parsing ? kNetworkParsingName : kNetworkName;
    case Item::kPath: break;
  }
  if (parsing) return i.path;
  if (!i.IsDrive()) return text::ExtractFileName(i.path);
  const char* label = machine_.DriveTypeOf(i.path) == kDriveCdRom ? "CD 驱动器" : "本地磁盘";
  return std::string(label) + " (" + i.path.substr(0, 2) + ")";
}

std::string FakeShellNamespace::FileSystemPath(const ShellItemPtr& item) {
  const Item& i = Of(item);
  if (i.kind == Item::kDesktop) return DesktopFolder;
  return i.kind == Item::kPath ? i.path : std::string();
}

bool FakeShellNamespace::ParseDisplayName(const std::string& name, ShellItemPtr& item) {
  const std::string key = Key(name);
  if (failParse_.count(key)) return false;
  if (key == kMyComputerParsingName) {
    item = MyComputer();
    return true;
  }
  if (key.size() < 3 || key[1] != ':' || key[2] != '\\') return false;
  std::string path = key.substr(0, 3);
  if (path[0] < 'A' || path[0] > 'Z' || machine_.DriveTypeOf(path) == kDriveNoRootDir) return false;
  std::vector<std::string> names = SplitPath(name.substr(3));
  for (const std::string& wanted : names) {
    if (wanted.empty()) continue;
    bool found = false;
    // The desktop parses the path of a file too.
    for (const ShellItemPtr& entry : Entries(path, true, [](const FindEntry&) { return true; })) {
      const std::string& entryPath = Of(entry).path;
      if (text::UpperAscii(text::ExtractFileName(entryPath)) == text::UpperAscii(wanted)) {
        path = entryPath;
        found = true;
        break;
      }
    }
    if (!found) return false;
  }
  item = std::make_shared<Item>(Item::kPath, path);
  return true;
}

void FakeShellNamespace::MoveTree(const std::string& from, const std::string& to) {
  struct Copier {
    FakePlatform& machine;
    void Copy(const std::string& source, const std::string& target) {
      const std::uint32_t attributes = machine.GetAttributes(source);
      if (!(attributes & faDirectory)) {
        machine.AddFile(target, machine.ReadContents(source), attributes);
        return;
      }
      machine.AddFolder(target, attributes);
      for (const FindEntry& entry : machine.ListFolder(source + "\\*.*")) {
        if (!IsDot(entry.Name)) Copy(source + "\\" + entry.Name, target + "\\" + entry.Name);
      }
    }
  } copier{machine_};
  copier.Copy(from, to);
  machine_.Remove(from);
}

bool FakeShellNamespace::Rename(const ShellItemPtr& item, const std::string& newName, NativeWindow,
                                ShellItemPtr& renamed) {
  const Item& i = Of(item);
  if (!(Attributes(item) & saCanRename) || refuseRename_.count(KeyOf(item)) || !IsValidName(newName) ||
      machine_.DriveTypeOf(i.path) == kDriveCdRom)
    return false;
  const std::string target = text::ExtractFilePath(i.path) + newName;
  // A new name that differs only in letter case is refused too: the fake
  // cannot keep a folder while changing its name's case.
  if (machine_.Exists(target)) return false;
  MoveTree(i.path, target);
  renamed = std::make_shared<Item>(Item::kPath, target);
  return true;
}

int FakeShellNamespace::IconIndex(const ShellItemPtr& item, bool open) {
  const Item& i = Of(item);
  if (i.kind != Item::kPath) return static_cast<int>(i.kind);
  if (i.IsDrive()) return 3;
  if (IsPlainFile(i)) return 7;
  if (IsZip(i)) return 4;
  return open ? 6 : 5;
}

class FakeShellNamespace::Menu : public ShellContextMenu {
 public:
  Menu(FakeShellNamespace& shell, std::string path) : shell_(shell), path_(std::move(path)) {}

  bool Track(int screenX, int screenY, std::string& verb) override {
    MenuRecord record;
    record.Path = path_;
    record.X = screenX;
    record.Y = screenY;
    if (!shell_.nextMenuChoice_.empty()) {
      record.Verb = shell_.nextMenuChoice_.front();
      shell_.nextMenuChoice_.pop_front();
    }
    shell_.Menus.push_back(record);
    index_ = shell_.Menus.size() - 1;
    verb = record.Verb;
    return !verb.empty();
  }

  bool RunChosen(const std::string& currentFolder) override {
    MenuRecord& record = shell_.Menus.at(index_);
    record.Ran = true;
    record.CurrentFolder = currentFolder;
    return shell_.OnRunCommand ? shell_.OnRunCommand(record.Verb, record.Path) : true;
  }

 private:
  FakeShellNamespace& shell_;
  std::string path_;
  std::size_t index_ = 0;
};

std::unique_ptr<ShellContextMenu> FakeShellNamespace::ContextMenu(const ShellItemPtr& item, NativeWindow) {
  return std::make_unique<Menu>(*this, Name(item, ShellName::Parsing));
}

void FakeShellNamespace::OpenDefault(const ShellItemPtr& item) { Opened.push_back(Name(item, ShellName::Parsing)); }

}  // namespace platform
