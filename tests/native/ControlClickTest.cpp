// Clicks that reach a control which no longer takes input: a click queued
// while a button was enabled and visible may be handled after the button was
// disabled or hidden (the copy handles pending events after every file), and
// then does nothing.
#include <gtest/gtest.h>

#include <functional>

#include "dialogs/TSkinMessage.h"
#include "ui/headless/HeadlessBackend.h"

namespace {

using ui::Button;

class ControlClickTest : public ::testing::Test {
 protected:
  ControlClickTest() {
    panel = &form.Add<ui::Panel>("Panel");
    panel->SetBounds(0, 0, 300, 100);
    button = &panel->Add<Button>("bt_Next", "下一步", 10, 10, 75, 25);
    button->OnClick = [this] { ++clicks; };
  }

  ui::HeadlessScope headless;
  ui::Form form{nullptr, "Form"};
  ui::Panel* panel;
  Button* button;
  int clicks = 0;
};

TEST_F(ControlClickTest, ClickOnADisabledOrHiddenControlDoesNothing) {
  const struct {
    const char* what;
    std::function<void()> change;
    int clicks;
  } cases[] = {
      {"enabled and visible", [] {}, 1},
      {"disabled", [this] { button->SetEnabled(false); }, 0},
      {"hidden", [this] { button->SetVisible(false); }, 0},
      {"its panel disabled", [this] { panel->SetEnabled(false); }, 0},
      {"its panel hidden", [this] { panel->SetVisible(false); }, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    button->SetEnabled(true);
    button->SetVisible(true);
    panel->SetEnabled(true);
    panel->SetVisible(true);
    clicks = 0;
    c.change();
    // A click the system queued before the change, handled after it.
    ui::App().Dispatch([this] { button->Click(); });
    // The user's own mouse click.
    ui::ClickButton(*button);
    EXPECT_EQ(clicks, 2 * c.clicks);
  }
}

TEST_F(ControlClickTest, ButtonDisabledBetweenPressAndReleaseIsNotClicked) {
  ui::MousePress(*button, {5, 5});
  button->SetEnabled(false);
  ui::MouseRelease(*button, {5, 5});
  EXPECT_EQ(clicks, 0);
}

TEST_F(ControlClickTest, SecondClickAfterTheFirstDisabledTheButtonDoesNothing) {
  // As Next on the specialty page: the first click starts the work and
  // disables the button; the clicks queued behind it arrive during the work.
  button->OnClick = [this] {
    ++clicks;
    button->SetEnabled(false);
    for (int i = 0; i < 4; ++i) ui::App().Dispatch([this] { button->Click(); });
  };
  ui::ClickButton(*button);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlClickTest, EnterOnTheMessageDialogPressesNoDisabledButton) {
  // Enter and Space press a button through the same click.
  headless.Backend.PushResponder([](ui::Form& dialog) {
    for (const char* name : {"Yes", "No"}) {
      auto* button = dynamic_cast<Button*>(dialog.FindControl(name));
      ASSERT_NE(button, nullptr);
      button->SetEnabled(false);
    }
    ui::PressKey(dialog, ui::kKeyReturn);
    ui::PressKey(dialog, ui::kKeySpace);
    EXPECT_EQ(dialog.ModalResult, ui::mrNone);
    dialog.ModalResult = ui::mrCancel;
  });
  dialogs::TSkinMessage message;
  EXPECT_EQ(message.ShowMessageDialog("是否中断安装过程？", dialogs::mtConfirmation, dialogs::mbYes | dialogs::mbNo, 0),
            ui::mrCancel);
}

}  // namespace
