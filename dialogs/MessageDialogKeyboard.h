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
  MessageDialogKeyboard(ui::TForm& form, std::vector<ui::TButton*> buttons, ui::TButton* firstFocus = nullptr);
  ~MessageDialogKeyboard();
  MessageDialogKeyboard(const MessageDialogKeyboard&) = delete;
  MessageDialogKeyboard& operator=(const MessageDialogKeyboard&) = delete;

 private:
  void KeyDown(int& key, ui::ShiftState shift);
  void KeyUp(int& key, ui::ShiftState shift);
  // The focused button, or nullptr when the focus is on no button.
  ui::TButton* Focused() const;
  void Focus(ui::TButton* button);
  // Moves the focus by step buttons, wrapping around.
  void MoveFocus(int step);
  ui::TButton* FlaggedButton(bool ui::TButton::*flag) const;
  // The leftmost button whose caption marks the letter of a virtual key.
  ui::TButton* AcceleratorButton(int key) const;
  void ReleaseSpace();

  ui::TForm& form_;
  std::vector<ui::TButton*> buttons_;
  // Shown pressed by Space; its release over the same button activates it.
  ui::TButton* spaceButton_ = nullptr;
};

// The letter that "&" marks in a caption, in upper case; 0 when none ("&&"
// stands for an ampersand).
char CaptionAccelerator(const std::string& caption);

}  // namespace dialogs
