// Trees written as text for tests: "S1(a,b(x)) S2" is two top-level nodes,
// S1 with the children a and b, b with the child x. With states, every node
// shows its check state: "S1=3(a=2,b=1)".
#pragma once
#include <string>

#include "ui/TreeView.h"

namespace treetext {

inline void AddNodes(ui::TreeView& tree, ui::TreeNode* parent, const std::string& text,
                     std::size_t& at) {
  while (at < text.size() && text[at] != ')') {
    if (text[at] == ' ' || text[at] == ',') {
      ++at;
      continue;
    }
    const std::size_t end = text.find_first_of(" ,()", at);
    ui::TreeNode* node = tree.AddChild(parent, text.substr(at, end - at));
    at = end;
    if (at < text.size() && text[at] == '(') {
      AddNodes(tree, node, text, ++at);
      ++at;  // the closing ")"
    }
  }
}

inline void Build(ui::TreeView& tree, const std::string& text) {
  std::size_t at = 0;
  AddNodes(tree, nullptr, text, at);
}

inline std::string Write(const std::vector<std::unique_ptr<ui::TreeNode>>& nodes,
                         const std::string& separator, bool states) {
  std::string out;
  for (const auto& node : nodes) {
    if (!out.empty()) out += separator;
    out += node->Text();
    if (states) out += "=" + std::to_string(node->StateIndex());
    if (!node->Children().empty()) out += "(" + Write(node->Children(), ",", states) + ")";
  }
  return out;
}

inline std::string Write(const ui::TreeView& tree, bool states = false) {
  return Write(tree.TopLevel(), " ", states);
}

// The first node in tree order with this text.
inline ui::TreeNode* Find(const ui::TreeView& tree, const std::string& text) {
  for (ui::TreeNode* node : tree.Items()) {
    if (node->Text() == text) return node;
  }
  return nullptr;
}

}  // namespace treetext
