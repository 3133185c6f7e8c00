#include "catalogue/PendingLabels.h"

#include "catalogue/CatalogueFormat.h"

namespace catalogue {

const char* const kPendingFileName = "Install.Dat";

TInstallStep LoadPendingLabels(const catalogue::InstallerState& state, platform::Platform& platform,
                               const std::string& standard, const std::string& specialty) {
  const std::string path = state.TargetMatterLib + standard + "\\" + specialty + "\\" + kPendingFileName;
  TInstallStep step;
  std::string bytes;
  std::size_t failOffset = 0;
  if (platform::FileExists(platform, path) && platform::ReadWholeFile(platform, path, bytes) &&
      ParsePendingLabels(bytes, step.Labels, failOffset))
    return step;
  // No file, or one that does not read whole: all the pack's discs are pending.
  for (const TCdPack& pack : state.Packs) {
    if (pack.Standard.Text() == standard && pack.Specialty.Text() == specialty) {
      step.Labels = pack.Labels;
      break;
    }
  }
  return step;
}

void SavePendingLabels(platform::Platform& platform, const std::string& packFolder, const TCdLabels& labels) {
  platform::WriteWholeFile(platform, packFolder + kPendingFileName, SerializePendingLabels(labels));
}

}  // namespace catalogue
