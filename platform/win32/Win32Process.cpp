// Process and start-up: temporary folder, own path and command line, the
// identity of folders, starting a program through the shell, and the one
// running instance of the program.
#include "platform/win32/Win32Handles.h"
#include "platform/win32/Win32Platform.h"
#include <windows.h>
#include "text/AnsiText.h"
// After <windows.h>: it needs it.
#include <shellapi.h>

namespace platform {

namespace {

// Where a folder lives on disc: its volume and its file index there.
struct FolderIdentity {
  DWORD Volume = 0;
  DWORD IndexHigh = 0;
  DWORD IndexLow = 0;
  bool operator==(const FolderIdentity& other) const {
    return Volume == other.Volume && IndexHigh == other.IndexHigh && IndexLow == other.IndexLow;
  }
};

// False when the folder cannot be opened or its file system gives no index.
bool QueryFolderIdentity(const std::string& folder, FolderIdentity& identity) {
  // No access rights are needed to read a handle's information; the backup
  // flag is what lets CreateFileA open a folder.
  win32::FileHandle handle(::CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info;
  if (!handle.IsOpen() || !::GetFileInformationByHandle(handle.Get(), &info)) return false;
  if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  if (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0) return false;
  identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return true;
}

// The folder with every short name part in its long form and a final "\";
// as given when the system cannot resolve it.
std::string LongFolderName(const std::string& folder) {
  std::string buffer(MAX_PATH, '\0');
  DWORD length = ::GetLongPathNameA(folder.c_str(), &buffer[0], static_cast<DWORD>(buffer.size()));
  if (length >= buffer.size()) {
    buffer.assign(length, '\0');
    length = ::GetLongPathNameA(folder.c_str(), &buffer[0], static_cast<DWORD>(buffer.size()));
  }
  if (length == 0 || length >= buffer.size()) return text::IncludeTrailingBackslash(folder);
  buffer.resize(length);
  return text::IncludeTrailingBackslash(buffer);
}

}  // namespace

std::string Win32Platform::TempPath() {
  // Read into a buffer of 255 characters first, as the installer always did;
  // a longer folder is read whole rather than lost.
  std::string buffer(255, '\0');
  DWORD length = ::GetTempPathA(static_cast<DWORD>(buffer.size()), &buffer[0]);
  if (length > buffer.size()) {
    buffer.assign(length, '\0');
    length = ::GetTempPathA(static_cast<DWORD>(buffer.size()), &buffer[0]);
  }
  if (length == 0 || length >= buffer.size()) return std::string();
  buffer.resize(length);
  return buffer;
}

std::string Win32Platform::ModulePath() {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameA(nullptr, &buffer[0], static_cast<DWORD>(buffer.size()));
    if (length == 0) return std::string();
    // A result that fills the buffer may have been cut short.
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.assign(buffer.size() * 2, '\0');
  }
}

std::string Win32Platform::CommandLine() { return ::GetCommandLineA(); }

bool Win32Platform::SameFolder(const std::string& a, const std::string& b) {
  FolderIdentity first, second;
  if (QueryFolderIdentity(a, first) && QueryFolderIdentity(b, second)) return first == second;
  const std::string longA = LongFolderName(a), longB = LongFolderName(b);
  return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, longA.data(), static_cast<int>(longA.size()),
                          longB.data(), static_cast<int>(longB.size())) == CSTR_EQUAL;
}

bool Win32Platform::ShellOpen(const std::string& file, const std::string& parameters) {
  // No owner window: the program starts others only before it has a window.
  const HINSTANCE result = ::ShellExecuteA(nullptr, "open", file.c_str(),
                                           parameters.empty() ? nullptr : parameters.c_str(), nullptr,
                                           SW_SHOWNORMAL);
  // Results above 32 mean success; smaller ones are error codes.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

bool Win32Platform::ClaimInstance(const std::string& name) {
  // The handle stays open for the life of the process: the system closes it,
  // and so frees the name, when the process ends however it ends.
  const HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name.c_str());
  if (!mutex) return false;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mutex);
    return false;
  }
  return true;
}

bool Win32Platform::InstanceRunning(const std::string& name) {
  const HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
  if (!mutex) return ::GetLastError() == ERROR_ACCESS_DENIED;  // held by a more privileged process
  ::CloseHandle(mutex);
  return true;
}

bool Win32Platform::BringWindowToFront(const std::string& caption) {
  const HWND window = ::FindWindowA(nullptr, caption.c_str());
  if (!window) return false;
  if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
  // A modal dialog of the window (the disc prompt, a question) comes first.
  ::SetForegroundWindow(::GetLastActivePopup(window));
  return true;
}

}  // namespace platform
