// The folder chooser component: its settings, and SelectFolder, which lets
// the user pick a folder from the shell's folder tree in a modal window. The
// component remembers the chosen folder and the window's size from run to
// run.
#pragma once
#include <cstdint>
#include <string>

#include "dialogs/SkinData.h"
#include "platform/Platform.h"
#include "platform/ShellNamespace.h"
#include "ui/Controls.h"

namespace dialogs {

class TSkinSelectDirectoryDialog {
 public:
  static constexpr int kDefaultClientSize = 280;

  // files answers whether the start folder exists; shell is the namespace the
  // tree shows.
  TSkinSelectDirectoryDialog(platform::Platform& files, platform::ShellNamespace& shell)
      : files_(files), shell_(shell) {}

  std::string Title = "选择文件夹";
  // Files whose names end in it (".iso") can be chosen too; empty (the
  // default): folders only.
  std::string FileExtension;
  // The chosen folder (or file); also where the next run starts.
  std::string Directory;
  // Whether Directory names one of those files rather than a folder.
  bool DirectoryIsFile = false;
  // Client size of the window; 0 or less stands for 280.
  std::int32_t DialogWidth = 0, DialogHeight = 0;
  // The skin of the window frame and of the controls.
  Skin* SkinData = nullptr;
  Skin* CtrlSkinData = nullptr;
  // Font of the tree and the buttons where the skin gives none.
  ui::Font DefaultFont{"宋体", 14, false, ui::clWindowText};

  // Shows the chooser modally. True when the user chose OK; Directory then
  // holds the selected folder (empty when none is selected). On false,
  // Directory and DirectoryIsFile are unchanged. Either way the window's size is remembered. A
  // start folder that the shell cannot parse raises an error.
  bool SelectFolder();

 private:
  platform::Platform& files_;
  platform::ShellNamespace& shell_;
};

}  // namespace dialogs
