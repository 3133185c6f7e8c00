// A tree view: a SysTreeView32 window that mirrors the nodes of a TreeView
// (each item's lParam is its node). The system tree does the ordinary
// mouse and keyboard work; its notifications become the control's
// selection, expand and collapse, paint and label-edit events, and its raw
// presses, releases and keys reach the control's input entry points.
#pragma once
#include <optional>
#include <unordered_map>

#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

class TreeViewPeer final : public TreePeer, public WindowPeer {
 public:
  TreeViewPeer(TreeView& tree, HWND parent, int id);
  void Changed(Prop what) override;

  void NodeAdded(TreeNode& node) override;
  void NodeRemoved(TreeNode& node) override;
  void NodeChanged(TreeNode& node) override;
  void Cleared() override;
  Rect LabelRect(const TreeNode& node) override;
  TreeNode* NodeAt(Point at) override;
  void StartEdit(TreeNode& node) override;
  TreeNode* TopItem() override;
  void SetTopItem(TreeNode& node) override;
  void StateImagesChanged() override;

  LRESULT Notify(NMHDR& header) override;
  // A menu asked for by a right press comes after the press events.
  bool ContextMenu(LPARAM screenPosition) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  Point KeyboardMenuPoint() override;

 private:
  HTREEITEM ItemOf(const TreeNode& node) const;
  TreeNode* NodeOf(HTREEITEM item) const;
  TVITEMA Describe(TreeNode& node) const;
  void Insert(TreeNode& node);
  void Forget(const TreeNode& node);
  void ApplyExpansion(TreeNode& node, HTREEITEM item);
  void ApplySelection();
  void ApplyColors();
  // Indentation and row height at the form's scale.
  void ApplyRowGeometry();
  LRESULT ItemExpanding(const NMTREEVIEWA& change);
  LRESULT Press(MouseButton button, UINT releaseMessage, UINT message, WPARAM wParam, LPARAM lParam);
  void SelectPressedRow(Point at);
  LRESULT Key(UINT message, WPARAM wParam, LPARAM lParam);
  void Wheel(WPARAM wParam);
  // After the system's own handling of input; at is in the window's pixels.
  void KeepNodeStates(std::optional<Point> at);

  TreeView& tree_;
  std::unordered_map<const TreeNode*, HTREEITEM> items_;
  const TreeNode* expanding_ = nullptr;  // being expanded or collapsed by one side already
  bool deleting_ = false;                 // items go; the system's selection moves are not reported
  bool beginningEdit_ = false;            // the system starts a label edit by itself
  bool pressing_ = false;                 // the system handles a button press
  std::optional<LPARAM> deferredMenu_;    // a context menu asked for during the press
  int wheelDelta_ = 0;                    // wheel movement short of a notch
};

}  // namespace ui::win32
