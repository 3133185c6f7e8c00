// The process's error mode: a file or drive that cannot be read (an empty
// removable drive probed by the disc prompt, the folder chooser or the
// free-space labels) must give a failed call, never the system's
// critical-error box ("no disk in the drive") in front of the wizard.
#pragma once

namespace platform::win32 {

// Adds SEM_FAILCRITICALERRORS and SEM_NOOPENFILEERRORBOX to the process's
// error mode, keeping the bits already set.
void FailCriticalErrorsSilently();

}  // namespace platform::win32
