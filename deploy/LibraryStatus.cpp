#include "deploy/LibraryStatus.h"

#include "catalogue/CatalogueFormat.h"
#include "catalogue/PendingLabels.h"

namespace deploy {

namespace {

std::vector<std::string> SubFolders(platform::Platform& platform, const std::string& folder) {
  std::vector<std::string> names;
  for (const platform::FindEntry& entry : platform.ListFolder(folder + "*.*"))
    if ((entry.Attributes & platform::faDirectory) && entry.Name != "." && entry.Name != "..")
      names.push_back(entry.Name);
  return names;
}

// False when the file cannot be opened or read whole.
bool ReadPendingFile(platform::Platform& platform, const std::string& path, TCdLabels& labels) {
  try {
    std::string bytes;
    std::size_t failOffset = 0;
    return platform::ReadWholeFile(platform, path, bytes) && catalogue::ParsePendingLabels(bytes, labels, failOffset);
  } catch (const platform::Error&) {
    return false;
  }
}

}  // namespace

std::vector<PendingPack> PendingPacks(platform::Platform& platform, const std::string& targetMatterLib) {
  std::vector<PendingPack> pending;
  for (const std::string& standard : SubFolders(platform, targetMatterLib)) {
    const std::string standardFolder = targetMatterLib + standard + "\\";
    for (const std::string& specialty : SubFolders(platform, standardFolder)) {
      const std::string path = standardFolder + specialty + "\\" + catalogue::kPendingFileName;
      if (!platform::FileExists(platform, path)) continue;
      PendingPack pack{standard, specialty, {}, false};
      TCdLabels labels;
      pack.Unreadable = !ReadPendingFile(platform, path, labels);
      for (const catalogue::LabelString& label : labels) pack.Labels.push_back(label.Text());
      if (pack.Unreadable || !pack.Labels.empty()) pending.push_back(std::move(pack));
    }
  }
  return pending;
}

}  // namespace deploy
