#include "platform/win32/Win32ShellContextMenu.h"

// After ShellPointers.h: these need <windows.h>.
#include <commctrl.h>

namespace platform::win32 {

namespace {

constexpr UINT kFirstCommand = 1;  // 0 is TrackPopupMenu's "nothing chosen"
constexpr UINT kLastCommand = 0x7FFF;
constexpr UINT_PTR kSubclassId = 0x5343;

// A popup menu, destroyed with its owner.
class PopupMenu {
 public:
  PopupMenu() : menu_(::CreatePopupMenu()) {}
  ~PopupMenu() {
    if (menu_) ::DestroyMenu(menu_);
  }
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  HMENU Get() const { return menu_; }

 private:
  HMENU menu_;
};

// Restores the process's current folder when it goes.
class CurrentFolderScope {
 public:
  explicit CurrentFolderScope(const std::string& folder) {
    if (folder.empty()) return;
    char previous[MAX_PATH];
    const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, previous);
    if (length == 0 || length >= MAX_PATH) return;
    previous_.assign(previous, length);
    ::SetCurrentDirectoryA(folder.c_str());
  }
  ~CurrentFolderScope() {
    if (!previous_.empty()) ::SetCurrentDirectoryA(previous_.c_str());
  }
  CurrentFolderScope(const CurrentFolderScope&) = delete;
  CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

 private:
  std::string previous_;
};

}  // namespace

LRESULT CALLBACK Win32ShellContextMenu::ForwardMenuMessages(HWND window, UINT message, WPARAM wParam,
                                                            LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto& menu = *reinterpret_cast<Win32ShellContextMenu*>(self);
  switch (message) {
    case WM_INITMENUPOPUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_MENUCHAR: {
      LRESULT result = 0;
      if (menu.menu3_ && SUCCEEDED(menu.menu3_->HandleMenuMsg2(message, wParam, lParam, &result))) return result;
      if (menu.menu2_ && SUCCEEDED(menu.menu2_->HandleMenuMsg(message, wParam, lParam))) return 0;
      break;
    }
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

std::string Win32ShellContextMenu::VerbOf(UINT command) const {
  char verb[256] = {};
  if (SUCCEEDED(menu_->GetCommandString(command, GCS_VERBA, nullptr, verb, sizeof verb)) && verb[0]) return verb;
  // Some handlers answer only in Unicode.
  wchar_t wide[256] = {};
  if (FAILED(menu_->GetCommandString(command, GCS_VERBW, nullptr, reinterpret_cast<LPSTR>(wide), 256))) return {};
  const int length = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, verb, sizeof verb, nullptr, nullptr);
  return length > 0 ? std::string(verb, length - 1) : std::string();
}

bool Win32ShellContextMenu::Track(int screenX, int screenY, std::string& verb) {
  PopupMenu popup;
  if (!popup.Get() || !owner_ ||
      FAILED(menu_->QueryContextMenu(popup.Get(), 0, kFirstCommand, kLastCommand, CMF_EXPLORE | CMF_CANRENAME)))
    return false;
  menu2_ = menu_.As<IContextMenu2>(IID_IContextMenu2);
  menu3_ = menu_.As<IContextMenu3>(IID_IContextMenu3);
  const bool forwarding = ::SetWindowSubclass(owner_, ForwardMenuMessages, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  const UINT command = static_cast<UINT>(
      ::TrackPopupMenu(popup.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screenX, screenY, 0, owner_, nullptr));
  if (forwarding) ::RemoveWindowSubclass(owner_, ForwardMenuMessages, kSubclassId);
  if (command < kFirstCommand) return false;
  chosen_ = command - kFirstCommand;
  verb = VerbOf(chosen_);
  return true;
}

bool Win32ShellContextMenu::RunChosen(const std::string& currentFolder) {
  CMINVOKECOMMANDINFO info{};
  info.cbSize = sizeof info;
  info.hwnd = owner_;
  info.lpVerb = MAKEINTRESOURCEA(chosen_);
  info.nShow = SW_SHOWNORMAL;
  CurrentFolderScope folder(currentFolder);
  return SUCCEEDED(menu_->InvokeCommand(&info));
}

}  // namespace platform::win32
