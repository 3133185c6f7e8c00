// The message dialog's buttons and how keys and the mouse answer it, on the
// headless backend.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/MessageDialogKeyboard.h"
#include "dialogs/TSkinMessage.h"
#include "ui/headless/HeadlessBackend.h"

namespace {

using dialogs::TMsgDlgButtons;
using ui::Button;
using ui::Form;

constexpr TMsgDlgButtons kOk = dialogs::mbOK;
constexpr TMsgDlgButtons kYesNo = dialogs::mbYes | dialogs::mbNo;
constexpr TMsgDlgButtons kAbortRetryIgnore = dialogs::mbAbort | dialogs::mbRetry | dialogs::mbIgnore;
constexpr TMsgDlgButtons kHelpOnly = dialogs::mbHelp;
constexpr TMsgDlgButtons kAllEleven = 0x07FF;

Button* ButtonNamed(Form& form, const std::string& name) {
  return dynamic_cast<Button*>(form.FindControl(name));
}

std::string FocusedName(const Form& form) {
  return form.ActiveControl() ? form.ActiveControl()->Name() : "";
}

class MessageDialogInputTest : public ::testing::Test {
 protected:
  // Shows a dialog whose user acts as `act` says; a dialog that `act` leaves
  // open is recorded in stayedOpen and then closed (result 2).
  int Show(TMsgDlgButtons set, const std::function<void(Form&)>& act) {
    stayedOpen = false;
    scope.Backend.PushResponder([&](Form& form) {
      act(form);
      if (form.ModalResult == ui::mrNone) {
        stayedOpen = true;
        form.Close();
      }
    });
    const int result = message.ShowMessageDialog("复制:'a.dwg'出错。", dialogs::mtError, set, 77);
    EXPECT_TRUE(scope.Backend.AllResponded());
    return result;
  }

