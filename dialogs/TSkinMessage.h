// The message dialog component: its settings, and the call that builds a
// dialog for one message, runs it modally and returns the user's answer.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "dialogs/MessageDialogTypes.h"
#include "dialogs/SkinData.h"
#include "ui/Controls.h"

namespace dialogs {

class TSkinMessage {
 public:
  // The skin of the window frame, and the one of the label and buttons.
  Skin* SkinData = nullptr;
  Skin* CtrlSkinData = nullptr;
  std::string ButtonSkinDataName = "button";
  std::string MessageLabelSkinDataName = "stdlabel";
  // Fonts of the text and of the button captions where the skin gives none.
  ui::Font DefaultFont;
  ui::Font DefaultButtonFont;
  bool UseSkinFont = true;
  // Window translucency of the skin engine.
  bool AlphaBlend = false;
  bool AlphaBlendAnimation = false;
  int AlphaBlendValue = 200;

  // The application's help system: shows a help context. The Help button
  // calls it and leaves the dialog open.
  std::function<void(std::int32_t helpContext)> OnHelp;

  // Shows the text with the icon and title of the type and the buttons of
  // the set; returns the result of the button that closed it, or mrCancel
  // (2) for a close request. The window is gone when the call returns.
  // focusButton, when one of the set, starts with the focus and answers
  // Enter; otherwise the focus starts on the leftmost button.
  int ShowMessageDialog(const std::string& text, MessageType type, TMsgDlgButtons buttons,
                        std::int32_t helpContext, MessageButton focusButton = MessageButton{});
};

}  // namespace dialogs
