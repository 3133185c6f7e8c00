// Entry of Setup.exe: makes the process safe and ready for windows, then runs
// the start-up; the relaunched copy runs the wizard until it is closed.
#include <exception>

#include "media/ImagePlatform.h"
#include "platform/win32/ProcessErrorMode.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32ShellNamespace.h"
#include "startup/Startup.h"
#include "ui/Application.h"
#include "ui/win32/Win32Backend.h"
#include "wizard/Tfm_Install.h"
#include <windows.h>
#include <objbase.h>

namespace {

// The relaunched copy runs from the temporary folder, where anyone may have
// left a DLL under the name of a system DLL. From here on every DLL that the
// program or the system loads by name comes from the system folder; this is
// why comctl32.dll and uxtheme.dll are imported on first use rather than at
// start (see CMakeLists.txt). The call is looked up at run time: systems
// without it keep their search order.
void LoadDllsFromSystemFolderOnly() {
  using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
  constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
  const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesProc>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefaultDllDirectories) setDefaultDllDirectories(kSearchSystem32);
}

// COM for the user-interface thread (the shell's folder chooser needs it).
class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~ComApartment() {
    if (initialized_) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LoadDllsFromSystemFolderOnly();
  platform::win32::FailCriticalErrorsSilently();
  ComApartment com;

  platform::Win32Platform win32Platform;
  // A disc can be an .iso file wherever a disc's folder is named.
  media::ImagePlatform imagePlatform(win32Platform);
  // Also installs the lead bytes of the system's code page for the text helpers.
  platform::SetCurrent(&win32Platform);
  ui::Application& app = ui::App();
  app.Title = ui::Application::TitleFromExeName(win32Platform.ModulePath());

  try {
    const startup::StartupResult launch = startup::RunStartup(imagePlatform);
    if (!launch.RunWizard) return 0;

    // Declared first, the backend outlives the window it runs.
    ui::win32::Win32Backend backend;
    app.SetBackend(&backend);
    platform::Win32ShellNamespace shell;
    Tfm_Install fm_Install(imagePlatform, shell, launch.Argument1);
    fm_Install.SetSourceRoot(launch.Argument2);
    app.Run(fm_Install);
  } catch (const std::exception& error) {
    // An error outside any event handler (the program could not be placed in
    // the temporary folder, the window could not be made): the same report
    // as inside one, and the program ends.
    ::MessageBoxA(nullptr, ui::Application::ErrorReportText(error.what()).c_str(), app.Title.c_str(),
                  MB_OK | MB_ICONSTOP);
    return 1;
  }
  return 0;
}
