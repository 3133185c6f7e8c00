// What the user can do to the folders of the chooser's tree through the
// shell: its context menu (right click) and renaming a folder by editing its
// node's text in place.
#pragma once
#include <string>

#include "dialogs/TSkinDirTreeView.h"
#include "platform/Platform.h"

namespace dialogs {

class DirTreeShellCommands {
 public:
  // Takes over the tree's context-menu and edit events; files answers
  // whether a deleted folder is really gone.
  DirTreeShellCommands(TSkinDirTreeView& tree, platform::Platform& files);
  DirTreeShellCommands(const DirTreeShellCommands&) = delete;
  DirTreeShellCommands& operator=(const DirTreeShellCommands&) = delete;

 private:
  // Right click: the folder under the mouse is selected and the shell's menu
  // for it opens. The shell runs the chosen command, except Rename, which
  // starts editing the node's text. A listed file (a disc image) gets no
  // menu.
  void ContextPopup(ui::Point at, ui::Point screenAt);
  void CommandDone(const std::string& verb, ui::TreeNode* node, const std::string& path);
  // A confirmed edit renames the folder through the shell; a refused name
  // raises "Rename to <name> failed" and the node keeps its text.
  void Edited(ui::TreeNode* node, std::string& newText, bool& accept);

  TSkinDirTreeView& tree_;
  platform::Platform& files_;
};

}  // namespace dialogs
