// Start-up in two launches. The installer must not hold its own executable
// open on a disc that the user will swap, so the first launch (from the disc)
// copies the executable into the temporary folder, starts that copy with two
// arguments and ends; the second launch (the copy) runs the wizard.
#pragma once
#include <string>

#include "platform/Platform.h"

namespace startup {

// The name held by the process that runs the wizard, as long as it runs.
constexpr const char* kInstanceName = "TavrinMaterialLibrarySetup";

// What the running launch does next.
struct StartupResult {
  bool RunWizard = false;  // true in the second launch; the first one ends
  std::string Argument1;   // target hint: a folder of the application, or "!"
  std::string Argument2;   // source folder: where the first launch ran from
};

// True when the executable runs from the temporary folder, i.e. it is the
// relaunched copy. The exact text comparison decides first; then the
// platform recognises the same folder spelt otherwise (letter case, short
// names), so that the copy never relaunches itself again.
bool IsRelaunchedCopy(platform::Platform& platform, const std::string& executableFolder,
                      const std::string& tempFolder);

// In the first launch: copies the executable into the temporary folder and
// starts the copy with argument 1 (its own argument 1, or "!" when that is
// empty) and argument 2 (its own folder). When the copy cannot be placed,
// nothing is started and std::runtime_error says so (the top-level report);
// a failed start is not reported. In the second launch: reads the two
// arguments for the wizard.
// Only one wizard runs at a time: while one runs, any launch brings it to
// the front and ends (RunWizard false, nothing copied or started).
StartupResult RunStartup(platform::Platform& platform);

}  // namespace startup
