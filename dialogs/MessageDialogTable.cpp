#include "dialogs/MessageDialogTable.h"

#include <initializer_list>

namespace dialogs {

const std::array<MessageButtonInfo, 11>& MessageButtonTable() {
  static const std::array<MessageButtonInfo, 11> table{{
      {mbYes, "Yes", "是(&Y)", 6},
      {mbNo, "No", "否(&N)", 7},
      {mbOK, "OK", "确定", 1},
      {mbCancel, "Cancel", "取消", 2},
      {mbAbort, "Abort", "终止(&A)", 3},
      {mbRetry, "Retry", "重试(&R)", 4},
      {mbIgnore, "Ignore", "忽略(&I)", 5},
      {mbAll, "All", "全部(&A)", 8},
      {mbNoToAll, "NoToAll", "全部否(&O)", 9},
      {mbYesToAll, "YesToAll", "全部是(&Y)", 10},
      {mbHelp, "Help", "帮助(&H)", 0},
  }};
  return table;
}

int MessageButtonCount(TMsgDlgButtons buttons) {
  int count = 0;
  for (const MessageButtonInfo& info : MessageButtonTable()) {
    if (buttons & info.Bit) ++count;
  }
  return count;
}

namespace {
MessageButton FirstPresent(TMsgDlgButtons buttons, std::initializer_list<MessageButton> candidates) {
  for (MessageButton bit : candidates) {
    if (buttons & bit) return bit;
  }
  return MessageButton{};
}
}  // namespace

MessageButton DefaultMessageButton(TMsgDlgButtons buttons) {
  return FirstPresent(buttons, {mbOK, mbYes, mbRetry});
}

MessageButton EscapeMessageButton(TMsgDlgButtons buttons) {
  return FirstPresent(buttons, {mbCancel, mbNo, mbOK});
}

std::string MessageDialogTitle(MessageType type, const std::string& appTitle) {
  switch (type) {
    case mtWarning: return "警告";
    case mtError: return "错误";
    case mtInformation: return "信息";
    case mtConfirmation: return "确认";
    default: return appTitle;
  }
}

int MessageDialogIcon(MessageType type) {
  switch (type) {
    case mtWarning: return 32515;       // IDI_EXCLAMATION
    case mtError: return 32513;         // IDI_HAND
    case mtInformation: return 32516;   // IDI_ASTERISK
    case mtConfirmation: return 32514;  // IDI_QUESTION
    default: return 0;
  }
}

}  // namespace dialogs
