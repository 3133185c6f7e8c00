#include "ui/win32/TreeViewPeer.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/Scaling.h"
#include "ui/win32/InputState.h"
#include "ui/win32/MouseReleaseWatch.h"
#include "ui/win32/StatePictures.h"

namespace ui::win32 {
namespace {

void DestroyList(void* list) { ImageList_Destroy(static_cast<HIMAGELIST>(list)); }

// The item state bits of a node's state picture (index 0 shows none).
UINT StatePictureBits(const TreeNode& node) {
  return INDEXTOSTATEIMAGEMASK(node.StateIndex() > 0 ? node.StateIndex() : 0);
}

}  // namespace

TreeViewPeer::TreeViewPeer(TreeView& tree, HWND parent, int id) : WindowPeer(tree), tree_(tree) {
  // The toolkit has no drag and drop: a press selects at once, however the
  // mouse moves before the release.
  DWORD style = ChildStyle() | WS_TABSTOP | TVS_DISABLEDRAGDROP;
  if (tree.ShowButtons) style |= TVS_HASBUTTONS;
  if (tree.ShowLines) style |= TVS_HASLINES;
  if (tree.ShowRoot) style |= TVS_LINESATROOT;
  if (!tree.ReadOnly) style |= TVS_EDITLABELS;
  if (!tree.HideSelection) style |= TVS_SHOWSELALWAYS;
  if (tree.CheckBoxes) style |= TVS_CHECKBOXES;
  Create(WC_TREEVIEWA, style, tree.BorderNone ? 0 : WS_EX_CLIENTEDGE, parent, id, ControlBounds());
  if (tree.CheckBoxes) {
    SendMessageA(Handle(), TVM_SETEXTENDEDSTYLE, TVS_EX_PARTIALCHECKBOXES, TVS_EX_PARTIALCHECKBOXES);
  }
  ApplyRowGeometry();
  ApplyColors();
  if (tree.NativeImages) {
    SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(tree.NativeImages));
  }
  StateImagesChanged();
  for (const auto& root : tree.TopLevel()) Insert(*root);
  ApplySelection();
}

void TreeViewPeer::Changed(Prop what) {
  WindowPeer::Changed(what);
  if (what == Prop::Color || what == Prop::Font) ApplyColors();
  if (what == Prop::Scale) {
    ApplyRowGeometry();
    StateImagesChanged();
  }
}

void TreeViewPeer::ApplyRowGeometry() {
  SendMessageA(Handle(), TVM_SETINDENT, ScaleToDpi(tree_.Indent, Dpi()), 0);
  SendMessageA(Handle(), TVM_SETITEMHEIGHT, ScaleToDpi(tree_.ItemHeight, Dpi()), 0);
}

void TreeViewPeer::ApplyColors() {
  SendMessageA(Handle(), TVM_SETBKCOLOR, 0, ToColorRef(tree_.GetColor()));
  SendMessageA(Handle(), TVM_SETTEXTCOLOR, 0, ToColorRef(tree_.GetFont().FontColor));
}

void TreeViewPeer::StateImagesChanged() {
  StateImageList* images = tree_.StateImages();
  HIMAGELIST list = nullptr;
  if (images && !images->Cells.empty()) {
    // Made once per set of pictures and scale; the set owns it.
    if (!images->Native || images->NativeDpi != Dpi()) {
      images->Native = std::shared_ptr<void>(MakeStatePictures(*images, Dpi()).release(), DestroyList);
      images->NativeDpi = Dpi();
    }
    list = static_cast<HIMAGELIST>(images->Native.get());
  }
  SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_STATE, reinterpret_cast<LPARAM>(list));
}

// ------------------------------------------------------------------- items

HTREEITEM TreeViewPeer::ItemOf(const TreeNode& node) const {
  const auto found = items_.find(&node);
  return found == items_.end() ? nullptr : found->second;
}

