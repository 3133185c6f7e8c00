#include "wizard/ProgressPageSink.h"

#include "dialogs/MessageDialogTypes.h"
#include "ui/Application.h"

namespace wizard {

namespace {

void ShowText(ui::TLabel& label, const std::string& text) {
  if (label.Caption() != text) label.SetCaption(text);
}

// The maximum first: a lower one pulls the bar's position down with it.
void ShowFigures(ui::TProgressBar& bar, const engine::BarFigures& figures) {
  if (bar.Max() != figures.Max) bar.SetMax(figures.Max);
  if (bar.Position() != figures.Position) bar.SetPosition(figures.Position);
}

}  // namespace

void ProgressPageSink::RunStarted() {
  form_.bt_Last->SetVisible(false);
  form_.bt_Next->SetEnabled(false);
}

// After a failed copy the user has just answered Abort (or cancelled): a key
// pressed again must not reach Next.
void ProgressPageSink::RunEnded(bool copyFailed) { form_.ShowButtonsAfterRun(!copyFailed); }

void ProgressPageSink::ShowPackStatus(const std::string& text) { ShowText(*form_.Lb_Spec, text); }

void ProgressPageSink::ShowFileStatus(const std::string& text) { ShowText(*form_.Lb_File, text); }

void ProgressPageSink::ShowAreaBar(const engine::BarFigures& figures) { ShowFigures(*form_.AreaProgress, figures); }

void ProgressPageSink::ShowFileBar(const engine::BarFigures& figures) { ShowFigures(*form_.FileProgress, figures); }

engine::CopyFailureAnswer ProgressPageSink::AskAboutFailedCopy(const std::string& text) {
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
  frm_ChooseDriver_.ShowModal();
  return frm_ChooseDriver_.SelectedPath;
}

void ProgressPageSink::HandlePendingEvents() { ui::App().ProcessMessages(); }

}  // namespace wizard
