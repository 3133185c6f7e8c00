// Finding the next disc of an unattended install without asking anyone:
// in the folders of /DISCS, in the sub-folders and .iso images of /SOURCE
// and in every CD-ROM drive (images are read through the platform, which
// must be one that reads them). A place counts by the label in its
// CDFile.Dat, never by its name.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "deploy/DeployOptions.h"
#include "platform/Platform.h"

namespace deploy {

struct FoundDisc {
  std::string Folder;  // the disc's root folder, ending with "\"
  std::string Label;   // the label its CDFile.Dat carries
};

// A disc that carries one of neededLabels. Looked for, in this order: the
// folders of map whose label is needed, in map order; the sub-folders and
// .iso files of discSetFolder ("" for none), in listing order; the root of
// every CD-ROM drive from A: to Z:. A place is taken only when its CDFile.Dat can be read
// and carries a needed label, compared without regard to letter case by the
// user's locale, as the needed labels are; a place holding another disc, no
// disc or an unreadable one is passed over. Nothing when no place has one.
std::optional<FoundDisc> FindDisc(platform::Platform& platform, const std::vector<std::string>& neededLabels,
                                  const std::vector<DiscLocation>& map, const std::string& discSetFolder);

}  // namespace deploy
