#include "deploy/ExitCodes.h"

namespace deploy {

int ExitCodeFor(RunEnd end, std::size_t pendingDiscs) {
  switch (end) {
    case RunEnd::CouldNotStart: return kExitCouldNotStart;
    case RunEnd::CancelledBeforeCopy: return kExitCancelledBeforeCopy;
    case RunEnd::FatalError: return kExitFatalError;
    case RunEnd::StoppedDuringCopy: return kExitStoppedDuringCopy;
    case RunEnd::Finished: break;
  }
  return pendingDiscs == 0 ? kExitComplete : kExitDiscsPending;
}

}  // namespace deploy
