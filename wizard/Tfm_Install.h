// The installer's main window: five wizard pages, the Back/Next/Cancel
// buttons, the two progress bars, and the installer state.
#pragma once
#include <string>

#include "catalogue/InstallerState.h"
#include "platform/Platform.h"
#include "ui/Controls.h"
#include "ui/TreeView.h"

class Tfm_Install : public ui::TForm, public TInstallerHost {
 public:
  static constexpr int kPageCount = 5;
  enum Page { pgWelcome = 0, pgTarget = 1, pgSpecialty = 2, pgProgress = 3, pgFinish = 4 };

  // argument1 is the first command-line argument of the relaunched copy: a
  // proposed application folder, or "!" for none.
  Tfm_Install(platform::Platform& platform, std::string argument1);
  ~Tfm_Install() override;

  // Sets SourceRoot and SourceMatterLib from the relaunch's second argument.
  void SetSourceRoot(const std::string& root) { State.SetSourceRoot(root); }
  // Makes page index the current page; only its tab is visible.
  void ShowPage(int index);
  int ActivePage() const { return PageCtrl->ActivePageIndex(); }

  int ShowMessageDialog(const std::string& text, int dialogType, int buttons,
                        int helpContext) override;

  // Target folder page.
  // The application folder registered under HKEY_LOCAL_MACHINE, or "".
  std::string ReadRegisteredInstallPath();
  // Shows the free and total space of the drive named in edt_PrjPath.
  void UpdateSpaceLabels();

  TInstallerState State;
  const std::string Argument1;

  // Controls, as the pages hold them.
  ui::TPanel* LeftPanel;
  ui::TImage* Banner;
  ui::TPageControl* PageCtrl;
  ui::TTabSheet* Pages[kPageCount];
  // Page 1.
  ui::TEdit* edt_PrjPath;
  ui::TButton* bt_Browse;
  ui::TLabel* Lb_Free;
  ui::TLabel* Lb_Total;
  // Page 2.
  ui::TTreeView* CheckTree;
  // Page 3.
  ui::TLabel* Lb_Spec;
  ui::TProgressBar* AreaProgress;
  ui::TLabel* Lb_File;
  ui::TProgressBar* FileProgress;
  // Page 4.
  ui::TLabel* Label11;
  ui::TLabel* Label10;
  // Buttons below the pages.
  ui::TButton* bt_Last;
  ui::TButton* bt_Next;
  ui::TButton* bt_cancel;

 private:
  void BuildPages();
  void FormCloseQuery(bool& canClose);

  platform::Platform& platform_;
};
