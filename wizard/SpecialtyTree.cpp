// The specialty tree of page 2: filled from the catalogue, read out for the
// disc plan.
#include "wizard/Tfm_Install.h"

void Tfm_Install::FillSpecialtyTree(const TCdPacks& packs) {
  CheckTree->Clear();
  for (const TCdPack& pack : packs) {
    // The first node of the whole tree with the standard's text is the
    // parent, whatever its level; nodes are never sorted.
    const std::string standard = pack.Standard.Text();
    ui::TreeNode* parent = nullptr;
    for (ui::TreeNode* node : CheckTree->Items()) {
      if (node->Text() == standard) {
        parent = node;
        break;
      }
    }
    if (!parent) parent = CheckTree->AddChild(nullptr, standard);
    CheckTree->AddChild(parent, pack.Specialty.Text());
  }
}

std::vector<engine::SpecialtyCheck> Tfm_Install::ListSpecialtyChecks() const {
  std::vector<engine::SpecialtyCheck> checks;
  for (const ui::TreeNode* node : CheckTree->Items()) {
    if (node->Parent()) checks.push_back({node->Parent()->Text(), node->Text(), ui::IsTicked(*node)});
  }
  return checks;
}
