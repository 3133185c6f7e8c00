// The text of /DISCS: "CD2=F:\;CD3=D:\discs\CD3.iso", entries label=folder
// separated by ";", where a folder may also be an .iso image (its root). The
// same text is the Discs value of an answer file.
#pragma once
#include <string>
#include <vector>

#include "deploy/DeployOptions.h"

namespace deploy {

// The entries in their order, each folder ending with "\" (an image too:
// "D:\discs\CD3.iso\" is its root on a platform that reads images). False
// with error naming the entry when one is empty or lacks its label or its
// folder.
bool ParseDiscMap(const std::string& text, std::vector<DiscLocation>& map, std::string& error);

// The text that ParseDiscMap reads back as map.
std::string DiscMapText(const std::vector<DiscLocation>& map);

}  // namespace deploy
