// The message dialog as real windows: what the user sees when it opens, and
// answers typed on the real keyboard (SendInput) while it runs modally.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/TSkinMessage.h"
#include "ui/win32/Win32Backend.h"

namespace {

// What a second thread saw of the open dialog before it typed its answer.
struct SeenDialog {
  bool found = false;
  std::string title, focused;
  std::vector<std::string> buttons, statics;
};

std::string WindowText(HWND window) {
  char buffer[512];
  const int length = GetWindowTextA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

std::string ClassOf(HWND window) {
  char buffer[64];
  const int length = GetClassNameA(window, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

BOOL CALLBACK CollectChild(HWND child, LPARAM seenPointer) {
  auto& seen = *reinterpret_cast<SeenDialog*>(seenPointer);
  const std::string kind = ClassOf(child);
  if (lstrcmpiA(kind.c_str(), "Button") == 0) seen.buttons.push_back(WindowText(child));
  if (lstrcmpiA(kind.c_str(), "Static") == 0) seen.statics.push_back(WindowText(child));
  return TRUE;
}

// A visible top-level window of this process with the title, or null.
HWND WaitForDialog(const std::string& title) {
  for (int tries = 0; tries < 200; ++tries) {
    const HWND window = FindWindowA(nullptr, title.c_str());
    DWORD process = 0;
    if (window) GetWindowThreadProcessId(window, &process);
    if (window && process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
    Sleep(25);
  }
  return nullptr;
}

void Key(std::vector<INPUT>& inputs, WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  inputs.push_back(input);
}

// Types the keys (pressed in order, released in reverse order) into the
// dialog once it is up; closes it should it stay open, so that a broken key
// path fails the test instead of hanging it.
void AnswerWithKeys(const std::string& title, std::vector<WORD> keys, SeenDialog& seen) {
  const HWND dialog = WaitForDialog(title);
  if (!dialog) return;
  seen.found = true;
  seen.title = WindowText(dialog);
  EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&seen));
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus) {
    seen.focused = WindowText(info.hwndFocus);
  }

  std::vector<INPUT> inputs;
  for (WORD key : keys) Key(inputs, key, false);
  for (auto it = keys.rbegin(); it != keys.rend(); ++it) Key(inputs, *it, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));

  for (int tries = 0; tries < 200 && IsWindowVisible(dialog); ++tries) Sleep(25);
  if (IsWindowVisible(dialog)) PostMessageA(dialog, WM_CLOSE, 0, 0);
}

class MessageDialogWin32Test : public ::testing::Test {
 protected:
  void SetUp() override { ui::App().SetBackend(&backend); }
  void TearDown() override { ui::App().SetBackend(nullptr); }

  ui::win32::Win32Backend backend;
  dialogs::TSkinMessage message;
};

TEST_F(MessageDialogWin32Test, ErrorDialogAnswersRealKeys) {
  struct Case {
    const char* what;
    std::vector<WORD> keys;
    int result;
  };
  const std::vector<Case> cases = {
      {"Enter answers the focused Abort", {VK_RETURN}, 3},
      {"R answers Retry", {'R'}, 4},
      {"Alt+I answers Ignore", {VK_MENU, 'I'}, 5},
  };
  const std::string title = "错误";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SeenDialog seen;
    std::thread user(AnswerWithKeys, title, c.keys, std::ref(seen));
    const int result = message.ShowMessageDialog("复制:'a.dwg'出错。", dialogs::mtError,
                                                 dialogs::mbAbort | dialogs::mbRetry | dialogs::mbIgnore, 0);
    user.join();

    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, title);
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"终止(&A)", "重试(&R)", "忽略(&I)"}));
    EXPECT_EQ(seen.focused, "终止(&A)");
    EXPECT_NE(std::find(seen.statics.begin(), seen.statics.end(), "复制:'a.dwg'出错。"), seen.statics.end());
    EXPECT_EQ(result, c.result);
    // The window is gone once the call returns.
    EXPECT_EQ(FindWindowA(nullptr, title.c_str()), nullptr);
  }
}

}  // namespace
