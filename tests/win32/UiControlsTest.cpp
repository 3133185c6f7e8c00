// The simple controls of the Win32 backend as real windows: labels sized to
// their text, page controls with only the visible tabs, edit boxes, 32-bit
// progress bars, stock icons, and buttons that ignore clicks handled after
// they were disabled or hidden.
#include <functional>

#include "UiTestSupport.h"

namespace uitest {
namespace {

using ui::Form;

// Width and height of a text as DrawText measures it, line by line.
ui::Size DrawTextSize(const ui::Font& font, const std::vector<std::string>& lines) {
  HDC dc = GetDC(nullptr);
  const HFONT handle = CreateFontA(font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                                   DEFAULT_CHARSET, 0, 0, 0, 0, font.Name.c_str());
  const HGDIOBJ previous = SelectObject(dc, handle);
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  int width = 0;
  for (const std::string& line : lines) {
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, line.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    if (!line.empty()) width = std::max<int>(width, r.right);
  }
  SelectObject(dc, previous);
  DeleteObject(handle);
  ReleaseDC(nullptr, dc);
  return {width, static_cast<int>(lines.size()) * metrics.tmHeight};
}

TEST_F(UiTest, TextExtentCountsEveryLineBreak) {
  const ui::Font font{"Arial", 14, false, ui::clWindowText};
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {""}},
      {"单击下一步继续。", {"单击下一步继续。"}},
      {"a&b\r\nlonger line", {"a&b", "longer line"}},
      {"x\n", {"x", ""}},
      {"\r\r", {"", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ui::Size size = Backend.TextExtent(font, c.text, ui::kDefaultDpi);
    const ui::Size expected = DrawTextSize(font, c.lines);
    EXPECT_EQ(size.Width, expected.Width);
    EXPECT_EQ(size.Height, expected.Height);
    EXPECT_GT(size.Height, 0);
  }
}

TEST_F(UiTest, LabelWindowIsSizedToItsText) {
  Form form(nullptr, "Form");
  form.SetClientSize(400, 200);
  auto& label = form.Add<ui::Label>("Label", 10, 20, "欢迎使用Tavrin素材库安装向导");
  label.SetFont({"宋体", 16, true, ui::clWindowText});
  form.Show();
  label.SetCaption("第一行\n第二行");

  const ui::Size expected = Backend.TextExtent(label.GetFont(), "第一行\n第二行", form.Dpi());
  const HWND window = WindowOf(label);
  EXPECT_EQ(ClientSize(window).cx, expected.Width);
  EXPECT_EQ(ClientSize(window).cy, expected.Height);
  EXPECT_EQ(WindowText(window), "第一行\n第二行");
  RECT bounds;
  GetWindowRect(window, &bounds);
  MapWindowPoints(nullptr, WindowOf(form), reinterpret_cast<POINT*>(&bounds), 2);
  EXPECT_EQ(bounds.left, 10);
  EXPECT_EQ(bounds.top, 20);
  EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & SS_NOPREFIX);
}

TEST_F(UiTest, PageControlShowsOnlyVisibleTabsAndTheActivePage) {
  Form form(nullptr, "Form");
  form.SetClientSize(400, 300);
  auto& pages = form.Add<ui::PageControl>("PageCtrl", 10, 10, 328, 241);
  const char* captions[] = {"说明", "选择程序目录", "选择专业"};
  for (int i = 0; i < 3; ++i) pages.AddPage("TabSheet" + std::to_string(i + 1), captions[i]);
  form.Show();
  const HWND strip = FindWindowExA(WindowOf(pages), nullptr, "SysTabControl32", nullptr);
  ASSERT_NE(strip, nullptr);
  // The strip lies under the pages, or it would paint over them.
  EXPECT_EQ(GetWindow(strip, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(SendMessageA(strip, TCM_GETITEMCOUNT, 0, 0), 3);

  // As the wizard's page switch does it: only the current page's tab.
  for (int i = 0; i < 3; ++i) pages.Page(i).SetTabVisible(i == 1);
  pages.SetActivePageIndex(1);

  EXPECT_EQ(SendMessageA(strip, TCM_GETITEMCOUNT, 0, 0), 1);
  char text[64] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(strip, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(text, "选择程序目录");
  EXPECT_EQ(SendMessageA(strip, TCM_GETCURSEL, 0, 0), 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(IsWindowVisible(WindowOf(pages.Page(i))) != FALSE, i == 1) << i;

  pages.Page(2).SetTabVisible(true);
  EXPECT_EQ(SendMessageA(strip, TCM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(UiTest, EditReportsTypedTextAndShowsProgramText) {
  Form form(nullptr, "Form");
  form.SetClientSize(300, 100);
  auto& edit = form.Add<ui::Edit>("edt_PrjPath", 10, 10, 185, 22);
  int changes = 0;
  edit.OnChange = [&] { ++changes; };
  form.Show();
  EXPECT_TRUE(GetWindowLongA(WindowOf(edit), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  edit.SetText("C:\\Tavrin\\");
  EXPECT_EQ(WindowText(WindowOf(edit)), "C:\\Tavrin\\");
  EXPECT_EQ(changes, 1);

  SetFocus(WindowOf(edit));
  SendMessageA(WindowOf(edit), EM_SETSEL, 10, 10);
  TypeKey('A');
  ASSERT_TRUE(PumpUntil([&] { return changes == 2; }));
  EXPECT_EQ(edit.Text(), "C:\\Tavrin\\a");
}

TEST_F(UiTest, ProgressBarKeepsA32BitRange) {
  Form form(nullptr, "Form");
  form.SetClientSize(300, 100);
  auto& bar = form.Add<ui::ProgressBar>("AreaProgress", 16, 16, 289, 17);
  form.Show();
  bar.SetMax(3000000);
  bar.SetPosition(2500000);
  EXPECT_EQ(SendMessageA(WindowOf(bar), PBM_GETRANGE, FALSE, 0), 3000000);
  EXPECT_EQ(SendMessageA(WindowOf(bar), PBM_GETPOS, 0, 0), 2500000);
}

TEST_F(UiTest, ImageShowsAStockIcon) {
  Form form(nullptr, "Form");
  form.SetClientSize(100, 100);
  auto& image = form.Add<ui::Image>("Image", 5, 10, 32, 32);
  form.Show();
  image.SetStockIcon(32515);  // IDI_EXCLAMATION
  const HWND window = WindowOf(image);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(window, STM_GETIMAGE, IMAGE_ICON, 0)),
            LoadIconA(nullptr, MAKEINTRESOURCEA(32515)));
  EXPECT_EQ(ClientSize(window).cx, 32);
  EXPECT_EQ(ClientSize(window).cy, 32);
}

TEST_F(UiTest, ClicksHandledAfterTheButtonWasDisabledOrHiddenDoNothing) {
  Form form(nullptr, "Form");
  form.SetClientSize(300, 100);
  auto& next = form.Add<ui::Button>("bt_Next", "下一步", 20, 40, 75, 25);
  next.Default = true;
  int clicks = 0;
  next.OnClick = [&] { ++clicks; };
  form.Show();
  const HWND window = WindowOf(next);
  // A click already in the queue: the button's notification to its parent.
  const auto postClick = [&] {
    PostMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
  };
  const struct {
    const char* what;
    std::function<void(bool)> take;  // false takes the button's input away, true gives it back
  } cases[] = {
      {"disabled", [&](bool on) { next.SetEnabled(on); }},
      {"hidden", [&](bool on) { next.SetVisible(on); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    postClick();
    c.take(false);
    PumpFor(100);
    EXPECT_EQ(clicks, 0);
    c.take(true);
  }
  postClick();
  ASSERT_TRUE(PumpUntil([&] { return clicks == 1; })) << "a click on the enabled button";

  // Enter pressed three times on a button whose first click disables it.
  clicks = 0;
  next.OnClick = [&] {
    ++clicks;
    next.SetEnabled(false);
  };
  SetFocus(window);
  for (int i = 0; i < 3; ++i) TypeKey(VK_RETURN);
  PumpFor(300);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace uitest
