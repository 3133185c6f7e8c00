#include "engine/InstallRun.h"

#include <exception>

#include "catalogue/DiscDescriptor.h"
#include "engine/DiscPlan.h"
#include "engine/PackCopy.h"
#include "engine/ProgressBars.h"

namespace engine {

namespace {

// Whatever way the run ends, also by an error, the user can move on to the
// last page, and that page never reports a library with discs still missing,
// a run cut short by an error or a cancelled run as installed (the missing
// labels stay in the packs' pending files for a later run).
class RunEnd {
 public:
  RunEnd(catalogue::InstallerState& state, InstallSink& sink)
      : state_(state), sink_(sink), exceptionsAtStart_(std::uncaught_exceptions()) {}
  ~RunEnd() {
    if (!state_.NeededLabels.empty() || state_.CancelRequested || std::uncaught_exceptions() > exceptionsAtStart_)
      state_.InstallOk = false;
    sink_.RunEnded(CopyFailed);
  }
  RunEnd(const RunEnd&) = delete;
  RunEnd& operator=(const RunEnd&) = delete;

  bool CopyFailed = false;

 private:
  catalogue::InstallerState& state_;
  InstallSink& sink_;
  const int exceptionsAtStart_;
};

std::string PackName(const catalogue::InstallerState& state, const TCdPack& pack) {
  return state.DiscLabel.Text() + "-" + pack.Standard.Text() + "-" + pack.Specialty.Text();
}

// One pass over the selected packs from the disc being read; false when a
// pack copy failed or was cancelled (the pass stops at that pack).
bool InstallFromCurrentDisc(catalogue::InstallerState& state, platform::Platform& platform, InstallSink& sink,
                            ProgressBars& bars) {
  std::int32_t selected = 0;
  for (const TCdPack& pack : state.Packs) selected += pack.Selected ? 1 : 0;
  bars.StartPass(selected);

  PackCopy copy(state, platform, sink, bars);
  std::int32_t done = 0;
  bool ok = true;
  for (const TCdPack& pack : state.Packs) {
    if (!pack.Selected) continue;
    const std::string standard = pack.Standard.Text(), specialty = pack.Specialty.Text();
    sink.ShowPackStatus("正在安装:" + PackName(state, pack));
    if (!copy.InstallPackFromDisc(standard, specialty)) {
      sink.ShowPackStatus(PackName(state, pack) + "安装失败");
      sink.ShowFileStatus("复制中断");
      ok = false;
      break;
    }
    sink.ShowPackStatus(PackName(state, pack) + "完成");
    sink.ShowFileStatus("复制完成");
    bars.FinishPack(done + 1);
    ++done;
  }
  bars.FinishPass();
  return ok;
}

}  // namespace

void RunInstall(catalogue::InstallerState& state, platform::Platform& platform, InstallSink& sink,
                const std::vector<engine::SpecialtyCheck>& checks) {
  RunEnd runEnd(state, sink);
  sink.RunStarted();
  ProgressBars bars(sink);
  PlanDiscs(state, platform, checks);

  bool ok = true;
  bool stopped = false;
  do {
    // A cancel that came during the pass's last file ends the run too.
    ok = InstallFromCurrentDisc(state, platform, sink, bars) && !state.CancelRequested;
    runEnd.CopyFailed = !ok;

    const int read = IndexOfNeededLabel(platform, state.NeededLabels, state.DiscLabel.Text());
    if (read >= 0) state.NeededLabels.erase(state.NeededLabels.begin() + read);

    if (!state.NeededLabels.empty() && ok) {
      const std::string folder = sink.AskForNextDisc(state.SourceRoot, state.NeededLabels);
      if (folder.empty()) {
        stopped = true;
      } else {
        state.SetSourceRoot(folder);
        catalogue::ReadDiscLabel(state, platform);
      }
    }
  } while (!stopped && !state.NeededLabels.empty() && ok);
}

}  // namespace engine
