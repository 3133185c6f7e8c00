#include "deploy/RunResult.h"

#include "deploy/LibraryStatus.h"

namespace deploy {

int RunExitCode(platform::Platform& platform, const TInstallerState& state, RunEnd end, SetupLog& log) {
  const std::vector<PendingPack> pending = PendingPacks(platform, state.TargetMatterLib);
  std::size_t pendingDiscs = state.NeededLabels.size();
  for (const TCdPack& pack : state.Packs) {
    if (!pack.Selected) continue;
    const std::string standard = pack.Standard.Text(), specialty = pack.Specialty.Text();
    const PendingPack* waiting = nullptr;
    for (const PendingPack& p : pending)
      if (p.Standard == standard && p.Specialty == specialty) waiting = &p;
    if (waiting) {
      log.PackPending(*waiting);
      pendingDiscs += waiting->Unreadable ? 1 : waiting->Labels.size();
    } else {
      log.PackPending(standard, specialty, {});
    }
  }
  return ExitCodeFor(end, pendingDiscs);
}

}  // namespace deploy
