// The disc descriptor CDFile.Dat in a disc's root folder: the disc's label
// and the whole catalogue of packs (layout in catalogue/CatalogueFormat.h).
#pragma once
#include "catalogue/InstallerState.h"
#include "catalogue/U_Type.h"
#include "platform/Platform.h"

namespace catalogue {

// The descriptor's file name, in the folder SourceRoot.
extern const char* const kDescriptorFileName;

// Reads SourceRoot + "CDFile.Dat" into DiscLabel and Packs and returns true.
// A missing file is reported to the user (error, {OK}) and gives false; a
// malformed one gives false silently. On false DiscLabel and Packs are left
// as they were. A file that exists but cannot be opened raises platform::Error.
bool LoadCatalogue(TInstallerState& state, platform::Platform& platform, TInstallerHost& host);

// Reads only the label of the disc at SourceRoot into DiscLabel. A descriptor
// that cannot be opened raises platform::Error, one that is too short for the
// label raises std::runtime_error.
void ReadDiscLabel(TInstallerState& state, platform::Platform& platform);

// Creates (or truncates) SourceRoot + "CDFile.Dat" holding descriptor. A file
// that cannot be created raises platform::Error; one that cannot be written
// is deleted and raises std::runtime_error.
void WriteCatalogue(const TInstallerState& state, platform::Platform& platform, const TCdSignFile& descriptor);

}  // namespace catalogue
