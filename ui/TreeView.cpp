#include "ui/TreeView.h"

#include <algorithm>

namespace ui {

// ---------------------------------------------------------------- TreeNode

TreeNode::TreeNode(TreeView* owner, TreeNode* parent, std::string text)
    : owner_(owner), parent_(parent), text_(std::move(text)) {}

void TreeNode::SetText(const std::string& text) {
  text_ = text;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
}

int TreeNode::AbsoluteIndex() const {
  const std::vector<TreeNode*> items = owner_->Items();
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TreeNode::Expand() {
  if (expanded_) return;
  bool allow = true;
  if (owner_->OnExpanding) owner_->OnExpanding(this, allow);
  if (!allow) return;
  expanded_ = true;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
  owner_->NodeExpanded(*this);
  if (owner_->OnExpanded) owner_->OnExpanded(this);
}

void TreeNode::Collapse() {
  if (!expanded_) return;
  bool allow = true;
  if (owner_->OnCollapsing) owner_->OnCollapsing(this, allow);
  if (!allow) return;
  owner_->NodeCollapsing(*this);
  expanded_ = false;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
  if (owner_->OnCollapsed) owner_->OnCollapsed(this);
}

void TreeNode::SetHasChildren(bool value) {
  if (value == hasChildren_) return;
  hasChildren_ = value;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
}

void TreeNode::SetImages(int imageIndex, int selectedIndex) {
  ImageIndex = imageIndex;
  SelectedIndex = selectedIndex;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
}

void TreeNode::SetStateIndex(int index) {
  if (index == stateIndex_) return;
  stateIndex_ = index;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
}

// ---------------------------------------------------------------- TreeView

TreeView::TreeView(WinControl* parent, std::string name, int left, int top, int width, int height)
    : Control(parent, std::move(name)) {
  SetBounds(left, top, width, height);
  SetColor(clWindow);
}

TreeView::~TreeView() = default;

TreeNode* TreeView::AddChild(TreeNode* parent, const std::string& text) {
  auto node = std::make_unique<TreeNode>(this, parent, text);
  TreeNode* added = node.get();
  (parent ? parent->children_ : roots_).push_back(std::move(node));
  if (parent) parent->hasChildren_ = true;
  if (Tree()) Tree()->NodeAdded(*added);
  return added;
}

void TreeView::Delete(TreeNode* node) {
  if (!node) return;
  for (TreeNode* n = selected_; n; n = n->Parent()) {
    if (n == node) {
      selected_ = nullptr;
      break;
    }
  }
  if (Tree()) Tree()->NodeRemoved(*node);
  auto& list = node->Parent() ? node->Parent()->children_ : roots_;
  list.erase(std::find_if(list.begin(), list.end(),
                          [node](const std::unique_ptr<TreeNode>& n) { return n.get() == node; }));
}

void TreeView::Clear() {
  selected_ = nullptr;
  editing_ = false;
  if (Tree()) Tree()->Cleared();
  roots_.clear();
}

void TreeView::Collect(const std::vector<std::unique_ptr<TreeNode>>& nodes,
                        std::vector<TreeNode*>& out) const {
  for (const auto& n : nodes) {
    out.push_back(n.get());
    Collect(n->children_, out);
  }
}

std::vector<TreeNode*> TreeView::Items() const {
  std::vector<TreeNode*> out;
  Collect(roots_, out);
  return out;
}

int TreeView::Count() const { return static_cast<int>(Items().size()); }

void TreeView::SetSelected(TreeNode* node) {
  if (node == selected_) return;
  selected_ = node;
  if (Tree() && node) Tree()->NodeChanged(*node);
  if (OnChange) OnChange(node);
}

void TreeView::StartEdit(TreeNode* node) {
  if (ReadOnly || !node) return;
  SetSelected(node);
  editing_ = true;
  if (Tree()) Tree()->StartEdit(*node);
}

void TreeView::EditDone(bool accepted, std::string newText) {
  TreeNode* node = selected_;
  editing_ = false;
  if (!accepted || !node) return;
  bool accept = true;
  if (OnEdited) OnEdited(node, newText, accept);
  if (accept) node->SetText(newText);
}

std::vector<TreeNode*> TreeView::VisibleRows() const {
  std::vector<TreeNode*> rows;
  std::function<void(const std::vector<std::unique_ptr<TreeNode>>&)> walk =
      [&](const std::vector<std::unique_ptr<TreeNode>>& nodes) {
        for (const auto& n : nodes) {
          rows.push_back(n.get());
          if (n->Expanded()) walk(n->Children());
        }
      };
  walk(roots_);
  return rows;
}

// Without a peer, rows are ItemHeight high from the top; a node's label
// starts after its indentation, its state picture and its icon.
Rect TreeView::LabelRect(const TreeNode& node) {
  if (Tree()) return Tree()->LabelRect(node);
  const std::vector<TreeNode*> rows = VisibleRows();
  const auto it = std::find(rows.begin(), rows.end(), &node);
  if (it == rows.end()) return {};
  const int row = static_cast<int>(it - rows.begin());
  const int left = Indent * (node.Level() + (ShowRoot ? 1 : 0)) + StateImageWidth + ImageWidth;
  const int width = 7 * static_cast<int>(node.Text().size()) + 4;
  return {left, row * ItemHeight, left + width, (row + 1) * ItemHeight};
}

TreeNode* TreeView::NodeAt(Point at) {
  if (Tree()) return Tree()->NodeAt(at);
  if (at.Y < 0 || at.X < 0 || at.X >= Width()) return nullptr;
  const std::vector<TreeNode*> rows = VisibleRows();
  const std::size_t row = static_cast<std::size_t>(at.Y / ItemHeight);
  return row < rows.size() ? rows[row] : nullptr;
}

TreeNode* TreeView::TopItem() { return Tree() ? Tree()->TopItem() : nullptr; }

void TreeView::SetTopItem(TreeNode* node) {
  if (Tree() && node) Tree()->SetTopItem(*node);
}

void TreeView::SetStateImages(StateImageList* images) {
  stateImages_ = images;
  StateImageWidth = images ? images->Width : 0;
  if (Tree()) Tree()->StateImagesChanged();
}

void TreeView::TreePress(MouseButton button, Point at) {
  TreeNode* node = NodeAt(at);
  if (!node) return;
  if (OnExpandButton(*node, at)) {
    node->Expanded() ? node->Collapse() : node->Expand();
    return;
  }
  SetSelected(node);
}

// The button takes the Indent wide column left of the state picture.
bool TreeView::OnExpandButton(const TreeNode& node, Point at) {
  const int buttonRight = LabelRect(node).Left - StateImageWidth - ImageWidth;
  return ShowButtons && at.X < buttonRight && at.X >= buttonRight - Indent &&
         (node.HasChildren() || !node.Children().empty());
}

void TreeView::Paint() {
  if (OnBeforePaint) OnBeforePaint();
}

}  // namespace ui
