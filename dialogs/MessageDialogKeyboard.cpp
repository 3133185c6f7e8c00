#include "dialogs/MessageDialogKeyboard.h"

#include <algorithm>

#include "text/AnsiText.h"

namespace dialogs {

char CaptionAccelerator(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(caption[i]);
    if (text::IsLeadByte(c)) {
      ++i;
    } else if (c == '&') {
      const char next = caption[i + 1];
      if (next != '&') return text::UpperAscii(std::string(1, next))[0];
      ++i;
    }
  }
  return 0;
}

MessageDialogKeyboard::MessageDialogKeyboard(ui::Form& form, std::vector<ui::Button*> buttons,
                                             ui::Button* firstFocus)
    : form_(form), buttons_(std::move(buttons)) {
  form_.OnKeyDown = [this](int& key, ui::ShiftState shift) { KeyDown(key, shift); };
  form_.OnKeyUp = [this](int& key, ui::ShiftState shift) { KeyUp(key, shift); };
  // The focus starts on its button once the window is up.
  form_.OnShow = [this, firstFocus] {
    if (firstFocus) {
      Focus(firstFocus);
    } else if (!buttons_.empty()) {
      Focus(buttons_.front());
    }
  };
}

MessageDialogKeyboard::~MessageDialogKeyboard() {
  form_.OnKeyDown = nullptr;
  form_.OnKeyUp = nullptr;
  form_.OnShow = nullptr;
}

void MessageDialogKeyboard::KeyDown(int& key, ui::ShiftState shift) {
  ui::Button* target = nullptr;
  switch (key) {
    case ui::kKeyTab:
      MoveFocus(shift.Shift ? -1 : 1);
      break;
    case ui::kKeyRight:
    case ui::kKeyDown:
      MoveFocus(1);
      break;
    case ui::kKeyLeft:
    case ui::kKeyUp:
      MoveFocus(-1);
      break;
    case ui::kKeyReturn:
      // The default button takes Enter only while no button has the focus.
      target = Focused() ? Focused() : FlaggedButton(&ui::Button::Default);
      break;
    case ui::kKeyEscape:
      target = FlaggedButton(&ui::Button::Cancel);
      break;
    case ui::kKeySpace:
      if (ui::Button* focused = Focused()) {
        focused->SetPressed(true);
        spaceButton_ = focused;
      }
      break;
    default:
      if (shift.Ctrl) return;
      target = AcceleratorButton(key);
      if (!target) return;
      Focus(target);
      break;
  }
  key = 0;
  if (target) target->Click();
}

void MessageDialogKeyboard::KeyUp(int& key, ui::ShiftState) {
  if (key != ui::kKeySpace) return;
  key = 0;
  ui::Button* button = spaceButton_;
  const bool activate = button && button == Focused() && button->Pressed();
  ReleaseSpace();
  if (activate) button->Click();
}

ui::Button* MessageDialogKeyboard::Focused() const {
  const ui::Control* active = form_.ActiveControl();
  auto it = std::find(buttons_.begin(), buttons_.end(), active);
  return it == buttons_.end() ? nullptr : *it;
}

void MessageDialogKeyboard::Focus(ui::Button* button) {
  // A button that loses the focus no longer shows a Space press.
  if (spaceButton_ && spaceButton_ != button) ReleaseSpace();
  form_.SetActiveControl(button);
}

void MessageDialogKeyboard::MoveFocus(int step) {
  if (buttons_.empty()) return;
  const int count = static_cast<int>(buttons_.size());
  auto it = std::find(buttons_.begin(), buttons_.end(), Focused());
  int index;
  if (it == buttons_.end()) {
    index = step > 0 ? 0 : count - 1;
  } else {
    index = ((static_cast<int>(it - buttons_.begin()) + step) % count + count) % count;
  }
  Focus(buttons_[index]);
}

ui::Button* MessageDialogKeyboard::FlaggedButton(bool ui::Button::*flag) const {
  for (ui::Button* button : buttons_) {
    if (button->*flag) return button;
  }
  return nullptr;
}

ui::Button* MessageDialogKeyboard::AcceleratorButton(int key) const {
  const bool letterOrDigit = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
  if (!letterOrDigit) return nullptr;
  for (ui::Button* button : buttons_) {
    if (CaptionAccelerator(button->Caption()) == key) return button;
  }
  return nullptr;
}

void MessageDialogKeyboard::ReleaseSpace() {
  if (spaceButton_) spaceButton_->SetPressed(false);
  spaceButton_ = nullptr;
}

}  // namespace dialogs
