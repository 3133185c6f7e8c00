// The folder tree of the folder chooser: a tree view over the shell's
// namespace with the desktop as its only top-level node. Sub-folders are read
// from the shell when a node is first expanded, in the order the shell gives
// that folder; each node knows its shell item, from which its text, icons and
// path come. On request the tree lists the files of one kind (disc images)
// too, as leaves that can be chosen but are never opened.
#pragma once
#include <map>
#include <string>

#include "platform/ShellNamespace.h"
#include "ui/TreeView.h"

namespace dialogs {

class TSkinDirTreeView : public ui::TreeView {
 public:
  // Builds the desktop node, expanded and selected. With a fileExtension
  // (".iso"), the files whose names end in it are listed after the
  // sub-folders of each folder.
  TSkinDirTreeView(ui::WinControl* parent, std::string name, platform::ShellNamespace& shell,
                   std::string fileExtension = "");

  platform::ShellNamespace& Shell() const { return shell_; }
  const platform::ShellItemPtr& ItemOf(const ui::TreeNode& node) const;
  // Whether the node is one of the listed files: a leaf that is never
  // expanded nor opened by the shell (opening a disc image would mount it).
  bool IsFileNode(const ui::TreeNode& node) const { return nodes_.at(&node).file; }
  // The chosen folder as the chooser hands it back: the full path of a
  // file-system folder (a drive's root with its "\"), otherwise the shell's
  // display name (My Computer, ...).
  std::string PathOf(const ui::TreeNode& node);

  // Selects My Computer and expands it.
  void SelectMyComputer();
  // Expands the tree down to the folder that path names and selects it; when
  // the tree cannot reach it (a folder inside a hidden one, ...) nothing is
  // selected. Raises an error when the shell cannot parse path.
  void OpenPath(const std::string& path);

  // Reads the sub-folders of a node again, keeping which of them were
  // expanded, the selection and the scroll position.
  void Refresh(ui::TreeNode* node);
  // Lets a node stand for another item (the same folder renamed).
  void Rebind(ui::TreeNode* node, const platform::ShellItemPtr& item);
  void RemoveNode(ui::TreeNode* node);

  // The native window that owns the shell's prompts and menus.
  platform::NativeWindow OwnerWindow();

 private:
  struct NodeInfo {
    platform::ShellItemPtr item;
    bool listed = false;  // whether its sub-folders have been read
    bool file = false;    // one of the listed files
  };

  ui::TreeNode* AddItemNode(ui::TreeNode* parent, const platform::ShellItemPtr& item, bool file);
  // Whether a node shows an expand button before its children are read.
  bool MayHaveChildren(const platform::ShellItemPtr& item, bool file);
  void NodeExpanding(ui::TreeNode* node);
  // Whether expanding the item lists its sub-folders; other items (a zip
  // file that the shell counts among folders) are opened by the shell.
  bool IsListableFolder(const platform::ShellItemPtr& item);
  void ListChildren(ui::TreeNode* node);
  void RemoveChildren(ui::TreeNode* node);
  void Forget(const ui::TreeNode* node);
  // The node of item: start itself, or else the first one below it in depth
  // -first order; nullptr when none is there.
  ui::TreeNode* FindFrom(ui::TreeNode* start, const platform::ShellItemPtr& item);
  bool IsBelow(const ui::TreeNode* node, const ui::TreeNode* ancestor) const;
  std::string TextOf(const platform::ShellItemPtr& item, bool isRoot);
  // Names that the shell gives as a class identifier ("::{...}") are
  // replaced by the item's normal name; a name starting with "?" and a digit
  // loses every "?".
  std::string Readable(const platform::ShellItemPtr& item, std::string name);

  platform::ShellNamespace& shell_;
  const std::string fileExtension_;
  std::map<const ui::TreeNode*, NodeInfo> nodes_;
};

}  // namespace dialogs
