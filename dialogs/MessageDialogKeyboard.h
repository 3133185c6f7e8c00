// Focus and keys of the message dialog. Its form handles every key itself
// (OwnKeyHandling), so the answers to Tab, the arrows, Enter, Space, Escape
// and the accelerator letters are decided here, alike on every backend.
#pragma once
#include <vector>

#include "ui/Controls.h"

namespace dialogs {

class MessageDialogKeyboard {
 public:
  // Takes over the key and show events of the form; buttons in display
  // order, their Default and Cancel flags naming the Enter and Escape
  // buttons. The focus starts on firstFocus, or on the leftmost button when
  // that is nullptr.
  MessageDialogKeyboard(ui::Form& form, std::vector<ui::Button*> buttons, ui::Button* firstFocus = nullptr);
  ~MessageDialogKeyboard();
  MessageDialogKeyboard(const MessageDialogKeyboard&) = delete;
  MessageDialogKeyboard& operator=(const MessageDialogKeyboard&) = delete;

 private:
  void KeyDown(int& key, ui::ShiftState shift);
  void KeyUp(int& key, ui::ShiftState shift);
  // The focused button, or nullptr when the focus is on no button.
  ui::Button* Focused() const;
  void Focus(ui::Button* button);
  // Moves the focus by step buttons, wrapping around.
  void MoveFocus(int step);
  ui::Button* FlaggedButton(bool ui::Button::*flag) const;
  // The leftmost button whose caption marks the letter of a virtual key.
  ui::Button* AcceleratorButton(int key) const;
  void ReleaseSpace();

  ui::Form& form_;
  std::vector<ui::Button*> buttons_;
  // Shown pressed by Space; its release over the same button activates it.
  ui::Button* spaceButton_ = nullptr;
};

// The letter that "&" marks in a caption, in upper case; 0 when none ("&&"
// stands for an ampersand).
char CaptionAccelerator(const std::string& caption);

}  // namespace dialogs