  ui::HeadlessScope scope;
  dialogs::TSkinMessage message;
  bool stayedOpen = false;
};

TEST_F(MessageDialogInputTest, ButtonsFlagsAndFirstFocusPerSet) {
  struct Case {
    TMsgDlgButtons set;
    std::vector<std::string> names, captions;
    std::vector<int> results;
    std::string defaultButton, escapeButton, firstFocus;
  };
  const std::vector<Case> cases = {
      {kOk, {"OK"}, {"确定"}, {1}, "OK", "OK", "OK"},
      {kYesNo, {"Yes", "No"}, {"是(&Y)", "否(&N)"}, {6, 7}, "Yes", "No", "Yes"},
      {kAbortRetryIgnore, {"Abort", "Retry", "Ignore"}, {"终止(&A)", "重试(&R)", "忽略(&I)"},
       {3, 4, 5}, "Retry", "", "Abort"},
      {0, {}, {}, {}, "", "", ""},
      {kHelpOnly, {"Help"}, {"帮助(&H)"}, {0}, "", "", "Help"},
      {kAllEleven,
       {"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore", "All", "NoToAll", "YesToAll", "Help"},
       {"是(&Y)", "否(&N)", "确定", "取消", "终止(&A)", "重试(&R)", "忽略(&I)", "全部(&A)", "全部否(&O)",
        "全部是(&Y)", "帮助(&H)"},
       {6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0},
       "OK", "Cancel", "Yes"},
      // The caller's order of bits does not matter; Retry is not default
      // once OK or Yes is there, No answers Escape without Cancel.
      {dialogs::mbRetry | dialogs::mbYes | dialogs::mbNo, {"Yes", "No", "Retry"},
       {"是(&Y)", "否(&N)", "重试(&R)"}, {6, 7, 4}, "Yes", "No", "Yes"},
      {dialogs::mbOK | dialogs::mbCancel, {"OK", "Cancel"}, {"确定", "取消"}, {1, 2}, "OK", "Cancel", "OK"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "set 0x" << std::hex << c.set);
    Show(c.set, [&](Form& form) {
      const auto& controls = form.Controls();
      ASSERT_EQ(controls.size(), 2 + c.names.size());
      EXPECT_EQ(controls[0]->Name(), "Message");
      EXPECT_EQ(controls[1]->Name(), "Image");
      std::string defaultButton, escapeButton;
      for (std::size_t i = 0; i < c.names.size(); ++i) {
        auto* button = dynamic_cast<Button*>(controls[2 + i]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Name(), c.names[i]);
        EXPECT_EQ(button->Caption(), c.captions[i]);
        EXPECT_EQ(button->ModalResult, c.results[i]);
        if (button->Default) defaultButton += button->Name();
        if (button->Cancel) escapeButton += button->Name();
      }
      EXPECT_EQ(defaultButton, c.defaultButton);
      EXPECT_EQ(escapeButton, c.escapeButton);
      EXPECT_EQ(FocusedName(form), c.firstFocus);
    });
  }
}

TEST_F(MessageDialogInputTest, FormIsAFixedDialogThatHandlesItsOwnKeys) {
  Show(kOk, [](Form& form) {
    EXPECT_EQ(form.Owner(), nullptr);
    EXPECT_EQ(form.Border, ui::BorderStyle::Dialog);
    EXPECT_FALSE(form.CloseButton);
    EXPECT_EQ(form.Position, ui::FormPosition::ScreenCenter);
    EXPECT_TRUE(form.OwnKeyHandling);
    EXPECT_TRUE(form.IsModal());
    form.Close();
  });
}

// One key stroke as the user gives it.
std::function<void(Form&)> Press(int key, ui::ShiftState shift = {}) {
  return [=](Form& form) { ui::PressKey(form, key, shift); };
}

const ui::ShiftState kShift{true, false, false};
const ui::ShiftState kAlt{false, false, true};
const ui::ShiftState kAltShift{true, false, true};

TEST_F(MessageDialogInputTest, KeysAnswerTheDialog) {
  struct Case {
    const char* what;
    TMsgDlgButtons set;
    std::function<void(Form&)> input;
    int result;  // 0: the dialog stays open
  };
  const std::vector<Case> cases = {
      {"OK Enter", kOk, Press(ui::kKeyReturn), 1},
      {"OK Escape", kOk, Press(ui::kKeyEscape), 1},
      {"OK Space", kOk, Press(ui::kKeySpace), 1},
      {"OK letter O", kOk, Press('O'), 0},
      {"OK Alt+F4", kOk, Press(ui::kKeyF4, kAlt), 2},
      {"YesNo Enter", kYesNo, Press(ui::kKeyReturn), 6},
      {"YesNo Escape", kYesNo, Press(ui::kKeyEscape), 7},
      {"YesNo Space", kYesNo, Press(ui::kKeySpace), 6},
      {"YesNo Alt+F4", kYesNo, Press(ui::kKeyF4, kAlt), 2},
      {"ARI Enter", kAbortRetryIgnore, Press(ui::kKeyReturn), 3},
      {"ARI Escape", kAbortRetryIgnore, Press(ui::kKeyEscape), 0},
      {"ARI Space", kAbortRetryIgnore, Press(ui::kKeySpace), 3},
      {"ARI Alt+F4", kAbortRetryIgnore, Press(ui::kKeyF4, kAlt), 2},
      {"ARI Ctrl+R", kAbortRetryIgnore, Press('R', {false, true, false}), 0},
      {"empty Enter", 0, Press(ui::kKeyReturn), 0},
      {"empty Escape", 0, Press(ui::kKeyEscape), 0},
      {"empty Space", 0, Press(ui::kKeySpace), 0},
      {"empty Alt+F4", 0, Press(ui::kKeyF4, kAlt), 2},
      {"Help Enter", kHelpOnly, Press(ui::kKeyReturn), 0},
      {"Help Space", kHelpOnly, Press(ui::kKeySpace), 0},
      {"Help Escape", kHelpOnly, Press(ui::kKeyEscape), 0},
      {"Help Alt+F4", kHelpOnly, Press(ui::kKeyF4, kAlt), 2},
      {"all Enter", kAllEleven, Press(ui::kKeyReturn), 6},
      {"all Escape", kAllEleven, Press(ui::kKeyEscape), 2},
      {"all Space", kAllEleven, Press(ui::kKeySpace), 6},
      {"all Alt+F4", kAllEleven, Press(ui::kKeyF4, kAlt), 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int result = Show(c.set, c.input);
    EXPECT_EQ(stayedOpen, c.result == 0);
    EXPECT_EQ(result, c.result == 0 ? ui::mrCancel : c.result);
  }
}

TEST_F(MessageDialogInputTest, AcceleratorsAloneOrWithAltInEitherCase) {
  struct Case {
    TMsgDlgButtons set;
    char letter;
    int result;  // 0: Help, which keeps the dialog open
    std::string button;
  };
  const std::vector<Case> cases = {
      {kYesNo, 'Y', 6, "Yes"},
      {kYesNo, 'N', 7, "No"},
      {kAbortRetryIgnore, 'A', 3, "Abort"},
      {kAbortRetryIgnore, 'R', 4, "Retry"},
      {kAbortRetryIgnore, 'I', 5, "Ignore"},
      {kHelpOnly, 'H', 0, "Help"},
      // Two buttons marking one letter: the leftmost answers.
      {kAllEleven, 'Y', 6, "Yes"},
      {kAllEleven, 'A', 3, "Abort"},
      {kAllEleven, 'N', 7, "No"},
      {kAllEleven, 'R', 4, "Retry"},
      {kAllEleven, 'I', 5, "Ignore"},
      {kAllEleven, 'O', 9, "NoToAll"},
      {kAllEleven, 'H', 0, "Help"},
      {dialogs::mbAll | dialogs::mbYesToAll, 'A', 8, "All"},
      {dialogs::mbAll | dialogs::mbYesToAll, 'Y', 10, "YesToAll"},
  };
  const std::vector<std::pair<const char*, ui::ShiftState>> ways = {
      {"lower case", {}}, {"upper case", kShift}, {"Alt", kAlt}, {"Alt upper case", kAltShift}};
  for (const Case& c : cases) {
    for (const auto& [way, shift] : ways) {
      SCOPED_TRACE(testing::Message() << c.letter << " " << way << " in set 0x" << std::hex << c.set);
      std::vector<int> helpCalls;
      message.OnHelp = [&](int context) { helpCalls.push_back(context); };
      std::string focused;
      const int result = Show(c.set, [&](Form& form) {
        ui::PressKey(form, c.letter, shift);
        focused = FocusedName(form);
      });
      EXPECT_EQ(focused, c.button);
      if (c.result == 0) {
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(result, ui::mrCancel);
        EXPECT_EQ(helpCalls, std::vector<int>{77});
      } else {
        EXPECT_EQ(result, c.result);
        EXPECT_TRUE(helpCalls.empty());
      }
    }
  }
}

TEST_F(MessageDialogInputTest, FocusMovesWithTabAndArrowsAndWraps) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, ui::ShiftState>> keys;
    int result;  // of Enter afterwards
  };
  const std::vector<Case> cases = {
      {"Tab", {{ui::kKeyTab, {}}}, 4},
      {"Tab x3 wraps", {{ui::kKeyTab, {}}, {ui::kKeyTab, {}}, {ui::kKeyTab, {}}}, 3},
      {"Shift+Tab wraps", {{ui::kKeyTab, kShift}}, 5},
      {"Right", {{ui::kKeyRight, {}}}, 4},
      {"Down Down", {{ui::kKeyDown, {}}, {ui::kKeyDown, {}}}, 5},
      {"Left wraps", {{ui::kKeyLeft, {}}}, 5},
      {"Up Up", {{ui::kKeyUp, {}}, {ui::kKeyUp, {}}}, 4},
      {"Right Left", {{ui::kKeyRight, {}}, {ui::kKeyLeft, {}}}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Show(kAbortRetryIgnore,
                   [&](Form& form) {
                     for (const auto& [key, shift] : c.keys) {
                       ui::PressKey(form, key, shift);
                       EXPECT_EQ(form.ModalResult, ui::mrNone);
                     }
                     ui::PressKey(form, ui::kKeyReturn);
                   }),
              c.result);
  }
}

