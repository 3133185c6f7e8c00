#include "startup/Startup.h"

#include <stdexcept>

#include "engine/PackCopy.h"
#include "startup/Arguments.h"
#include "text/AnsiText.h"
#include "wizard/Tfm_Install.h"

namespace startup {

namespace {

// True when both files can be read and hold the same bytes.
bool SameContents(platform::Platform& platform, const std::string& a, const std::string& b) {
  std::string first, second;
  try {
    if (!platform::ReadWholeFile(platform, a, first) || !platform::ReadWholeFile(platform, b, second)) return false;
  } catch (const platform::Error&) {
    return false;
  }
  return first == second;
}

// Makes copy a writable copy of program, byte for byte, over any file of that
// name (a read-only one left by an earlier run included). False when that
// cannot be had: the file is locked, the folder refuses writes, or what
// stands there afterwards is not the program.
bool PlaceProgramCopy(platform::Platform& platform, const std::string& program, const std::string& copy) {
  // A copy made from a disc earlier is read-only, and a copy does not
  // replace a read-only file.
  engine::ClearReadOnly(platform, copy);
  if (!platform.CopyFileTo(program, copy, false)) return false;
  // The copy takes the disc's read-only attribute; it must not stay.
  engine::ClearReadOnly(platform, copy);
  return SameContents(platform, program, copy);
}

// A second start while a wizard runs shows that wizard instead.
void ShowRunningWizard(platform::Platform& platform) { platform.BringWindowToFront(Tfm_Install::kCaption); }

}  // namespace

bool IsRelaunchedCopy(platform::Platform& platform, const std::string& executableFolder,
                      const std::string& tempFolder) {
  if (executableFolder == tempFolder) return true;
  return !tempFolder.empty() && platform.SameFolder(executableFolder, tempFolder);
}

StartupResult RunStartup(platform::Platform& platform) {
  const text::LeadBytes lead = platform.AnsiLeadBytes();
  const std::string commandLine = platform.CommandLine();
  const std::string executable = platform.ModulePath();
  const std::string executableFolder = text::ExtractFilePath(executable, lead);
  const std::string tempFolder = platform.TempPath();

  StartupResult result;
  if (IsRelaunchedCopy(platform, executableFolder, tempFolder)) {
    if (!platform.ClaimInstance(kInstanceName)) {
      ShowRunningWizard(platform);
      return result;
    }
    result.RunWizard = true;
    result.Argument1 = ParamStr(commandLine, 1);
    result.Argument2 = ParamStr(commandLine, 2);
    return result;
  }
  // The copy in the temporary folder is the running wizard's own program.
  if (platform.InstanceRunning(kInstanceName)) {
    ShowRunningWizard(platform);
    return result;
  }

  // Without a temporary folder the copy would be started by its bare name,
  // from the current folder: possibly this very executable again, in an
  // endless chain of launches.
  if (tempFolder.empty()) return result;

  std::string targetHint = ParamStr(commandLine, 1);
  if (targetHint.empty()) targetHint = "!";
  const std::string copy = tempFolder + text::ExtractFileName(executable, lead);
  if (!PlaceProgramCopy(platform, executable, copy)) {
    // A wizard that started in the meantime holds its program open.
    if (platform.InstanceRunning(kInstanceName)) {
      ShowRunningWizard(platform);
      return result;
    }
    // Whatever file stands there is not this program: it must not be started.
    throw std::runtime_error("无法将安装程序复制到临时文件夹，安装程序不能继续运行。请关闭占用该文件的程序，"
                             "或删除该文件后重新运行安装程序：\"" + copy + "\"");
  }
  platform.ShellOpen(copy, BuildRelaunchParameters(targetHint, executableFolder));
  return result;
}

}  // namespace startup
