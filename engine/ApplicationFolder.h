// The application folder that a material library is installed into: the one
// the registry names, and the check that a folder is one.
#pragma once
#include <string>

#include "catalogue/InstallerState.h"
#include "platform/Platform.h"

namespace engine {

// The application folder registered under HKEY_LOCAL_MACHINE, or "". A value
// that is no string raises std::runtime_error.
std::string RegisteredApplicationFolder(platform::Platform& platform);

// folder with a final "\" (an empty one stays empty).
std::string ApplicationFolderText(const std::string& folder);

// Sets TargetDir and TargetMatterLib of state for the application folder
// (with its final "\", as ApplicationFolderText gives it); true when the
// folder holds the application, DLL\VEXA\Nolt.exe.
bool SetApplicationFolder(catalogue::InstallerState& state, platform::Platform& platform, const std::string& folder);

}  // namespace engine
