#include "dialogs/MessageDialogLayout.h"

#include <algorithm>

namespace dialogs {

namespace {
constexpr int kLabelLeft = 50;
constexpr int kLabelTop = 15;
constexpr int kIconLeft = 5;
constexpr int kIconSize = 32;
constexpr int kIconMinTop = 10;
// Space left and right of the wider of text and button row.
constexpr int kSideMargin = 40;
// Space above the text plus below the button row, and below the buttons.
constexpr int kVerticalMargin = 50;
constexpr int kButtonBottomMargin = 10;
}  // namespace

MessageLayout ComputeMessageLayout(const MessageLayoutInput& input) {
  MessageLayout layout;
  const int rowWidth =
      input.ButtonCount > 0
          ? kMessageButtonWidth * input.ButtonCount + kMessageButtonGap * (input.ButtonCount - 1)
          : 0;
  layout.Label = {kLabelLeft, kLabelTop};
  const int textRight = kLabelLeft + input.Text.Width;
  const int textHeight = input.Text.Height;

  // The icon's middle is level with the text's middle, but never above 10.
  const int iconTop = std::max(kIconMinTop, kLabelTop + textHeight / 2 - kIconSize / 2);
  layout.Icon = {kIconLeft, iconTop, kIconLeft + kIconSize, iconTop + kIconSize};

  layout.Client.Height = textHeight + input.ButtonHeight + kVerticalMargin;
  layout.Client.Width = (rowWidth < textRight ? textRight : rowWidth) + kSideMargin;

  // The window never grows past the work area (the text is cut instead) and
  // never shrinks below the least window width; the frame keeps its size.
  const int outer = input.OuterWidth(layout.Client);
  const int frame = outer - layout.Client.Width;
  if (outer > input.WorkAreaWidth) {
    layout.Client.Width = input.WorkAreaWidth - frame;
  } else if (outer < input.MinWindowWidth) {
    layout.Client.Width = input.MinWindowWidth - frame;
  }

  // Centred in the final width; a row wider than the window reaches past
  // both edges. Division truncates toward zero.
  layout.FirstButton = {(layout.Client.Width - rowWidth) / 2,
                        layout.Client.Height - input.ButtonHeight - kButtonBottomMargin};
  return layout;
}

}  // namespace dialogs
