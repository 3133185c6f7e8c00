// What a screen reader finds through the system's accessibility layer
// (MSAA): edit boxes named by the label placed before them, buttons named by
// their captions, and the message dialog's text. (The specialty tree's check
// states: CheckTreeWineTest.)
#include <string>

#include "UiTestSupport.h"
#include "dialogs/TSkinMessage.h"
#include "platform/fake/FakePlatform.h"
#include "platform/fake/FakeShellNamespace.h"
#include "wizard/Tfm_Install.h"
#include "wizard/U_ChooseCD.h"
#include <oleacc.h>

namespace {

using uitest::WindowOf;

// The name and role that the accessibility layer gives a window.
struct Accessible {
  std::string Name;
  long Role = -1;
};

Accessible ReadAccessible(HWND window) {
  Accessible read;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&object)))) {
    return read;
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK && name) {
    const int length = WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, nullptr);
    read.Name.resize(length > 0 ? length - 1 : 0);
    WideCharToMultiByte(CP_ACP, 0, name, -1, read.Name.data(), length, nullptr, nullptr);
    SysFreeString(name);
  }
  VARIANT role;
  VariantInit(&role);
  if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) read.Role = role.lVal;
  object->Release();
  return read;
}

class Accessibility : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    CoInitialize(nullptr);
  }
  void TearDown() override {
    UiTest::TearDown();
    CoUninitialize();
  }

  platform::FakePlatform machine;
  platform::FakeShellNamespace shell{machine};
};

TEST_F(Accessibility, EditBoxesAreNamedByTheLabelBeforeThemAndButtonsByTheirCaptions) {
  Tfm_Install wizard(machine, shell, "!");
  wizard.ShowPage(Tfm_Install::pgTarget);
  wizard.Show();
  Tfrm_ChooseDriver prompt(&wizard, machine, shell);
  prompt.Show();

  const struct {
    ui::Control* control;
    const char* name;
    long role;
  } cases[] = {
      {wizard.edt_PrjPath, "选择图集软件目录：", ROLE_SYSTEM_TEXT},
      {prompt.edt_path, "路径：", ROLE_SYSTEM_TEXT},
      {wizard.bt_Next, "下一步", -1},
      {wizard.bt_Browse, "浏览", -1},
      {prompt.bt_selDir, "浏览", -1},
      {prompt.bt_OK, "确定", -1},
      {prompt.bt_Cancel, "取消", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control->Name());
    const Accessible read = ReadAccessible(WindowOf(*c.control));
    EXPECT_EQ(read.Name, c.name);
    if (c.role >= 0) {
      EXPECT_EQ(read.Role, c.role);
    }
  }
  prompt.Close();
}

// Read while the dialog runs modally (from a timer of its loop), then closed.
struct SeenDialog {
  Accessible Window, Message;
};
SeenDialog* seenDialog = nullptr;

void CALLBACK ReadDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  const HWND dialog = FindWindowA(nullptr, "错误");
  if (!dialog) return;
  seenDialog->Window = ReadAccessible(dialog);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char text[256] = {};
    GetWindowTextA(child, text, sizeof text);
    if (std::string(text) == "复制:'a.dwg'出错。") seenDialog->Message = ReadAccessible(child);
  }
  PostMessageA(dialog, WM_CLOSE, 0, 0);
}

TEST_F(Accessibility, TheMessageDialogIsReadAsADialogWithItsText) {
  SeenDialog seen;
  seenDialog = &seen;
  dialogs::TSkinMessage message;
  SetTimer(nullptr, 0, 300, ReadDialog);
  EXPECT_EQ(message.ShowMessageDialog("复制:'a.dwg'出错。", dialogs::mtError, dialogs::mbAbortRetryIgnore, 0),
            ui::mrCancel);
  seenDialog = nullptr;
  EXPECT_EQ(seen.Message.Name, "复制:'a.dwg'出错。");
  // The window reads by its title. Its role "dialog" is an annotation that
  // Wine keeps to itself (it answers "client"); the dialog asks for it
  // (MessageDialogLayoutTest) and Windows shows it.
  EXPECT_EQ(seen.Window.Name, "错误");
}

}  // namespace
