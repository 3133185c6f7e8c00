// Page 1: the application folder proposed from the registry, and the free and
// total space of its drive.
#include <stdexcept>

#include "text/AnsiText.h"
#include "wizard/Tfm_Install.h"

namespace {

const char kInstallKey[] = "SOFTWARE\\HUXO\\MIRKE\\";
const char kInstallValue[] = "InstallPath";

// "<prefix> 12.34 GB": the largest unit in which the amount is greater than 1,
// or GB when it is not greater than 1 in any unit. The amount is computed as
// clusters / 1024^n * bytes per sector * sectors per cluster.
std::string SpaceText(const std::string& prefix, std::uint32_t clusters,
                      const platform::DiskSpace& disk, char decimalSeparator) {
  const struct {
    double divisor;
    const char* unit;
  } units[] = {{1024.0 * 1024.0 * 1024.0, " GB"}, {1024.0 * 1024.0, " MB"}, {1024.0, " KB"}};
  for (const auto& u : units) {
    const double amount = clusters / u.divisor * disk.BytesPerSector * disk.SectorsPerCluster;
    if (amount > 1) return prefix + text::FormatFixed2(amount, decimalSeparator) + u.unit;
  }
  const double gigabytes = clusters / units[0].divisor * disk.BytesPerSector * disk.SectorsPerCluster;
  return prefix + text::FormatFixed2(gigabytes, decimalSeparator) + units[0].unit;
}

}  // namespace

std::string Tfm_Install::ReadRegisteredInstallPath() {
  std::string path;
  switch (platform_.ReadMachineString(kInstallKey, kInstallValue, path)) {
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

void Tfm_Install::UpdateSpaceLabels() {
  const std::string folder = text::UpperAscii(text::Trim(edt_PrjPath->Text()));
  // Only a drive-letter path from A: to U: is asked about.
  if (folder.size() < 2 || folder[0] < 'A' || folder[0] > 'U' || folder[1] != ':') return;
  platform::DiskSpace disk;
  if (!platform_.DiskSpaceOf(folder.substr(0, 2) + "\\", disk)) return;
  const char separator = platform_.DecimalSeparator();
  Lb_Free->SetCaption(SpaceText("可用空间: ", disk.FreeClusters, disk, separator));
  Lb_Total->SetCaption(SpaceText("总大小: ", disk.TotalClusters, disk, separator));
}
