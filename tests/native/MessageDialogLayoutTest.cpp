// The message dialog's size, layout, title and icon, on the headless backend
// (text model: a byte is Height / 2 wide, a double-byte character Height
// wide, a line Height high; the frame adds 6 x 25).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/TSkinMessage.h"
#include "ui/headless/HeadlessBackend.h"

namespace {

using dialogs::TMsgDlgButtons;
using ui::Form;

// What a responder saw of the dialog before closing it.
struct Seen {
  std::string title;
  ui::Size client;
  ui::Rect label, icon;
  int stockIcon = -1;
  std::vector<std::string> buttons;
  std::vector<ui::Rect> buttonRects;
  ui::Font labelFont, buttonFont;
};

class MessageDialogLayoutTest : public ::testing::Test {
 protected:
  Seen ShowAndLook(const std::string& text, dialogs::MessageType type, TMsgDlgButtons set) {
    Seen seen;
    scope.Backend.PushResponder([&](Form& form) {
      seen.title = form.Caption();
      seen.client = {form.ClientWidth(), form.ClientHeight()};
      seen.label = form.FindControl("Message")->BoundsRect();
      seen.labelFont = form.FindControl("Message")->GetFont();
      auto* image = dynamic_cast<ui::Image*>(form.FindControl("Image"));
      seen.icon = image->BoundsRect();
      seen.stockIcon = image->StockIcon;
      for (std::size_t i = 2; i < form.Controls().size(); ++i) {
        seen.buttons.push_back(form.Controls()[i]->Name());
        seen.buttonRects.push_back(form.Controls()[i]->BoundsRect());
        seen.buttonFont = form.Controls()[i]->GetFont();
      }
      form.Close();
    });
    EXPECT_EQ(message.ShowMessageDialog(text, type, set, 0), ui::mrCancel);
    return seen;
  }

