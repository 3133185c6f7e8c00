// The multi-disc install run: every selected pack from the disc being read,
// then the disc prompt for one of the discs still needed, until none is.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "catalogue/InstallerState.h"
#include "engine/InstallView.h"
#include "engine/SpecialtyCheck.h"
#include "platform/Platform.h"

namespace engine {

// The prompt that asks for the next disc; one lives for a whole run.
class TDiscPrompt {
 public:
  virtual ~TDiscPrompt() = default;
  // Shows the needed labels with the folder preset to presetPath; returns the
  // folder the user confirmed (ending with "\"), or "" when the user cancelled.
  virtual std::string AskForDisc(const std::string& presetPath, const std::vector<std::string>& labels) = 0;
};

// Plans the discs from checks (PlanDiscs) and installs the selected packs of
// state.Packs from every disc still needed. Returns when no disc is needed
// any more, a pack copy failed or was cancelled, or the user cancelled the
// prompt; InstallOk then tells whether the library is complete. Next is shown
// and enabled and Back and Cancel hidden afterwards, also when an error
// (of the plan too) leaves the run, which then counts as failed.
void RunInstall(TInstallerState& state, platform::Platform& platform, TInstallView& view, TDiscPrompt& prompt,
                const std::vector<TSpecialtyCheck>& checks);

}  // namespace engine
