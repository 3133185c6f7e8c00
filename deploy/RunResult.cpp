#include "deploy/RunResult.h"

#include "catalogue/PendingLabels.h"

namespace deploy {

int RunExitCode(platform::Platform& platform, const catalogue::InstallerState& state, RunEnd end, SetupLog& log) {
  std::size_t pendingDiscs = state.NeededLabels.size();
  for (const TCdPack& pack : state.Packs) {
    if (!pack.Selected) continue;
    const std::string standard = pack.Standard.Text(), specialty = pack.Specialty.Text();
    // A pack that has no pending-disc file yet needs all its discs.
    std::vector<std::string> labels;
    for (const catalogue::LabelString& label : catalogue::LoadPendingLabels(state, platform, standard, specialty).Labels)
      labels.push_back(label.Text());
    log.PackPending(standard, specialty, labels);
    pendingDiscs += labels.size();
  }
  return ExitCodeFor(end, pendingDiscs);
}

}  // namespace deploy
