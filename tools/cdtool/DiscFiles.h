// The names a disc is made of, and whole-file reads and writes.
#pragma once
#include <filesystem>
#include <string>

namespace cdtool {

// In the disc's root folder: the disc descriptor and the folder of the packs,
// MatterLib/<standard>/<specialty>/.
inline const char* const kDescriptorFileName = "CDFile.Dat";
inline const char* const kMatterLibFolderName = "MatterLib";

// False when the file cannot be opened or read.
bool ReadFileBytes(const std::filesystem::path& file, std::string& bytes);
// Creates or truncates the file; throws std::filesystem::filesystem_error.
void WriteFileBytes(const std::filesystem::path& file, const std::string& bytes);

}  // namespace cdtool
