// A page control: a container of our own class holding a SysTabControl32
// strip under its pages. The strip has one tab per page whose tab is
// visible, in page order; only the active page is shown. A tab sheet is a
// container above the strip.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "ui/win32/ContainerPeer.h"

namespace ui::win32 {

class PageControlPeer final : public ControlPeer, public WindowPeer {
 public:
  PageControlPeer(PageControl& pages, HWND parent, int id);
  void Changed(Prop what) override;
  HWND TabStrip() const { return tabs_; }
  // Brings the tab items in line with the pages and selects the active one.
  void ShowTabs();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PlaceTabStrip();

  PageControl& pages_;
  HWND tabs_ = nullptr;                                 // a child of ours, destroyed with our window
  std::vector<std::pair<int, std::string>> shownTabs_;  // page index and caption per tab item
};

class TabSheetPeer final : public ContainerPeer {
 public:
  TabSheetPeer(TabSheet& sheet, HWND parent, int id);
  void Changed(Prop what) override;

 private:
  PageControlPeer* Pages() const;
};

}  // namespace ui::win32
