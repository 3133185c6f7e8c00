#include "ui/CheckTree.h"

#include <utility>

#include "ui/CheckImageColors.h"

namespace ui {

TCheckTree::TCheckTree(WinControl* parent, std::string name, int left, int top, int width,
                       int height)
    : TreeView(parent, std::move(name), left, top, width, height) {
  ReadOnly = true;
  CheckBoxes = true;
  CheckImages.Width = CheckImages.Height = kCheckCellSize;
  boxWidth_ = CheckImages.Width;
  TakeIconWidth();
  BuildCheckImages();
}

// The peer lets go of the pictures before they end with the tree.
TCheckTree::~TCheckTree() { SetStateImages(nullptr); }

void TCheckTree::SetAutoSelect(bool value) {
  autoSelect_ = value;
  if (value) autoExpand_ = false;
}

void TCheckTree::SetAutoExpand(bool value) {
  autoExpand_ = value;
  if (value) autoSelect_ = false;
}

void TCheckTree::SetHighlightColor(Color color) {
  if (color == highlightColor_) return;
  highlightColor_ = color;
  BuildCheckImages();
}

void TCheckTree::TakeIconWidth() { iconWidth_ = ImageWidth; }

void TCheckTree::BuildCheckImages() {
  StateImageList fresh;
  fresh.Width = fresh.Height = kCheckCellSize;
  fresh.Cells = {StockPicture::CheckBoxUnchecked, StockPicture::CheckBoxUnchecked,
                 StockPicture::CheckBoxChecked, StockPicture::CheckBoxMixed};
  fresh.HighlightColor = highlightColor_;
  fresh.FrameColor = FrameColor;
  // The old native pictures end only after the peer has taken up the new ones.
  std::swap(CheckImages, fresh);
  SetStateImages(&CheckImages);
}

// ------------------------------------------------------------- check states

void TCheckTree::DoStateChanging(TreeNode* node, TCheckState newState, bool& allowChange) {
  if (OnStateChanging) OnStateChanging(this, node, newState, allowChange);
}

void TCheckTree::DoStateChange(TreeNode* node, TCheckState newState) {
  if (OnStateChange) OnStateChange(this, node, newState);
}

void TCheckTree::ApplyCheckState(TreeNode* node, TCheckState state) {
  bool allowChange = true;
  DoStateChanging(node, state, allowChange);
  if (!allowChange) return;
  node->SetStateIndex(state);
  DoStateChange(node, state);
}

void TCheckTree::ToggleCheck(TreeNode* node) {
  boxPressPending_ = false;
  if (!node || CheckStateOf(*node) == csNoBox) return;
  ApplyCheckState(node, CheckStateOf(*node) == csChecked ? csUnchecked : csChecked);
  if (!CascadeChecks) return;
  // A refused change cascades from the state the node kept.
  CascadeToDescendants(node, CheckStateOf(*node) == csChecked);
  CascadeToAncestors(node);
}

void TCheckTree::CascadeToDescendants(TreeNode* node, bool checked) {
  const std::function<void(TreeNode&)> applyBelow = [&](TreeNode& parent) {
    for (const auto& child : parent.Children()) {
      ApplyCheckState(child.get(), checked ? csChecked : csUnchecked);
      applyBelow(*child);
    }
  };
  applyBelow(*node);
  if (OnUpdateChildren) OnUpdateChildren(this);
}

void TCheckTree::CascadeToAncestors(TreeNode* node) {
  for (TreeNode* parent = node->Parent(); parent; parent = parent->Parent()) {
    int checked = 0, unchecked = 0;
    bool partly = false;
    for (const auto& child : parent->Children()) {
      const TCheckState state = CheckStateOf(*child);
      if (state == csChecked) ++checked;
      if (state == csUnchecked) ++unchecked;
      if (state == csPartlyChecked || (checked > 0 && unchecked > 0)) {
        partly = true;
        break;
      }
    }
    ApplyCheckState(parent, partly ? csPartlyChecked : checked > 0 ? csChecked : csUnchecked);
  }
}

void TCheckTree::Paint() {
  for (TreeNode* node : Items()) {
    if (CheckStateOf(*node) == csUnset) node->SetStateIndex(csUnchecked);
  }
  TreeView::Paint();
}

// -------------------------------------------------------------------- input

// The box lies left of the icon, left of the label: R.left - I - W < x <=
// R.left - I, over the label's full height, both edges included.
bool TCheckTree::InCheckBox(const TreeNode& node, Point at) {
  const Rect label = LabelRect(node);
  const int right = label.Left - iconWidth_;
  return at.X > right - boxWidth_ && at.X <= right && at.Y >= label.Top && at.Y <= label.Bottom;
}

void TCheckTree::DoMouseDown(MouseButton button, ShiftState shift, Point at) {
  // A native tree has made the ordinary press (focus, selection, expand
  // button) before it reports the press; without one the tree makes it here.
  // The system tree selects nothing on a press on a state picture or on one
  // that starts a drag, so a left press on a row selects its node here too.
  if (!Tree()) {
    if (Form* form = OwnerForm()) form->SetActiveControl(this);
    TreePress(button, at);
  } else if (TreeNode* row = NodeAt(at); row && button == MouseButton::Left && !OnExpandButton(*row, at)) {
    SetSelected(row);
  }
  TreeView::DoMouseDown(button, shift, at);
  TreeNode* selected = Selected();
  boxPressPending_ = button == MouseButton::Left && selected && InCheckBox(*selected, at);
  boxPressIndex_ = boxPressPending_ ? selected->AbsoluteIndex() : -1;
}

void TCheckTree::DoMouseUp(MouseButton button, ShiftState shift, Point at) {
  TreeView::DoMouseUp(button, shift, at);
  TreeNode* selected = Selected();
  const Rect client{0, 0, Width(), Height()};
  if (button == MouseButton::Left && boxPressPending_ && selected &&
      selected->AbsoluteIndex() == boxPressIndex_ && client.Contains(at)) {
    ToggleCheck(selected);
  }
}

// Space toggles on its release, so a held-down key toggles once.
void TCheckTree::DoKeyUp(int& key, ShiftState shift) {
  TreeView::DoKeyUp(key, shift);
  if (key == kKeySpace && !IsEditing() && Selected()) ToggleCheck(Selected());
}

// The space is a toggle, not a letter of the type-ahead search.
void TCheckTree::DoKeyPress(char& key) {
  TreeView::DoKeyPress(key);
  if (key == ' ') key = 0;
}

void TCheckTree::NodeCollapsing(TreeNode& node) {
  if (autoSelect_) SetSelected(&node);
}

void TCheckTree::NodeExpanded(TreeNode& node) {
  if (autoSelect_) SetSelected(&node);
}

}  // namespace ui
