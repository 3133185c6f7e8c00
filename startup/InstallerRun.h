// The second launch: the installer run as its switches ask. With no switch
// the wizard runs page by page, as it always did; /SILENT shows only the
// progress page, /VERYSILENT no window at all, /STATUS only looks at the
// installed library. Every way returns the installer's exit code
// (deploy/ExitCodes.h) and, with /LOG, writes the log to its last line.
#pragma once
#include "deploy/DeployOptions.h"
#include "platform/Platform.h"
#include "platform/ShellNamespace.h"

namespace startup {

// The version that the log names.
constexpr const char* kSetupVersion = "1.0.0.0";

// Runs the installer for options (the relaunch's two arguments and its
// switches). An error that leaves the run is reported (the top-level error
// report, or the log in the silent modes) and gives exit code 4. Windows are
// made through the application's backend, which must be set.
int RunInstaller(platform::Platform& platform, platform::ShellNamespace& shell, const deploy::DeployOptions& options);

}  // namespace startup
