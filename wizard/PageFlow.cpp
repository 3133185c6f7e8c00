// What Next, Back and Cancel do on each page of the wizard, and the Browse
// button of the target folder page.
#include "catalogue/DiscDescriptor.h"
#include "dialogs/MessageDialogTypes.h"
#include "engine/ApplicationFolder.h"
#include "engine/InstallRun.h"
#include "wizard/ProgressPageSink.h"
#include "wizard/Tfm_Install.h"
#include "wizard/U_ChooseCD.h"

void Tfm_Install::bt_NextClick() {
  // A click that was queued while the run went on (Next pressed twice, say)
  // must not leave the progress page under the running copy.
  if (installRunning_) return;
  switch (ActivePage()) {
    case pgWelcome:
      bt_Last->SetVisible(true);
      ShowPage(pgTarget);
      edt_PrjPath->SetText(!Argument1.empty() && Argument1 != "!" ? Argument1
                                                                  : ReadRegisteredInstallPath());
      break;

    case pgTarget: {
      const std::string folder = engine::ApplicationFolderText(edt_PrjPath->Text());
      if (folder != edt_PrjPath->Text()) edt_PrjPath->SetText(folder);
      if (!engine::SetApplicationFolder(State, platform_, folder)) {
        ShowMessageDialog("选择的文件夹不是Tavrin建筑图库所在目录。", dialogs::mtError, dialogs::mbOK, 0);
        break;
      }
      if (LoadCatalogue()) {
        FillSpecialtyTree(State.Packs);
        ShowPage(pgSpecialty);
      }
      break;
    }

    case pgSpecialty:
      StartInstall(ListSpecialtyChecks());
      break;

    case pgProgress:
      if (!State.InstallOk) {
        Label11->SetCaption("安装失败");
        Label10->SetCaption("安装时发生了错误，素材库可能没有完全安装。");
      }
      ShowPage(pgFinish);
      bt_Last->SetVisible(false);
      bt_Next->SetCaption("完成");
      break;

    case pgFinish:
      Close();
      break;
  }
}

void Tfm_Install::StartInstall(const std::vector<engine::SpecialtyCheck>& checks) {
  ShowPage(pgProgress);
  bt_Next->SetVisible(false);
  bt_cancel->SetBounds(bt_Next->Left(), bt_Next->Top(), bt_cancel->Width(), bt_cancel->Height());
  bt_cancel->SetVisible(true);
  InstallSelectedPacks(checks);
}

void Tfm_Install::InstallSelectedPacks(const std::vector<engine::SpecialtyCheck>& checks) {
  // The prompt lives for the whole run, so that its folder chooser keeps the
  // folder chosen last.
  Tfrm_ChooseDriver frm_ChooseDriver(this, platform_, shell_);
  frm_ChooseDriver.SetSkin(nullptr);
  wizard::ProgressPageSink progressPage(*this, frm_ChooseDriver);
  engine::InstallSink& sink = SinkForRun ? SinkForRun(progressPage) : progressPage;
  installRunning_ = true;
  struct RunningFlag {
    bool& running;
    ~RunningFlag() { running = false; }
  } runningFlag{installRunning_};
  engine::RunInstall(State, platform_, sink, checks);
}

bool Tfm_Install::LoadCatalogue() {
  switch (catalogue::ReadCatalogue(State, platform_)) {
    case catalogue::CatalogueRead::Loaded:
      return true;
    case catalogue::CatalogueRead::Missing:
      ShowMessageDialog("光盘配置文件不存在，请检查光盘。", dialogs::mtError, dialogs::mbOK, 0);
      return false;
    case catalogue::CatalogueRead::Malformed:
      break;
  }
  return false;
}

void Tfm_Install::bt_LastClick() {
  switch (ActivePage()) {
    case pgTarget:
      bt_Last->SetVisible(false);
      ShowPage(pgWelcome);
      break;
    case pgSpecialty:
      ShowPage(pgTarget);
      break;
    case pgProgress:
      ShowPage(pgSpecialty);
      break;
    default:
      break;
  }
}

void Tfm_Install::bt_cancelClick() {
  // The focus and Enter start on No, so that a key or a click meant for Next
  // that arrives at this question does not cancel the installation.
  if (SkinMessage1.ShowMessageDialog("是否中断安装过程？", dialogs::mtWarning, dialogs::mbYes | dialogs::mbNo, 0,
                                     dialogs::mbNo) != ui::mrYes) {
    return;
  }
  // The running copy stops at its next file or folder.
  State.CancelRequested = true;
  ShowButtonsAfterRun(false);
}

void Tfm_Install::ShowButtonsAfterRun(bool nextTakesFocus) {
  if (!nextTakesFocus) bt_cancel->SetVisible(false);
  bt_Next->SetEnabled(true);
  bt_Next->SetVisible(true);
  bt_cancel->SetVisible(false);
}

void Tfm_Install::bt_BrowseClick() {
  if (SkinSelectDirectoryDialog1.SelectFolder()) edt_PrjPath->SetText(SkinSelectDirectoryDialog1.Directory);
}
