#include "dialogs/DirTreeShellCommands.h"

#include <stdexcept>

#include "text/AnsiText.h"

namespace dialogs {

using platform::ShellItemPtr;

DirTreeShellCommands::DirTreeShellCommands(TSkinDirTreeView& tree, platform::Platform& files)
    : tree_(tree), files_(files) {
  tree_.OnContextPopup = [this](ui::Point at, ui::Point screenAt) { ContextPopup(at, screenAt); };
  tree_.OnEdited = [this](ui::TreeNode* node, std::string& newText, bool& accept) {
    Edited(node, newText, accept);
  };
}

void DirTreeShellCommands::ContextPopup(ui::Point at, ui::Point screenAt) {
  ui::TreeNode* node = tree_.NodeAt(at);
  if (!node) return;
  tree_.SetSelected(node);
  // A listed file has no menu: its default command would mount a disc image.
  if (tree_.IsFileNode(*node)) return;
  platform::ShellNamespace& shell = tree_.Shell();
  const ShellItemPtr item = tree_.ItemOf(*node);
  const std::unique_ptr<platform::ShellContextMenu> menu = shell.ContextMenu(item, tree_.OwnerWindow());
  std::string verb;
  if (!menu || !menu->Track(screenAt.X, screenAt.Y, verb)) return;
  verb = text::UpperAscii(verb);
  if (verb == "RENAME") {
    tree_.StartEdit(node);
    return;
  }
  // Read before the command runs: afterwards the folder may be gone.
  const std::string path = tree_.PathOf(*node);
  std::string currentFolder;
  if (verb == "OPEN") {
    if (const ShellItemPtr parent = shell.Parent(item)) currentFolder = shell.FileSystemPath(parent);
  }
  if (menu->RunChosen(currentFolder)) CommandDone(verb, node, path);
}

void DirTreeShellCommands::CommandDone(const std::string& verb, ui::TreeNode* node, const std::string& path) {
  if (verb == "DELETE") {
    // The user may have declined the shell's confirmation: only a folder
    // that is really gone leaves the tree.
    if (files_.GetAttributes(path) == platform::kInvalidAttributes) tree_.RemoveNode(node);
  } else if (verb == "PASTE") {
    tree_.Refresh(node);
  }
}

void DirTreeShellCommands::Edited(ui::TreeNode* node, std::string& newText, bool& accept) {
  accept = false;
  platform::ShellNamespace& shell = tree_.Shell();
  const ShellItemPtr item = tree_.ItemOf(*node);
  if (newText == node->Text() || !(shell.Attributes(item) & platform::saCanRename)) return;
  ShellItemPtr renamed;
  if (!shell.Rename(item, newText, tree_.OwnerWindow(), renamed)) {
    throw std::runtime_error("无法重命名为 " + newText);
  }
  tree_.Rebind(node, renamed);
  newText = node->Text();
  accept = true;
}

}  // namespace dialogs
