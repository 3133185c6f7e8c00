// The application object: the program title, the backend that runs windows,
// the event dispatch boundary with the top-level error report, modal loops
// and the call that handles all pending events.
#pragma once
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "ui/Controls.h"

namespace ui {

// The mouse pointer shown over every window of the program.
enum class Cursor { Default, HourGlass };

// How windows come to life: the Win32 backend creates real windows, the
// headless one none.
class Backend {
 public:
  virtual ~Backend() = default;
  // Creates the peers of a form and of every control in it that has none.
  virtual void CreatePeers(Form& form) = 0;
  virtual void ShowForm(Form& form) = 0;
  virtual void HideForm(Form& form) = 0;
  // Runs until form.ModalResult is not mrNone (other windows take no input).
  virtual void RunModal(Form& form) = 0;
  // Runs until the main form has closed.
  virtual void RunMainLoop(Form& mainForm) = 0;
  virtual void ProcessMessages() = 0;
  // The plain system message box of the top-level error report.
  virtual void ShowErrorBox(const std::string& caption, const std::string& text) = 0;
  // Size of a text in a font, in 96-DPI pixels, as the font shows it on a
  // screen of dpi; every line break starts a new line and an empty text is
  // one line high.
  virtual Size TextExtent(const Font& font, const std::string& text, int dpi) = 0;
  // Work area of the monitor that holds the form, in the form's 96-DPI pixels.
  virtual Rect WorkArea(const Form& form) = 0;
  // Outer size of a form of the given client size (frame and title added),
  // in the form's 96-DPI pixels.
  virtual Size OuterSize(const Form& form, Size client) = 0;
  // Dots per inch of the screen where new windows appear.
  virtual int SystemDpi() { return 96; }
  // The native window that stands for a control (an HWND on Win32), for
  // system services that want an owner window; null without one.
  virtual void* NativeHandle(const Control& control) { return nullptr; }
  // Shows cursor over the program's windows until it is changed again.
  virtual void SetCursor(Cursor cursor) {}
};

class Application {
 public:
  // The program title: the executable's file name without folder, cut at the
  // first ".", every character after the first in lower case.
  static std::string TitleFromExeName(const std::string& exePath);
  // The error report text: "." appended when the message is not empty and its
  // last character has a code above that of ".".
  static std::string ErrorReportText(const std::string& message);

  std::string Title;
  void SetBackend(Backend* backend) { backend_ = backend; }
  Backend& GetBackend();
  bool HasBackend() const { return backend_ != nullptr; }

  // Runs an event handler; an error that leaves it is shown in the top-level
  // error report and the program goes on.
  void Dispatch(const std::function<void()>& handler);
  void ShowException(const std::exception& error);

  void ProcessMessages();
  void Run(Form& mainForm);

  // The program-wide cursor (the hourglass while a slow operation runs).
  Cursor ScreenCursor() const { return cursor_; }
  void SetScreenCursor(Cursor cursor);

 private:
  Backend* backend_ = nullptr;
  Cursor cursor_ = Cursor::Default;
};

// Shows the hourglass while it lives, then the cursor shown before.
class HourGlassCursor {
 public:
  HourGlassCursor();
  ~HourGlassCursor();
  HourGlassCursor(const HourGlassCursor&) = delete;
  HourGlassCursor& operator=(const HourGlassCursor&) = delete;

 private:
  Cursor previous_;
};

Application& App();

}  // namespace ui
