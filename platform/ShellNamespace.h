// The shell's namespace as the folder chooser sees it: the desktop at the top,
// folders below it (My Computer, drives, file-system folders, network
// places), the files of a folder when asked for, their names, icons, order
// and context menus. On Windows it is the real shell (IShellFolder); tests
// use an in-memory namespace. Texts are ANSI (GBK) bytes.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// One item of the namespace, named by its identifier from the desktop. What
// it holds is the implementation's business; copies share it.
class ShellItem {
 public:
  virtual ~ShellItem() = default;
};
using ShellItemPtr = std::shared_ptr<const ShellItem>;

// What the shell reports of an item (SFGAO_FOLDER, _HASSUBFOLDER, _CANRENAME).
enum ShellAttribute : std::uint32_t {
  saFolder = 0x1,
  saHasSubFolders = 0x2,
  saCanRename = 0x4,
};

enum class ShellName {
  Normal,    // as the item's folder shows it on its own (SHGDN_NORMAL)
  InFolder,  // as the item's folder lists it (SHGDN_INFOLDER)
  Parsing,   // the desktop's parsing name of the item (SHGDN_FORPARSING)
};

// A native window that owns the shell's prompts and menus (an HWND on
// Windows); null for none.
using NativeWindow = void*;

// The shell's context menu of one item.
class ShellContextMenu {
 public:
  virtual ~ShellContextMenu() = default;
  // Shows the menu at a point on the screen and waits for the user. True
  // when a command was chosen; verb is then its language-independent name
  // ("open", "rename", "delete", "paste", ...), empty when it has none.
  virtual bool Track(int screenX, int screenY, std::string& verb) = 0;
  // Runs the chosen command. While it runs, the process's current folder is
  // currentFolder (empty: left as it is). True when the shell reports the
  // command done.
  virtual bool RunChosen(const std::string& currentFolder) = 0;
};

class ShellNamespace {
 public:
  virtual ~ShellNamespace() = default;

  virtual ShellItemPtr Desktop() = 0;
  virtual ShellItemPtr MyComputer() = 0;  // the folder that holds the drives
  // The folder that holds item; nullptr for the desktop.
  virtual ShellItemPtr Parent(const ShellItemPtr& item) = 0;
  virtual bool SameItem(const ShellItemPtr& a, const ShellItemPtr& b) = 0;

  // The sub-folders of folder, without files and hidden items, in the order
  // the shell enumerates them. owner owns any prompt the shell raises (a
  // drive without a disc, ...). False when the listing cannot be started.
  virtual bool ListSubFolders(const ShellItemPtr& folder, NativeWindow owner,
                              std::vector<ShellItemPtr>& items) = 0;
  // The files of folder whose names end in extension (such as ".iso", in any
  // letter case), without hidden ones, in the order the shell enumerates
  // them. False when the listing cannot be started.
  virtual bool ListFiles(const ShellItemPtr& folder, NativeWindow owner, const std::string& extension,
                         std::vector<ShellItemPtr>& items) = 0;
  // The order folder itself gives two of its items: <0, 0 or >0.
  virtual int Compare(const ShellItemPtr& folder, const ShellItemPtr& a, const ShellItemPtr& b) = 0;
  virtual std::uint32_t Attributes(const ShellItemPtr& item) = 0;  // ShellAttribute bits
  virtual std::string Name(const ShellItemPtr& item, ShellName kind) = 0;
  // The item's file-system path; empty for an item outside the file system.
  virtual std::string FileSystemPath(const ShellItemPtr& item) = 0;
  // The item that a display name (such as a path) names, parsed by the
  // desktop; false when the shell cannot parse it.
  virtual bool ParseDisplayName(const std::string& name, ShellItemPtr& item) = 0;
  // Gives the item a new in-folder name; renamed is the item under that
  // name. False when the shell refuses it.
  virtual bool Rename(const ShellItemPtr& item, const std::string& newName, NativeWindow owner,
                      ShellItemPtr& renamed) = 0;

  // The shell's small pictures (HIMAGELIST on Windows; null for none) and an
  // item's place in them: its small icon, or its small open icon.
  virtual void* SmallImages() = 0;
  virtual int IconIndex(const ShellItemPtr& item, bool open) = 0;

  // The item's context menu in the explorer variant, with Rename offered;
  // nullptr when the shell has none for it.
  virtual std::unique_ptr<ShellContextMenu> ContextMenu(const ShellItemPtr& item, NativeWindow owner) = 0;
  // Opens the item with its default action, in a hidden window.
  virtual void OpenDefault(const ShellItemPtr& item) = 0;
};

}  // namespace platform
