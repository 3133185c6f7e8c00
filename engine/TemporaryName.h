// The name under which the pack copy writes a file into a target folder
// before the file is complete and renamed into place.
#pragma once
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace engine {

// The temporary name of a target folder: "~", or "~1", "~2", ... when the
// shorter ones are taken. It is no name of the source listing and no folder
// of the target listing, so a file of that name in the target is what a
// killed copy left. Being at most as long as any file name, it never makes a
// path longer than the file's own path.
std::string TemporaryName(const std::vector<platform::FindEntry>& sourceEntries,
                          const std::vector<platform::FindEntry>& targetEntries);

}  // namespace engine
