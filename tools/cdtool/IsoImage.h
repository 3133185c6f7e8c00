// ISO 9660 images of disc folders, written by Debian's xorriso, with Joliet
// names (what Windows shows) next to Rock Ridge ones. Linux only: the
// Windows build has no xorriso to run.
#pragma once
#ifndef _WIN32
#include <filesystem>
#include <string>

namespace cdtool {

// ISO 9660 keeps at most this many bytes of volume label.
constexpr std::size_t kLongestVolumeLabel = 32;

// Writes image from the whole of discFolder with volumeLabel (UTF-8). False
// with a message in error when xorriso cannot be started or fails; then its
// own messages go to stderr too (they are kept back when it succeeds).
bool WriteIsoImage(const std::filesystem::path& discFolder, const std::filesystem::path& image,
                   const std::string& volumeLabel, std::string& error);

}  // namespace cdtool
#endif
