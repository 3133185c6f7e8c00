#include "deploy/ComponentSelection.h"

#include <algorithm>

#include "deploy/ListText.h"
#include "text/AnsiText.h"

namespace deploy {

namespace {

// Whether item (already trimmed) names pack.
bool Names(const std::string& item, const TCdPack& pack) {
  if (item == "*") return true;
  const std::size_t backslash = text::FindWholeChar(item, '\\');
  if (backslash == std::string::npos) return item == pack.Standard.Text();
  return text::Trim(item.substr(0, backslash)) == pack.Standard.Text() &&
         text::Trim(item.substr(backslash + 1)) == pack.Specialty.Text();
}

}  // namespace

bool operator==(const ChosenSpecialty& a, const ChosenSpecialty& b) {
  return a.Standard == b.Standard && a.Specialty == b.Specialty;
}

bool ChooseComponents(const TCdPacks& packs, const std::optional<std::string>& components,
                      std::vector<ChosenSpecialty>& chosen, std::string& error) {
  std::vector<bool> ticked(packs.size(), false);
  if (components) {
    for (const std::string& written : SplitList(*components, ',')) {
      const std::string item = text::Trim(written);
      bool named = false;
      for (std::size_t i = 0; i < packs.size(); ++i) {
        if (!Names(item, packs[i])) continue;
        ticked[i] = true;
        named = true;
      }
      if (item.empty()) {
        error = "/COMPONENTS 中有一个空的名称：" + *components + "。";
        return false;
      }
      if (!named && item != "*") {
        error = "/COMPONENTS 中的“" + item + "”不在光盘的素材库目录中。";
        return false;
      }
    }
  }
  std::vector<ChosenSpecialty> result;
  for (std::size_t i = 0; i < packs.size(); ++i) {
    if (!ticked[i]) continue;
    const ChosenSpecialty specialty{packs[i].Standard.Text(), packs[i].Specialty.Text()};
    if (std::find(result.begin(), result.end(), specialty) == result.end()) result.push_back(specialty);
  }
  chosen = std::move(result);
  return true;
}

std::string ComponentsText(const std::vector<ChosenSpecialty>& chosen) {
  std::vector<std::string> items;
  for (const ChosenSpecialty& c : chosen) items.push_back(c.Standard + "\\" + c.Specialty);
  return JoinList(items, ',');
}

std::vector<engine::SpecialtyCheck> SpecialtyChecks(const TCdPacks& packs, const std::vector<ChosenSpecialty>& chosen) {
  std::vector<engine::SpecialtyCheck> checks;
  for (const TCdPack& pack : packs) {
    const ChosenSpecialty node{pack.Standard.Text(), pack.Specialty.Text()};
    const bool ticked = std::find(chosen.begin(), chosen.end(), node) != chosen.end();
    checks.push_back({node.Standard, node.Specialty, ticked});
  }
  return checks;
}

std::vector<ChosenSpecialty> ChosenSpecialties(const std::vector<engine::SpecialtyCheck>& checks) {
  std::vector<ChosenSpecialty> chosen;
  for (const engine::SpecialtyCheck& check : checks) {
    const ChosenSpecialty node{check.Standard, check.Specialty};
    if (check.Ticked && std::find(chosen.begin(), chosen.end(), node) == chosen.end()) chosen.push_back(node);
  }
  return chosen;
}

}  // namespace deploy
