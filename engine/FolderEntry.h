// How the pack copy reads the entries of a folder listing.
#pragma once
#include "platform/Platform.h"

namespace engine {

inline bool IsDotEntry(const platform::FindEntry& entry) { return entry.Name == "." || entry.Name == ".."; }

// Only a plain folder (16) or a read-only folder (17) is taken for a folder
// to recurse into; a folder with any other bit, such as the archive bit, is
// handled as a file.
inline bool IsPlainFolder(const platform::FindEntry& entry) {
  return entry.Attributes == platform::faDirectory ||
         entry.Attributes == (platform::faDirectory | platform::faReadOnly);
}

}  // namespace engine
