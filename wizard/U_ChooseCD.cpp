#include "wizard/U_ChooseCD.h"

#include "catalogue/DiscProbe.h"
#include "engine/DiscPlan.h"
#include "media/IsoImage.h"
#include "text/AnsiText.h"

namespace {

ui::Font PromptFont() { return ui::Font{"宋体", 12, false, ui::clWindowText}; }

// The roots of the CD-ROM drives, A:\ to Z:\.
std::vector<std::string> CdRomDrives(platform::Platform& platform) {
  std::vector<std::string> roots;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string root = std::string(1, letter) + ":\\";
    if (platform.DriveTypeOf(root) == platform::kDriveCdRom) roots.push_back(root);
  }
  return roots;
}

}  // namespace

Tfrm_ChooseDriver::Tfrm_ChooseDriver(ui::Form* owner, platform::Platform& platform, platform::ShellNamespace& shell)
    : ui::Form(owner, "frm_ChooseDriver"), selDir(platform, shell), platform_(platform) {
  SetCaption("请插入光盘");
  SetClientSize(440, 175);
  Position = ui::FormPosition::OwnerFormCenter;
  Border = ui::BorderStyle::Dialog;
  CloseButton = true;
  IconResource = "MAINICON";
  SetFont(PromptFont());

  Image1 = &Add<ui::Image>("Image1", 14, 16, 60, 57);
  Image1->ResourceName = "DISC";
  Label1 = &Add<ui::Label>("Label1", 90, 17, "请插入下列光盘以继续安装。");
  Label5 = &Add<ui::Label>("Label5", 90, 36, "请插入光盘");
  Label5->SetFont(ui::Font{"宋体", 13, false, ui::clRed});
  Label2 = &Add<ui::Label>("Label2", 90, 57, "如果这个磁盘中的文件不能在不同于下列显示的文件夹");
  Label2->SetWidth(337);
  Label3 = &Add<ui::Label>("Label3", 89, 75, "中找到，请输入正确的路径或单击\"浏览\"。");
  Label3->SetWidth(265);
  Label4 = &Add<ui::Label>("Label4", 15, 79, "路径：");
  edt_path = &Add<ui::Edit>("edt_path", 13, 97, 329, 20);
  bt_selDir = &Add<ui::Button>("bt_selDir", "浏览", 363, 94, 60, 25);
  bt_OK = &Add<ui::Button>("bt_OK", "确定", 273, 136, 75, 25);
  bt_Cancel = &Add<ui::Button>("bt_Cancel", "取消", 355, 136, 75, 25);
  bt_Cancel->ModalResult = ui::mrCancel;
  Lb_Problem = &Add<ui::Label>("Lb_Problem", 13, 141, "");
  Lb_Problem->SetFont(ui::Font{"宋体", 12, false, ui::clRed});

  selDir.Title = "选择驱动器";
  selDir.FileExtension = media::kImageExtension;

  OnShow = [this] { FormShow(); };
  bt_selDir->OnClick = [this] { bt_selDirClick(); };
  bt_OK->OnClick = [this] { bt_OKClick(); };
  bt_Cancel->OnClick = [this] { bt_CancelClick(); };
  OnDeviceWatch = [this] { LookForNeededDisc(); };
}

void Tfrm_ChooseDriver::SetPath(const std::string& path) {
  SelectedPath = path;
  edt_path->SetText(path);
}

void Tfrm_ChooseDriver::SetLabels(const std::vector<std::string>& labels) {
  std::string joined;
  for (std::size_t i = 0; i < labels.size(); ++i) joined += (i > 0 ? "或" : "") + labels[i];
  Label5->SetCaption(joined);
  labels_ = labels;
}

void Tfrm_ChooseDriver::SetSkin(dialogs::Skin* skin) {
  // The prompt's own frame and controls are drawn by the toolkit; the
  // chooser it opens takes the skin over.
  selDir.SkinData = skin;
  selDir.CtrlSkinData = skin;
}

void Tfrm_ChooseDriver::FormShow() {
  Lb_Problem->SetCaption("");
  // Without a preset folder, propose the first CD-ROM drive.
  if (!SelectedPath.empty()) return;
  const std::vector<std::string> drives = CdRomDrives(platform_);
  if (!drives.empty()) edt_path->SetText(drives.front());
}

void Tfrm_ChooseDriver::bt_selDirClick() {
  // An empty choice (a tree node that is no folder) leaves the text as it
  // is: a lone "\" would name the root of the current drive. A chosen image
  // is named as the file it is.
  if (selDir.SelectFolder() && !selDir.Directory.empty()) {
    edt_path->SetText(selDir.DirectoryIsFile ? selDir.Directory : text::IncludeTrailingBackslash(selDir.Directory));
  }
}

void Tfrm_ChooseDriver::bt_OKClick() {
  // A text that names no folder changes nothing. A readable disc
  // that is not needed is taken all the same: the run reads it and asks again.
  const std::string disc = TypedDisc();
  if (disc.empty()) return;
  catalogue::LabelString label;
  std::string problem;
  if (!catalogue::ProbeDiscLabel(platform_, disc, label, problem)) {
    Lb_Problem->SetCaption(problem);
    return;
  }
  Accept(disc);
}

void Tfrm_ChooseDriver::bt_CancelClick() { SelectedPath.clear(); }

void Tfrm_ChooseDriver::LookForNeededDisc() {
  const std::string disc = NeededDiscInPlace();
  if (!disc.empty()) Accept(disc);
}

std::string Tfrm_ChooseDriver::NeededDiscInPlace() {
  const std::string typed = TypedDisc();
  if (!typed.empty() && HoldsNeededDisc(typed)) return typed;
  for (const std::string& root : CdRomDrives(platform_))
    if (HoldsNeededDisc(root)) return root;
  return "";
}

std::string Tfrm_ChooseDriver::TypedDisc() {
  const std::string path = edt_path->Text();
  // An empty text names no folder.
  if (path.empty()) return "";
  return platform::DirectoryExists(platform_, path) ? text::IncludeTrailingBackslash(path) : "";
}

bool Tfrm_ChooseDriver::HoldsNeededDisc(const std::string& disc) {
  catalogue::LabelString label;
  std::string problem;
  return catalogue::ProbeDiscLabel(platform_, disc, label, problem) &&
         engine::IndexOfNeededLabel(platform_, labels_, label.Text()) >= 0;
}

void Tfrm_ChooseDriver::Accept(const std::string& disc) {
  SelectedPath = disc;
  ModalResult = ui::mrOk;
}
