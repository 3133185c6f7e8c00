// The installer's main window: five wizard pages, the Back/Next/Cancel
// buttons, the two progress bars, and the installer state.
#pragma once
#include <string>
#include <vector>

#include "catalogue/InstallerState.h"
#include "dialogs/TSkinMessage.h"
#include "dialogs/TSkinSelectDirectoryDialog.h"
#include "engine/SpecialtyCheck.h"
#include "platform/Platform.h"
#include "platform/ShellNamespace.h"
#include "ui/CheckTree.h"
#include "ui/Controls.h"

class Tfm_Install : public ui::Form {
 public:
  static constexpr int kPageCount = 5;
  // The window's caption, by which a second start of the program finds it.
  static constexpr const char* kCaption = "Tavrin素材安装程序";
  enum Page { pgWelcome = 0, pgTarget = 1, pgSpecialty = 2, pgProgress = 3, pgFinish = 4 };

  // argument1 is the first command-line argument of the relaunched copy: a
  // proposed application folder, or "!" for none. shell is the namespace of
  // the folder choosers.
  Tfm_Install(platform::Platform& platform, platform::ShellNamespace& shell, std::string argument1);
  ~Tfm_Install() override;

  // Sets SourceRoot and SourceMatterLib from the relaunch's second argument.
  void SetSourceRoot(const std::string& root) { State.SetSourceRoot(root); }
  // Makes page index the current page; only its tab is visible.
  void ShowPage(int index);
  int ActivePage() const { return PageCtrl->ActivePageIndex(); }

  // Empties CheckTree and builds it from the catalogue: the standards in the
  // order they first appear, each with its specialties below.
  void FillSpecialtyTree(const TCdPacks& packs);
  // For every node that has a parent, in tree order: the parent's text, the
  // node's text and whether the node is ticked.
  std::vector<engine::SpecialtyCheck> ListSpecialtyChecks() const;

  // Every message and question of the wizard: SkinMessage1's dialog.
  int ShowMessageDialog(const std::string& text, int dialogType, int buttons, int helpContext);

  // Page flow: what the three buttons do on each page.
  void bt_NextClick();
  void bt_LastClick();
  void bt_cancelClick();
  void bt_BrowseClick();
  // The buttons of the progress page once the run is over, or cancelled and
  // winding down: Next shown and enabled, Cancel hidden. Hiding a focused
  // Cancel moves the focus to the first control that takes it: Next only
  // when nextTakesFocus, never while a cancelled copy still runs to its next
  // entry.
  void ShowButtonsAfterRun(bool nextTakesFocus);

  // Target folder page.
  // The application folder registered under HKEY_LOCAL_MACHINE, or "".
  std::string ReadRegisteredInstallPath();
  // Shows the free and total space of the drive named in edt_PrjPath.
  void UpdateSpaceLabels();
  // Reads the catalogue of the disc at SourceRoot into State (true); a
  // missing descriptor is reported to the user, a malformed one is not.
  bool LoadCatalogue();

  catalogue::InstallerState State;
  // Every message and question of the wizard goes through this component.
  dialogs::TSkinMessage SkinMessage1;
  // Browse on the target folder page.
  dialogs::TSkinSelectDirectoryDialog SkinSelectDirectoryDialog1;
  const std::string Argument1;

  // Controls, as the pages hold them.
  ui::Panel* LeftPanel;
  ui::Image* Banner;
  ui::PageControl* PageCtrl;
  ui::TabSheet* Pages[kPageCount];
  // Page 1.
  ui::Edit* edt_PrjPath;
  ui::Button* bt_Browse;
  ui::Label* Lb_Free;
  ui::Label* Lb_Total;
  // Page 2.
  ui::TCheckTree* CheckTree;
  // Page 3.
  ui::Label* Lb_Spec;
  ui::ProgressBar* AreaProgress;
  ui::Label* Lb_File;
  ui::ProgressBar* FileProgress;
  // Page 4.
  ui::Label* Label11;
  ui::Label* Label10;
  // Buttons below the pages.
  ui::Button* bt_Last;
  ui::Button* bt_Next;
  ui::Button* bt_cancel;

 private:
  void BuildPages();
  void FormCloseQuery(bool& canClose);
  void InstallSelectedPacks();

  platform::Platform& platform_;
  platform::ShellNamespace& shell_;
  // True while InstallSelectedPacks runs.
  bool installRunning_ = false;
};
