// The exit codes of the installer, for deployment tools that start it and
// read the result. 0 and 1 to 5 are numbered as installers commonly number
// them; 10 is the installer's own: a library that can be completed later.
#pragma once
#include <cstddef>

namespace deploy {

enum ExitCode {
  kExitComplete = 0,            // every selected pack is complete
  kExitCouldNotStart = 1,       // a bad switch, the folder check failed, no catalogue
  kExitCancelledBeforeCopy = 2, // the wizard was left before the copy began
  kExitFatalError = 4,          // an error that no handler caught ended the run
  kExitStoppedDuringCopy = 5,   // a copy failed and was aborted, or Cancel was confirmed
  kExitDiscsPending = 10,       // discs still missing; the packs' pending files name them
};

// How a run of the installer ended.
enum class RunEnd {
  CouldNotStart,        // before any choice could be made
  CancelledBeforeCopy,  // closed on a page before the progress page
  FatalError,           // an uncaught error, at any point
  StoppedDuringCopy,    // a pack copy failed, was aborted or cancelled
  Finished,             // the run made every pass it could
};

// The exit code of a run that ended so, with pendingDiscs labels still
// needed. Only a finished run tells complete (0) from discs pending (10): a
// run stopped by an error or by the user reports that, discs or no discs.
int ExitCodeFor(RunEnd end, std::size_t pendingDiscs);

}  // namespace deploy
