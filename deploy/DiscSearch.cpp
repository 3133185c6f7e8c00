#include "deploy/DiscSearch.h"

#include "catalogue/DiscProbe.h"
#include "media/IsoImage.h"
#include "text/AnsiText.h"

namespace deploy {

namespace {

bool IsNeeded(platform::Platform& platform, const std::vector<std::string>& neededLabels, const std::string& label) {
  for (const std::string& needed : neededLabels)
    if (platform.CompareTextNoCase(needed, label) == 0) return true;
  return false;
}

// The disc at folder, when it carries a needed label.
std::optional<FoundDisc> NeededDiscAt(platform::Platform& platform, const std::vector<std::string>& neededLabels,
                                      const std::string& folder) {
  // A drive with no disc in it, a share that is gone, a damaged image: no
  // disc to take.
  catalogue::LabelString label;
  std::string problem;
  if (!catalogue::ProbeDiscLabel(platform, folder, label, problem) || !IsNeeded(platform, neededLabels, label.Text()))
    return std::nullopt;
  return FoundDisc{folder, label.Text()};
}

// The places below the disc-set folder that may hold a disc: its
// sub-folders and its .iso files (the root of an image).
std::vector<std::string> DiscSetPlaces(platform::Platform& platform, const std::string& discSetFolder) {
  std::vector<std::string> places;
  for (const platform::FindEntry& entry : platform.ListFolder(discSetFolder + "*.*")) {
    if (entry.Name == "." || entry.Name == "..") continue;
    if ((entry.Attributes & platform::faDirectory) || media::HasImageExtension(entry.Name))
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
    if (platform.DriveTypeOf(root) == platform::kDriveCdRom) places.push_back(root);
  }

  for (const std::string& place : places)
    if (std::optional<FoundDisc> disc = NeededDiscAt(platform, neededLabels, place)) return disc;
  return std::nullopt;
}

}  // namespace deploy
