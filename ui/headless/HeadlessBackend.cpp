#include "ui/headless/HeadlessBackend.h"

#include <stdexcept>

#include "text/AnsiText.h"

namespace ui {

Size HeadlessBackend::MeasureText(const Font& font, const std::string& text) {
  int lines = 1, width = 0, lineWidth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (c == '\n' || c == '\r') {
      ++lines;
      lineWidth = 0;
      continue;
    }
    if (text::IsLeadByte(c) && i + 1 < text.size()) {
      ++i;
      lineWidth += font.Height;
    } else {
      lineWidth += font.Height / 2;
    }
    if (lineWidth > width) width = lineWidth;
  }
  return {width, lines * font.Height};
}

void HeadlessBackend::RunModal(Form& form) {
  if (responders_.empty()) {
    throw std::logic_error("no scripted answer for the modal window '" + form.Caption() + "'");
  }
  Responder responder = std::move(responders_.front());
  responders_.pop_front();
  responder(form);
  if (form.ModalResult == mrNone) {
    throw std::logic_error("the scripted answer left the modal window '" + form.Caption() + "' open");
  }
}

void HeadlessBackend::ProcessMessages() {
  // A hook that itself handles events must not re-enter itself.
  if (!OnProcessMessages || depth_ > 0) return;
  ++depth_;
  struct Leave {
    int& depth;
    ~Leave() { --depth; }
  } leave{depth_};
  OnProcessMessages();
}

void HeadlessBackend::ShowErrorBox(const std::string& caption, const std::string& text) {
  ErrorBoxes.push_back({caption, text});
}

HeadlessScope::HeadlessScope() { App().SetBackend(&Backend); }
HeadlessScope::~HeadlessScope() { App().SetBackend(nullptr); }

void PressKey(Form& form, int key, ShiftState shift) {
  KeyDownOnly(form, key, shift);
  KeyUpOnly(form, key, shift);
}

void KeyDownOnly(Form& form, int key, ShiftState shift) {
  App().Dispatch([&] { form.DispatchKeyDown(key, shift); });
  // Printable keys also give a character, as TranslateMessage does.
  if (!shift.Alt && !shift.Ctrl && key >= 0x20 && key <= 0x5A) {
    const char c = (key >= 'A' && key <= 'Z' && !shift.Shift) ? static_cast<char>(key - 'A' + 'a')
                                                                : static_cast<char>(key);
    App().Dispatch([&] { form.DispatchChar(c); });
  }
}

void KeyUpOnly(Form& form, int key, ShiftState shift) {
  App().Dispatch([&] { form.DispatchKeyUp(key, shift); });
}

void MousePress(Control& control, Point at, MouseButton button) {
  App().Dispatch([&] { control.DoMouseDown(button, {}, at); });
}

void MouseRelease(Control& control, Point at, MouseButton button) {
  App().Dispatch([&] { control.DoMouseUp(button, {}, at); });
}

void MouseClick(Control& control, Point at, MouseButton button) {
  MousePress(control, at, button);
  MouseRelease(control, at, button);
}

void ClickButton(Control& button) {
  MouseClick(button, {button.Width() / 2, button.Height() / 2});
}

void WatchDevices(Form& form) {
  if (form.OnDeviceWatch) App().Dispatch(form.OnDeviceWatch);
}

}  // namespace ui
