#include "wizard/ProgressPageSink.h"

#include "dialogs/MessageDialogTypes.h"
#include "ui/Application.h"

namespace wizard {

namespace {

void ShowText(ui::Label& label, const std::string& text) {
  if (label.Caption() != text) label.SetCaption(text);
}

// The maximum first: a lower one pulls the bar's position down with it.
void ShowFigures(ui::ProgressBar& bar, const engine::BarFigures& figures) {
  if (bar.Max() != figures.Max) bar.SetMax(figures.Max);
  if (bar.Position() != figures.Position) bar.SetPosition(figures.Position);
}

}  // namespace

// During the run the taskbar button shows the area bar's progress.
void ProgressPageSink::RunStarted() {
  form_.bt_Last->SetVisible(false);
  form_.bt_Next->SetEnabled(false);
  form_.SetTaskbar({ui::TaskbarState::Normal, form_.AreaProgress->Position(), form_.AreaProgress->Max()});
}

// After a failed copy the user has just answered Abort (or cancelled): a key
// pressed again must not reach Next.
void ProgressPageSink::RunEnded(bool copyFailed) {
  form_.ShowButtonsAfterRun(!copyFailed);
  form_.SetTaskbar({});
}

void ProgressPageSink::ShowPackStatus(const std::string& text) { ShowText(*form_.Lb_Spec, text); }

void ProgressPageSink::ShowFileStatus(const std::string& text) { ShowText(*form_.Lb_File, text); }

void ProgressPageSink::ShowAreaBar(const engine::BarFigures& figures) {
  ShowFigures(*form_.AreaProgress, figures);
  const ui::TaskbarProgress& shown = form_.Taskbar();
  if (shown.State == ui::TaskbarState::None) return;  // the run is over
  form_.SetTaskbar({shown.State, form_.AreaProgress->Position(), form_.AreaProgress->Max()});
}

void ProgressPageSink::ShowFileBar(const engine::BarFigures& figures) { ShowFigures(*form_.FileProgress, figures); }

engine::CopyFailureAnswer ProgressPageSink::AskAboutFailedCopy(const std::string& text) {
  // While the question is open, the taskbar button shows the error state.
  ui::TaskbarStateScope copyError(form_, ui::TaskbarState::Error);
  switch (form_.ShowMessageDialog(text, dialogs::mtError, dialogs::mbAbort | dialogs::mbRetry | dialogs::mbIgnore,
                                  0)) {
    case ui::mrAbort:
      return engine::CopyFailureAnswer::Abort;
    case ui::mrIgnore:
      return engine::CopyFailureAnswer::Ignore;
    default:  // Retry, or any other answer: copy again
      return engine::CopyFailureAnswer::Retry;
  }
}

std::string ProgressPageSink::AskForNextDisc(const std::string& presetPath, const std::vector<std::string>& labels) {
  frm_ChooseDriver_.SetPath(presetPath);
  frm_ChooseDriver_.SetLabels(labels);
  // A needed disc that is in a drive already is read without a question.
  const std::string inPlace = frm_ChooseDriver_.NeededDiscInPlace();
  if (!inPlace.empty()) return inPlace;
  // The run waits for the user: the taskbar button shows it paused.
  ui::TaskbarStateScope paused(form_, ui::TaskbarState::Paused);
  frm_ChooseDriver_.ShowModal();
  return frm_ChooseDriver_.SelectedPath;
}

void ProgressPageSink::HandlePendingEvents() { ui::App().ProcessMessages(); }

}  // namespace wizard
