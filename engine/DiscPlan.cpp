#include "engine/DiscPlan.h"

#include <algorithm>

#include "catalogue/PendingLabels.h"

namespace engine {

namespace {

bool Matches(const engine::SpecialtyCheck& check, const TCdPack& pack) {
  return check.Standard == pack.Standard.Text() && check.Specialty == pack.Specialty.Text();
}

void AddNeededLabels(catalogue::InstallerState& state, platform::Platform& platform, const TCdPack& pack) {
  const std::string standard = pack.Standard.Text(), specialty = pack.Specialty.Text();
  for (const catalogue::LabelString& label : pack.Labels) {
    // The pending file is read again for every label.
    const TCdLabels pending = catalogue::LoadPendingLabels(state, platform, standard, specialty).Labels;
    if (IndexOfNeededLabel(platform, state.NeededLabels, label.Text()) < 0 &&
        std::find(pending.begin(), pending.end(), label) != pending.end())
      state.NeededLabels.push_back(label.Text());
  }
}

}  // namespace

void PlanDiscs(catalogue::InstallerState& state, platform::Platform& platform, const std::vector<engine::SpecialtyCheck>& checks) {
  state.NeededLabels.clear();
  for (TCdPack& pack : state.Packs) {
    pack.Selected = false;
    const auto ticked = std::find_if(checks.begin(), checks.end(), [&](const engine::SpecialtyCheck& check) {
      return check.Ticked && Matches(check, pack);
    });
    if (ticked == checks.end()) continue;
    pack.Selected = true;
    AddNeededLabels(state, platform, pack);
  }
}

bool SameLabel(platform::Platform& platform, const std::string& a, const std::string& b) {
  return platform.CompareTextNoCase(a, b) == 0;
}

int IndexOfNeededLabel(platform::Platform& platform, const std::vector<std::string>& labels, const std::string& label) {
  for (std::size_t i = 0; i < labels.size(); ++i)
    if (SameLabel(platform, labels[i], label)) return static_cast<int>(i);
  return -1;
}

}  // namespace engine
