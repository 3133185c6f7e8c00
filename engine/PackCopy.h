// The copy of one pack from the disc being read into the application's
// material library: the refresh of the pack's ".PAK" file, the recursive copy
// with its Abort/Retry/Ignore question, the two progress bars, and the update
// of the pack's pending-disc file.
#pragma once
#include <cstdint>
#include <string>

#include "catalogue/InstallerState.h"
#include "engine/InstallSink.h"
#include "engine/ProgressBars.h"
#include "platform/Platform.h"

namespace engine {

class TPackCopy {
 public:
  // bars are those of the run: the pack's share of the area bar starts
  // where they stand when the copy starts.
  TPackCopy(TInstallerState& state, platform::Platform& platform, InstallSink& sink, ProgressBars& bars)
      : state_(state), platform_(platform), sink_(sink), bars_(bars) {}

  // Copies the first ".PAK" file of the source pack folder over the target
  // copy (the copy's own result is not looked at); false when the source
  // folder holds none.
  bool RefreshPakFile(const std::string& standard, const std::string& specialty);

  // Copies the pack from this disc when its pending list names the disc, and
  // then drops the disc from the list. False only when the copy failed or was
  // cancelled; InstallOk is then false.
  bool InstallPackFromDisc(const std::string& standard, const std::string& specialty);

  // Copies every file of source that target lacks, recursively, asking the
  // user about every file that cannot be copied. False when it stopped before
  // the end: source cannot be listed, the user chose Abort, or a cancel was
  // requested.
  bool CopyTree(const std::string& source, const std::string& target);

 private:
  std::string SourcePackFolder(const std::string& standard, const std::string& specialty) const;
  std::string TargetPackFolder(const std::string& standard, const std::string& specialty) const;

  // CopyTree below one folder; areaStart is the area bar's position at which
  // the pack's share starts.
  bool CopyFolder(const std::string& source, const std::string& target, std::int32_t areaStart);
  // Copies one missing file from to to, asking again and again while it
  // fails; false when the user chose Abort.
  bool CopyMissingFile(const std::string& from, const std::string& to, const std::string& temporary, std::int64_t size);
  // Copies to temporary (beside to) and renames the copy into place, so that
  // no partial file ever stands under the final name.
  bool CopyIntoPlace(const std::string& from, const std::string& to, const std::string& temporary);
  // The disk-full text when the file does not fit on to's drive, else the
  // copy-error text naming the file.
  std::string CopyFailureText(const std::string& to, std::int64_t size);

  TInstallerState& state_;
  platform::Platform& platform_;
  InstallSink& sink_;
  ProgressBars& bars_;
};

// Bytes of all entries below folder, sub-folders included (any entry with the
// folder bit counts as a folder); 0 for a folder that cannot be listed.
std::int64_t DirectorySize(platform::Platform& platform, const std::string& folder);

// Removes the read-only attribute of the file at path, if there is one.
void ClearReadOnly(platform::Platform& platform, const std::string& path);

}  // namespace engine
