// A tree view whose nodes carry three-state check boxes. A toggle by mouse or
// Space spreads down to all descendants and up through every ancestor, each
// change passing through OnStateChanging (which may refuse it) and
// OnStateChange. The box hit test and the toggle logic live here, above the
// backends; the backend only reports presses, releases and keys.
#pragma once
#include <functional>
#include <string>

#include "ui/TreeView.h"

namespace ui {

// A node's check state is its state index.
enum TCheckState : int {
  csUnset = -1,  // every new node, until the tree first paints
  csNoBox = 0,
  csUnchecked = 1,
  csChecked = 2,
  csPartlyChecked = 3,
};

inline TCheckState CheckStateOf(const TreeNode& node) {
  return static_cast<TCheckState>(node.StateIndex());
}
// Ticked: checked or partly checked.
inline bool IsTicked(const TreeNode& node) {
  return CheckStateOf(node) == csChecked || CheckStateOf(node) == csPartlyChecked;
}

class TCheckTree;
using TCheckTreeChangingEvent =
    std::function<void(TCheckTree* Sender, TreeNode* Node, TCheckState NewState, bool& AllowChange)>;
using TCheckTreeChangeEvent = std::function<void(TCheckTree* Sender, TreeNode* Node, TCheckState NewState)>;
using TCheckTreeNotifyEvent = std::function<void(TCheckTree* Sender)>;

class TCheckTree : public TreeView {
 public:
  TCheckTree(WinControl* parent, std::string name, int left, int top, int width, int height);
  ~TCheckTree() override;

  // Settings.
  bool CascadeChecks = true;  // a toggle spreads to descendants and ancestors
  // Expanding or collapsing a node also selects it. AutoSelect and
  // AutoExpand exclude each other: switching either on switches the other off.
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value);
  bool AutoExpand() const { return autoExpand_; }
  void SetAutoExpand(bool value);
  // Mark colour of the classic pictures; changing it rebuilds them.
  Color HighlightColor() const { return highlightColor_; }
  void SetHighlightColor(Color color);
  Color FrameColor = clBtnShadow;  // outline colour of the classic pictures

  // The state pictures: cells 0 and 1 unchecked, 2 checked, 3 partly checked.
  StateImageList CheckImages;

  TCheckTreeChangingEvent OnStateChanging;
  TCheckTreeChangeEvent OnStateChange;
  TCheckTreeNotifyEvent OnUpdateChildren;  // once after each downward cascade

  // The user's toggle: checked becomes unchecked, anything else but "no
  // box" becomes checked, then the change cascades.
  void ToggleCheck(TreeNode* node);
  // Sets one node's state through the two state events; both are raised
  // even when the state does not change.
  void ApplyCheckState(TreeNode* node, TCheckState state);

  // Overridable steps. The icon width is taken when the tree is made; take
  // it again after changing ImageWidth.
  virtual void TakeIconWidth();
  virtual void BuildCheckImages();
  virtual void CascadeToAncestors(TreeNode* node);
  virtual void CascadeToDescendants(TreeNode* node, bool checked);

  // Input: a press decides anew whether a box press is pending; a left
  // release inside the tree toggles the node whose box was pressed if it is
  // still selected. Space toggles on its release.
  void DoMouseDown(MouseButton button, ShiftState shift, Point at) override;
  void DoMouseUp(MouseButton button, ShiftState shift, Point at) override;
  void DoKeyUp(int& key, ShiftState shift) override;
  void DoKeyPress(char& key) override;
  // Gives every unset node an empty box, without events or cascades.
  void Paint() override;

 protected:
  virtual void DoStateChanging(TreeNode* node, TCheckState newState, bool& allowChange);
  virtual void DoStateChange(TreeNode* node, TCheckState newState);
  void NodeCollapsing(TreeNode& node) override;
  void NodeExpanded(TreeNode& node) override;

 private:
  bool InCheckBox(const TreeNode& node, Point at);

  bool autoSelect_ = false;
  bool autoExpand_ = false;
  Color highlightColor_ = clHighlight;
  int boxWidth_;       // W: the width of a picture cell
  int iconWidth_ = 0;  // I: the width of a node icon, 0 for none
  bool boxPressPending_ = false;
  int boxPressIndex_ = -1;  // absolute index of the node whose box was pressed
};

}  // namespace ui
