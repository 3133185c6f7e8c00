// The disc prompt: between two discs of an install run it names the discs
// still needed and lets the user confirm, type or browse for the folder where
// the next disc can be read (or its .iso image: Browse lists images too). The caller shows it modally and then reads
// SelectedPath: the confirmed folder with a final "\", or empty after Cancel.
//
// While it is shown it also looks for a needed disc by itself, in every
// CD-ROM drive and at the folder in edt_path, about once a second and when
// the system reports a device change; a disc whose CDFile.Dat carries a
// needed label closes it as if OK had been pressed with that folder.
#pragma once
#include <string>
#include <vector>

#include "dialogs/SkinData.h"
#include "dialogs/TSkinSelectDirectoryDialog.h"
#include "platform/Platform.h"
#include "platform/ShellNamespace.h"
#include "ui/Controls.h"

class Tfrm_ChooseDriver : public ui::Form {
 public:
  // owner is the window the prompt is centred on.
  Tfrm_ChooseDriver(ui::Form* owner, platform::Platform& platform, platform::ShellNamespace& shell);

  // Presets the folder: SelectedPath and the text of edt_path.
  void SetPath(const std::string& path);
  // Shows the labels in Label5, joined with "或"; they are the discs that
  // the prompt accepts by itself.
  void SetLabels(const std::vector<std::string>& labels);
  // Lends the wizard window's skin to the prompt's folder chooser.
  void SetSkin(dialogs::Skin* skin);

  // The needed disc that the folder in edt_path or a CD-ROM drive holds (the
  // folder first, then the drives from A: to Z:), as OK would take it; ""
  // when none holds one.
  std::string NeededDiscInPlace();

  std::string SelectedPath;

  ui::Image* Image1;
  ui::Label* Label1;
  ui::Label* Label5;
  ui::Label* Label2;
  ui::Label* Label3;
  ui::Label* Label4;
  ui::Edit* edt_path;
  ui::Button* bt_selDir;
  ui::Button* bt_OK;
  ui::Button* bt_Cancel;
  // Why OK did not take the folder (no readable CDFile.Dat in it).
  ui::Label* Lb_Problem;
  // Lives as long as the prompt: a second browse starts at the folder (or
  // image) chosen the first time.
  dialogs::TSkinSelectDirectoryDialog selDir;

 private:
  void FormShow();
  void bt_selDirClick();
  void bt_OKClick();
  void bt_CancelClick();
  void LookForNeededDisc();
  // The disc that the text of edt_path names: an existing folder with a
  // final "\" (an .iso file is one on a platform that reads images); "" for
  // anything else.
  std::string TypedDisc();
  bool HoldsNeededDisc(const std::string& disc);
  void Accept(const std::string& disc);

  platform::Platform& platform_;
  std::vector<std::string> labels_;
};
