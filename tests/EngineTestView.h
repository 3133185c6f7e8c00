// A headless stand-in for the wizard window's progress page, for the engine's
// tests and the copy benchmark: the controls the engine drives, the Cancel
// button's handler, and a message dialog answered from a script.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/InstallerState.h"
#include "engine/InstallView.h"
#include "ui/Controls.h"

class EngineTestView : public ui::TForm, public TInstallView {
 public:
  struct Message {
    std::string text;
    int dialogType;
    int buttons;
  };

  explicit EngineTestView(TInstallerState& state) : ui::TForm(nullptr, "EngineTestView") {
    FileProgress = &Add<ui::TProgressBar>("FileProgress", 16, 152, 289, 17);
    AreaProgress = &Add<ui::TProgressBar>("AreaProgress", 16, 96, 289, 17);
    Lb_File = &Add<ui::TLabel>("Lb_File", 16, 128, "安装完成");
    Lb_Spec = &Add<ui::TLabel>("Lb_Spec", 16, 72, "安装完成");
    bt_Last = &Add<ui::TButton>("bt_Last", "上一步", 296, 256, 75, 25);
    bt_Next = &Add<ui::TButton>("bt_Next", "下一步", 384, 256, 75, 25);
    bt_cancel = &Add<ui::TButton>("bt_cancel", "取消", 384, 248, 75, 25);
    // The progress page during a run: only Cancel is offered.
    bt_Last->SetVisible(false);
    bt_Next->SetVisible(false);
    bt_Next->SetEnabled(false);
    bt_cancel->OnClick = [this, &state] {
      state.CancelRequested = true;
      bt_cancel->SetVisible(false);
      bt_Next->SetVisible(true);
    };
  }

  // The next answers of the message dialog, in order; each may act first
  // (free space, say) and returns the dialog result. Without one the answer
  // is Abort.
  std::deque<std::function<int()>> Answers;
  void Answer(int result) {
    Answers.push_back([result] { return result; });
  }
  std::vector<Message> Messages;

  int ShowMessageDialog(const std::string& text, int dialogType, int buttons, int) override {
    Messages.push_back({text, dialogType, buttons});
    if (Answers.empty()) return ui::mrAbort;  // an unscripted question stops the copy
    const std::function<int()> answer = Answers.front();
    Answers.pop_front();
    return answer();
  }

  ui::TProgressBar& FileProgressBar() override { return *FileProgress; }
  ui::TProgressBar& AreaProgressBar() override { return *AreaProgress; }
  ui::TLabel& FileStatusLabel() override { return *Lb_File; }
  ui::TLabel& SpecStatusLabel() override { return *Lb_Spec; }
  ui::TButton& NextButton() override { return *bt_Next; }
  ui::TButton& CancelButton() override { return *bt_cancel; }
  ui::TButton& BackButton() override { return *bt_Last; }

  ui::TProgressBar* FileProgress;
  ui::TProgressBar* AreaProgress;
  ui::TLabel* Lb_File;
  ui::TLabel* Lb_Spec;
  ui::TButton* bt_Last;
  ui::TButton* bt_Next;
  ui::TButton* bt_cancel;
};
