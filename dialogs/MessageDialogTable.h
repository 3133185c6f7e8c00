// The fixed tables of the message dialog: title and icon per dialog type,
// name, caption and result per button, and which buttons answer Enter and
// Escape.
#pragma once
#include <array>
#include <string>

#include "dialogs/MessageDialogTypes.h"

namespace dialogs {

// Bits 0 to 10 stand for buttons; the others are ignored.
constexpr TMsgDlgButtons kMessageButtonBits = 0x07FF;

struct MessageButtonInfo {
  MessageButton Bit;
  const char* Name;     // name of the button control
  const char* Caption;  // "&" marks the accelerator letter
  int Result;           // 0 keeps the dialog open (Help)
};

// All buttons in the order they appear, left to right.
const std::array<MessageButtonInfo, 11>& MessageButtonTable();

// Number of buttons in a set (ignored bits do not count).
int MessageButtonCount(TMsgDlgButtons buttons);

// The button that is marked default (OK, else Yes, else Retry) and the one
// that answers Escape (Cancel, else No, else OK); 0 when the set has none.
MessageButton DefaultMessageButton(TMsgDlgButtons buttons);
MessageButton EscapeMessageButton(TMsgDlgButtons buttons);

// Window title of a dialog type; custom (and unknown) types use the
// application's title, given as appTitle.
std::string MessageDialogTitle(MessageType type, const std::string& appTitle);

// Stock icon id (as Win32 IDI_xxx numbers them) of a dialog type; 0 for none.
int MessageDialogIcon(MessageType type);

}  // namespace dialogs
