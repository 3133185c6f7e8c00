#include "ui/win32/EditPeer.h"

#include <string>

namespace ui::win32 {

EditPeer::EditPeer(Edit& edit, HWND parent, int id) : WindowPeer(edit), edit_(edit) {
  Create(WC_EDITA, ChildStyle() | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, parent, id, ControlBounds());
}

void EditPeer::Command(WORD code) {
  if (code != EN_CHANGE) return;
  std::string text(GetWindowTextLengthA(Handle()) + 1, '\0');
  text.resize(GetWindowTextA(Handle(), text.data(), static_cast<int>(text.size())));
  App().Dispatch([&] { edit_.TextEdited(text); });
}

}  // namespace ui::win32
