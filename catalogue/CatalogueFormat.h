// The byte layouts of the two catalogue files, apart from any file access, so
// that the installer and the authoring tools share one implementation.
// All integers are little-endian; a label string takes exactly 256 bytes.
//
// CDFile.Dat: Tag (1), Label (256), pack count N (signed 32-bit), then N packs
// of Standard (256), Specialty (256), Selected (1), label count M (signed
// 32-bit) and M labels. Bytes after the last pack are ignored.
// Install.Dat: label count M (signed 32-bit) and M labels.
#pragma once
#include <cstddef>
#include <string>

#include "catalogue/U_Type.h"

namespace catalogue {

constexpr std::size_t kDescriptorHeadSize = 1 + catalogue::LabelString::kStoredSize;  // Tag and Label
constexpr std::size_t kPackEntryMinSize = 2 * catalogue::LabelString::kStoredSize + 1 + 4;  // a pack with no labels

// Parses a whole disc descriptor. On malformed input the result is false,
// descriptor is left as it was and failOffset tells where the bytes stop
// making sense: the field that runs past the end, a count that is negative or
// larger than the remaining bytes can hold, or a standard or specialty that is
// not a safe folder name (IsSafeFolderName).
bool ParseCatalogue(const std::string& bytes, TCdSignFile& descriptor, std::size_t& failOffset);
// Only the disc's label, from the first kDescriptorHeadSize bytes; false when
// there are fewer.
bool ParseDiscLabel(const std::string& bytes, catalogue::LabelString& label);
// The layout above; the Selected byte is written as 0 or 1.
std::string SerializeCatalogue(const TCdSignFile& descriptor);

// Parses a pending-disc file, with the same rules for counts as above; on
// false labels is left as it was and failOffset tells where.
bool ParsePendingLabels(const std::string& bytes, TCdLabels& labels, std::size_t& failOffset);
std::string SerializePendingLabels(const TCdLabels& labels);

}  // namespace catalogue