TreeNode* TreeViewPeer::NodeOf(HTREEITEM item) const {
  if (!item) return nullptr;
  TVITEMA query{};
  query.mask = TVIF_HANDLE | TVIF_PARAM;
  query.hItem = item;
  if (!SendMessageA(Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return nullptr;
  return reinterpret_cast<TreeNode*>(query.lParam);
}

// Text, state picture (index 0 shows none), expand button and icons.
TVITEMA TreeViewPeer::Describe(TreeNode& node) const {
  TVITEMA item{};
  item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE | TVIF_CHILDREN;
  item.pszText = const_cast<char*>(node.Text().c_str());
  item.lParam = reinterpret_cast<LPARAM>(&node);
  item.stateMask = TVIS_STATEIMAGEMASK;
  item.state = StatePictureBits(node);
  item.cChildren = node.HasChildren() || !node.Children().empty() ? 1 : 0;
  if (tree_.NativeImages) {
    item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.iImage = node.ImageIndex;
    item.iSelectedImage = node.SelectedIndex;
  }
  return item;
}

void TreeViewPeer::Insert(TreeNode& node) {
  HTREEITEM parent = TVI_ROOT;
  if (node.Parent()) {
    parent = ItemOf(*node.Parent());
    if (!parent) return;
  }
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item = Describe(node);
  const auto item = reinterpret_cast<HTREEITEM>(
      SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  // The fill stops here; the error goes to the top-level report.
  if (!item) throw std::runtime_error("无法插入树节点");
  items_[&node] = item;
  for (const auto& child : node.Children()) Insert(*child);
  if (parent != TVI_ROOT) {  // the parent has an expand button now
    TVITEMA button{};
    button.mask = TVIF_HANDLE | TVIF_CHILDREN;
    button.hItem = parent;
    button.cChildren = 1;
    SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&button));
  }
  ApplyExpansion(node, item);
}

void TreeViewPeer::Forget(const TreeNode& node) {
  items_.erase(&node);
  for (const auto& child : node.Children()) Forget(*child);
}

void TreeViewPeer::ApplyExpansion(TreeNode& node, HTREEITEM item) {
  if (&node == expanding_) return;
  const bool shown =
      (SendMessageA(Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
       TVIS_EXPANDED) != 0;
  if (shown == node.Expanded()) return;
  expanding_ = &node;
  SendMessageA(Handle(), TVM_EXPAND, node.Expanded() ? TVE_EXPAND : TVE_COLLAPSE,
               reinterpret_cast<LPARAM>(item));
  expanding_ = nullptr;
}

// The system's selection follows the control's.
void TreeViewPeer::ApplySelection() {
  const HTREEITEM wanted = tree_.Selected() ? ItemOf(*tree_.Selected()) : nullptr;
  const auto shown = reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (wanted != shown) SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(wanted));
}

void TreeViewPeer::NodeAdded(TreeNode& node) { Insert(node); }

void TreeViewPeer::NodeRemoved(TreeNode& node) {
  const HTREEITEM item = ItemOf(node);
  if (!item) return;
  deleting_ = true;
  SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
  Forget(node);
  ApplySelection();
  deleting_ = false;
}

void TreeViewPeer::NodeChanged(TreeNode& node) {
  const HTREEITEM item = ItemOf(node);
  if (!item) return;
  TVITEMA change = Describe(node);
  change.mask |= TVIF_HANDLE;
  change.hItem = item;
  SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
  ApplyExpansion(node, item);
  if (tree_.Selected() == &node) ApplySelection();
}

void TreeViewPeer::Cleared() {
  deleting_ = true;
  SendMessageA(Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  items_.clear();
  deleting_ = false;
}

// ---------------------------------------------------------------- geometry

Rect TreeViewPeer::LabelRect(const TreeNode& node) {
  const HTREEITEM item = ItemOf(node);
  RECT rect{};
  std::memcpy(&rect, &item, sizeof item);  // TVM_GETITEMRECT takes the item in the rectangle
  if (!item || !SendMessageA(Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect))) return {};
  return UnscaleFromDpi(Rect{rect.left, rect.top, rect.right, rect.bottom}, Dpi());
}

TreeNode* TreeViewPeer::NodeAt(Point at) {
  const Point scaled = ScaleToDpi(at, Dpi());
  TVHITTESTINFO hit{};
  hit.pt = {scaled.X, scaled.Y};
  const auto item =
      reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  const UINT onRow = TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON | TVHT_ONITEMRIGHT;
  return item && (hit.flags & onRow) ? NodeOf(item) : nullptr;
}

TreeNode* TreeViewPeer::TopItem() {
  return NodeOf(reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0)));
}

void TreeViewPeer::SetTopItem(TreeNode& node) {
  if (const HTREEITEM item = ItemOf(node)) {
    SendMessageA(Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(item));
  }
}

