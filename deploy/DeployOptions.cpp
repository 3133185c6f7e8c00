#include "deploy/DeployOptions.h"

#include <tuple>

namespace deploy {

bool operator==(const DiscLocation& a, const DiscLocation& b) {
  return a.Label == b.Label && a.Folder == b.Folder;
}

bool operator==(const DeployOptions& a, const DeployOptions& b) {
  const auto fields = [](const DeployOptions& o) {
    return std::tie(o.Argument1, o.Argument2, o.Mode, o.SuppressMessageBoxes, o.Dir, o.Components, o.Discs,
                    o.DiscSetFolder, o.Log, o.LogFile, o.SaveInf, o.LoadInf, o.Status, o.Help);
  };
  return fields(a) == fields(b);
}

}  // namespace deploy
