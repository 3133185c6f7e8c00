// Tree view with nodes, per-node state pictures and lazy children. The node
// structure lives here; a Win32 peer mirrors it in a SysTreeView32. Geometry
// questions (label rectangles, hit tests) go to the peer when there is one,
// otherwise a fixed row model answers them, so that tests see the same rules.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class TreeView;

class TreeNode {
 public:
  TreeNode(TreeView* owner, TreeNode* parent, std::string text);
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  TreeNode* Parent() const { return parent_; }
  const std::vector<std::unique_ptr<TreeNode>>& Children() const { return children_; }
  int Level() const { return parent_ ? parent_->Level() + 1 : 0; }
  // Position in tree order (depth first, each node before its children).
  int AbsoluteIndex() const;
  bool Expanded() const { return expanded_; }
  // Expanding or collapsing runs the tree's OnExpanding/OnCollapsing events.
  void Expand();
  void Collapse();
  // Whether the node shows an expand button even before it has children.
  bool HasChildren() const { return hasChildren_; }
  void SetHasChildren(bool value);
  // Index of the state picture; 0 or less shows none.
  int StateIndex() const { return stateIndex_; }
  void SetStateIndex(int index);
  int ImageIndex = -1;
  int SelectedIndex = -1;
  // Sets both pictures and lets the peer show them.
  void SetImages(int imageIndex, int selectedIndex);
  void* Data = nullptr;  // whatever the owner of the tree keeps per node

  TreeView* Owner() const { return owner_; }

 private:
  friend class TreeView;
  TreeView* owner_;
  TreeNode* parent_;
  std::string text_;
  std::vector<std::unique_ptr<TreeNode>> children_;
  bool expanded_ = false;
  bool hasChildren_ = false;
  int stateIndex_ = -1;
};

// Pictures the platform draws itself, as a tree's state pictures use them.
enum class StockPicture { CheckBoxUnchecked, CheckBoxChecked, CheckBoxMixed };

// A tree's state pictures: cells of Width x Height, cell n shown for state
// index n, in 96-DPI pixels. The backend draws the stock pictures and keeps
// its native list in Native (an HIMAGELIST on Win32, made when the peer first
// shows the list, for a screen of NativeDpi).
struct StateImageList {
  int Width = 16, Height = 16;
  std::vector<StockPicture> Cells;
  Color HighlightColor = clHighlight;  // mark colour of classic check boxes
  Color FrameColor = clBtnShadow;      // outline colour of classic check boxes
  std::shared_ptr<void> Native;
  int NativeDpi = 0;
};

// What a tree peer adds to the common peer: node structure and geometry.
class TreePeer : public ControlPeer {
 public:
  virtual void NodeAdded(TreeNode& node) = 0;
  virtual void NodeRemoved(TreeNode& node) = 0;
  virtual void NodeChanged(TreeNode& node) = 0;  // text, state, pictures, expansion, button
  virtual void Cleared() = 0;
  virtual Rect LabelRect(const TreeNode& node) = 0;
  virtual TreeNode* NodeAt(Point at) = 0;
  virtual void StartEdit(TreeNode& node) = 0;
  // The node in the first visible row, and scrolling a node to that row.
  virtual TreeNode* TopItem() { return nullptr; }
  virtual void SetTopItem(TreeNode& node) {}
  // Shows the tree's StateImages() anew (the peer also shows them when made).
  virtual void StateImagesChanged() {}
};

class TreeView : public Control {
 public:
  TreeView(WinControl* parent, std::string name, int left, int top, int width, int height);
  ~TreeView() override;
  const char* Kind() const override { return "TreeView"; }

  // Settings.
  int Indent = 19;
  bool ShowButtons = true, ShowLines = true, ShowRoot = true;
  bool ReadOnly = false;
  bool HideSelection = true;
  bool BorderNone = true;
  int StateImageWidth = 0;  // width of a state picture cell; 0 for no state pictures
  // The state pictures are check boxes with the standard state indices of
  // tree views with check boxes (1 unchecked, 2 checked, 3 partly checked),
  // so that accessibility tools read them as such; the tree still changes
  // states only through its own input handling.
  bool CheckBoxes = false;
  int ImageWidth = 0;       // width of a node icon; 0 for no icons
  // A native image list (HIMAGELIST on Win32) that ImageIndex and
  // SelectedIndex refer to; set before the peer is created. Null for none.
  void* NativeImages = nullptr;
  int ItemHeight = 18;

  // State pictures, owned by whoever sets them; null for none. Setting them
  // also sets StateImageWidth and lets the peer show them.
  StateImageList* StateImages() const { return stateImages_; }
  void SetStateImages(StateImageList* images);

  // Appends a node as the last child of parent (nullptr: the top level).
  TreeNode* AddChild(TreeNode* parent, const std::string& text);
  void Delete(TreeNode* node);
  void Clear();
  const std::vector<std::unique_ptr<TreeNode>>& TopLevel() const { return roots_; }
  // All nodes in tree order.
  std::vector<TreeNode*> Items() const;
  int Count() const;

  TreeNode* Selected() const { return selected_; }
  void SetSelected(TreeNode* node);
  bool IsEditing() const { return editing_; }
  void StartEdit(TreeNode* node);

  // The text part of a node's row, in 96-DPI client pixels.
  Rect LabelRect(const TreeNode& node);
  // The node whose row holds the point, or nullptr.
  TreeNode* NodeAt(Point at);
  // The node in the first visible row (the scroll position); nullptr when
  // unknown (no peer) or empty.
  TreeNode* TopItem();
  void SetTopItem(TreeNode* node);

  // Events.
  std::function<void(TreeNode*, bool& allow)> OnExpanding;
  std::function<void(TreeNode*)> OnExpanded;
  std::function<void(TreeNode*, bool& allow)> OnCollapsing;
  std::function<void(TreeNode*)> OnCollapsed;
  std::function<void(TreeNode*)> OnChange;  // the selection changed
  std::function<void(TreeNode*, std::string& newText, bool& accept)> OnEdited;
  std::function<void()> OnBeforePaint;  // raised each time the tree is about to paint

  // Input entry points beyond Control's.
  // The ordinary tree press: selects the row's node, toggles on the button.
  virtual void TreePress(MouseButton button, Point at);
  // Whether the point, on the node's row, is on the node's expand button.
  bool OnExpandButton(const TreeNode& node, Point at);
  virtual void Paint();  // what the backend calls before the tree paints
  // Backends report the end of an in-place edit here.
  void EditDone(bool accepted, std::string newText);

  TreePeer* Tree() const { return static_cast<TreePeer*>(Peer()); }

 protected:
  // Run however a node is expanded or collapsed: after OnCollapsing allowed
  // a collapse and before it happens, and after an expansion happened and
  // before OnExpanded. Derived trees add behaviour here.
  virtual void NodeCollapsing(TreeNode& node) {}
  virtual void NodeExpanded(TreeNode& node) {}

 private:
  friend class TreeNode;
  void Collect(const std::vector<std::unique_ptr<TreeNode>>& nodes, std::vector<TreeNode*>& out) const;
  std::vector<TreeNode*> VisibleRows() const;
  std::vector<std::unique_ptr<TreeNode>> roots_;
  TreeNode* selected_ = nullptr;
  bool editing_ = false;
  StateImageList* stateImages_ = nullptr;
};

}  // namespace ui
