#include "platform/win32/Win32ShellNamespace.h"

#include "platform/win32/ShellPointers.h"
#include "platform/win32/Win32ShellContextMenu.h"
#include "text/AnsiText.h"
// After ShellPointers.h: these need <windows.h>.
#include <shellapi.h>
#include <shlwapi.h>

namespace platform {

using win32::ComPtr;
using win32::ItemIdList;

namespace {

// An item: its identifier list from the desktop.
struct PidlItem : ShellItem {
  explicit PidlItem(ItemIdList list) : pidl(std::move(list)) {}
  ItemIdList pidl;
};

LPITEMIDLIST ListOf(const ShellItemPtr& item) { return static_cast<const PidlItem&>(*item).pidl.Get(); }

ShellItemPtr Wrap(ItemIdList list) {
  if (!list.Get()) return nullptr;
  return std::make_shared<PidlItem>(std::move(list));
}

ShellItemPtr SpecialFolder(int csidl) {
  ItemIdList list;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, list.Receive()))) return nullptr;
  return Wrap(std::move(list));
}

bool IsDesktop(const ShellItemPtr& item) {
  const LPITEMIDLIST list = ListOf(item);
  return !list || list->mkid.cb == 0;
}

ComPtr<IShellFolder> DesktopFolder() {
  ComPtr<IShellFolder> desktop;
  ::SHGetDesktopFolder(desktop.Receive());
  return desktop;
}

// The folder an item stands for (the desktop for the empty list).
ComPtr<IShellFolder> BindFolder(const ShellItemPtr& item) {
  ComPtr<IShellFolder> desktop = DesktopFolder();
  if (IsDesktop(item) || !desktop) return desktop;
  ComPtr<IShellFolder> folder;
  desktop->BindToObject(ListOf(item), nullptr, IID_IShellFolder, folder.ReceiveVoid());
  return folder;
}

// The folder that holds an item and the item's last identifier in it.
struct ParentAndChild {
  ComPtr<IShellFolder> folder;
  LPCITEMIDLIST child = nullptr;
};
ParentAndChild BindParent(const ShellItemPtr& item) {
  ParentAndChild result;
  if (FAILED(::SHBindToParent(ListOf(item), IID_IShellFolder, result.folder.ReceiveVoid(), &result.child))) {
    result.folder.Reset();
  }
  return result;
}

std::string NameFrom(IShellFolder* folder, LPCITEMIDLIST child, SHGDNF flags) {
  STRRET name{};
  if (!folder || FAILED(folder->GetDisplayNameOf(child, flags, &name))) return {};
  char buffer[MAX_PATH * 2] = {};
  // Frees a name the shell allocated.
  if (FAILED(::StrRetToBufA(&name, child, buffer, sizeof buffer))) return {};
  return buffer;
}

std::wstring Wide(const std::string& text) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(length, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
  wide.resize(length - 1);
  return wide;
}

}  // namespace

ShellItemPtr Win32ShellNamespace::Desktop() { return SpecialFolder(CSIDL_DESKTOP); }
ShellItemPtr Win32ShellNamespace::MyComputer() { return SpecialFolder(CSIDL_DRIVES); }

ShellItemPtr Win32ShellNamespace::Parent(const ShellItemPtr& item) {
  if (IsDesktop(item)) return nullptr;
  ItemIdList parent(::ILClone(ListOf(item)));
  if (!parent.Get()) return nullptr;
  ::ILRemoveLastID(parent.Get());
  return Wrap(std::move(parent));
}

bool Win32ShellNamespace::SameItem(const ShellItemPtr& a, const ShellItemPtr& b) {
  return ::ILIsEqual(ListOf(a), ListOf(b)) != FALSE;
}

namespace {

// The items of folder that EnumObjects gives with flags, in its order, those
// that keep accepts.
template <typename Keep>
bool Enumerate(const ShellItemPtr& folder, NativeWindow owner, SHCONTF flags, Keep keep,
               std::vector<ShellItemPtr>& items) {
  items.clear();
  ComPtr<IShellFolder> shellFolder = BindFolder(folder);
  ComPtr<IEnumIDList> listing;
  if (!shellFolder || shellFolder->EnumObjects(static_cast<HWND>(owner), flags, listing.Receive()) != S_OK || !listing)
    return false;
  ItemIdList child;
  ULONG fetched = 0;
  while (listing->Next(1, child.Receive(), &fetched) == S_OK && fetched == 1) {
    ShellItemPtr item = Wrap(ItemIdList(::ILCombine(ListOf(folder), child.Get())));
    if (item && keep(item)) items.push_back(item);
  }
  return true;
}

}  // namespace

bool Win32ShellNamespace::ListSubFolders(const ShellItemPtr& folder, NativeWindow owner,
                                         std::vector<ShellItemPtr>& items) {
  return Enumerate(folder, owner, SHCONTF_FOLDERS, [](const ShellItemPtr&) { return true; }, items);
}

bool Win32ShellNamespace::ListFiles(const ShellItemPtr& folder, NativeWindow owner, const std::string& extension,
                                    std::vector<ShellItemPtr>& items) {
  // Only files of the file system have a name whose extension can be read;
  // the shell counts some folders (zip files) among files too.
  const std::string wanted = text::UpperAscii(extension);
  return Enumerate(
      folder, owner, SHCONTF_NONFOLDERS,
      [&](const ShellItemPtr& item) {
        return !(Attributes(item) & saFolder) && text::UpperAscii(text::ExtractFileExt(FileSystemPath(item))) == wanted;
      },
      items);
}

