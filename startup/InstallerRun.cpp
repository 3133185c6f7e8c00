#include "startup/InstallerRun.h"

#include <optional>
#include <stdexcept>

#include "catalogue/DiscDescriptor.h"
#include "deploy/AnswerFile.h"
#include "deploy/ComponentSelection.h"
#include "deploy/ExitCodes.h"
#include "deploy/LibraryStatus.h"
#include "deploy/RunResult.h"
#include "deploy/SetupLog.h"
#include "deploy/UnattendedSink.h"
#include "engine/ApplicationFolder.h"
#include "engine/InstallRun.h"
#include "ui/Application.h"
#include "wizard/Tfm_Install.h"

namespace startup {

namespace {

// A run that cannot start as asked: its reason is logged and, when a window
// may be shown, reported to the user.
struct CannotStart : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Installer {
 public:
  Installer(platform::Platform& platform, platform::ShellNamespace& shell, deploy::DeployOptions options)
      : platform_(platform), shell_(shell), options_(std::move(options)) {}

  int Run();

 private:
  bool ShowsWindows() const { return options_.Mode == deploy::InstallMode::Interactive && !options_.Status; }
  void OpenLog();
  void LoadAnswers();
  // The application folder: /DIR, else the relaunch's target hint, else the
  // registry's, as page 1 proposes it; refused unless it holds the application.
  void ChooseApplicationFolder(catalogue::InstallerState& state);
  void SaveAnswers(const std::string& applicationFolder, const std::vector<deploy::ChosenSpecialty>& chosen);
  int RunStatus();
  int RunWizard();
  int RunUnattended();
  int ExitCodeOf(const deploy::UnattendedSink& sink, const catalogue::InstallerState& state);

