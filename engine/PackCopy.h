// The copy of one pack from the disc being read into the application's
// material library: the refresh of the pack's ".PAK" file, the recursive copy
// with its Abort/Retry/Ignore question, the two progress bars, and the update
// of the pack's pending-disc file.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/InstallerState.h"
#include "engine/EventPacer.h"
#include "engine/InstallSink.h"
#include "engine/ProgressBars.h"
#include "platform/Platform.h"

namespace engine {

class PackCopy {
 public:
  // bars are those of the run: the pack's share of the area bar starts
  // where they stand when the copy starts.
  PackCopy(catalogue::InstallerState& state, platform::Platform& platform, InstallSink& sink, ProgressBars& bars)
      : state_(state), platform_(platform), sink_(sink), bars_(bars), pacer_(platform, sink) {}

  // Copies the first ".PAK" file of the source pack folder over the target
  // copy, through a temporary name and making the old copy and the new one
  // writable, asking Abort/Retry/Ignore when that fails. Nothing is copied
  // when the source holds no ".PAK" file or the target folder does not exist
  // yet (CopyTree then brings the file). False only when the user chose Abort.
  bool RefreshPakFile(const std::string& standard, const std::string& specialty);

  // Copies the pack from this disc when its pending list names the disc
  // (without regard to letter case, by the user's locale): refreshes its
  // ".PAK" file and copies what the library lacks, then drops the disc from
  // the list. A file the user chose to leave out (Ignore) keeps the disc in
  // the list and makes InstallOk false. False only when the copy failed or
  // was cancelled; InstallOk is then false.
  bool InstallPackFromDisc(const std::string& standard, const std::string& specialty);

  // Copies every file of source that target lacks, recursively, asking the
  // user about every file that cannot be copied and every entry whose name
  // is not a single path part. Junctions and symbolic links are not
  // followed. Pending events are handled after every file, and during a
  // file's copy and between listings at the pace of EventPacer; a cancel
  // requested during a copy stops that copy. False when it stopped before
  // the end: source cannot be listed, the user chose Abort, or a cancel was
  // requested.
  bool CopyTree(const std::string& source, const std::string& target);

 private:
  std::string SourcePackFolder(const std::string& standard, const std::string& specialty) const;
  std::string TargetPackFolder(const std::string& standard, const std::string& specialty) const;

  // The entries of folder (ending with a backslash); pending events are
  // handled afterwards when they are due.
  std::vector<platform::FindEntry> ListFolder(const std::string& folder);
  // CopyTree below one folder; areaStart is the area bar's position at which
  // the pack's share starts.
  bool CopyFolder(const std::string& source, const std::string& target, std::int32_t areaStart);
  // Runs copy until it succeeds, asking Abort/Retry/Ignore about the entry
  // name of targetFolder after every failure; Retry first makes targetFolder
  // again if it is missing. False when the user chose Abort, or when a
  // cancel was requested (then without asking); Ignore leaves the entry out
  // and marks the pack incomplete.
  bool CopyAsking(const std::function<bool()>& copy, const std::string& targetFolder, const std::string& name,
                  std::int64_t size);
  // Copies from to temporary (beside to), reporting to progress, and renames
  // the copy into place, so that no partial file ever stands under the final
  // name. With replace, a file standing at to, read-only or not, gives way to
  // the complete copy.
  bool CopyIntoPlace(const std::string& from, const std::string& to, const std::string& temporary, bool replace,
                     const platform::CopyProgress& progress);
  // The progress of a copy: when events are due, showCopied (if given) shows
  // the bytes written and the pending events are handled; it cancels the
  // copy once a cancel was requested.
  platform::CopyProgress PacedProgress(std::function<void(std::int64_t copiedBytes)> showCopied = nullptr);
  // The disk-full text when size bytes do not fit on targetFolder's drive,
  // else the copy-error text naming name.
  std::string CopyFailureText(const std::string& targetFolder, const std::string& name, std::int64_t size);

  catalogue::InstallerState& state_;
  platform::Platform& platform_;
  InstallSink& sink_;
  ProgressBars& bars_;
  EventPacer pacer_;
  // Set when the user chose Ignore during the current pack.
  bool entriesLeftOut_ = false;
};

// Bytes of all entries below folder, sub-folders included (any entry with the
// folder bit counts as a folder; junctions, symbolic links and names that
// are not a single path part are not gone into); 0 for a folder that cannot
// be listed. afterListing, when given, runs after every folder's listing.
std::int64_t DirectorySize(platform::Platform& platform, const std::string& folder,
                           const std::function<void()>& afterListing = nullptr);

// Removes the read-only attribute of the file at path, if there is one.
void ClearReadOnly(platform::Platform& platform, const std::string& path);

}  // namespace engine
