#include "dialogs/TSkinDirTreeView.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <vector>

#include "text/AnsiText.h"
#include "ui/Application.h"

namespace dialogs {

using platform::ShellItemPtr;
using platform::ShellName;

TSkinDirTreeView::TSkinDirTreeView(ui::WinControl* parent, std::string name, platform::ShellNamespace& shell,
                                   std::string fileExtension)
    : ui::TreeView(parent, std::move(name), 0, 0, 0, 0), shell_(shell), fileExtension_(std::move(fileExtension)) {
  ShowButtons = ShowLines = ShowRoot = true;
  ReadOnly = false;  // labels can be edited: renaming a folder
  HideSelection = false;
  NativeImages = shell_.SmallImages();
  ImageWidth = 16;
  OnExpanding = [this](ui::TreeNode* node, bool&) { NodeExpanding(node); };

  ui::TreeNode* desktop = AddItemNode(nullptr, shell_.Desktop(), false);
  desktop->Expand();
  SetSelected(desktop);
}

const ShellItemPtr& TSkinDirTreeView::ItemOf(const ui::TreeNode& node) const { return nodes_.at(&node).item; }

platform::NativeWindow TSkinDirTreeView::OwnerWindow() {
  ui::Form* form = OwnerForm();
  return form && ui::App().HasBackend() ? ui::App().GetBackend().NativeHandle(*form) : nullptr;
}

// ------------------------------------------------------------ names, paths

std::string TSkinDirTreeView::Readable(const ShellItemPtr& item, std::string name) {
  if (name.compare(0, 3, "::{") == 0) name = shell_.Name(item, ShellName::Normal);
  if (name.size() >= 2 && name[0] == '?' && name[1] >= '0' && name[1] <= '9') {
    name.erase(std::remove(name.begin(), name.end(), '?'), name.end());
  }
  return name;
}

std::string TSkinDirTreeView::TextOf(const ShellItemPtr& item, bool isRoot) {
  return Readable(item, shell_.Name(item, isRoot ? ShellName::Normal : ShellName::InFolder));
}

std::string TSkinDirTreeView::PathOf(const ui::TreeNode& node) {
  const ShellItemPtr& item = ItemOf(node);
  return Readable(item, shell_.Name(item, ShellName::Parsing));
}

// ------------------------------------------------------- nodes, expansion

ui::TreeNode* TSkinDirTreeView::AddItemNode(ui::TreeNode* parent, const ShellItemPtr& item, bool file) {
  ui::TreeNode* node = AddChild(parent, TextOf(item, parent == nullptr));
  nodes_[node] = NodeInfo{item, false, file};
  node->SetImages(shell_.IconIndex(item, false), shell_.IconIndex(item, true));
  node->SetHasChildren(MayHaveChildren(item, file));
  return node;
}

bool TSkinDirTreeView::MayHaveChildren(const ShellItemPtr& item, bool file) {
  if (file) return false;
  const std::uint32_t attributes = shell_.Attributes(item);
  // The shell tells sub-folders only: a folder may hold listed files all the
  // same, and keeps its button until expanding it shows that it holds none.
  const bool listsFiles = !fileExtension_.empty() && (attributes & platform::saFolder);
  return listsFiles || (attributes & platform::saHasSubFolders) != 0;
}

bool TSkinDirTreeView::IsListableFolder(const ShellItemPtr& item) {
  if (!(shell_.Attributes(item) & platform::saFolder)) return false;
  const std::string path = text::UpperAscii(shell_.FileSystemPath(item));
  const std::string zip = ".ZIP";
  return path.size() < zip.size() || path.compare(path.size() - zip.size(), zip.size(), zip) != 0;
}

void TSkinDirTreeView::NodeExpanding(ui::TreeNode* node) {
  NodeInfo& info = nodes_.at(node);
  // A listed file is never opened: the shell would mount a disc image.
  if (!info.listed && !info.file) {
    info.listed = true;
    if (!IsListableFolder(info.item)) {
      shell_.OpenDefault(info.item);
    } else if (node->HasChildren()) {
      ListChildren(node);
    }
  }
  // A folder that turned out to have no sub-folders loses its button.
  node->SetHasChildren(!node->Children().empty());
}

void TSkinDirTreeView::ListChildren(ui::TreeNode* node) {
  ui::HourGlassCursor busy;
  const ShellItemPtr folder = ItemOf(*node);
  std::vector<ShellItemPtr> folders, files;
  if (!shell_.ListSubFolders(folder, OwnerWindow(), folders)) return;
  // Files that cannot be listed leave the folders listed.
  if (!fileExtension_.empty() && !shell_.ListFiles(folder, OwnerWindow(), fileExtension_, files)) files.clear();
  struct Entry {
    ShellItemPtr item;
    bool file;
  };
  std::vector<Entry> entries;
  for (const ShellItemPtr& item : folders) entries.push_back({item, false});
  for (const ShellItemPtr& item : files) entries.push_back({item, true});
  // A stable sort stays within bounds even if the shell's order is not
  // consistent.
  std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    return shell_.Compare(folder, a.item, b.item) < 0;
  });
  for (const Entry& entry : entries) AddItemNode(node, entry.item, entry.file);
}

