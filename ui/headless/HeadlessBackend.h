// A backend without windows, for tests. Modal windows are answered by
// scripted responders, handled events can be hooked, and the error reports
// are recorded instead of shown.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/Application.h"

namespace ui {

class HeadlessBackend : public Backend {
 public:
  // Answers the next modal window: the responder acts on it (clicks, keys) and
  // must leave it with a ModalResult.
  using Responder = std::function<void(Form&)>;
  void PushResponder(Responder responder) { responders_.push_back(std::move(responder)); }
  bool AllResponded() const { return responders_.empty(); }

  // Runs inside every ProcessMessages call (for example to press Cancel).
  std::function<void()> OnProcessMessages;

  struct ErrorBox {
    std::string Caption, Text;
  };
  std::vector<ErrorBox> ErrorBoxes;

  Rect Work{0, 0, 1024, 738};
  // Frame added around a client area.
  int FrameWidth = 6, FrameHeight = 25;

  // Text model: a single byte is Height / 2 wide, a double-byte character
  // Height wide, a line Height high.
  static Size MeasureText(const Font& font, const std::string& text);

  void CreatePeers(Form&) override {}
  void ShowForm(Form&) override {}
  void HideForm(Form&) override {}
  void RunModal(Form& form) override;
  void RunMainLoop(Form&) override {}
  void ProcessMessages() override;
  void ShowErrorBox(const std::string& caption, const std::string& text) override;
  // The text model knows no screens: the same 96-DPI size at every dpi.
  Size TextExtent(const Font& font, const std::string& text, int) override { return MeasureText(font, text); }
  Rect WorkArea(const Form&) override { return Work; }
  Size OuterSize(const Form&, Size client) override {
    return {client.Width + FrameWidth, client.Height + FrameHeight};
  }

 private:
  std::deque<Responder> responders_;
  int depth_ = 0;
};

// Installs a fresh headless backend for the lifetime of a test.
class HeadlessScope {
 public:
  HeadlessScope();
  ~HeadlessScope();
  HeadlessBackend Backend;
};

// Input as a user gives it, dispatched as the real event loop would.
void PressKey(Form& form, int key, ShiftState shift = {});
void KeyDownOnly(Form& form, int key, ShiftState shift = {});
void KeyUpOnly(Form& form, int key, ShiftState shift = {});
void MouseClick(Control& control, Point at, MouseButton button = MouseButton::Left);
void MousePress(Control& control, Point at, MouseButton button = MouseButton::Left);
void MouseRelease(Control& control, Point at, MouseButton button = MouseButton::Left);
// Presses and releases the left button in the middle of a button.
void ClickButton(Control& button);
// Raises the form's OnDeviceWatch as the modal loop does when a second has
// passed or a device came or went.
void WatchDevices(Form& form);

}  // namespace ui
