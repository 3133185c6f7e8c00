// The recursive copy of a pack folder. Existing target files are never
// copied again, so a file must never stand under its final name before it is
// complete: every file is copied to a temporary name beside it and renamed
// into place when the copy has succeeded.
#include <algorithm>
#include <set>
#include <vector>

#include "engine/FolderEntry.h"
#include "engine/PackCopy.h"
#include "engine/TemporaryName.h"
#include "text/AnsiText.h"

namespace engine {

namespace {

// The file names of a folder listing, found without regard to ASCII letter
// case as the file system finds them.
class FileNameSet {
 public:
  explicit FileNameSet(const std::vector<platform::FindEntry>& entries) {
    for (const platform::FindEntry& entry : entries)
      if (!IsFolder(entry)) names_.insert(text::UpperAscii(entry.Name));
  }
  bool Contains(const std::string& name) const { return names_.count(text::UpperAscii(name)) > 0; }

 private:
  std::set<std::string> names_;
};

// Removes a file even if it is read-only (a copy from a disc takes the
// disc's read-only attribute).
void RemoveEvenIfReadOnly(platform::Platform& platform, const std::string& path) {
  if (!platform::FileExists(platform, path)) return;
  ClearReadOnly(platform, path);
  platform.RemoveFile(path);
}

}  // namespace

bool PackCopy::CopyTree(const std::string& source, const std::string& target) {
  return CopyFolder(source, target, bars_.AreaShareStart());
}

bool PackCopy::CopyFolder(const std::string& sourceFolder, const std::string& targetFolder, std::int32_t areaStart) {
  const std::string source = text::IncludeTrailingBackslash(sourceFolder);
  const std::string target = text::IncludeTrailingBackslash(targetFolder);
  const std::vector<platform::FindEntry> entries = ListFolder(source);
  if (entries.empty()) return false;  // missing or unreadable
  if (state_.CancelRequested) return false;
  // A folder that cannot be made shows up as failing file copies below.
  if (!platform::DirectoryExists(platform_, target)) platform::ForceDirectories(platform_, target);
  // What the target holds, listed once: asking for every name would cost as
  // much as copying a small file.
  const std::vector<platform::FindEntry> targetEntries = ListFolder(target);
  const FileNameSet targetFiles(targetEntries);
  const std::string temporary = TemporaryName(entries, targetEntries);
  // Left by a killed run.
  if (targetFiles.Contains(temporary)) RemoveEvenIfReadOnly(platform_, target + temporary);

  // The status of this call: the last file it copied.
  std::string status;
  for (const platform::FindEntry& entry : entries) {
    if (state_.CancelRequested) return false;
    if (IsDotEntry(entry) || IsReparsePoint(entry)) continue;
    if (!IsSinglePathPart(entry.Name)) {
      // Such a name would lead out of the folder; it is asked about as a
      // file that cannot be copied.
      if (!CopyAsking([] { return false; }, target, entry.Name, 0)) return false;
    } else if (IsFolder(entry)) {
      if (!platform::DirectoryExists(platform_, target + entry.Name)) platform_.CreateFolder(target + entry.Name);
      if (!CopyFolder(source + entry.Name, target + entry.Name, areaStart)) return false;
      continue;
    } else if (!targetFiles.Contains(entry.Name)) {
      status = "正在复制:" + text::QuotedName(entry.Name) + ".";
      // The bars never go beyond where they stand when the file is done.
      const platform::CopyProgress progress = PacedProgress([&](std::int64_t copiedBytes) {
        bars_.ShowFileInCopy(std::min(copiedBytes, entry.Size), areaStart);
      });
      const auto copy = [&] {
        return CopyIntoPlace(source + entry.Name, target + entry.Name, target + temporary, false, progress);
      };
      if (!CopyAsking(copy, target, entry.Name, entry.Size)) return false;
    }
    sink_.ShowFileStatus(status);
    bars_.AdvanceProgress(entry.Size, areaStart);
    // Here the Cancel button's handler can run and set CancelRequested.
    pacer_.HandleNow();
  }
  return true;
}

bool PackCopy::CopyAsking(const std::function<bool()>& copy, const std::string& targetFolder,
                           const std::string& name, std::int64_t size) {
  for (;;) {
    if (copy()) return true;
    // The copy stopped because the user cancelled: nothing to ask.
    if (state_.CancelRequested) return false;
    switch (sink_.AskAboutFailedCopy(CopyFailureText(targetFolder, name, size))) {
      case CopyFailureAnswer::Abort:
        return false;
      case CopyFailureAnswer::Ignore:
        entriesLeftOut_ = true;
        return true;
      case CopyFailureAnswer::Retry:
        // The folder could not be made at first; the user may have fixed that.
        if (!platform::DirectoryExists(platform_, targetFolder)) platform::ForceDirectories(platform_, targetFolder);
        break;
    }
  }
}

bool PackCopy::CopyIntoPlace(const std::string& from, const std::string& to, const std::string& temporary,
                              bool replace, const platform::CopyProgress& progress) {
  if (platform_.CopyFileTo(from, temporary, false, progress)) {
    // The copy has the source's attributes; it is made writable before it
    // takes its final name.
    ClearReadOnly(platform_, temporary);
    if (replace) RemoveEvenIfReadOnly(platform_, to);
    if (platform_.RenameFile(temporary, to)) return true;
  }
  RemoveEvenIfReadOnly(platform_, temporary);
  return false;
}

platform::CopyProgress PackCopy::PacedProgress(std::function<void(std::int64_t copiedBytes)> showCopied) {
  return [this, showCopied = std::move(showCopied)](std::int64_t copiedBytes, std::int64_t) {
    if (pacer_.Due()) {
      if (showCopied) showCopied(copiedBytes);
      // Here the Cancel button's handler can run and set CancelRequested.
      pacer_.HandleNow();
    }
    return !state_.CancelRequested;
  };
}

std::string PackCopy::CopyFailureText(const std::string& targetFolder, const std::string& name, std::int64_t size) {
  const std::string drive = text::UpperAscii(text::Trim(targetFolder).substr(0, 1)) + ":\\";
  platform::DiskSpace space;
  // When the free space cannot be found (a network path), the failure is
  // reported as a copy error.
  if (platform_.DiskSpaceOf(drive, space)) {
    const std::uint64_t freeBytes = std::uint64_t{space.FreeClusters} * space.SectorsPerCluster * space.BytesPerSector;
    if (size > 0 && static_cast<std::uint64_t>(size) > freeBytes) return "磁盘空间已满，请清理磁盘后再试。";
  }
  return "复制:" + text::QuotedName(name) + "出错。";
}

void ClearReadOnly(platform::Platform& platform, const std::string& path) {
  const std::uint32_t attributes = platform.GetAttributes(path);
  if (attributes == platform::kInvalidAttributes || (attributes & platform::faDirectory)) return;  // no file
  if (attributes & platform::faReadOnly)
    platform.SetAttributes(path, attributes & ~std::uint32_t{platform::faReadOnly});
}

}  // namespace engine
