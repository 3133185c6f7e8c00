// The install run on the wizard's progress page: what the engine reports is
// shown on the page's labels and bars (a control is changed only when its
// value changes: a window repaints it on every change, which costs as much as
// copying a small file), its failed-copy question is asked with the message
// dialog and its next-disc question with the disc prompt (not shown when a
// needed disc is in a drive already).
#pragma once
#include <string>
#include <vector>

#include "engine/InstallSink.h"
#include "wizard/Tfm_Install.h"
#include "wizard/U_ChooseCD.h"

namespace wizard {

class ProgressPageSink : public engine::InstallSink {
 public:
  // frm_ChooseDriver is the run's disc prompt.
  ProgressPageSink(Tfm_Install& form, Tfrm_ChooseDriver& frm_ChooseDriver)
      : form_(form), frm_ChooseDriver_(frm_ChooseDriver) {}

  void RunStarted() override;
  void RunEnded(bool copyFailed) override;
  void ShowPackStatus(const std::string& text) override;
  void ShowFileStatus(const std::string& text) override;
  void ShowAreaBar(const engine::BarFigures& figures) override;
  void ShowFileBar(const engine::BarFigures& figures) override;
  engine::CopyFailureAnswer AskAboutFailedCopy(const std::string& text) override;
  std::string AskForNextDisc(const std::string& presetPath, const std::vector<std::string>& labels) override;
  void HandlePendingEvents() override;

 private:
  Tfm_Install& form_;
  Tfrm_ChooseDriver& frm_ChooseDriver_;
};

}  // namespace wizard
