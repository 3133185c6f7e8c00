// A look at what a disc holds before the run reads it: the label in the
// CDFile.Dat of a disc's folder (on a platform that reads images, also of an
// image), read without raising, for the disc prompt that accepts only
// readable discs and finds needed ones itself, and for the search of the
// unattended install.
#pragma once
#include <string>

#include "catalogue/U_Type.h"
#include "platform/Platform.h"

namespace catalogue {

// The label in the CDFile.Dat of the disc whose root folder is disc. False
// when the descriptor is missing, cannot be read or is too short for a
// label, or the image it lies in is damaged; problem then says so in words
// for the user.
bool ProbeDiscLabel(platform::Platform& platform, const std::string& disc, catalogue::LabelString& label, std::string& problem);

}  // namespace catalogue
