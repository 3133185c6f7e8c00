#include "deploy/DiscSearch.h"

#include "catalogue/CatalogueFormat.h"
#include "catalogue/DiscDescriptor.h"
#include "text/AnsiText.h"

namespace deploy {

namespace {

bool IsNeeded(platform::Platform& platform, const std::vector<std::string>& neededLabels, const std::string& label) {
  for (const std::string& needed : neededLabels)
    if (platform.CompareTextNoCase(needed, label) == 0) return true;
  return false;
}

// The label of the disc whose root is folder; false when there is no
// descriptor or it cannot be read (a drive with no disc in it, a share that
// is gone).
bool ReadLabelAt(platform::Platform& platform, const std::string& folder, std::string& label) {
  const std::string path = folder + catalogue::kDescriptorFileName;
  if (!platform::FileExists(platform, path)) return false;
  try {
    std::string head(catalogue::kDescriptorHeadSize, '\0');
    TLabelString stored;
    if (!platform.OpenRead(path)->Read(&head[0], head.size()) || !catalogue::ParseDiscLabel(head, stored))
      return false;
    label = stored.Text();
    return true;
  } catch (const platform::Error&) {
    return false;
  }
}

// The disc at folder, when it carries a needed label.
std::optional<FoundDisc> NeededDiscAt(platform::Platform& platform, const std::vector<std::string>& neededLabels,
                                      const std::string& folder) {
  std::string label;
  if (!ReadLabelAt(platform, folder, label) || !IsNeeded(platform, neededLabels, label)) return std::nullopt;
  return FoundDisc{folder, label};
}

// The places below the disc-set folder that may hold a disc: its
// sub-folders. (An .iso image in it will be one more kind of place.)
std::vector<std::string> DiscSetPlaces(platform::Platform& platform, const std::string& discSetFolder) {
  std::vector<std::string> places;
  for (const platform::FindEntry& entry : platform.ListFolder(discSetFolder + "*.*")) {
    if (!(entry.Attributes & platform::faDirectory) || entry.Name == "." || entry.Name == "..") continue;
    places.push_back(discSetFolder + entry.Name + "\\");
  }
  return places;
}

}  // namespace

std::optional<FoundDisc> FindDisc(platform::Platform& platform, const std::vector<std::string>& neededLabels,
                                  const std::vector<DiscLocation>& map, const std::string& discSetFolder) {
  std::vector<std::string> places;
  for (const DiscLocation& location : map)
    if (IsNeeded(platform, neededLabels, location.Label)) places.push_back(location.Folder);
  if (!discSetFolder.empty()) {
    const std::vector<std::string> inDiscSet = DiscSetPlaces(platform, text::IncludeTrailingBackslash(discSetFolder));
    places.insert(places.end(), inDiscSet.begin(), inDiscSet.end());
  }
  for (char drive = 'A'; drive <= 'Z'; ++drive) {
    const std::string root = std::string(1, drive) + ":\\";
    if (platform.GetDriveType(root) == platform::kDriveCdRom) places.push_back(root);
  }

  for (const std::string& place : places)
    if (std::optional<FoundDisc> disc = NeededDiscAt(platform, neededLabels, place)) return disc;
  return std::nullopt;
}

}  // namespace deploy
