// The port of a run that may have nobody to ask: it finds the next disc by
// itself before anyone is asked (the /DISCS folders, the /SOURCE disc set,
// the CD-ROM drives), answers the failed-copy question by default when
// questions are suppressed, writes what happens to the log, and records how
// the run ended for the exit code. Progress and the questions it does not
// answer itself go on to the window's port, when there is a window.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "deploy/DeployOptions.h"
#include "deploy/ExitCodes.h"
#include "deploy/SetupLog.h"
#include "engine/InstallSink.h"
#include "platform/Platform.h"

namespace deploy {

class UnattendedSink : public engine::InstallSink {
 public:
  // window is the progress page's port, or nullptr for a run with no window
  // (/VERYSILENT): a disc that cannot be found is then left pending.
  UnattendedSink(platform::Platform& platform, const DeployOptions& options, SetupLog& log,
                 engine::InstallSink* window)
      : platform_(platform), options_(options), log_(log), window_(window) {}

  // How the run ended; nothing before its end.
  const std::optional<RunEnd>& Ended() const { return ended_; }

  void RunStarted() override;
  void RunEnded(bool copyFailed) override;
  void ShowPackStatus(const std::string& text) override;
  void ShowFileStatus(const std::string& text) override;
  void ShowAreaBar(const engine::BarFigures& figures) override;
  void ShowFileBar(const engine::BarFigures& figures) override;
  void FileDone(const std::string& targetPath, std::int64_t size, engine::FileOutcome outcome) override;
  engine::CopyFailureAnswer AskAboutFailedCopy(const std::string& text) override;
  std::string AskForNextDisc(const std::string& presetPath, const std::vector<std::string>& labels) override;
  void HandlePendingEvents() override;

 private:
  // Whether discs are looked for before the disc prompt: always without a
  // window or with only the progress page, and in the wizard when the
  // command line says where discs are.
  bool SearchesForDiscs() const;

  platform::Platform& platform_;
  const DeployOptions& options_;
  SetupLog& log_;
  engine::InstallSink* window_;
  std::optional<RunEnd> ended_;
};

}  // namespace deploy