Point TreeViewPeer::KeyboardMenuPoint() {
  if (!tree_.Selected()) return {0, 0};
  const Rect label = LabelRect(*tree_.Selected());
  return {label.Left, label.Bottom};
}

void TreeViewPeer::StartEdit(TreeNode& node) {
  if (beginningEdit_) return;  // the system is starting it already
  const HTREEITEM item = ItemOf(node);
  if (!item) return;
  SetFocus(Handle());
  SendMessageA(Handle(), TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item));
}

// ----------------------------------------------------------- notifications

LRESULT TreeViewPeer::Notify(NMHDR& header) {
  switch (header.code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
      if (deleting_) return 0;
      TreeNode* node =
          reinterpret_cast<const NMTREEVIEWA&>(header).itemNew.hItem
              ? reinterpret_cast<TreeNode*>(reinterpret_cast<const NMTREEVIEWA&>(header).itemNew.lParam)
              : nullptr;
      App().Dispatch([&] { tree_.SetSelected(node); });
      return 0;
    }
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW:
      return ItemExpanding(reinterpret_cast<const NMTREEVIEWA&>(header));
    case NM_CUSTOMDRAW:
      // The control may bring its nodes up to date before they are painted.
      if (reinterpret_cast<const NMCUSTOMDRAW&>(header).dwDrawStage == CDDS_PREPAINT) {
        App().Dispatch([this] { tree_.Paint(); });
      }
      return CDRF_DODEFAULT;
    case TVN_BEGINLABELEDITA: {
      if (tree_.ReadOnly) return TRUE;
      auto* node = reinterpret_cast<TreeNode*>(reinterpret_cast<const NMTVDISPINFOA&>(header).item.lParam);
      if (node && !tree_.IsEditing()) {
        beginningEdit_ = true;
        App().Dispatch([&] { tree_.StartEdit(node); });
        beginningEdit_ = false;
      }
      return FALSE;
    }
    case TVN_ENDLABELEDITA: {
      // The control decides on the new text; the item shows it through NodeChanged.
      const char* text = reinterpret_cast<const NMTVDISPINFOA&>(header).item.pszText;
      App().Dispatch([&] { tree_.EditDone(text != nullptr, text ? text : ""); });
      return FALSE;
    }
    default:
      return 0;
  }
}

// The system is about to expand or collapse an item: the node does it with
// its events, and the system goes ahead only when the node did.
LRESULT TreeViewPeer::ItemExpanding(const NMTREEVIEWA& change) {
  auto* node = reinterpret_cast<TreeNode*>(change.itemNew.lParam);
  if (!node || node == expanding_) return FALSE;
  const bool expand = (change.action & (TVE_EXPAND | TVE_COLLAPSE)) == TVE_EXPAND;
  expanding_ = node;
  App().Dispatch([&] { expand ? node->Expand() : node->Collapse(); });
  expanding_ = nullptr;
  return node->Expanded() == expand ? FALSE : TRUE;
}

// ----------------------------------------------------------------- input

LRESULT TreeViewPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      return Press(MouseButton::Left, WM_LBUTTONUP, message, wParam, lParam);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return Press(MouseButton::Right, WM_RBUTTONUP, message, wParam, lParam);
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      MouseReleaseWatch::Delivered(Handle());
      const MouseButton button = message == WM_LBUTTONUP ? MouseButton::Left : MouseButton::Right;
      const Point at = UnscaleFromDpi(MousePoint(lParam), Dpi());
      App().Dispatch([&] { tree_.DoMouseUp(button, MouseShiftState(wParam), at); });
      const LRESULT result = DefaultProc(message, wParam, lParam);
      KeepNodeStates(MousePoint(lParam));
      return result;
    }
    case WM_MOUSEWHEEL:
      Wheel(wParam);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:  // keys held with Alt
    case WM_SYSKEYUP:
    case WM_CHAR:
      return Key(message, wParam, lParam);
    default:
      break;
  }
  return WindowPeer::HandleMessage(message, wParam, lParam);
}

