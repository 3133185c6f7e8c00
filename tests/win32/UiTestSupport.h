// Support for the toolkit's Win32 tests: the real backend with the error
// reports recorded instead of shown, and input made as a user makes it
// (SendInput moves the real mouse and presses real keys).
#pragma once
// <windows.h> first on purpose: no header of the program depends on the order.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/win32/Win32Backend.h"

namespace uitest {

class RecordingBackend : public ui::win32::Win32Backend {
 public:
  struct ErrorBox {
    std::string Caption, Text;
  };
  std::vector<ErrorBox> ErrorBoxes;
  void ShowErrorBox(const std::string& caption, const std::string& text) override {
    ErrorBoxes.push_back({caption, text});
  }
};

// Installs the backend for one test; forms made in the test go before it.
class UiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::App().SetBackend(&Backend);
    ui::App().Title = "Setup";
    // Input an earlier test left behind (a key release after its form went)
    // would reach this test's focus; without a window it goes nowhere.
    ui::App().ProcessMessages();
  }
  void TearDown() override { ui::App().SetBackend(nullptr); }

  RecordingBackend Backend;
};

inline HWND WindowOf(const ui::Control& control) {
  return static_cast<HWND>(ui::App().GetBackend().NativeHandle(control));
}

inline std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The text of an item of a system tree view, as the window shows it.
inline std::string TreeItemText(HWND tree, HTREEITEM item) {
  char text[260] = {};
  TVITEMA query{};
  query.mask = TVIF_TEXT | TVIF_HANDLE;
  query.hItem = item;
  query.pszText = text;
  query.cchTextMax = sizeof text;
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
  return text;
}

inline SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

// Moves the mouse to a client point of window and clicks there.
inline void ClickAt(HWND window, POINT at, bool rightButton = false) {
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

inline void ClickMiddle(HWND window) {
  const SIZE size = ClientSize(window);
  ClickAt(window, {size.cx / 2, size.cy / 2});
}

// Presses and releases a key, with Alt held when asked.
inline void TypeKey(WORD key, bool withAlt = false) {
  std::vector<INPUT> input;
  auto add = [&](WORD vk, bool up) {
    INPUT one{};
    one.type = INPUT_KEYBOARD;
    one.ki.wVk = vk;
    one.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    one.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(one);
  };
  if (withAlt) add(VK_MENU, false);
  add(key, false);
  add(key, true);
  if (withAlt) add(VK_MENU, true);
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// Handles messages until done() or the time is up; returns done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 3000) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < milliseconds) {
    ui::App().ProcessMessages();
    Sleep(5);
  }
  return done();
}

inline void PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

// Ends a modal form with kTimedOut when the test's input did not end it.
constexpr int kTimedOut = -1;
class ModalTimeout {
 public:
  explicit ModalTimeout(ui::Form& form, UINT milliseconds = 5000)
      : timer_(SetTimer(nullptr, 0, milliseconds, Expired)) {
    form_ = &form;
  }
  ~ModalTimeout() {
    KillTimer(nullptr, timer_);
    form_ = nullptr;
  }
  ModalTimeout(const ModalTimeout&) = delete;
  ModalTimeout& operator=(const ModalTimeout&) = delete;

 private:
  static void CALLBACK Expired(HWND, UINT, UINT_PTR, DWORD) {
    if (form_) form_->ModalResult = kTimedOut;
  }
  static inline ui::Form* form_ = nullptr;
  UINT_PTR timer_;
};

}  // namespace uitest
