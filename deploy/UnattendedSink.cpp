#include "deploy/UnattendedSink.h"

#include <exception>

#include "deploy/DiscSearch.h"
#include "deploy/ListText.h"

namespace deploy {

namespace {

// The dialog results by which the log names the answers.
int DialogResult(engine::CopyFailureAnswer answer) {
  switch (answer) {
    case engine::CopyFailureAnswer::Abort: return 3;
    case engine::CopyFailureAnswer::Retry: return 4;
    case engine::CopyFailureAnswer::Ignore: return 5;
  }
  return 0;
}

}  // namespace

void UnattendedSink::RunStarted() {
  if (window_) window_->RunStarted();
}

void UnattendedSink::RunEnded(bool copyFailed) {
  // The engine reports the end also while an error leaves the run.
  if (std::uncaught_exceptions() > 0)
    ended_ = RunEnd::FatalError;
  else
    ended_ = copyFailed ? RunEnd::StoppedDuringCopy : RunEnd::Finished;
  if (window_) window_->RunEnded(copyFailed);
}

void UnattendedSink::ShowPackStatus(const std::string& text) {
  log_.Line(text);
  if (window_) window_->ShowPackStatus(text);
}

void UnattendedSink::ShowFileStatus(const std::string& text) {
  if (window_) window_->ShowFileStatus(text);
}

void UnattendedSink::ShowAreaBar(const engine::BarFigures& figures) {
  if (window_) window_->ShowAreaBar(figures);
}

void UnattendedSink::ShowFileBar(const engine::BarFigures& figures) {
  if (window_) window_->ShowFileBar(figures);
}

engine::CopyFailureAnswer UnattendedSink::AskAboutFailedCopy(const std::string& text) {
  const bool byDefault = options_.QuestionsSuppressed() || !window_;
  const engine::CopyFailureAnswer answer =
      byDefault ? engine::CopyFailureAnswer::Abort : window_->AskAboutFailedCopy(text);
  log_.Question(text, DialogResult(answer), byDefault);
  return answer;
}

std::string UnattendedSink::AskForNextDisc(const std::string& presetPath, const std::vector<std::string>& labels) {
  if (SearchesForDiscs()) {
    const std::optional<FoundDisc> found =
        FindDisc(platform_, labels, options_.Discs.value_or(std::vector<DiscLocation>{}),
                 options_.DiscSetFolder.value_or(""));
    if (found) {
      log_.DiscRead(found->Label, found->Folder);
      return found->Folder;
    }
  }
  if (!window_ || options_.Mode == InstallMode::VerySilent) {
    log_.DiscNotFound(labels);
    return "";
  }
  const std::string folder = window_->AskForNextDisc(presetPath, labels);
  log_.Line("Disc prompt for " + JoinList(labels, ',') + ": " + (folder.empty() ? "cancelled" : "disc at " + folder));
  return folder;
}

void UnattendedSink::FileDone(const std::string& targetPath, std::int64_t size, engine::FileOutcome outcome) {
  switch (outcome) {
    case engine::FileOutcome::Copied:
      log_.FileCopied(targetPath, size);
      break;
    case engine::FileOutcome::AlreadyThere:
      log_.FileSkipped(targetPath, size);
      break;
    case engine::FileOutcome::LeftOut:
      log_.FileFailed(targetPath, size, "left out (Ignore)");
      break;
    case engine::FileOutcome::Aborted:
      log_.FileFailed(targetPath, size, "copy aborted");
      break;
  }
}

void UnattendedSink::HandlePendingEvents() {
  if (window_) window_->HandlePendingEvents();
}

bool UnattendedSink::SearchesForDiscs() const {
  return options_.Mode != InstallMode::Interactive || options_.Discs || options_.DiscSetFolder;
}

}  // namespace deploy
