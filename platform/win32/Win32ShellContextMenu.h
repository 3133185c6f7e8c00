// The shell's context menu of one item (IContextMenu), shown with
// TrackPopupMenu. While it is open, the owner window's menu messages go to
// the menu's handlers too, so that their owner-drawn submenus ("Send To",
// "Open With") fill themselves.
#pragma once
#include "platform/ShellNamespace.h"
#include "platform/win32/ShellPointers.h"

namespace platform::win32 {

class Win32ShellContextMenu final : public ShellContextMenu {
 public:
  Win32ShellContextMenu(ComPtr<IContextMenu> menu, HWND owner) : menu_(std::move(menu)), owner_(owner) {}

  bool Track(int screenX, int screenY, std::string& verb) override;
  bool RunChosen(const std::string& currentFolder) override;

 private:
  static LRESULT CALLBACK ForwardMenuMessages(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR id, DWORD_PTR self);
  std::string VerbOf(UINT command) const;

  ComPtr<IContextMenu> menu_;
  ComPtr<IContextMenu2> menu2_;
  ComPtr<IContextMenu3> menu3_;
  HWND owner_;
  UINT chosen_ = 0;  // the chosen command's offset from kFirstCommand
};

}  // namespace platform::win32
