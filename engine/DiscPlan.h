// The disc plan: which packs of the catalogue the ticks select, and which disc
// labels still have to be read for them.
#pragma once
#include <string>
#include <vector>

#include "catalogue/InstallerState.h"
#include "engine/SpecialtyCheck.h"
#include "platform/Platform.h"

namespace engine {

// Rewrites the Selected flag of every pack of state.Packs from checks (the
// specialty nodes in tree order: the first entry with the pack's standard and
// specialty that is ticked selects it) and fills state.NeededLabels with the
// selected packs' catalogue labels that their pending lists still hold, in
// order of first appearance.
void PlanDiscs(catalogue::InstallerState& state, platform::Platform& platform, const std::vector<engine::SpecialtyCheck>& checks);

// True when two disc labels are equal without regard to letter case by the
// user's locale: the rule by which a disc satisfies a needed or pending label.
bool SameLabel(platform::Platform& platform, const std::string& a, const std::string& b);

// Index of label in labels by SameLabel; -1 when it is not there.
int IndexOfNeededLabel(platform::Platform& platform, const std::vector<std::string>& labels, const std::string& label);

}  // namespace engine
