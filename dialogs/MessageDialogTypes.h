// Dialog types and button bits of the message dialog.
#pragma once
#include <cstdint>

namespace dialogs {

enum MessageType : std::uint8_t { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// One bit per button, in the order the buttons appear; bits 11 to 15 are ignored.
enum MessageButton : std::uint16_t {
  mbYes = 1 << 0, mbNo = 1 << 1, mbOK = 1 << 2, mbCancel = 1 << 3, mbAbort = 1 << 4,
  mbRetry = 1 << 5, mbIgnore = 1 << 6, mbAll = 1 << 7, mbNoToAll = 1 << 8, mbYesToAll = 1 << 9,
  mbHelp = 1 << 10,
};
using TMsgDlgButtons = std::uint16_t;
// The question asked when a file copy failed.
constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;

}  // namespace dialogs
