#include "engine/TemporaryName.h"

#include <set>

#include "engine/FolderEntry.h"
#include "text/AnsiText.h"

namespace engine {

std::string TemporaryName(const std::vector<platform::FindEntry>& sourceEntries,
                          const std::vector<platform::FindEntry>& targetEntries) {
  // Names are found without regard to ASCII letter case, as the file system
  // finds them.
  std::set<std::string> taken;
  for (const platform::FindEntry& entry : sourceEntries) taken.insert(text::UpperAscii(entry.Name));
  for (const platform::FindEntry& entry : targetEntries)
    if (IsFolder(entry)) taken.insert(text::UpperAscii(entry.Name));
  std::string candidate = "~";
  for (int number = 1; taken.count(candidate) > 0; ++number) candidate = "~" + std::to_string(number);
  return candidate;
}

}  // namespace engine