  platform::Platform& platform_;
  platform::ShellNamespace& shell_;
  deploy::DeployOptions options_;
  deploy::SetupLog log_;
  std::string applicationFolder_;
};

int Installer::Run() {
  try {
    OpenLog();
  } catch (const platform::Error& error) {
    if (ShowsWindows()) ui::App().ShowException(error);
    return deploy::kExitCouldNotStart;
  }
  log_.SetupVersion(kSetupVersion);
  log_.CommandLine(platform_.CommandLine());
  log_.WindowsVersion();

  int code = deploy::kExitFatalError;
  try {
    LoadAnswers();
    code = options_.Status ? RunStatus()
           : options_.Mode == deploy::InstallMode::Interactive ? RunWizard()
                                                               : RunUnattended();
  } catch (const std::exception& error) {
    // In the silent modes the log is the only report.
    log_.Error(error.what());
    if (ShowsWindows()) ui::App().ShowException(error);
    code = dynamic_cast<const CannotStart*>(&error) ? deploy::kExitCouldNotStart : deploy::kExitFatalError;
  }
  log_.ExitCode(code);
  return code;
}

void Installer::OpenLog() {
  if (!options_.Log) return;
  const std::string path = options_.LogFile.empty() ? deploy::DefaultLogPath(platform_) : options_.LogFile;
  if (path.empty()) throw platform::Error("无法创建安装日志：临时文件夹中的日志编号已用完。");
  log_ = deploy::SetupLog(platform_, path);
}

void Installer::LoadAnswers() {
  if (!options_.LoadInf) return;
  deploy::DeployOptions answers;
  std::string error;
  if (!deploy::LoadAnswerFile(platform_, *options_.LoadInf, answers, error)) throw CannotStart(error);
  deploy::ApplyAnswers(options_, answers);
}

void Installer::ChooseApplicationFolder(catalogue::InstallerState& state) {
  const std::string& hint = options_.Argument1;
  applicationFolder_ = engine::ApplicationFolderText(
      options_.Dir ? *options_.Dir
                   : !hint.empty() && hint != "!" ? hint : engine::RegisteredApplicationFolder(platform_));
  if (!engine::SetApplicationFolder(state, platform_, applicationFolder_))
    throw CannotStart("选择的文件夹不是Tavrin建筑图库所在目录。" + applicationFolder_);
}

void Installer::SaveAnswers(const std::string& applicationFolder, const std::vector<deploy::ChosenSpecialty>& chosen) {
  if (!options_.SaveInf) return;
  deploy::DeployOptions answers = options_;
  answers.Dir = applicationFolder;
  answers.Components = deploy::ComponentsText(chosen);
  std::string error;
  if (!deploy::SaveAnswerFile(platform_, *options_.SaveInf, answers, error)) throw platform::Error(error);
}

int Installer::RunStatus() {
  catalogue::InstallerState state;
  ChooseApplicationFolder(state);
  log_.Folders(state);
  const std::vector<deploy::PendingPack> pending = deploy::PendingPacks(platform_, state.TargetMatterLib);
  for (const deploy::PendingPack& pack : pending) log_.PackPending(pack);
  return pending.empty() ? deploy::kExitComplete : deploy::kExitDiscsPending;
}

int Installer::ExitCodeOf(const deploy::UnattendedSink& sink, const catalogue::InstallerState& state) {
  // The engine reports the end of every run it starts; a run that could not
  // start counts as ended by an error.
  return deploy::RunExitCode(platform_, state, sink.Ended().value_or(deploy::RunEnd::FatalError), log_);
}

int Installer::RunWizard() {
  Tfm_Install fm_Install(platform_, shell_, options_.Dir ? *options_.Dir : options_.Argument1);
  fm_Install.SetSourceRoot(options_.Argument2);
  // The wizard's own port, as it runs, with the log, the discs of the
  // command line and the record of the run's end around it.
  std::optional<deploy::UnattendedSink> sink;
  fm_Install.SinkForRun = [&](engine::InstallSink& page) -> engine::InstallSink& {
    sink.emplace(platform_, options_, log_, &page);
    log_.Folders(fm_Install.State);
    log_.Catalogue(fm_Install.State);
    const std::vector<deploy::ChosenSpecialty> chosen = deploy::ChosenSpecialties(fm_Install.ListSpecialtyChecks());
    log_.Components(chosen);
    SaveAnswers(engine::ApplicationFolderText(fm_Install.edt_PrjPath->Text()), chosen);
    return *sink;
  };
  ui::App().Run(fm_Install);
  // Closed before the progress page: no run has started.
  return sink ? ExitCodeOf(*sink, fm_Install.State) : deploy::kExitCancelledBeforeCopy;
}

int Installer::RunUnattended() {
  catalogue::InstallerState state;
  state.SetSourceRoot(options_.Argument2);
  ChooseApplicationFolder(state);
  log_.Folders(state);
  switch (catalogue::ReadCatalogue(state, platform_)) {
    case catalogue::CatalogueRead::Loaded:
      break;
    case catalogue::CatalogueRead::Missing:
      throw CannotStart("光盘配置文件不存在，请检查光盘。" + state.SourceRoot);
    case catalogue::CatalogueRead::Malformed:
      throw CannotStart("光盘配置文件已损坏，请检查光盘。" + state.SourceRoot);
  }
  log_.DiscRead(state.DiscLabel.Text(), state.SourceRoot);
  log_.Catalogue(state);
  std::vector<deploy::ChosenSpecialty> chosen;
  std::string error;
  if (!deploy::ChooseComponents(state.Packs, options_.Components, chosen, error)) throw CannotStart(error);
  log_.Components(chosen);
  SaveAnswers(applicationFolder_, chosen);
  const std::vector<engine::SpecialtyCheck> checks = deploy::SpecialtyChecks(state.Packs, chosen);

  if (options_.Mode == deploy::InstallMode::VerySilent) {
    deploy::UnattendedSink sink(platform_, options_, log_, nullptr);
    engine::RunInstall(state, platform_, sink, checks);
    return ExitCodeOf(sink, state);
  }
  // Only the progress page, closed when the run is over.
  Tfm_Install fm_Install(platform_, shell_, applicationFolder_);
  fm_Install.State = state;
  std::optional<deploy::UnattendedSink> sink;
  fm_Install.SinkForRun = [&](engine::InstallSink& page) -> engine::InstallSink& {
    return sink.emplace(platform_, options_, log_, &page);
  };
  fm_Install.ShowPage(Tfm_Install::pgProgress);
  fm_Install.Show();
  fm_Install.StartInstall(checks);
  return ExitCodeOf(*sink, fm_Install.State);
}

}  // namespace

int RunInstaller(platform::Platform& platform, platform::ShellNamespace& shell, const deploy::DeployOptions& options) {
  return Installer(platform, shell, options).Run();
}

}  // namespace startup
