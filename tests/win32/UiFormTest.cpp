// Forms of the Win32 backend as the user meets them: the frame, the client
// size, resizing, the close request, modal runs ended by real clicks, the
// default and cancel buttons, and errors that leave an event handler.
#include <stdexcept>

#include "UiTestSupport.h"

namespace uitest {
namespace {

using ui::Button;
using ui::Form;

TEST_F(UiTest, FrameFollowsBorderAndCloseButton) {
  struct Case {
    const char* what;
    ui::BorderStyle border;
    bool closeButton;
    DWORD wanted, unwanted;
  };
  const Case cases[] = {
      {"sizeable with a close button", ui::BorderStyle::Sizeable, true,
       WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, WS_MINIMIZEBOX | WS_MAXIMIZEBOX},
      {"dialog without caption buttons", ui::BorderStyle::Dialog, false, WS_CAPTION,
       WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Form form(nullptr, "Form");
    form.SetCaption("Tavrin素材安装程序");
    form.SetClientSize(498, 291);
    form.Border = c.border;
    form.CloseButton = c.closeButton;
    form.Show();
    const HWND window = WindowOf(form);

    EXPECT_EQ(WindowText(window), "Tavrin素材安装程序");
    const SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, 498);
    EXPECT_EQ(client.cy, 291);
    RECT outer;
    GetWindowRect(window, &outer);
    const ui::Size expectedOuter = Backend.OuterSize(form, {498, 291});
    EXPECT_EQ(outer.right - outer.left, expectedOuter.Width);
    EXPECT_EQ(outer.bottom - outer.top, expectedOuter.Height);
    const DWORD style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & c.wanted, c.wanted);
    EXPECT_EQ(style & c.unwanted, 0u);
    // No icon in the frame.
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(IsWindowVisible(window));
  }
}

TEST_F(UiTest, ScreenCentredFormSitsInTheMiddleOfItsMonitor) {
  Form form(nullptr, "Form");
  form.SetClientSize(300, 200);
  form.Position = ui::FormPosition::ScreenCenter;
  form.Show();
  RECT outer;
  GetWindowRect(WindowOf(form), &outer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(WindowOf(form), MONITOR_DEFAULTTOPRIMARY), &monitor);
  EXPECT_LE(std::abs((outer.left + outer.right) - (monitor.rcMonitor.left + monitor.rcMonitor.right)), 1);
  EXPECT_LE(std::abs((outer.top + outer.bottom) - (monitor.rcMonitor.top + monitor.rcMonitor.bottom)), 1);
  EXPECT_EQ(form.Left(), outer.left);
  EXPECT_EQ(form.Top(), outer.top);
}

TEST_F(UiTest, ResizingTheWindowResizesTheForm) {
  Form form(nullptr, "Form");
  form.SetClientSize(400, 300);
  auto& panel = form.Add<ui::Panel>("LeftPanel");
  panel.AlignLeft = true;
  panel.SetBounds(0, 0, 100, 300);
  form.Show();
  const HWND window = WindowOf(form);

  RECT outer;
  GetWindowRect(window, &outer);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + 50, outer.bottom - outer.top + 40,
               SWP_NOMOVE | SWP_NOZORDER);

  EXPECT_EQ(form.Width(), 450);
  EXPECT_EQ(form.Height(), 340);
  EXPECT_EQ(ClientSize(window).cx, 450);
  EXPECT_EQ(ClientSize(WindowOf(panel)).cy, 340);  // the left panel follows the height
}

TEST_F(UiTest, CloseRequestAsksTheFormAndOnlyHidesIt) {
  Form form(nullptr, "Form");
  form.SetClientSize(200, 100);
  bool allow = false;
  int asked = 0;
  form.OnCloseQuery = [&](bool& canClose) {
    ++asked;
    canClose = allow;
  };
  form.Show();
  const HWND window = WindowOf(form);

  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return asked == 1; }));
  EXPECT_FALSE(form.Closed());
  EXPECT_TRUE(IsWindowVisible(window));

  allow = true;
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return form.Closed(); }));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(IsWindow(window));  // the form still owns its window
}

