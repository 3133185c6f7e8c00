#include "startup/Startup.h"

#include "startup/Arguments.h"
#include "text/AnsiText.h"

namespace startup {

bool IsRelaunchedCopy(platform::Platform& platform, const std::string& executableFolder,
                      const std::string& tempFolder) {
  if (executableFolder == tempFolder) return true;
  return !tempFolder.empty() && platform.SameFolder(executableFolder, tempFolder);
}

StartupResult RunStartup(platform::Platform& platform) {
  const std::string commandLine = platform.CommandLine();
  const std::string executable = platform.ModulePath();
  const std::string executableFolder = text::ExtractFilePath(executable);
  const std::string tempFolder = platform.TempPath();

  StartupResult result;
  if (IsRelaunchedCopy(platform, executableFolder, tempFolder)) {
    result.RunWizard = true;
    result.Argument1 = ParamStr(commandLine, 1);
    result.Argument2 = ParamStr(commandLine, 2);
    return result;
  }

  // Without a temporary folder the copy would be started by its bare name,
  // from the current folder: possibly this very executable again, in an
  // endless chain of launches.
  if (tempFolder.empty()) return result;

  std::string targetHint = ParamStr(commandLine, 1);
  if (targetHint.empty()) targetHint = "!";
  const std::string copy = tempFolder + text::ExtractFileName(executable);
  // An earlier copy left in the folder still serves when this one fails.
  platform.CopyFile(executable, copy, false);
  platform.ShellOpen(copy, BuildRelaunchParameters(targetHint, executableFolder));
  return result;
}

}  // namespace startup
