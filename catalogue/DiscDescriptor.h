// The disc descriptor CDFile.Dat in a disc's root folder: the disc's label
// and the whole catalogue of packs (layout in catalogue/CatalogueFormat.h).
#pragma once
#include "catalogue/InstallerState.h"
#include "catalogue/U_Type.h"
#include "platform/Platform.h"

namespace catalogue {

// The descriptor's file name, in the folder SourceRoot.
extern const char* const kDescriptorFileName;

enum class CatalogueRead { Loaded, Missing, Malformed };

// Reads SourceRoot + "CDFile.Dat" into DiscLabel and Packs (Loaded). When
// the file is missing or malformed, DiscLabel and Packs are left as they
// were. A file that exists but cannot be opened raises platform::Error.
CatalogueRead ReadCatalogue(catalogue::InstallerState& state, platform::Platform& platform);

// Reads only the label of the disc at SourceRoot into DiscLabel. A descriptor
// that cannot be opened raises platform::Error, one that is too short for the
// label raises std::runtime_error.
void ReadDiscLabel(catalogue::InstallerState& state, platform::Platform& platform);

// Creates (or truncates) SourceRoot + "CDFile.Dat" holding descriptor. A file
// that cannot be created raises platform::Error; one that cannot be written
// is deleted and raises std::runtime_error.
void WriteCatalogue(const catalogue::InstallerState& state, platform::Platform& platform, const TCdSignFile& descriptor);

}  // namespace catalogue
