#include "dialogs/SelectDirectoryWindow.h"

namespace dialogs {

namespace {
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 25;  // without a skin that gives its own
}  // namespace

SelectDirectoryWindow::SelectDirectoryWindow(platform::ShellNamespace& shell, platform::Platform& files,
                                             const std::string& title, const ui::Font& font,
                                             const std::string& fileExtension)
    : ui::Form(nullptr, "SelectDirectoryWindow") {
  SetCaption(title);
  Border = ui::BorderStyle::Sizeable;
  Position = ui::FormPosition::ScreenCenter;
  CloseButton = false;
  KeyPreview = true;
  SetFont(font);

  TreePanel = &Add<ui::Panel>("TreePanel");
  DirTree = &TreePanel->Add<TSkinDirTreeView>("DirTree", shell, fileExtension);
  DirTree->BorderNone = false;  // the frame of the tree area
  ButtonPanel = &Add<ui::Panel>("ButtonPanel");
  bt_OK = &ButtonPanel->Add<ui::Button>("bt_OK", "确定", 20, 15, kButtonWidth, kButtonHeight);
  bt_OK->ModalResult = ui::mrOk;
  bt_OK->Default = true;
  bt_Cancel = &ButtonPanel->Add<ui::Button>("bt_Cancel", "取消", 100, 15, kButtonWidth, kButtonHeight);
  bt_Cancel->ModalResult = ui::mrCancel;
  bt_Cancel->Cancel = true;

  commands_ = std::make_unique<DirTreeShellCommands>(*DirTree, files);
  OnKeyDown = [this](int& key, ui::ShiftState shift) { KeyDown(key, shift); };
}

void SelectDirectoryWindow::Resized() {
  ui::Form::Resized();
  const int treeHeight = ClientHeight() > kButtonStripHeight ? ClientHeight() - kButtonStripHeight : 0;
  TreePanel->SetBounds(0, 0, ClientWidth(), treeHeight);
  DirTree->SetBounds(0, 0, ClientWidth(), treeHeight);
  ButtonPanel->SetBounds(0, treeHeight, ClientWidth(), kButtonStripHeight);
}

void SelectDirectoryWindow::KeyDown(int& key, ui::ShiftState shift) {
  // While a folder's name is being edited, its edit box takes every key.
  if (DirTree->IsEditing()) return;
  switch (key) {
    case ui::kKeyReturn:
      (ActiveControl() == bt_Cancel ? bt_Cancel : bt_OK)->Click();
      break;
    case ui::kKeyEscape:
      bt_Cancel->Click();
      break;
    case ui::kKeyTab: {
      ui::Control* order[] = {DirTree, bt_OK, bt_Cancel};
      int current = 0;
      for (int i = 0; i < 3; ++i) {
        if (ActiveControl() == order[i]) current = i;
      }
      SetActiveControl(order[(current + (shift.Shift ? 2 : 1)) % 3]);
      break;
    }
    default:
      return;
  }
  key = 0;
}

}  // namespace dialogs
