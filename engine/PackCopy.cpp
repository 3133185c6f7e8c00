#include "engine/PackCopy.h"

#include <algorithm>

#include "catalogue/PendingLabels.h"
#include "engine/DiscPlan.h"
#include "engine/FolderEntry.h"
#include "engine/TemporaryName.h"
#include "text/AnsiText.h"

namespace engine {

std::string PackCopy::SourcePackFolder(const std::string& standard, const std::string& specialty) const {
  return state_.SourceMatterLib + standard + "\\" + specialty + "\\";
}

std::string PackCopy::TargetPackFolder(const std::string& standard, const std::string& specialty) const {
  return state_.TargetMatterLib + standard + "\\" + specialty + "\\";
}

std::vector<platform::FindEntry> PackCopy::ListFolder(const std::string& folder) {
  std::vector<platform::FindEntry> entries = platform_.ListFolder(folder + "*.*");
  // A disc of many folders must not hold the window up between files.
  pacer_.Poll();
  return entries;
}

bool PackCopy::RefreshPakFile(const std::string& standard, const std::string& specialty) {
  const std::string source = SourcePackFolder(standard, specialty);
  const std::string target = TargetPackFolder(standard, specialty);
  const std::vector<platform::FindEntry> entries = ListFolder(source);
  const auto pak = std::find_if(entries.begin(), entries.end(), [](const platform::FindEntry& entry) {
    return !IsFolder(entry) && !IsReparsePoint(entry) && IsSinglePathPart(entry.Name) &&
           text::UpperAscii(text::ExtractFileExt(entry.Name)) == ".PAK";
  });
  // On a pack's first disc the target folder does not exist yet; CopyTree
  // then brings the file.
  if (pak == entries.end() || !platform::DirectoryExists(platform_, target)) return true;
  const std::string temporary = TemporaryName(entries, ListFolder(target));
  const platform::CopyProgress progress = PacedProgress();
  return CopyAsking(
      [&] { return CopyIntoPlace(source + pak->Name, target + pak->Name, target + temporary, true, progress); },
      target, pak->Name, pak->Size);
}

bool PackCopy::InstallPackFromDisc(const std::string& standard, const std::string& specialty) {
  if (specialty.empty()) return true;
  const std::string source = SourcePackFolder(standard, specialty);
  bars_.StartFileProgress(DirectorySize(platform_, source, [this] { pacer_.Poll(); }));

  TCdLabels pending = catalogue::LoadPendingLabels(state_, platform_, standard, specialty).Labels;
  const auto thisDisc = std::find_if(pending.begin(), pending.end(), [this](const catalogue::LabelString& label) {
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

std::int64_t DirectorySize(platform::Platform& platform, const std::string& folder,
                           const std::function<void()>& afterListing) {
  const std::string path = text::IncludeTrailingBackslash(folder);
  const std::vector<platform::FindEntry> entries = platform.ListFolder(path + "*.*");
  if (afterListing) afterListing();
  std::int64_t total = 0;
  for (const platform::FindEntry& entry : entries) {
    if (IsDotEntry(entry) || IsReparsePoint(entry)) continue;
    total += entry.Size;
    if (IsFolder(entry) && IsSinglePathPart(entry.Name))
      total += DirectorySize(platform, path + entry.Name + "\\", afterListing);
  }
  return total;
}

}  // namespace engine
