#include "engine/PackCopy.h"

#include <algorithm>

#include "catalogue/PendingLabels.h"
#include "engine/DiscPlan.h"
#include "engine/FolderEntry.h"
#include "engine/TemporaryName.h"
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
  const std::string target = TargetPackFolder(standard, specialty);
  const std::vector<platform::FindEntry> entries = platform_.ListFolder(source + "*.*");
  const auto pak = std::find_if(entries.begin(), entries.end(), [](const platform::FindEntry& entry) {
    return !IsFolder(entry) && !IsReparsePoint(entry) && IsSinglePathPart(entry.Name) &&
           text::UpperAscii(text::ExtractFileExt(entry.Name)) == ".PAK";
  });
  // On a pack's first disc the target folder does not exist yet; CopyTree
  // then brings the file.
  if (pak == entries.end() || !platform::DirectoryExists(platform_, target)) return true;
  const std::string temporary = TemporaryName(entries, platform_.ListFolder(target + "*.*"));
  return CopyAsking([&] { return CopyIntoPlace(source + pak->Name, target + pak->Name, target + temporary, true); },
                    target, pak->Name, pak->Size);
}

bool TPackCopy::InstallPackFromDisc(const std::string& standard, const std::string& specialty) {
  if (specialty.empty()) return true;
  const std::string source = SourcePackFolder(standard, specialty);
  bars_.StartFileProgress(DirectorySize(platform_, source));

  TCdLabels pending = catalogue::LoadPendingLabels(state_, platform_, standard, specialty).Labels;
  const auto thisDisc = std::find_if(pending.begin(), pending.end(), [this](const TLabelString& label) {
    return SameLabel(platform_, label.Text(), state_.DiscLabel.Text());
  });
  if (thisDisc == pending.end()) return true;  // this disc holds nothing more for the pack

  const std::string target = TargetPackFolder(standard, specialty);
  entriesLeftOut_ = false;
  if (!RefreshPakFile(standard, specialty) || !CopyTree(source, target)) {
    state_.InstallOk = false;
    return false;
  }
  if (entriesLeftOut_) {
    // The pack is not complete: the disc stays in its pending file, so that
    // a later run copies what is missing.
    state_.InstallOk = false;
    return true;
  }
  pending.erase(thisDisc);
  catalogue::SavePendingLabels(platform_, target, pending);
  return true;
}

std::int64_t DirectorySize(platform::Platform& platform, const std::string& folder) {
  const std::string path = text::IncludeTrailingBackslash(folder);
  std::int64_t total = 0;
  for (const platform::FindEntry& entry : platform.ListFolder(path + "*.*")) {
    if (IsDotEntry(entry) || IsReparsePoint(entry)) continue;
    total += entry.Size;
    if (IsFolder(entry) && IsSinglePathPart(entry.Name)) total += DirectorySize(platform, path + entry.Name + "\\");
  }
  return total;
}

}  // namespace engine
