// What the progress page shows during a pack copy: the status text, the file
// bar that counts the pack's KiB, and the area bar that gives every pack a
// share of 100. A control is changed only when its value changes: a window
// repaints it on every change, which costs as much as copying a small file.
#pragma once
#include <cstdint>
#include <string>

#include "engine/InstallView.h"

namespace engine {

// Empties the file bar and scales it to the pack's size in whole KiB.
void StartFileProgress(TInstallView& view, std::int64_t packBytes);

// Where the current pack's share of the area bar starts: its position
// rounded down to a multiple of 100.
std::int32_t AreaShareStart(TInstallView& view);

// Shows status under the file bar.
void ShowStatus(TInstallView& view, const std::string& status);

// Adds a file's whole KiB to the file bar and sets the area bar to
// areaStart + the file bar's fill in percent (the whole share when the file
// bar's maximum is 0).
void AdvanceProgress(TInstallView& view, std::int64_t fileBytes, std::int32_t areaStart);

}  // namespace engine