TEST_F(MessageDialogInputTest, SpaceShowsThePressAndItsReleaseActivates) {
  EXPECT_EQ(Show(kYesNo,
                 [](Form& form) {
                   ui::KeyDownOnly(form, ui::kKeySpace);
                   EXPECT_TRUE(ButtonNamed(form, "Yes")->Pressed());
                   EXPECT_EQ(form.ModalResult, ui::mrNone);
                   ui::KeyUpOnly(form, ui::kKeySpace);
                   EXPECT_FALSE(ButtonNamed(form, "Yes")->Pressed());
                 }),
            6);
}

TEST_F(MessageDialogInputTest, SpaceReleasedAfterTheFocusMovedActivatesNothing) {
  EXPECT_EQ(Show(kYesNo,
                 [](Form& form) {
                   ui::KeyDownOnly(form, ui::kKeySpace);
                   ui::PressKey(form, ui::kKeyTab);
                   EXPECT_FALSE(ButtonNamed(form, "Yes")->Pressed());
                   ui::KeyUpOnly(form, ui::kKeySpace);
                   EXPECT_FALSE(ButtonNamed(form, "No")->Pressed());
                 }),
            ui::mrCancel);
  EXPECT_TRUE(stayedOpen);
}

TEST_F(MessageDialogInputTest, MouseClickOnAButtonAnswers) {
  const std::vector<std::pair<const char*, int>> cases = {{"Abort", 3}, {"Retry", 4}, {"Ignore", 5}};
  for (const auto& [name, result] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Show(kAbortRetryIgnore, [&](Form& form) { ui::ClickButton(*ButtonNamed(form, name)); }),
              result);
  }
}

