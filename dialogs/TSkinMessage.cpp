#include "dialogs/TSkinMessage.h"

#include <vector>

#include "dialogs/MessageDialogKeyboard.h"
#include "dialogs/MessageDialogLayout.h"
#include "dialogs/MessageDialogTable.h"
#include "ui/Application.h"

namespace dialogs {

// No skin is ever loaded into this dialog (SkinData and CtrlSkinData stay
// empty), so the button height, the least window width and the fonts are the
// plain ones.
int TSkinMessage::ShowMessageDialog(const std::string& text, MessageType type,
                                    TMsgDlgButtons buttons, std::int32_t helpContext,
                                    MessageButton focusButton) {
  ui::Backend& backend = ui::App().GetBackend();
  buttons &= kMessageButtonBits;

  ui::Form form(nullptr, "MessageDialog");
  form.Border = ui::BorderStyle::Dialog;
  form.CloseButton = false;
  form.Position = ui::FormPosition::ScreenCenter;
  form.OwnKeyHandling = true;
  // A screen reader reads the message when the dialog opens.
  form.AccessibleDialog = true;
  form.SetCaption(MessageDialogTitle(type, ui::App().Title));

  auto& label = form.Add<ui::Label>("Message", 0, 0, "");
  label.SetFont(DefaultFont);
  label.SetCaption(text);

  MessageLayoutInput input;
  input.Text = {label.Width(), label.Height()};
  input.ButtonCount = MessageButtonCount(buttons);
  input.ButtonHeight = kPlainButtonHeight;
  input.MinWindowWidth = kPlainMinWindowWidth;
  const ui::Rect work = backend.WorkArea(form);
  input.WorkAreaWidth = work.Right - work.Left;
  input.OuterWidth = [&](ui::Size client) { return backend.OuterSize(form, client).Width; };
  const MessageLayout layout = ComputeMessageLayout(input);

  label.SetBounds(layout.Label.X, layout.Label.Y, label.Width(), label.Height());
  const ui::Rect& place = layout.Icon;
  auto& icon = form.Add<ui::Image>("Image", place.Left, place.Top, place.Right - place.Left,
                                    place.Bottom - place.Top);
  icon.SetStockIcon(MessageDialogIcon(type));
  form.SetClientSize(layout.Client.Width, layout.Client.Height);

  const MessageButton defaultBit = (buttons & focusButton) ? focusButton : DefaultMessageButton(buttons);
  const MessageButton escapeBit = EscapeMessageButton(buttons);
  std::vector<ui::Button*> row;
  ui::Button* firstFocus = nullptr;
  int x = layout.FirstButton.X;
  for (const MessageButtonInfo& info : MessageButtonTable()) {
    if (!(buttons & info.Bit)) continue;
    auto& button = form.Add<ui::Button>(info.Name, info.Caption, x, layout.FirstButton.Y,
                                         kMessageButtonWidth, input.ButtonHeight);
    button.SetFont(DefaultButtonFont);
    button.ModalResult = info.Result;
    button.Default = info.Bit == defaultBit;
    button.Cancel = info.Bit == escapeBit;
    if (info.Bit == mbHelp) {
      button.OnClick = [this, helpContext] {
        if (OnHelp) OnHelp(helpContext);
      };
    }
    if (info.Bit == focusButton) firstFocus = &button;
    row.push_back(&button);
    x += layout.ButtonStep;
  }

  MessageDialogKeyboard keyboard(form, row, firstFocus);
  return form.ShowModal();
}

}  // namespace dialogs
