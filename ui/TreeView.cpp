#include "ui/TreeView.h"

#include <algorithm>

namespace ui {

// ---------------------------------------------------------------- TTreeNode

TTreeNode::TTreeNode(TTreeView* owner, TTreeNode* parent, std::string text)
    : owner_(owner), parent_(parent), text_(std::move(text)) {}

void TTreeNode::SetText(const std::string& text) {
  text_ = text;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
}

int TTreeNode::AbsoluteIndex() const {
  const std::vector<TTreeNode*> items = owner_->Items();
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TTreeNode::Expand() {
  if (expanded_) return;
  bool allow = true;
  if (owner_->OnExpanding) owner_->OnExpanding(this, allow);
  if (!allow) return;
  expanded_ = true;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
  owner_->NodeExpanded(*this);
  if (owner_->OnExpanded) owner_->OnExpanded(this);
}

void TTreeNode::Collapse() {
  if (!expanded_) return;
  bool allow = true;
  if (owner_->OnCollapsing) owner_->OnCollapsing(this, allow);
  if (!allow) return;
  owner_->NodeCollapsing(*this);
  expanded_ = false;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
  if (owner_->OnCollapsed) owner_->OnCollapsed(this);
}

void TTreeNode::SetHasChildren(bool value) {
  if (value == hasChildren_) return;
  hasChildren_ = value;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
}

void TTreeNode::SetImages(int imageIndex, int selectedIndex) {
  ImageIndex = imageIndex;
  SelectedIndex = selectedIndex;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
}

void TTreeNode::SetStateIndex(int index) {
  if (index == stateIndex_) return;
  stateIndex_ = index;
  if (owner_->Tree()) owner_->Tree()->NodeChanged(*this);
}

// ---------------------------------------------------------------- TTreeView

TTreeView::TTreeView(TWinControl* parent, std::string name, int left, int top, int width, int height)
    : TControl(parent, std::move(name)) {
  SetBounds(left, top, width, height);
  SetColor(clWindow);
}

TTreeView::~TTreeView() = default;

TTreeNode* TTreeView::AddChild(TTreeNode* parent, const std::string& text) {
  auto node = std::make_unique<TTreeNode>(this, parent, text);
  TTreeNode* added = node.get();
  (parent ? parent->children_ : roots_).push_back(std::move(node));
  if (parent) parent->hasChildren_ = true;
  if (Tree()) Tree()->NodeAdded(*added);
  return added;
}

void TTreeView::Delete(TTreeNode* node) {
  if (!node) return;
  for (TTreeNode* n = selected_; n; n = n->Parent()) {
    if (n == node) {
      selected_ = nullptr;
      break;
    }
  }
  if (Tree()) Tree()->NodeRemoved(*node);
  auto& list = node->Parent() ? node->Parent()->children_ : roots_;
  list.erase(std::find_if(list.begin(), list.end(),
                          [node](const std::unique_ptr<TTreeNode>& n) { return n.get() == node; }));
}

void TTreeView::Clear() {
  selected_ = nullptr;
  editing_ = false;
  if (Tree()) Tree()->Cleared();
  roots_.clear();
}

void TTreeView::Collect(const std::vector<std::unique_ptr<TTreeNode>>& nodes,
                        std::vector<TTreeNode*>& out) const {
  for (const auto& n : nodes) {
    out.push_back(n.get());
    Collect(n->children_, out);
  }
}

std::vector<TTreeNode*> TTreeView::Items() const {
  std::vector<TTreeNode*> out;
  Collect(roots_, out);
  return out;
}

int TTreeView::Count() const { return static_cast<int>(Items().size()); }

void TTreeView::SetSelected(TTreeNode* node) {
  if (node == selected_) return;
  selected_ = node;
  if (Tree() && node) Tree()->NodeChanged(*node);
  if (OnChange) OnChange(node);
}

void TTreeView::StartEdit(TTreeNode* node) {
  if (ReadOnly || !node) return;
  SetSelected(node);
  editing_ = true;
  if (Tree()) Tree()->StartEdit(*node);
}

void TTreeView::EditDone(bool accepted, std::string newText) {
  TTreeNode* node = selected_;
  editing_ = false;
  if (!accepted || !node) return;
  bool accept = true;
  if (OnEdited) OnEdited(node, newText, accept);
  if (accept) node->SetText(newText);
}

std::vector<TTreeNode*> TTreeView::VisibleRows() const {
  std::vector<TTreeNode*> rows;
  std::function<void(const std::vector<std::unique_ptr<TTreeNode>>&)> walk =
      [&](const std::vector<std::unique_ptr<TTreeNode>>& nodes) {
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
Rect TTreeView::LabelRect(const TTreeNode& node) {
  if (Tree()) return Tree()->LabelRect(node);
  const std::vector<TTreeNode*> rows = VisibleRows();
  const auto it = std::find(rows.begin(), rows.end(), &node);
  if (it == rows.end()) return {};
  const int row = static_cast<int>(it - rows.begin());
  const int left = Indent * (node.Level() + (ShowRoot ? 1 : 0)) + StateImageWidth + ImageWidth;
  const int width = 7 * static_cast<int>(node.Text().size()) + 4;
  return {left, row * ItemHeight, left + width, (row + 1) * ItemHeight};
}

TTreeNode* TTreeView::NodeAt(Point at) {
  if (Tree()) return Tree()->NodeAt(at);
  if (at.Y < 0 || at.X < 0 || at.X >= Width()) return nullptr;
  const std::vector<TTreeNode*> rows = VisibleRows();
  const std::size_t row = static_cast<std::size_t>(at.Y / ItemHeight);
  return row < rows.size() ? rows[row] : nullptr;
}

TTreeNode* TTreeView::TopItem() { return Tree() ? Tree()->TopItem() : nullptr; }

void TTreeView::SetTopItem(TTreeNode* node) {
  if (Tree() && node) Tree()->SetTopItem(*node);
}

void TTreeView::SetStateImages(TStateImages* images) {
  stateImages_ = images;
  StateImageWidth = images ? images->Width : 0;
  if (Tree()) Tree()->StateImagesChanged();
}

void TTreeView::TreePress(MouseButton button, Point at) {
  TTreeNode* node = NodeAt(at);
  if (!node) return;
  if (OnExpandButton(*node, at)) {
    node->Expanded() ? node->Collapse() : node->Expand();
    return;
  }
  SetSelected(node);
}

// The button takes the Indent wide column left of the state picture.
bool TTreeView::OnExpandButton(const TTreeNode& node, Point at) {
  const int buttonRight = LabelRect(node).Left - StateImageWidth - ImageWidth;
  return ShowButtons && at.X < buttonRight && at.X >= buttonRight - Indent &&
         (node.HasChildren() || !node.Children().empty());
}

void TTreeView::Paint() {
  if (OnBeforePaint) OnBeforePaint();
}

}  // namespace ui
