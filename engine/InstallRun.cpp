#include "engine/InstallRun.h"

#include <exception>

#include "catalogue/DiscDescriptor.h"
#include "engine/DiscPlan.h"
#include "engine/PackCopy.h"

namespace engine {

namespace {

// Whatever way the run ends, also by an error, the user can move on to the
// last page, and that page never reports a library with discs still missing,
// a run cut short by an error or a cancelled run as installed (the missing
// labels stay in the packs' pending files for a later run).
class RunEnd {
 public:
  RunEnd(TInstallerState& state, TInstallView& view)
      : state_(state), view_(view), exceptionsAtStart_(std::uncaught_exceptions()) {}
  ~RunEnd() {
    if (!state_.NeededLabels.empty() || state_.CancelRequested || std::uncaught_exceptions() > exceptionsAtStart_)
      state_.InstallOk = false;
    view_.BackButton().SetVisible(false);
    view_.NextButton().SetEnabled(true);
    view_.NextButton().SetVisible(true);
    view_.CancelButton().SetVisible(false);
  }
  RunEnd(const RunEnd&) = delete;
  RunEnd& operator=(const RunEnd&) = delete;

 private:
  TInstallerState& state_;
  TInstallView& view_;
  const int exceptionsAtStart_;
};

std::string PackName(const TInstallerState& state, const TCdPack& pack) {
  return state.DiscLabel.Text() + "-" + pack.Standard.Text() + "-" + pack.Specialty.Text();
}

// One pass over the selected packs from the disc being read; false when a
// pack copy failed or was cancelled (the pass stops at that pack).
bool InstallFromCurrentDisc(TInstallerState& state, platform::Platform& platform, TInstallView& view) {
  ui::TProgressBar& area = view.AreaProgressBar();
  std::int32_t selected = 0;
  for (const TCdPack& pack : state.Packs) selected += pack.Selected ? 1 : 0;
  area.SetMax(100 * selected);
  area.SetPosition(0);

  TPackCopy copy(state, platform, view);
  std::int32_t done = 0;
  bool ok = true;
  for (const TCdPack& pack : state.Packs) {
    if (!pack.Selected) continue;
    const std::string standard = pack.Standard.Text(), specialty = pack.Specialty.Text();
    view.SpecStatusLabel().SetCaption("正在安装:" + PackName(state, pack));
    if (!copy.InstallPackFromDisc(standard, specialty)) {
      view.SpecStatusLabel().SetCaption(PackName(state, pack) + "安装失败");
      view.FileStatusLabel().SetCaption("复制中断");
      ok = false;
      break;
    }
    view.SpecStatusLabel().SetCaption(PackName(state, pack) + "完成");
    view.FileStatusLabel().SetCaption("复制完成");
    area.SetPosition(area.Max());
    area.SetPosition((done + 1) * 100);
    ++done;
  }
  area.SetPosition(area.Max());
  return ok;
}

}  // namespace

void RunInstall(TInstallerState& state, platform::Platform& platform, TInstallView& view, TDiscPrompt& prompt,
                const std::vector<TSpecialtyCheck>& checks) {
  RunEnd runEnd(state, view);
  view.BackButton().SetVisible(false);
  view.NextButton().SetEnabled(false);
  PlanDiscs(state, platform, checks);

  bool ok = true;
  bool stopped = false;
  do {
    // A cancel that came during the pass's last file ends the run too.
    ok = InstallFromCurrentDisc(state, platform, view) && !state.CancelRequested;

    const int read = IndexOfNeededLabel(platform, state.NeededLabels, state.DiscLabel.Text());
    if (read >= 0) state.NeededLabels.erase(state.NeededLabels.begin() + read);

    if (!state.NeededLabels.empty() && ok) {
      const std::string folder = prompt.AskForDisc(state.SourceRoot, state.NeededLabels);
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