TEST_F(MessageDialogInputTest, MouseReleasedOutsideTheButtonActivatesNothing) {
  Show(kAbortRetryIgnore, [](Form& form) {
    Button& retry = *ButtonNamed(form, "Retry");
    ui::MousePress(retry, {10, 10});
    EXPECT_EQ(FocusedName(form), "Retry");
    EXPECT_TRUE(retry.Pressed());
    ui::MouseRelease(retry, {retry.Width() + 5, 10});
    EXPECT_FALSE(retry.Pressed());
    EXPECT_EQ(form.ModalResult, ui::mrNone);
  });
  EXPECT_TRUE(stayedOpen);
}

TEST_F(MessageDialogInputTest, HelpAsksForTheHelpContextAndStaysOpen) {
  std::vector<int> helpCalls;
  message.OnHelp = [&](int context) { helpCalls.push_back(context); };
  EXPECT_EQ(Show(dialogs::mbOK | dialogs::mbHelp,
                 [](Form& form) {
                   ui::ClickButton(*ButtonNamed(form, "Help"));
                   EXPECT_EQ(FocusedName(form), "Help");
                   ui::PressKey(form, ui::kKeyReturn);
                   EXPECT_EQ(form.ModalResult, ui::mrNone);
                   ui::PressKey(form, ui::kKeyTab);
                   ui::PressKey(form, ui::kKeyReturn);
                 }),
            1);
  EXPECT_EQ(helpCalls, (std::vector<int>{77, 77}));
}

TEST_F(MessageDialogInputTest, HelpWithoutAHelpSystemDoesNothing) {
  EXPECT_EQ(Show(kHelpOnly, [](Form& form) { ui::ClickButton(*ButtonNamed(form, "Help")); }), ui::mrCancel);
  EXPECT_TRUE(stayedOpen);
}

TEST(CaptionAcceleratorTest, LetterAfterTheAmpersandInUpperCase) {
  const std::vector<std::pair<std::string, char>> cases = {
      {"重试(&R)", 'R'}, {"全部否(&o)", 'O'}, {"确定", 0}, {"A&&B", 0}, {"&&&x", 'X'}, {"end&", 0}};
  for (const auto& [caption, letter] : cases) {
    EXPECT_EQ(dialogs::CaptionAccelerator(caption), letter) << caption;
  }
}

}  // namespace
