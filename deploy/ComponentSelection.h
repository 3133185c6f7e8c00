// Which specialties of the catalogue an unattended install ticks, from the
// text of /COMPONENTS: "国标\土建,浙江省标\市政".
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "catalogue/U_Type.h"
#include "engine/SpecialtyCheck.h"

namespace deploy {

// One specialty node to tick: the disc plan selects every pack with this
// standard and specialty.
struct ChosenSpecialty {
  std::string Standard, Specialty;
};
bool operator==(const ChosenSpecialty& a, const ChosenSpecialty& b);

// The specialties that components names, in catalogue order, each pair once.
// Items are separated by ","; blanks around an item or around its "\" are
// dropped. "standard\specialty" names one specialty, "standard" alone every
// specialty of that standard, "*" every pack. Names are compared exactly, as
// the specialty tree compares them. Without components nothing is ticked,
// as page 2 starts with every box empty. False with error naming the first
// item that names nothing in packs (an empty item included); chosen is then
// left as it was.
bool ChooseComponents(const TCdPacks& packs, const std::optional<std::string>& components,
                      std::vector<ChosenSpecialty>& chosen, std::string& error);

// The components text that ticks exactly chosen.
std::string ComponentsText(const std::vector<ChosenSpecialty>& chosen);

// The specialty nodes of packs as the disc plan reads them (one per pack,
// in catalogue order), ticked where chosen names them.
std::vector<engine::SpecialtyCheck> SpecialtyChecks(const TCdPacks& packs, const std::vector<ChosenSpecialty>& chosen);

// The ticked nodes of checks, each pair once: what a run chose.
std::vector<ChosenSpecialty> ChosenSpecialties(const std::vector<engine::SpecialtyCheck>& checks);

}  // namespace deploy
