// The disc prompt: between two discs of an install run it names the discs
// still needed and lets the user confirm, type or browse for the folder where
// the next disc can be read. The caller shows it modally and then reads
// SelectedPath: the confirmed folder with a final "\", or empty after Cancel.
#pragma once
#include <string>
#include <vector>

#include "dialogs/SkinData.h"
#include "dialogs/TSkinSelectDirectoryDialog.h"
#include "platform/Platform.h"
#include "platform/ShellNamespace.h"
#include "ui/Controls.h"

class Tfrm_ChooseDriver : public ui::TForm {
 public:
  // owner is the window the prompt is centred on.
  Tfrm_ChooseDriver(ui::TForm* owner, platform::Platform& platform, platform::ShellNamespace& shell);

  // Presets the folder: SelectedPath and the text of edt_path.
  void SetPath(const std::string& path);
  // Shows the labels in Label5, joined with "或".
  void SetLabels(const std::vector<std::string>& labels);
  // Lends the wizard window's skin to the prompt's folder chooser.
  void SetSkin(dialogs::TSkinData* skin);

  std::string SelectedPath;

  ui::TImage* Image1;
  ui::TLabel* Label1;
  ui::TLabel* Label5;
  ui::TLabel* Label2;
  ui::TLabel* Label3;
  ui::TLabel* Label4;
  ui::TEdit* edt_path;
  ui::TButton* bt_selDir;
  ui::TButton* bt_OK;
  ui::TButton* bt_Cancel;
  // Lives as long as the prompt: a second browse starts at the folder chosen
  // the first time.
  dialogs::TSkinSelectDirectoryDialog selDir;

 private:
  void FormShow();
  void bt_selDirClick();
  void bt_OKClick();
  void bt_CancelClick();

  platform::Platform& platform_;
};
