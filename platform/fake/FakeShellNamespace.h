// An in-memory shell namespace over the fake machine, for tests: the desktop
// holds My Computer and the network; My Computer holds the machine's drives;
// a drive or folder holds the machine's non-hidden folders and, as the shell
// of Windows XP does, its zip files ("*.zip") as folders; its other files are
// listed only when asked for, as files. Names are those of a Chinese Windows;
// failures are armed per folder.
//
// Its order: My Computer before the network, drives by letter, folders
// before zip and other files, then names without regard to ASCII case, so a
// listing (which comes in the machine's creation order) needs sorting.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/ShellNamespace.h"
#include "platform/fake/FakePlatform.h"

namespace platform {

class FakeShellNamespace : public ShellNamespace {
 public:
  static const char* const kMyComputerParsingName;
  static const char* const kNetworkParsingName;
  static const char* const kDesktopName;
  static const char* const kMyComputerName;
  static const char* const kNetworkName;

  explicit FakeShellNamespace(FakePlatform& machine) : machine_(machine) {}

  // The folder behind the desktop: its parsing name and file-system path.
  std::string DesktopFolder = "C:\\Documents and Settings\\User\\桌面";

  // --- set-up. A path names a drive ("D:\") or a folder; My Computer and
  // the network are named by their parsing names.
  // Listing that folder cannot be started.
  void FailListing(const std::string& path);
  // The shell refuses every new name for that folder.
  void RefuseRename(const std::string& path);
  // The desktop cannot parse that display name.
  void FailParse(const std::string& name);
  // Replaces one of the names the shell gives the item.
  void SetName(const std::string& path, ShellName kind, const std::string& name);
  // The command the user picks from the next context menu, by its verb; an
  // empty verb dismisses the menu. Without one the menu is dismissed.
  void ChooseFromNextMenu(const std::string& verb) { nextMenuChoice_.push_back(verb); }
  // Runs when a chosen command runs, with its verb and the item's path; its
  // result is what the shell reports. Without it every command is done and
  // changes nothing.
  std::function<bool(const std::string& verb, const std::string& path)> OnRunCommand;
  // Runs at the start of every listing, with the folder's parsing name.
  std::function<void(const std::string& folder)> OnListing;

  // --- what happened
  struct MenuRecord {
    std::string Path;  // parsing name of the item
    int X = 0, Y = 0;  // where it was shown, on the screen
    std::string Verb;  // the chosen command, if any
    bool Ran = false;
    std::string CurrentFolder;  // the process's current folder while it ran
  };
  std::vector<MenuRecord> Menus;
  std::vector<std::string> Listed;  // parsing names of the folders listed
  std::vector<std::string> Opened;  // parsing names of items opened by their default action

  // --- ShellNamespace
  ShellItemPtr Desktop() override;
  ShellItemPtr MyComputer() override;
  ShellItemPtr Parent(const ShellItemPtr& item) override;
  bool SameItem(const ShellItemPtr& a, const ShellItemPtr& b) override;
  bool ListSubFolders(const ShellItemPtr& folder, NativeWindow owner, std::vector<ShellItemPtr>& items) override;
  bool ListFiles(const ShellItemPtr& folder, NativeWindow owner, const std::string& extension,
                 std::vector<ShellItemPtr>& items) override;
  int Compare(const ShellItemPtr& folder, const ShellItemPtr& a, const ShellItemPtr& b) override;
  std::uint32_t Attributes(const ShellItemPtr& item) override;
  std::string Name(const ShellItemPtr& item, ShellName kind) override;
  std::string FileSystemPath(const ShellItemPtr& item) override;
  bool ParseDisplayName(const std::string& name, ShellItemPtr& item) override;
  bool Rename(const ShellItemPtr& item, const std::string& newName, NativeWindow owner,
              ShellItemPtr& renamed) override;
  void* SmallImages() override { return nullptr; }
  int IconIndex(const ShellItemPtr& item, bool open) override;
  std::unique_ptr<ShellContextMenu> ContextMenu(const ShellItemPtr& item, NativeWindow owner) override;
  void OpenDefault(const ShellItemPtr& item) override;

 private:
  class Menu;
  struct Item;
  static const Item& Of(const ShellItemPtr& item);
  // How the fake tells items apart: the parsing name in upper case, without
  // a final "\" except at a drive's root.
  static std::string Key(const std::string& name);
  std::string KeyOf(const ShellItemPtr& item);
  std::vector<ShellItemPtr> Drives();
  // The entries of a file-system folder that wanted accepts, in the
  // machine's order; hidden ones only when includeHidden.
  std::vector<ShellItemPtr> Entries(const std::string& path, bool includeHidden,
                                    const std::function<bool(const FindEntry&)>& wanted);
  std::vector<ShellItemPtr> FolderEntries(const std::string& path, bool includeHidden);
  // A path that is no folder: a zip file, or one gone since it was listed.
  bool IsZip(const Item& item);
  // A file that the shell lists as a file, not as a folder (no zip file).
  bool IsPlainFile(const Item& item);
  // Copies a folder with everything in it, then removes the original.
  void MoveTree(const std::string& from, const std::string& to);

  FakePlatform& machine_;
  std::set<std::string> failListing_, refuseRename_, failParse_;
  std::map<std::pair<std::string, ShellName>, std::string> names_;
  std::deque<std::string> nextMenuChoice_;
};

}  // namespace platform