TEST_F(UiTest, MainLoopEndsWhenTheMainFormCloses) {
  Form form(nullptr, "Main");
  form.SetClientSize(200, 100);
  form.OnShow = [&] { PostMessageA(WindowOf(form), WM_CLOSE, 0, 0); };
  ModalTimeout timeout(form);  // a stuck loop fails instead of hanging

  ui::App().Run(form);

  EXPECT_TRUE(form.Closed());
  MSG left;
  EXPECT_FALSE(PeekMessageA(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the loop took its quit
}

TEST_F(UiTest, RealClickEndsModalFormWithTheButtonsResult) {
  Form owner(nullptr, "Owner");
  owner.SetClientSize(300, 200);
  owner.Show();
  const HWND ownerWindow = WindowOf(owner);

  Form dialog(nullptr, "Dialog");
  dialog.SetClientSize(200, 100);
  auto& ok = dialog.Add<Button>("OK", "确定", 60, 40, 75, 25);
  ok.ModalResult = ui::mrOk;
  int clicks = 0;
  bool ownerTookInput = true;
  ok.OnClick = [&] {
    ++clicks;
    ownerTookInput = IsWindowEnabled(ownerWindow);
  };
  dialog.OnShow = [&] { ClickMiddle(WindowOf(ok)); };
  ModalTimeout timeout(dialog);

  EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(ownerTookInput);
  EXPECT_TRUE(IsWindowEnabled(ownerWindow));
  EXPECT_FALSE(IsWindowVisible(WindowOf(dialog)));
  EXPECT_EQ(GetActiveWindow(), ownerWindow);
}

TEST_F(UiTest, ErrorInClickHandlerIsReportedAndTheFormGoesOn) {
  Form dialog(nullptr, "Dialog");
  dialog.SetClientSize(260, 100);
  auto& failing = dialog.Add<Button>("Failing", "Fail", 20, 40, 75, 25);
  auto& ok = dialog.Add<Button>("OK", "OK", 160, 40, 75, 25);
  ok.ModalResult = ui::mrOk;
  failing.OnClick = [&] {
    ClickMiddle(WindowOf(ok));  // the user goes on after the report
    throw std::runtime_error("Floating point division by zero");
  };
  dialog.OnShow = [&] { ClickMiddle(WindowOf(failing)); };
  ModalTimeout timeout(dialog);

  EXPECT_EQ(dialog.ShowModal(), ui::mrOk);
  ASSERT_EQ(Backend.ErrorBoxes.size(), 1u);
  EXPECT_EQ(Backend.ErrorBoxes[0].Caption, "Setup");
  EXPECT_EQ(Backend.ErrorBoxes[0].Text, "Floating point division by zero.");
}

TEST_F(UiTest, EnterAndEscapeAnswerTheDefaultAndCancelButtons) {
  struct Case {
    const char* what;
    WORD key;
    int result;
  };
  const Case cases[] = {{"Enter", VK_RETURN, ui::mrOk}, {"Escape", VK_ESCAPE, ui::mrCancel}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Form dialog(nullptr, "Dialog");
    dialog.SetClientSize(260, 100);
    auto& edit = dialog.Add<ui::Edit>("Edit", 10, 10, 120, 22);
    auto& ok = dialog.Add<Button>("OK", "OK", 20, 60, 75, 25);
    ok.ModalResult = ui::mrOk;
    ok.Default = true;
    auto& cancel = dialog.Add<Button>("Cancel", "Cancel", 160, 60, 75, 25);
    cancel.ModalResult = ui::mrCancel;
    cancel.Cancel = true;
    dialog.OnShow = [&] { TypeKey(c.key); };
    ModalTimeout timeout(dialog);

    EXPECT_EQ(dialog.ShowModal(), c.result);
    EXPECT_EQ(dialog.ActiveControl(), &edit);  // the first control had the focus
  }
}

}  // namespace
}  // namespace uitest
