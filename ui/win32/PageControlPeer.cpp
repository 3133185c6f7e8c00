#include "ui/win32/PageControlPeer.h"

#include <algorithm>
#include <stdexcept>

#include "ui/Scaling.h"

namespace ui::win32 {

PageControlPeer::PageControlPeer(PageControl& pages, HWND parent, int id)
    : WindowPeer(pages), pages_(pages) {
  Create(kContainerClass, ChildStyle() | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, parent, id, ControlBounds());
  // The tabs only name the pages; the focus stays on the controls.
  tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FOCUSNEVER, 0, 0,
                          0, 0, Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!tabs_) throw std::runtime_error("无法创建标签页 " + pages.Name());
  PlaceTabStrip();
  SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(CurrentFont()), FALSE);
  ShowTabs();
}

// The strip fills the control; its tabs are TabHeight high at the form's scale.
void PageControlPeer::PlaceTabStrip() {
  const RECT bounds = ControlBounds();
  MoveWindow(tabs_, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
  SendMessageA(tabs_, TCM_SETITEMSIZE, 0, MAKELPARAM(0, ScaleToDpi(pages_.TabHeight, Dpi())));
}

void PageControlPeer::Changed(Prop what) {
  WindowPeer::Changed(what);
  switch (what) {
    case Prop::Bounds:  // also when the scale changed
      PlaceTabStrip();
      break;
    case Prop::Font:
      SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(CurrentFont()), TRUE);
      break;
    case Prop::Tabs:
      ShowTabs();
      break;
    default:
      break;
  }
}

void PageControlPeer::ShowTabs() {
  std::vector<std::pair<int, std::string>> wanted;
  for (const int index : pages_.VisibleTabs()) wanted.emplace_back(index, pages_.Page(index).Caption());
  if (wanted != shownTabs_) {
    SendMessageA(tabs_, TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < wanted.size(); ++i) {
      TCITEMA item{};
      item.mask = TCIF_TEXT | TCIF_PARAM;
      item.pszText = const_cast<char*>(wanted[i].second.c_str());
      item.lParam = wanted[i].first;
      SendMessageA(tabs_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    shownTabs_ = std::move(wanted);
  }
  const auto active = std::find_if(shownTabs_.begin(), shownTabs_.end(),
                                   [this](const auto& tab) { return tab.first == pages_.ActivePageIndex(); });
  SendMessageA(tabs_, TCM_SETCURSEL, active == shownTabs_.end() ? -1 : active - shownTabs_.begin(), 0);
}

LRESULT PageControlPeer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto& header = *reinterpret_cast<NMHDR*>(lParam);
    if (header.hwndFrom == tabs_ && header.code == static_cast<UINT>(TCN_SELCHANGE)) {
      const LRESULT selected = SendMessageA(tabs_, TCM_GETCURSEL, 0, 0);
      if (selected >= 0 && static_cast<std::size_t>(selected) < shownTabs_.size()) {
        const int page = shownTabs_[selected].first;
        App().Dispatch([this, page] { pages_.SetActivePageIndex(page); });
      }
      return 0;
    }
  }
  return WindowPeer::HandleMessage(message, wParam, lParam);
}

// ---------------------------------------------------------------- TabSheet

TabSheetPeer::TabSheetPeer(TabSheet& sheet, HWND parent, int id) : ContainerPeer(sheet, parent, id) {
  // The tab strip stays under the pages, or it would paint over them.
  if (PageControlPeer* pages = Pages()) {
    SetWindowPos(pages->TabStrip(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TabSheetPeer::Changed(Prop what) {
  ContainerPeer::Changed(what);
  if (what == Prop::Caption) {
    if (PageControlPeer* pages = Pages()) pages->ShowTabs();
  }
}

PageControlPeer* TabSheetPeer::Pages() const {
  return TheControl().Parent() ? dynamic_cast<PageControlPeer*>(Of(*TheControl().Parent())) : nullptr;
}

}  // namespace ui::win32