void TSkinDirTreeView::Forget(const ui::TreeNode* node) {
  for (const auto& child : node->Children()) Forget(child.get());
  nodes_.erase(node);
}

void TSkinDirTreeView::RemoveChildren(ui::TreeNode* node) {
  while (!node->Children().empty()) RemoveNode(node->Children().back().get());
}

void TSkinDirTreeView::RemoveNode(ui::TreeNode* node) {
  Forget(node);
  Delete(node);
}

// ------------------------------------------------------- finding, opening

bool TSkinDirTreeView::IsBelow(const ui::TreeNode* node, const ui::TreeNode* ancestor) const {
  for (const ui::TreeNode* n = node ? node->Parent() : nullptr; n; n = n->Parent()) {
    if (n == ancestor) return true;
  }
  return false;
}

ui::TreeNode* TSkinDirTreeView::FindFrom(ui::TreeNode* start, const ShellItemPtr& item) {
  if (shell_.SameItem(ItemOf(*start), item)) return start;
  for (const auto& child : start->Children()) {
    if (ui::TreeNode* found = FindFrom(child.get(), item)) return found;
  }
  return nullptr;
}

void TSkinDirTreeView::SelectMyComputer() {
  ui::TreeNode* myComputer = FindFrom(TopLevel().front().get(), shell_.MyComputer());
  SetSelected(myComputer);
  if (myComputer) myComputer->Expand();
}

void TSkinDirTreeView::OpenPath(const std::string& path) {
  ShellItemPtr target;
  if (!shell_.ParseDisplayName(path, target)) throw std::runtime_error("无法定位到路径：\"" + path + "\"");
  // The chain of folders from the desktop's child down to the target.
  std::vector<ShellItemPtr> chain;
  for (ShellItemPtr item = target; shell_.Parent(item); item = shell_.Parent(item)) chain.push_back(item);
  std::reverse(chain.begin(), chain.end());

  ui::TreeNode* current = TopLevel().front().get();
  for (const ShellItemPtr& folder : chain) {
    if (ui::TreeNode* found = FindFrom(current, folder)) {
      found->Expand();
      current = found;
    }
  }
  ui::TreeNode* selected = FindFrom(current, target);
  SetSelected(selected);
  if (selected) selected->Expand();
}

// ------------------------------------------------------ refresh, renaming

void TSkinDirTreeView::Refresh(ui::TreeNode* node) {
  NodeInfo& info = nodes_.at(node);
  if (!info.listed) {
    node->SetHasChildren(MayHaveChildren(info.item, info.file));
    return;
  }
  // What to restore, by shell item: the nodes below that were expanded, the
  // selection and the node in the top row.
  std::vector<ShellItemPtr> expanded;
  std::function<void(const ui::TreeNode*)> collect = [&](const ui::TreeNode* n) {
    for (const auto& child : n->Children()) {
      if (child->Expanded()) expanded.push_back(ItemOf(*child));
      collect(child.get());
    }
  };
  collect(node);
  const ShellItemPtr selected = IsBelow(Selected(), node) ? ItemOf(*Selected()) : nullptr;
  ui::TreeNode* top = TopItem();
  const ShellItemPtr topItem = top && IsBelow(top, node) ? ItemOf(*top) : nullptr;

  RemoveChildren(node);
  ListChildren(node);
  node->SetHasChildren(!node->Children().empty());

  std::function<void(ui::TreeNode*)> restore = [&](ui::TreeNode* n) {
    for (const auto& child : n->Children()) {
      const bool wasExpanded = std::any_of(expanded.begin(), expanded.end(), [&](const ShellItemPtr& item) {
        return shell_.SameItem(item, ItemOf(*child));
      });
      if (wasExpanded) child->Expand();
      restore(child.get());
    }
  };
  restore(node);
  if (selected) {
    ui::TreeNode* again = FindFrom(node, selected);
    SetSelected(again ? again : node);
  }
  if (topItem) SetTopItem(FindFrom(node, topItem));
}

void TSkinDirTreeView::Rebind(ui::TreeNode* node, const ShellItemPtr& item) {
  nodes_.at(node).item = item;
  node->SetText(TextOf(item, node->Parent() == nullptr));
  node->SetImages(shell_.IconIndex(item, false), shell_.IconIndex(item, true));
  // The sub-folders read so far are named after the old item.
  Refresh(node);
}

}  // namespace dialogs
