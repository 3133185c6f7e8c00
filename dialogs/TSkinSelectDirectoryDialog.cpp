#include "dialogs/TSkinSelectDirectoryDialog.h"

#include <memory>

#include "dialogs/SelectDirectoryWindow.h"

namespace dialogs {

bool TSkinSelectDirectoryDialog::SelectFolder() {
  // The window goes when the call returns, also when an error leaves it.
  const auto window = std::make_unique<SelectDirectoryWindow>(shell_, files_, Title, DefaultFont, FileExtension);
  TSkinDirTreeView& tree = *window->DirTree;
  // A chosen file is where the next run starts as long as it exists.
  const bool exists = DirectoryIsFile ? files_.GetAttributes(Directory) != platform::kInvalidAttributes
                                      : platform::DirectoryExists(files_, Directory);
  if (!Directory.empty() && exists) {
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
  DirectoryIsFile = tree.Selected() && tree.IsFileNode(*tree.Selected());
  return true;
}

}  // namespace dialogs