int Win32ShellNamespace::Compare(const ShellItemPtr& folder, const ShellItemPtr& a, const ShellItemPtr& b) {
  ComPtr<IShellFolder> shellFolder = BindFolder(folder);
  if (!shellFolder) return 0;
  const HRESULT result = shellFolder->CompareIDs(0, ::ILFindLastID(ListOf(a)), ::ILFindLastID(ListOf(b)));
  return FAILED(result) ? 0 : static_cast<short>(HRESULT_CODE(result));
}

std::uint32_t Win32ShellNamespace::Attributes(const ShellItemPtr& item) {
  if (IsDesktop(item)) return saFolder | saHasSubFolders;
  const ParentAndChild parent = BindParent(item);
  LPCITEMIDLIST child = parent.child;
  SFGAOF attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_CANRENAME;
  if (!parent.folder || FAILED(parent.folder->GetAttributesOf(1, &child, &attributes))) return 0;
  std::uint32_t result = 0;
  if (attributes & SFGAO_FOLDER) result |= saFolder;
  if (attributes & SFGAO_HASSUBFOLDER) result |= saHasSubFolders;
  if (attributes & SFGAO_CANRENAME) result |= saCanRename;
  return result;
}

std::string Win32ShellNamespace::Name(const ShellItemPtr& item, ShellName kind) {
  if (kind == ShellName::Parsing || IsDesktop(item)) {
    const SHGDNF flags = kind == ShellName::Parsing ? SHGDN_FORPARSING : SHGDN_NORMAL;
    return NameFrom(DesktopFolder().Get(), ListOf(item), flags);
  }
  const ParentAndChild parent = BindParent(item);
  return NameFrom(parent.folder.Get(), parent.child, kind == ShellName::InFolder ? SHGDN_INFOLDER : SHGDN_NORMAL);
}

std::string Win32ShellNamespace::FileSystemPath(const ShellItemPtr& item) {
  char path[MAX_PATH] = {};
  return ::SHGetPathFromIDListA(ListOf(item), path) ? std::string(path) : std::string();
}

bool Win32ShellNamespace::ParseDisplayName(const std::string& name, ShellItemPtr& item) {
  ComPtr<IShellFolder> desktop = DesktopFolder();
  std::wstring wide = Wide(name);
  ItemIdList list;
  if (!desktop || wide.empty() ||
      FAILED(desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, list.Receive(), nullptr)) || !list.Get())
    return false;
  item = Wrap(std::move(list));
  return true;
}

bool Win32ShellNamespace::Rename(const ShellItemPtr& item, const std::string& newName, NativeWindow owner,
                                 ShellItemPtr& renamed) {
  const ParentAndChild parent = BindParent(item);
  const std::wstring wide = Wide(newName);
  ItemIdList newChild;
  if (!parent.folder || wide.empty() ||
      FAILED(parent.folder->SetNameOf(static_cast<HWND>(owner), parent.child, wide.c_str(), SHGDN_INFOLDER,
                                      newChild.Receive())))
    return false;
  const ShellItemPtr folder = Parent(item);
  if (newChild.Get() && folder) {
    renamed = Wrap(ItemIdList(::ILCombine(ListOf(folder), newChild.Get())));
    return renamed != nullptr;
  }
  // A folder that gives no new identifier: find the item by its new name.
  return folder && ParseDisplayName(Name(folder, ShellName::Parsing) + "\\" + newName, renamed);
}

void* Win32ShellNamespace::SmallImages() {
  SHFILEINFOA info{};
  const ShellItemPtr desktop = Desktop();
  if (!desktop) return nullptr;
  return reinterpret_cast<void*>(::SHGetFileInfoA(reinterpret_cast<LPCSTR>(ListOf(desktop)), 0, &info, sizeof info,
                                                  SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

int Win32ShellNamespace::IconIndex(const ShellItemPtr& item, bool open) {
  SHFILEINFOA info{};
  const UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
  if (!::SHGetFileInfoA(reinterpret_cast<LPCSTR>(ListOf(item)), 0, &info, sizeof info, flags)) return -1;
  return info.iIcon;
}

std::unique_ptr<ShellContextMenu> Win32ShellNamespace::ContextMenu(const ShellItemPtr& item, NativeWindow owner) {
  if (IsDesktop(item)) return nullptr;
  const ParentAndChild parent = BindParent(item);
  ComPtr<IContextMenu> menu;
  LPCITEMIDLIST child = parent.child;
  if (!parent.folder || FAILED(parent.folder->GetUIObjectOf(static_cast<HWND>(owner), 1, &child, IID_IContextMenu,
                                                            nullptr, menu.ReceiveVoid())))
    return nullptr;
  return std::make_unique<win32::Win32ShellContextMenu>(std::move(menu), static_cast<HWND>(owner));
}

void Win32ShellNamespace::OpenDefault(const ShellItemPtr& item) {
  SHELLEXECUTEINFOA execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_IDLIST;
  execute.lpIDList = ListOf(item);
  execute.nShow = SW_HIDE;
  ::ShellExecuteExA(&execute);
}

}  // namespace platform
