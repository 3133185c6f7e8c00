// A look at what a disc holds before the run reads it: the label in the
// CDFile.Dat of a folder or of a disc image, read without raising, for the
// disc prompt that accepts only readable discs and finds needed ones itself.
#pragma once
#include <string>

#include "catalogue/U_Type.h"
#include "platform/Platform.h"

namespace catalogue {

// The label of the disc at disc: a folder (its CDFile.Dat in it) or, when
// disc names an .iso file, the image's root. False when the descriptor is
// missing, cannot be read or is too short for a label, or the image is
// malformed; problem then says so in words for the user.
bool ProbeDiscLabel(platform::Platform& platform, const std::string& disc, TLabelString& label, std::string& problem);

}  // namespace catalogue
