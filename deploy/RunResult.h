// The result of an install run: what the log tells about its packs, and the
// exit code.
#pragma once
#include "catalogue/InstallerState.h"
#include "deploy/ExitCodes.h"
#include "deploy/SetupLog.h"
#include "platform/Platform.h"

namespace deploy {

// Logs, for every selected pack of state, the discs it still waits for (by
// its pending-disc file; all its discs when it has none yet), and gives the
// exit code of a run that ended so. A pack that waits for a disc keeps a
// finished run from counting as complete, also when a file of it was left
// out (Ignore) and the run read every disc.
int RunExitCode(platform::Platform& platform, const catalogue::InstallerState& state, RunEnd end, SetupLog& log);

}  // namespace deploy
