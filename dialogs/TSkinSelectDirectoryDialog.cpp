#include "dialogs/TSkinSelectDirectoryDialog.h"

#include <memory>

#include "dialogs/SelectDirectoryWindow.h"

namespace dialogs {

bool TSkinSelectDirectoryDialog::SelectFolder() {
  // The window goes when the call returns, also when an error leaves it.
  const auto window = std::make_unique<SelectDirectoryWindow>(shell_, files_, Title, DefaultFont);
  TSkinDirTreeView& tree = *window->DirTree;
  if (!Directory.empty() && platform::DirectoryExists(files_, Directory)) {
    tree.OpenPath(Directory);
  } else {
    tree.SelectMyComputer();
  }
  window->SetClientSize(DialogWidth > 0 ? DialogWidth : kDefaultClientSize,
                        DialogHeight > 0 ? DialogHeight : kDefaultClientSize);
  window->SetActiveControl(&tree);

  const int result = window->ShowModal();
  DialogWidth = window->ClientWidth();
  DialogHeight = window->ClientHeight();
  if (result != ui::mrOk) return false;
  Directory = tree.Selected() ? tree.PathOf(*tree.Selected()) : std::string();
  return true;
}

}  // namespace dialogs
