// A machine with drives and folders, the fake shell over it and a headless
// backend, for the folder chooser's tests; and helpers that walk the tree as
// a user does, by the texts the nodes show.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/SelectDirectoryWindow.h"
#include "dialogs/TSkinDirTreeView.h"
#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "ui/headless/HeadlessBackend.h"

namespace chooser_test {

// Texts of the drives as the fake shell names them.
inline const std::string kDriveC = "本地磁盘 (C:)";
inline const std::string kDriveD = "本地磁盘 (D:)";
inline const std::string kDriveE = "CD 驱动器 (E:)";

inline ui::TreeNode* Child(ui::TreeNode* node, const std::string& text) {
  if (!node) return nullptr;
  for (const auto& child : node->Children()) {
    if (child->Text() == text) return child.get();
  }
  return nullptr;
}

inline std::vector<std::string> ChildTexts(const ui::TreeNode* node) {
  std::vector<std::string> texts;
  for (const auto& child : node->Children()) texts.push_back(child->Text());
  return texts;
}

// From the desktop down the given texts, expanding every node on the way;
// nullptr when a text is not there.
inline ui::TreeNode* Walk(dialogs::TSkinDirTreeView& tree, const std::vector<std::string>& texts) {
  ui::TreeNode* node = tree.TopLevel().front().get();
  for (const std::string& text : texts) {
    node->Expand();
    node = Child(node, text);
    if (!node) return nullptr;
  }
  return node;
}

class FolderChooserFixture : public ::testing::Test {
 protected:
  FolderChooserFixture() {
    machine.AddDrive('C');
    machine.AddDrive('D');
    machine.AddDrive('E', platform::kDriveCdRom);
    machine.AddFolder("C:\\Data\\Sub\\Deep");
    machine.AddFolder("C:\\Hidden", platform::faDirectory | platform::faHidden);
    machine.AddFolder("C:\\Hidden\\Inner");
    machine.AddFolder("D:\\Empty");
  }

  // A chooser window that is built but not shown; its tree lists the files
  // that end in fileExtension too.
  dialogs::SelectDirectoryWindow& Window() {
    if (!window_) {
      window_ = std::make_unique<dialogs::SelectDirectoryWindow>(shell, machine, "选择软件目录", ui::Font{},
                                                                 fileExtension);
      window_->SetClientSize(400, 600);
    }
    return *window_;
  }
  dialogs::TSkinDirTreeView& Tree() { return *Window().DirTree; }

  ui::HeadlessScope headless;
  platform::FakePlatform machine;
  platform::FakeShellNamespace shell{machine};
  std::string fileExtension;  // set before the first Window()

 private:
  std::unique_ptr<dialogs::SelectDirectoryWindow> window_;
};

}  // namespace chooser_test
