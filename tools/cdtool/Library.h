// The library that `cdtool build` lays out: LIBRARY/<standard>/<specialty>/
// holds the files of one pack, in folders of any depth.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/cdtool/Problems.h"

namespace cdtool {

// One thing a disc carries for a pack: a file, or an empty folder (a folder
// with contents travels with its files).
struct PackItem {
  std::filesystem::path relative;  // inside the pack folder
  std::uintmax_t size = 0;         // 0 for a folder
  bool folder = false;
};

struct LibraryPack {
  std::filesystem::path source;  // LIBRARY/<standard>/<specialty>
  std::filesystem::path standard, specialty;  // the folder names as they are
  std::string standardGbk, specialtyGbk;      // and as the installer reads them
  std::vector<PackItem> items;                // in library order
};

// The packs in the library's order: standards, then specialties, then the
// items of a pack (depth first) sorted by the byte order of their UTF-8
// names. Every name must have a GBK form and be one Windows accepts (for
// standards and specialties: one the installer accepts, at most 255 GBK
// bytes); names that differ only in letter case would share a folder on
// Windows. Each offence is added to problems, naming the file.
std::vector<LibraryPack> ScanLibrary(const std::filesystem::path& library, Problems& problems);

}  // namespace cdtool
