// The pending-disc file Install.Dat in an installed pack's folder: the labels
// of the discs the pack still has to be copied from (layout in
// catalogue/CatalogueFormat.h). An empty list marks a complete pack.
#pragma once
#include <string>

#include "catalogue/InstallerState.h"
#include "catalogue/U_Type.h"
#include "platform/Platform.h"

namespace catalogue {

extern const char* const kPendingFileName;

// The pending labels of the pack standard/specialty: those of
// TargetMatterLib + standard + "\" + specialty + "\Install.Dat" when that file
// reads whole, else the catalogue's labels of the first pack in Packs with that
// standard and specialty (empty when there is none). A file that exists but
// cannot be opened raises platform::Error.
TInstallStep LoadPendingLabels(const catalogue::InstallerState& state, platform::Platform& platform,
                               const std::string& standard, const std::string& specialty);

// Writes labels to packFolder + "Install.Dat" (packFolder ends with "\"). A
// file that cannot be created raises platform::Error; a failed write leaves
// no file behind and is otherwise silent.
void SavePendingLabels(platform::Platform& platform, const std::string& packFolder, const TCdLabels& labels);

}  // namespace catalogue
