#include "wizard/Tfm_Install.h"

namespace {

ui::Font PageFont() { return ui::Font{"Arial", 14, false, ui::clWindowText}; }
ui::Font TitleFont() { return ui::Font{"宋体", 16, true, ui::clWindowText}; }

ui::Label& AddLabel(ui::WinControl& page, const std::string& name, int left, int top,
                     const std::string& caption, const ui::Font& font = PageFont()) {
  ui::Label& label = page.Add<ui::Label>(name, left, top, caption);
  label.SetFont(font);
  return label;
}

ui::ProgressBar& AddProgress(ui::WinControl& page, const std::string& name, int left, int top) {
  ui::ProgressBar& bar = page.Add<ui::ProgressBar>(name, left, top, 289, 17);
  bar.SetMax(100);
  bar.SetPosition(100);
  return bar;
}

}  // namespace

Tfm_Install::Tfm_Install(platform::Platform& platform, platform::ShellNamespace& shell,
                         std::string argument1)
    : ui::Form(nullptr, "fm_Install"),
      SkinSelectDirectoryDialog1(platform, shell),
      Argument1(std::move(argument1)),
      platform_(platform),
      shell_(shell) {
  SetCaption(kCaption);
  SetClientSize(498, 291);
  Position = ui::FormPosition::ScreenCenter;
  Border = ui::BorderStyle::Sizeable;
  CloseButton = true;
  SetFont(PageFont());

  LeftPanel = &Add<ui::Panel>("LeftPanel");
  LeftPanel->AlignLeft = true;
  LeftPanel->SetBounds(0, 0, 169, ClientHeight());
  Banner = &LeftPanel->Add<ui::Image>("Banner", 0, 0, 164, 290);
  Banner->ResourceName = "BANNER";

  PageCtrl = &Add<ui::PageControl>("PageCtrl", 169, 0, 328, 241);
  PageCtrl->TabHeight = 20;
  BuildPages();

  bt_Last = &Add<ui::Button>("bt_Last", "上一步", 296, 256, 75, 25);
  bt_Last->SetVisible(false);
  bt_Next = &Add<ui::Button>("bt_Next", "下一步", 384, 256, 75, 25);
  bt_cancel = &Add<ui::Button>("bt_cancel", "取消", 384, 248, 75, 25);
  bt_cancel->SetVisible(false);
  bt_Last->OnClick = [this] { bt_LastClick(); };
  bt_Next->OnClick = [this] { bt_NextClick(); };
  bt_cancel->OnClick = [this] { bt_cancelClick(); };
  SkinSelectDirectoryDialog1.Title = "选择软件目录";

  OnCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };

  // Creation: an empty list of needed labels, the first page, a clean result.
  State.NeededLabels.clear();
  ShowPage(pgWelcome);
  State.InstallOk = true;
}

Tfm_Install::~Tfm_Install() = default;

void Tfm_Install::BuildPages() {
  const char* captions[kPageCount] = {"说明", "选择程序目录", "选择专业", "安装进度", "完成"};
  for (int i = 0; i < kPageCount; ++i) {
    Pages[i] = &PageCtrl->AddPage("TabSheet" + std::to_string(i + 1), captions[i]);
  }

  ui::TabSheet& welcome = *Pages[pgWelcome];
  AddLabel(welcome, "Label1", 26, 24, "欢迎使用Tavrin素材库安装向导", TitleFont());
  AddLabel(welcome, "Label2", 25, 81, "现在将安装Tavrin素材库到您的电脑中。");
  AddLabel(welcome, "Label3", 24, 112, "推荐您在继续安装前关闭所有其他应用程序。");
  AddLabel(welcome, "Label4", 24, 144, "单击下一步继续。");

  ui::TabSheet& target = *Pages[pgTarget];
  AddLabel(target, "Label5", 10, 48, "安装程序将安装Tavrin素材库到下列文件夹中。");
  AddLabel(target, "Label6", 10, 80, "单击下一步继续。如果您想选择其它文件夹，单击“浏览”。");
  AddLabel(target, "Label7", 10, 112, "选择图集软件目录：");
  edt_PrjPath = &target.Add<ui::Edit>("edt_PrjPath", 10, 136, 185, 22);
  edt_PrjPath->OnChange = [this] { UpdateSpaceLabels(); };
  bt_Browse = &target.Add<ui::Button>("bt_Browse", "浏览", 202, 135, 47, 23);
  bt_Browse->OnClick = [this] { bt_BrowseClick(); };
  Lb_Free = &AddLabel(target, "Lb_Free", 8, 168, "可用空间：");
  Lb_Total = &AddLabel(target, "Lb_Total", 8, 184, "总大小：");

  ui::TabSheet& specialty = *Pages[pgSpecialty];
  AddLabel(specialty, "Label8", 24, 16, "请选择专业：");
  CheckTree = &specialty.Add<ui::TCheckTree>("CheckTree", 24, 40, 271, 153);
  CheckTree->SetAutoSelect(true);
  CheckTree->SetFont(ui::Font{"Arial", 14, false, ui::clBtnText});

  ui::TabSheet& progress = *Pages[pgProgress];
  AddLabel(progress, "Label9", 114, 16, "正在安装", TitleFont());
  AddLabel(progress, "Label12", 16, 46, "请稍等，安装程序正在安装您选择的各个专业图库。");
  Lb_Spec = &AddLabel(progress, "Lb_Spec", 16, 72, "安装完成");
  AreaProgress = &AddProgress(progress, "AreaProgress", 16, 96);
  Lb_File = &AddLabel(progress, "Lb_File", 16, 128, "安装完成");
  FileProgress = &AddProgress(progress, "FileProgress", 16, 152);

  ui::TabSheet& finish = *Pages[pgFinish];
  Label11 = &AddLabel(finish, "Label11", 106, 16, "安装完成", TitleFont());
  Label10 = &AddLabel(finish, "Label10", 16, 72, "安装程序已经在您的电脑中安装了Tavrin素材库。");
  AddLabel(finish, "Label13", 16, 96, "此应用程序可以通过选择安装的快捷方式运行。");
  AddLabel(finish, "Label14", 16, 120, "单击“完成”退出安装程序。");
}

void Tfm_Install::ShowPage(int index) {
  for (int i = 0; i < kPageCount; ++i) Pages[i]->SetTabVisible(false);
  Pages[index]->SetTabVisible(true);
  PageCtrl->SetActivePageIndex(index);
}

void Tfm_Install::FormCloseQuery(bool& canClose) {
  // The progress page cannot be closed, during the run and after it, until
  // the user has moved on to the last page.
  canClose = ActivePage() != pgProgress;
}

int Tfm_Install::ShowMessageDialog(const std::string& text, int dialogType, int buttons,
                                   int helpContext) {
  return SkinMessage1.ShowMessageDialog(text, static_cast<dialogs::MessageType>(dialogType),
                                        static_cast<dialogs::TMsgDlgButtons>(buttons), helpContext);
}
