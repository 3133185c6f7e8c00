// Keys of forms: a form that handles every key itself gets all real keys
// and the system none; a form with KeyPreview sees each key before the
// focused control and the dialog navigation; the focus is reported to the
// form and moved by it.
#include <ostream>
#include <vector>

#include "UiTestSupport.h"

namespace uitest {
namespace {

using ui::Button;
using ui::Form;

struct KeyEvent {
  bool down;
  int key;
  bool alt;
  bool operator==(const KeyEvent& o) const { return down == o.down && key == o.key && alt == o.alt; }
  friend void PrintTo(const KeyEvent& e, std::ostream* out) {
    *out << (e.down ? "down " : "up ") << e.key << (e.alt ? " alt" : "");
  }
};

class OwnKeysForm {
 public:
  OwnKeysForm() : form(nullptr, "Dialog") {
    form.SetClientSize(260, 100);
    form.Border = ui::BorderStyle::Dialog;
    form.CloseButton = false;
    form.OwnKeyHandling = true;
    first = &form.Add<Button>("Yes", "是(&Y)", 20, 40, 75, 25);
    second = &form.Add<Button>("No", "否(&N)", 160, 40, 75, 25);
    first->Default = true;
    second->Cancel = true;
    for (Button* button : {first, second}) button->OnClick = [this] { ++clicks; };
    form.OnKeyDown = [this](int& key, ui::ShiftState shift) { events.push_back({true, key, shift.Alt}); };
    form.OnKeyUp = [this](int& key, ui::ShiftState shift) { events.push_back({false, key, shift.Alt}); };
    form.OnKeyPress = [this](char& c) { chars += c; };
  }
  Form form;
  Button* first;
  Button* second;
  int clicks = 0;
  std::vector<KeyEvent> events;
  std::string chars;
};

TEST_F(UiTest, OwnKeyHandlingFormGetsEveryKeyAndTheSystemNone) {
  OwnKeysForm dialog;
  dialog.form.Show();
  ASSERT_EQ(GetFocus(), WindowOf(*dialog.first));

  TypeKey(VK_SPACE);   // a button would click itself on the release
  TypeKey(VK_RETURN);  // the dialog manager would click the default button
  TypeKey(VK_ESCAPE);  // ... and the cancel button
  TypeKey('Y', true);  // Alt would open the system menu
  TypeKey('N');
  ASSERT_TRUE(PumpUntil([&] { return dialog.events.size() >= 12; }));
  PumpFor(100);

  const std::vector<KeyEvent> expected = {
      {true, VK_SPACE, false},   {false, VK_SPACE, false}, {true, VK_RETURN, false},
      {false, VK_RETURN, false}, {true, VK_ESCAPE, false}, {false, VK_ESCAPE, false},
      {true, VK_MENU, true},     {true, 'Y', true},        {false, 'Y', true},
      {false, VK_MENU, false},   {true, 'N', false},       {false, 'N', false},
  };
  EXPECT_EQ(dialog.events, expected);
  EXPECT_EQ(dialog.chars, " \r\x1bn");  // Alt+Y types no character
  EXPECT_EQ(dialog.clicks, 0);
  EXPECT_EQ(GetFocus(), WindowOf(*dialog.first));
}

TEST_F(UiTest, KeyPreviewFormSeesKeysBeforeTheControlAndTheDialogNavigation) {
  Form form(nullptr, "Chooser");
  form.SetClientSize(260, 100);
  form.KeyPreview = true;
  auto& edit = form.Add<ui::Edit>("Edit", 10, 10, 120, 22);
  auto& ok = form.Add<Button>("OK", "OK", 20, 60, 75, 25);
  ok.Default = true;
  int okClicks = 0;
  ok.OnClick = [&] { ++okClicks; };
  std::string seen;
  form.OnKeyDown = [&](int& key, ui::ShiftState) {
    seen += "down" + std::to_string(key) + " ";
    if (key == VK_RETURN) key = 0;  // the form answers Enter itself
  };
  form.OnKeyPress = [&](char& c) { seen += std::string("char ") + c + " "; };
  form.Show();
  ASSERT_EQ(GetFocus(), WindowOf(edit));

  TypeKey('B');
  TypeKey(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return seen.find("down13") != std::string::npos; }));
  PumpFor(100);

  EXPECT_EQ(seen, "down66 char b down13 ");  // no character from the withheld Enter
  EXPECT_EQ(edit.Text(), "b");               // the focused control still got its key
  EXPECT_EQ(okClicks, 0);                    // the default button did not

  form.OnKeyDown = nullptr;
  TypeKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([&] { return okClicks == 1; }));
}

TEST_F(UiTest, FocusIsReportedToTheFormAndMovedByIt) {
  OwnKeysForm dialog;
  dialog.form.Show();
  EXPECT_EQ(dialog.form.ActiveControl(), dialog.first);

  SetFocus(WindowOf(*dialog.second));
  EXPECT_EQ(dialog.form.ActiveControl(), dialog.second);

  dialog.form.SetActiveControl(dialog.first);
  EXPECT_EQ(GetFocus(), WindowOf(*dialog.first));

  // A pressed button shows pressed.
  dialog.first->SetPressed(true);
  EXPECT_TRUE(SendMessageA(WindowOf(*dialog.first), BM_GETSTATE, 0, 0) & BST_PUSHED);
  dialog.first->SetPressed(false);
  EXPECT_FALSE(SendMessageA(WindowOf(*dialog.first), BM_GETSTATE, 0, 0) & BST_PUSHED);
}

}  // namespace
}  // namespace uitest