  ui::HeadlessScope scope;
  dialogs::TSkinMessage message;
};

constexpr TMsgDlgButtons kOk = dialogs::mbOK;
constexpr TMsgDlgButtons kAbortRetryIgnore = dialogs::mbAbort | dialogs::mbRetry | dialogs::mbIgnore;

std::string Repeat(const std::string& piece, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += piece;
  return s;
}

TEST_F(MessageDialogLayoutTest, SizesAndButtonPositions) {
  struct Case {
    const char* what;
    std::string text;
    TMsgDlgButtons set;
    ui::Rect work;
    ui::Size label, client;
    int iconTop;
    std::vector<int> buttonLefts;
    int buttonTop;
  };
  const std::vector<Case> cases = {
      // 5 double-byte characters and 8 bytes: 126 x 14; the row (230) is
      // wider than the text's right edge (176).
      {"short text", "复制:'a.dwg'出错。", kAbortRetryIgnore, {0, 0, 1024, 738}, {126, 14}, {270, 89}, 10,
       {20, 100, 180}, 54},
      // Lines of 3, 8 and 1 characters: the widest one counts; the icon's
      // middle is level with the text's middle.
      {"three lines", "第一行\r\n第二行比较长一些\nx", kOk, {0, 0, 1024, 738}, {112, 42}, {202, 117}, 20,
       {66}, 82},
      {"text wider than the row", Repeat("很长的提示", 4), kOk, {0, 0, 1024, 738}, {280, 14}, {370, 89}, 10,
       {150}, 54},
      // An empty text is one line high; 110 + 6 < 120 raises the window.
      {"empty text", "", kOk, {0, 0, 1024, 738}, {0, 14}, {114, 89}, 10, {22}, 54},
      {"empty text, no buttons", "", 0, {0, 0, 1024, 738}, {0, 14}, {114, 89}, 10, {}, 54},
      {"no buttons", "复制:'a.dwg'出错。", 0, {0, 0, 1024, 738}, {126, 14}, {216, 89}, 10, {}, 54},
      // 200 characters: the window stops at the work area (1024 - 6).
      {"text wider than the work area", Repeat("宽", 200), kAbortRetryIgnore, {0, 0, 1024, 738}, {2800, 14},
       {1018, 89}, 10, {394, 474, 554}, 54},
      // A work area 801 wide that does not start at 0; the row of eleven
      // (870) reaches past both edges: (795 - 870) div 2 = -37.
      {"row wider than the window", Repeat("宽", 200), 0x07FF, {200, 0, 1001, 600}, {2800, 14}, {795, 89}, 10,
       {-37, 43, 123, 203, 283, 363, 443, 523, 603, 683, 763}, 54},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    scope.Backend.Work = c.work;
    const Seen seen = ShowAndLook(c.text, dialogs::mtWarning, c.set);
    EXPECT_EQ(seen.label.Left, 50);
    EXPECT_EQ(seen.label.Top, 15);
    EXPECT_EQ(seen.label.Right - seen.label.Left, c.label.Width);
    EXPECT_EQ(seen.label.Bottom - seen.label.Top, c.label.Height);
    EXPECT_EQ(seen.client.Width, c.client.Width);
    EXPECT_EQ(seen.client.Height, c.client.Height);
    EXPECT_EQ(seen.icon.Left, 5);
    EXPECT_EQ(seen.icon.Top, c.iconTop);
    EXPECT_EQ(seen.icon.Right - seen.icon.Left, 32);
    EXPECT_EQ(seen.icon.Bottom - seen.icon.Top, 32);
    ASSERT_EQ(seen.buttonRects.size(), c.buttonLefts.size());
    for (std::size_t i = 0; i < c.buttonLefts.size(); ++i) {
      const ui::Rect& r = seen.buttonRects[i];
      EXPECT_EQ(r.Left, c.buttonLefts[i]) << "button " << i;
      EXPECT_EQ(r.Top, c.buttonTop) << "button " << i;
      EXPECT_EQ(r.Right - r.Left, 70);
      EXPECT_EQ(r.Bottom - r.Top, 25);
    }
  }
}

TEST_F(MessageDialogLayoutTest, TextAndButtonsUseTheDefaultFonts) {
  message.DefaultFont.Height = 20;
  message.DefaultButtonFont.Bold = true;
  // Three lines of 20: the icon's middle follows the taller text.
  const Seen seen = ShowAndLook("甲\n乙\n丙", dialogs::mtWarning, kOk);
  EXPECT_EQ(seen.labelFont, message.DefaultFont);
  EXPECT_EQ(seen.buttonFont, message.DefaultButtonFont);
  EXPECT_EQ(seen.label.Bottom - seen.label.Top, 60);
  EXPECT_EQ(seen.icon.Top, 29);
  EXPECT_EQ(seen.client.Height, 135);
}

TEST_F(MessageDialogLayoutTest, TitleAndIconByType) {
  ui::App().Title = "Setup";
  struct Case {
    dialogs::MessageType type;
    std::string title;
    int icon;
  };
  const std::vector<Case> cases = {
      {dialogs::mtWarning, "警告", 32515},     {dialogs::mtError, "错误", 32513},
      {dialogs::mtInformation, "信息", 32516}, {dialogs::mtConfirmation, "确认", 32514},
      {dialogs::mtCustom, "Setup", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    const Seen seen = ShowAndLook("text", c.type, kOk);
    EXPECT_EQ(seen.title, c.title);
    EXPECT_EQ(seen.stockIcon, c.icon);
  }
  ui::App().Title.clear();
}

// Screen readers read the message: the text is the label's caption, and the
// window tells them it is a dialog.
TEST_F(MessageDialogLayoutTest, AScreenReaderTakesItForADialogWithItsText) {
  bool dialog = false;
  std::string text;
  scope.Backend.PushResponder([&](Form& form) {
    dialog = form.AccessibleDialog;
    text = form.FindControl("Message")->Caption();
    form.Close();
  });
  message.ShowMessageDialog("复制:'a.dwg'出错。", dialogs::mtError, kAbortRetryIgnore, 0);
  EXPECT_TRUE(dialog);
  EXPECT_EQ(text, "复制:'a.dwg'出错。");
}

TEST_F(MessageDialogLayoutTest, BitsElevenToFifteenChangeNothing) {
  for (TMsgDlgButtons set : {TMsgDlgButtons{0}, kOk, kAbortRetryIgnore, TMsgDlgButtons{0x07FF}}) {
    SCOPED_TRACE(testing::Message() << "set 0x" << std::hex << set);
    const Seen plain = ShowAndLook("复制:'a.dwg'出错。", dialogs::mtError, set);
    const Seen extra = ShowAndLook("复制:'a.dwg'出错。", dialogs::mtError, set | 0xF800);
    EXPECT_EQ(extra.buttons, plain.buttons);
    EXPECT_EQ(extra.client.Width, plain.client.Width);
    EXPECT_EQ(extra.client.Height, plain.client.Height);
    ASSERT_EQ(extra.buttonRects.size(), plain.buttonRects.size());
    for (std::size_t i = 0; i < plain.buttonRects.size(); ++i) {
      EXPECT_EQ(extra.buttonRects[i].Left, plain.buttonRects[i].Left);
    }
  }
}

}  // namespace
