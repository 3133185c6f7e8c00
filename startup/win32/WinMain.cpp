// Entry of Setup.exe: makes the process safe and ready for windows, then runs
// the start-up; the relaunched copy runs the wizard until it is closed.
#include <exception>

#include "media/ImagePlatform.h"
#include "platform/win32/ProcessErrorMode.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32ShellNamespace.h"
#include "startup/Arguments.h"
#include "startup/InstallerRun.h"
#include "startup/Startup.h"
#include "ui/Application.h"
#include "ui/win32/Win32Backend.h"
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

// Prints text where the program was started from a console (or where its
// output goes), so that "Setup.exe /?" answers in the console too.
void PrintToConsole(const std::string& text) {
  HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  const bool attached = (!output || output == INVALID_HANDLE_VALUE) && ::AttachConsole(ATTACH_PARENT_PROCESS);
  if (attached)
    output = ::CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
  if (!output || output == INVALID_HANDLE_VALUE) return;
  const std::string line = text + "\r\n";
  DWORD written = 0;
  ::WriteFile(output, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  if (attached) {
    ::CloseHandle(output);
    ::FreeConsole();
  }
}

// The report of a launch that ends before any installing: the help of /?
// or why the switches were refused. A silent start gets no box to click.
void ShowReport(const startup::StartupResult& launch, const std::string& commandLine, const std::string& title) {
  PrintToConsole(launch.Report);
  if (startup::AsksForSilence(commandLine)) return;
  const UINT icon = launch.ExitCode == 0 ? MB_ICONINFORMATION : MB_ICONSTOP;
  ::MessageBoxA(nullptr, launch.Report.c_str(), title.c_str(), MB_OK | icon);
}

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
    if (!launch.Report.empty()) ShowReport(launch, win32Platform.CommandLine(), app.Title);
    if (!launch.RunWizard) return launch.ExitCode;

    // Declared first, the backend outlives the windows it runs.
    ui::win32::Win32Backend backend;
    app.SetBackend(&backend);
    platform::Win32ShellNamespace shell;
    // Reports its own errors: in a box, or to the log of a silent install.
    return startup::RunInstaller(imagePlatform, shell, launch.Options);
  } catch (const std::exception& error) {
    // An error before the installer runs (the program could not be placed in
    // the temporary folder): the same report as inside an event handler,
    // and the program ends.
    if (!startup::AsksForSilence(win32Platform.CommandLine()))
      ::MessageBoxA(nullptr, ui::Application::ErrorReportText(error.what()).c_str(), app.Title.c_str(),
                    MB_OK | MB_ICONSTOP);
    return 1;
  }
}
