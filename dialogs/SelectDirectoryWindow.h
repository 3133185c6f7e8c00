// The folder chooser's window: the folder tree in a framed area over a
// 50-pixel strip with OK and Cancel at its left. The tree area follows the
// window's size. The window sees the keys first: Enter is OK (Cancel while
// Cancel has the focus), Escape is Cancel, Tab and Shift+Tab move the focus
// between the tree, OK and Cancel; every other key goes on to the focused
// control (the tree's own keys, the edit box of a folder being renamed).
#pragma once
#include <memory>
#include <string>

#include "dialogs/DirTreeShellCommands.h"
#include "dialogs/TSkinDirTreeView.h"
#include "platform/Platform.h"
#include "platform/ShellNamespace.h"
#include "ui/Controls.h"

namespace dialogs {

class SelectDirectoryWindow : public ui::Form {
 public:
  static constexpr int kButtonStripHeight = 50;

  // fileExtension: the files the tree lists besides folders (see
  // TSkinDirTreeView); empty for folders only.
  SelectDirectoryWindow(platform::ShellNamespace& shell, platform::Platform& files, const std::string& title,
                        const ui::Font& font, const std::string& fileExtension = "");

  ui::Panel* TreePanel;
  TSkinDirTreeView* DirTree;
  ui::Panel* ButtonPanel;
  ui::Button* bt_OK;
  ui::Button* bt_Cancel;

 protected:
  void Resized() override;

 private:
  void KeyDown(int& key, ui::ShiftState shift);

  std::unique_ptr<DirTreeShellCommands> commands_;
};

}  // namespace dialogs