// The system's own press comes first (focus, selection, expand button); it
// may run a drag-detection loop that takes the release away, in which case
// the release is reported here.
LRESULT TreeViewPeer::Press(MouseButton button, UINT releaseMessage, UINT message, WPARAM wParam,
                            LPARAM lParam) {
  const Point pressed = MousePoint(lParam);
  const Point at = UnscaleFromDpi(pressed, Dpi());
  const ShiftState shift = MouseShiftState(wParam);
  LRESULT result;
  bool swallowed;
  Point releasedAt;
  {
    MouseReleaseWatch watch(Handle(), releaseMessage);
    pressing_ = true;
    result = DefaultProc(message, wParam, lParam);
    KeepNodeStates(pressed);
    if (button == MouseButton::Left) SelectPressedRow(pressed);
    pressing_ = false;
    swallowed = watch.Swallowed();
    releasedAt = UnscaleFromDpi(watch.ReleasePoint(), Dpi());
  }
  App().Dispatch([&] { tree_.DoMouseDown(button, shift, at); });
  if (swallowed) App().Dispatch([&] { tree_.DoMouseUp(button, shift, releasedAt); });
  if (deferredMenu_) {
    const LPARAM position = *deferredMenu_;
    deferredMenu_.reset();
    WindowPeer::ContextMenu(position);
  }
  return result;
}

// A left press anywhere on a node's row but its expand button selects the
// node, its state picture included (a press there is left alone by some
// system trees). The point is in the window's pixels.
void TreeViewPeer::SelectPressedRow(Point at) {
  TVHITTESTINFO hit{};
  hit.pt = {at.X, at.Y};
  const auto item =
      reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  const UINT onRow = TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT;
  if (!item || !(hit.flags & onRow) || (hit.flags & TVHT_ONITEMBUTTON)) return;
  if (SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0) != reinterpret_cast<LRESULT>(item)) {
    SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  }
}

bool TreeViewPeer::ContextMenu(LPARAM screenPosition) {
  if (!pressing_) return WindowPeer::ContextMenu(screenPosition);
  deferredMenu_ = screenPosition;
  return true;
}

// Keys reach the control first; a key or character it sets to 0 is
// withheld from the system tree (its type-ahead search included).
LRESULT TreeViewPeer::Key(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR) {
    char typed = static_cast<char>(wParam);
    App().Dispatch([&] { tree_.DoKeyPress(typed); });
    return typed ? DefaultProc(message, static_cast<unsigned char>(typed), lParam) : 0;
  }
  int key = static_cast<int>(wParam);
  const ShiftState shift = KeyShiftState(lParam);
  const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  App().Dispatch([&] { down ? tree_.DoKeyDown(key, shift) : tree_.DoKeyUp(key, shift); });
  if (!key) return 0;
  const LRESULT result = DefaultProc(message, key, lParam);
  KeepNodeStates(std::nullopt);
  return result;
}

// A system tree with check boxes toggles a box by itself on a click on it or
// on Space; the nodes' own states stand, so the items that such input can
// reach (the selected one and the one at the point) show them again.
void TreeViewPeer::KeepNodeStates(std::optional<Point> at) {
  if (!tree_.CheckBoxes) return;
  std::vector<HTREEITEM> reached{
      reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0))};
  if (at) {
    TVHITTESTINFO hit{};
    hit.pt = {at->X, at->Y};
    reached.push_back(
        reinterpret_cast<HTREEITEM>(SendMessageA(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
  }
  for (const HTREEITEM item : reached) {
    const TreeNode* node = NodeOf(item);
    if (!node) continue;
    TVITEMA state{};
    state.mask = TVIF_HANDLE | TVIF_STATE;
    state.hItem = item;
    state.stateMask = TVIS_STATEIMAGEMASK;
    state.state = StatePictureBits(*node);
    SendMessageA(Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&state));
  }
}

// Each notch scrolls by the system's wheel-scroll line count (or a page).
void TreeViewPeer::Wheel(WPARAM wParam) {
  wheelDelta_ += GET_WHEEL_DELTA_WPARAM(wParam);
  const int notches = wheelDelta_ / WHEEL_DELTA;
  wheelDelta_ -= notches * WHEEL_DELTA;
  if (notches == 0) return;
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const bool byPage = lines == WHEEL_PAGESCROLL;
  const WPARAM code = notches > 0 ? (byPage ? SB_PAGEUP : SB_LINEUP) : (byPage ? SB_PAGEDOWN : SB_LINEDOWN);
  const int steps = std::abs(notches) * (byPage ? 1 : static_cast<int>(lines));
  for (int i = 0; i < steps; ++i) DefaultProc(WM_VSCROLL, code, 0);
}

}  // namespace ui::win32
