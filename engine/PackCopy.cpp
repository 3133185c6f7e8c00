#include "engine/PackCopy.h"

#include <algorithm>

#include "catalogue/PendingLabels.h"
#include "engine/FolderEntry.h"
#include "text/AnsiText.h"

namespace engine {

std::string TPackCopy::SourcePackFolder(const std::string& standard, const std::string& specialty) const {
  return state_.SourceMatterLib + standard + "\\" + specialty + "\\";
}

std::string TPackCopy::TargetPackFolder(const std::string& standard, const std::string& specialty) const {
  return state_.TargetMatterLib + standard + "\\" + specialty + "\\";
}

bool TPackCopy::RefreshPakFile(const std::string& standard, const std::string& specialty) {
  const std::string source = SourcePackFolder(standard, specialty);
  for (const platform::FindEntry& entry : platform_.ListFolder(source + "*.*")) {
    if (IsDotEntry(entry) || IsPlainFolder(entry)) continue;
    if (text::UpperAscii(text::ExtractFileExt(entry.Name)) != ".PAK") continue;
    // A read-only target (one copied from a disc by an earlier refresh) is
    // not replaced, and on a pack's first disc the target folder does not
    // exist yet; CopyTree then brings the file.
    platform_.CopyFile(source + entry.Name, TargetPackFolder(standard, specialty) + entry.Name, false);
    return true;
  }
  return false;
}

bool TPackCopy::InstallPackFromDisc(const std::string& standard, const std::string& specialty) {
  if (specialty.empty()) return true;
  const std::string source = SourcePackFolder(standard, specialty);
  bars_.StartFileProgress(DirectorySize(platform_, source));

  TCdLabels pending = catalogue::LoadPendingLabels(state_, platform_, standard, specialty).Labels;
  const auto thisDisc = std::find(pending.begin(), pending.end(), state_.DiscLabel);
  if (thisDisc == pending.end()) return true;  // this disc holds nothing more for the pack

  const std::string target = TargetPackFolder(standard, specialty);
  if (!CopyTree(source, target)) {
    state_.InstallOk = false;
    return false;
  }
  pending.erase(thisDisc);
  catalogue::SavePendingLabels(platform_, target, pending);
  return true;
}

std::int64_t DirectorySize(platform::Platform& platform, const std::string& folder) {
  const std::string path = text::IncludeTrailingBackslash(folder);
  std::int64_t total = 0;
  for (const platform::FindEntry& entry : platform.ListFolder(path + "*.*")) {
    if (IsDotEntry(entry)) continue;
    total += entry.Size;
    if (entry.Attributes & platform::faDirectory) total += DirectorySize(platform, path + entry.Name + "\\");
  }
  return total;
}

}  // namespace engine
