// The disc plan: the packs the ticks select and the disc labels still needed,
// from the catalogue and the packs' pending files.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "catalogue/CatalogueFormat.h"
#include "engine/DiscPlan.h"
#include "platform/fake/FakePlatform.h"
#include "tests/CatalogueSamples.h"

namespace {

const char kLib[] = "C:\\Tavrin\\DLL\\VEXA\\MatterLib\\";

struct PlanCase {
  const char* what;
  std::vector<engine::SpecialtyCheck> checks;
  std::map<std::string, std::vector<std::string>> pendingFiles;  // pack folder -> its Install.Dat
  std::vector<bool> selected;
  std::vector<std::string> needed;
};

engine::SpecialtyCheck Check(const std::string& standard, const std::string& specialty, bool ticked) {
  return engine::SpecialtyCheck{standard, specialty, ticked};
}

class DiscPlan : public ::testing::TestWithParam<PlanCase> {
 protected:
  DiscPlan() {
    machine.AddDrive('C');
    state.TargetMatterLib = kLib;
    state.Packs = {samples::Pack("国标", "土建", {"CD1", "CD2"}), samples::Pack("浙江省标", "市政", {"CD1", "CD3"}),
                   samples::Pack("中南标", "结构", {}), samples::Pack("中南标", "给排水", {"cd1", "CD4"})};
    // Left from an earlier plan: every plan starts afresh.
    state.NeededLabels = {"CD9"};
    for (TCdPack& pack : state.Packs) pack.Selected = true;
  }

  platform::FakePlatform machine;
  catalogue::InstallerState state;
};

TEST_P(DiscPlan, SelectsTickedPacksAndListsTheirPendingDiscs) {
  const PlanCase& c = GetParam();
  SCOPED_TRACE(c.what);
  for (const auto& file : c.pendingFiles)
    machine.AddFile(kLib + file.first + "\\Install.Dat",
                    catalogue::SerializePendingLabels(samples::Labels(file.second)));

  engine::PlanDiscs(state, machine, c.checks);

  std::vector<bool> selected;
  for (const TCdPack& pack : state.Packs) selected.push_back(pack.Selected);
  EXPECT_EQ(selected, c.selected);
  EXPECT_EQ(state.NeededLabels, c.needed);
}

const std::vector<engine::SpecialtyCheck> kBothTicked = {Check("国标", "土建", true), Check("浙江省标", "市政", true),
                                                  Check("中南标", "结构", false), Check("中南标", "给排水", false)};

INSTANTIATE_TEST_SUITE_P(
    Cases, DiscPlan,
    ::testing::Values(
        PlanCase{
            "both ticked, no pending file yet", kBothTicked, {}, {true, true, false, false}, {"CD1", "CD2", "CD3"}},
        PlanCase{"the first pack still lacks only CD2",
                 kBothTicked,
                 {{"国标\\土建", {"CD2"}}},
                 {true, true, false, false},
                 {"CD2", "CD1", "CD3"}},
        PlanCase{"a complete pack is selected but needs no disc",
                 kBothTicked,
                 {{"国标\\土建", {}}},
                 {true, true, false, false},
                 {"CD1", "CD3"}},
        PlanCase{"a label that only the pending file lists is never added",
                 kBothTicked,
                 {{"国标\\土建", {"CD7", "CD2"}}, {"浙江省标\\市政", {"CD8"}}},
                 {true, true, false, false},
                 {"CD2"}},
        PlanCase{"a pack without labels is selected and adds nothing",
                 {Check("中南标", "结构", true)},
                 {},
                 {false, false, true, false},
                 {}},
        PlanCase{"nothing ticked",
                 {Check("国标", "土建", false), Check("浙江省标", "市政", false)},
                 {},
                 {false, false, false, false},
                 {}},
        PlanCase{"an unticked entry is passed over for a later ticked one of the same pack",
                 {Check("国标", "土建", false), Check("浙江省标", "土建", true), Check("国标", "土建", true)},
                 {},
                 {true, false, false, false},
                 {"CD1", "CD2"}},
        PlanCase{"names are compared exactly",
                 {Check("国标", "土建 ", true), Check("浙江省标\\", "市政", true)},
                 {},
                 {false, false, false, false},
                 {}},
        PlanCase{"a label needed already is found whatever its letter case",
                 {Check("国标", "土建", true), Check("中南标", "给排水", true)},
                 {},
                 {true, false, false, true},
                 {"CD1", "CD2", "CD4"}}),
    [](const ::testing::TestParamInfo<PlanCase>& info) { return "Case" + std::to_string(info.index); });

// Every label of a ticked pack reads the pending file anew.
class CountingMachine : public platform::FakePlatform {
 public:
  std::unique_ptr<platform::File> OpenRead(const std::string& path) override {
    ++opened[path];
    return FakePlatform::OpenRead(path);
  }
  std::map<std::string, int> opened;
};

TEST(DiscPlanReads, ThePendingFileOncePerLabel) {
  CountingMachine machine;
  machine.AddDrive('C');
  catalogue::InstallerState state;
  state.TargetMatterLib = kLib;
  state.Packs = {samples::Pack("国标", "土建", {"CD1", "CD2", "CD3"})};
  const std::string pending = std::string(kLib) + "国标\\土建\\Install.Dat";
  machine.AddFile(pending, catalogue::SerializePendingLabels(samples::Labels({"CD3", "CD1"})));

  engine::PlanDiscs(state, machine, {Check("国标", "土建", true)});

  EXPECT_EQ(state.NeededLabels, (std::vector<std::string>{"CD1", "CD3"}));
  EXPECT_EQ(machine.opened[pending], 3);
}

TEST(NeededLabels, AreLookedUpWithoutRegardToLetterCase) {
  platform::FakePlatform machine;
  const std::vector<std::string> labels = {"CD1", "Cd2", "光盘a"};
  EXPECT_EQ(engine::IndexOfNeededLabel(machine, labels, "cd2"), 1);
  EXPECT_EQ(engine::IndexOfNeededLabel(machine, labels, "光盘A"), 2);
  EXPECT_EQ(engine::IndexOfNeededLabel(machine, labels, "CD3"), -1);
  EXPECT_EQ(engine::IndexOfNeededLabel(machine, {}, "CD1"), -1);
}

}  // namespace
