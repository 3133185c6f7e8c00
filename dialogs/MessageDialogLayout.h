// Where the message dialog puts its text, icon and buttons, and how large its
// window becomes, from the size of the text and the number of buttons.
#pragma once
#include <functional>

#include "ui/Controls.h"

namespace dialogs {

constexpr int kMessageButtonWidth = 70;
constexpr int kMessageButtonGap = 10;
// Without a skin: the height of a button and the least window width.
constexpr int kPlainButtonHeight = 25;
constexpr int kPlainMinWindowWidth = 120;

struct MessageLayoutInput {
  ui::Size Text;  // size of the message label
  int ButtonCount = 0;
  int ButtonHeight = 0;
  int WorkAreaWidth = 0;
  int MinWindowWidth = 0;
  // Outer (frame included) width of the window for a client size.
  std::function<int(ui::Size client)> OuterWidth;
};

struct MessageLayout {
  ui::Point Label;  // top left of the message label
  ui::Rect Icon;
  ui::Size Client;
  ui::Point FirstButton;  // top left of the leftmost button
  int ButtonStep = kMessageButtonWidth + kMessageButtonGap;
};

MessageLayout ComputeMessageLayout(const MessageLayoutInput& input);

}  // namespace dialogs
