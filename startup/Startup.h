// Start-up in two launches. The installer must not hold its own executable
// open on a disc that the user will swap, so the first launch (from the disc)
// copies the executable into the temporary folder, starts that copy with two
// arguments and ends; the second launch (the copy) runs the wizard.
#pragma once
#include <string>

#include "deploy/DeployOptions.h"
#include "platform/Platform.h"

namespace startup {

// The name held by the process that runs the wizard, as long as it runs.
constexpr const char* kInstanceName = "TavrinMaterialLibrarySetup";

// What the running launch does next.
struct StartupResult {
  bool RunWizard = false;  // true in the second launch; the first one ends
  std::string Argument1;   // target hint: a folder of the application, or "!"
  std::string Argument2;   // source folder: where the first launch ran from
  // The switches of the command line (positional arguments included).
  deploy::DeployOptions Options;
  // The exit code of a launch that ends: the relaunched copy's, or that of a
  // command line that could not start anything.
  int ExitCode = 0;
  // A text to show before the launch ends: why the switches were refused,
  // or the help of /?.
  std::string Report;
};

// True when the executable runs from the temporary folder, i.e. it is the
// relaunched copy. The exact text comparison decides first; then the
// platform recognises the same folder spelt otherwise (letter case, short
// names), so that the copy never relaunches itself again.
bool IsRelaunchedCopy(platform::Platform& platform, const std::string& executableFolder,
                      const std::string& tempFolder);

// First the switches are read: a command line they refuse, or /?, ends the
// launch with its Report (exit code 1 or 0).
// In the first launch: copies the executable into the temporary folder,
// starts the copy with argument 1 (its own argument 1, or "!" when that is
// empty), argument 2 (its own folder) and its own switches, and waits for
// the copy to end, taking its exit code. When the copy cannot be placed,
// nothing is started and std::runtime_error says so (the top-level report);
// a failed start is not reported (exit code 1). In the second launch: reads
// the two arguments for the wizard.
// Only one wizard runs at a time: while one runs, any launch brings it to
// the front and ends (RunWizard false, exit code 1: nothing was installed).
StartupResult RunStartup(platform::Platform& platform);

}  // namespace startup
