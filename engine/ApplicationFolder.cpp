#include "engine/ApplicationFolder.h"

#include <stdexcept>

#include "text/AnsiText.h"

namespace engine {

namespace {
const char kInstallKey[] = "SOFTWARE\\HUXO\\MIRKE\\";
const char kInstallValue[] = "InstallPath";
}  // namespace

std::string RegisteredApplicationFolder(platform::Platform& platform) {
  std::string path;
  switch (platform.ReadMachineString(kInstallKey, kInstallValue, path)) {
    case platform::RegistryRead::Ok:
      return path;
    case platform::RegistryRead::NotAString:
      throw std::runtime_error(std::string("注册表值的数据类型无效：'") + kInstallValue + "'");
    case platform::RegistryRead::KeyMissing:
    case platform::RegistryRead::ValueMissing:
      break;
  }
  return "";
}

std::string ApplicationFolderText(const std::string& folder) {
  return !folder.empty() && !text::EndsWithBackslash(folder) ? folder + "\\" : folder;
}

bool SetApplicationFolder(catalogue::InstallerState& state, platform::Platform& platform, const std::string& folder) {
  state.TargetDir = folder + "DLL\\VEXA\\";
  state.TargetMatterLib = state.TargetDir + "MatterLib\\";
  return platform::FileExists(platform, state.TargetDir + "Nolt.exe");
}

}  // namespace engine
