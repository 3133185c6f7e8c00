// How the backend's message loops hand on one message. A form that handles
// every key itself (OwnKeyHandling) gets all key messages of its windows
// through Form's key dispatch, and the system sees none of them: no dialog
// navigation, no button answering Space or Enter, no menu for Alt. Other
// forms of ours get the system's dialog navigation (Tab, the default and
// the cancel button) through IsDialogMessage; with KeyPreview, the form's
// key events see each key before that, and a key they set to 0 goes no
// further.
#pragma once
#include "ui/win32/Win32Api.h"

namespace ui::win32 {

void RouteMessage(MSG& message);

}  // namespace ui::win32
