// The multi-disc install run: every selected pack from the disc being read,
// then the question for one of the discs still needed, until none is.
#pragma once
#include <vector>

#include "catalogue/InstallerState.h"
#include "engine/InstallSink.h"
#include "engine/SpecialtyCheck.h"
#include "platform/Platform.h"

namespace engine {

// Plans the discs from checks (PlanDiscs) and installs the selected packs of
// state.Packs from every disc still needed, reporting to sink and asking it
// for each next disc. Returns when no disc is needed any more, a pack copy
// failed or was cancelled, or the user cancelled the question for a disc;
// InstallOk then tells whether the library is complete. The sink hears of
// the run's end also when an error (of the plan too) leaves the run, which
// then counts as failed.
void RunInstall(catalogue::InstallerState& state, platform::Platform& platform, InstallSink& sink,
                const std::vector<engine::SpecialtyCheck>& checks);

}  // namespace engine
