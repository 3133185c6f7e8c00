// The folder chooser and the disc prompt on the real shell, under Wine: the
// shell namespace itself, the chooser's window as a user sees and answers it,
// and the prompt finding the CD-ROM drive by itself. Drive E: must be a
// CD-ROM drive holding a disc (scripts/wine-env: wine_cdrom e <folder>).
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// The toolkit's headers come before <windows.h> (see ui/win32/Win32Api.h).
#include "catalogue/CatalogueFormat.h"
#include "dialogs/TSkinSelectDirectoryDialog.h"
#include "media/ImagePlatform.h"
#include "tests/IsoTestImage.h"
#include "wizard/U_ChooseCD.h"
#include "UiTestSupport.h"
#include "ScratchFolder.h"
#include "ScreenPicture.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32ShellNamespace.h"
#include "text/AnsiText.h"
#include <objbase.h>

namespace uitest {
namespace {

using platform::ShellItemPtr;
using platform::ShellName;

// A user who acts in steps while modal windows run: a thread timer tries the
// current step every 100 ms, and a step returns true once it is done. After
// 20 seconds the windows named in closeOnTimeout get a close request.
class ScriptedUser {
 public:
  ScriptedUser(std::vector<std::function<bool()>> steps, std::vector<std::string> closeOnTimeout)
      : steps_(std::move(steps)), closeOnTimeout_(std::move(closeOnTimeout)), start_(GetTickCount()) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 100, Tick);
  }
  ~ScriptedUser() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  // How many steps were done.
  std::size_t Done() const { return next_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ScriptedUser* user = current_;
    if (!user || user->busy_) return;
    user->busy_ = true;
    if (user->next_ < user->steps_.size() && user->steps_[user->next_]()) ++user->next_;
    if (GetTickCount() - user->start_ > 20000) {
      for (const std::string& title : user->closeOnTimeout_) {
        if (const HWND window = FindWindowA(nullptr, title.c_str())) PostMessageA(window, WM_CLOSE, 0, 0);
      }
    }
    user->busy_ = false;
  }

  static inline ScriptedUser* current_ = nullptr;
  std::vector<std::function<bool()>> steps_;
  std::vector<std::string> closeOnTimeout_;
  std::size_t next_ = 0;
  DWORD start_;
  UINT_PTR timer_ = 0;
  bool busy_ = false;
};

// A visible top-level window of this process with the title, or null.
HWND OwnWindow(const std::string& title) {
  const HWND window = FindWindowA(nullptr, title.c_str());
  DWORD process = 0;
  if (window) GetWindowThreadProcessId(window, &process);
  return window && process == GetCurrentProcessId() && IsWindowVisible(window) ? window : nullptr;
}

struct ChildSearch {
  std::string className, text;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM searchPointer) {
  auto& search = *reinterpret_cast<ChildSearch*>(searchPointer);
  char kind[64] = {};
  GetClassNameA(child, kind, sizeof kind);
  if (lstrcmpiA(kind, search.className.c_str()) != 0 || (!search.text.empty() && WindowText(child) != search.text))
    return TRUE;
  search.found = child;
  return FALSE;
}

// The first child window of the class (and with the text, when given).
HWND ChildOf(HWND parent, const std::string& className, const std::string& text = std::string()) {
  ChildSearch search{className, text};
  EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

const char* const kPromptTitle = "请插入光盘";
const char* const kDriveChooserTitle = "选择驱动器";

// A step that waits for the disc prompt, lets look check it, and clicks its
// Browse button; promptWindow is then the prompt's window.
std::function<bool()> BrowseFromThePrompt(HWND& promptWindow, std::function<void(HWND)> look = [](HWND) {}) {
  return [&promptWindow, look] {
    promptWindow = OwnWindow(kPromptTitle);
    if (!promptWindow) return false;
    look(promptWindow);
    ClickMiddle(ChildOf(promptWindow, "Button", "浏览"));
    return true;
  };
}

// The system tree view as the user sees it.
struct ShownTree {
  HWND window;
  HTREEITEM Next(HTREEITEM item, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(SendMessageA(window, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
  }
  std::string Text(HTREEITEM item) const { return TreeItemText(window, item); }
  bool Expanded(HTREEITEM item) const {
    return (SendMessageA(window, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
  }
  std::vector<HTREEITEM> Children(HTREEITEM item) const {
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = Next(item, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) children.push_back(child);
    return children;
  }
  HTREEITEM ChildWithText(HTREEITEM item, const std::string& part) const {
    for (HTREEITEM child : Children(item)) {
      if (Text(child).find(part) != std::string::npos) return child;
    }
    return nullptr;
  }
};

class FolderChooserWin32Test : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    ASSERT_EQ(files.DriveTypeOf("E:\\"), platform::kDriveCdRom) << "drive E: must be a CD-ROM drive";
    ASSERT_TRUE(platform::DirectoryExists(files, "E:\\")) << "drive E: must hold a disc";
  }
  void TearDown() override {
    CoUninitialize();
    UiTest::TearDown();
  }

  // What the user sees when the chooser titled title opens: My Computer
  // selected and expanded under the expanded desktop. The item of drive E:
  // is selected as the user's choice.
  bool CheckChooserAndChooseDriveE(const std::string& title, const std::string& picture) {
    const HWND window = OwnWindow(title);
    if (!window) return false;
    const ShownTree tree{ChildOf(window, WC_TREEVIEWA)};
    EXPECT_NE(tree.window, nullptr);
    const HTREEITEM desktop = tree.Next(nullptr, TVGN_ROOT);
    EXPECT_EQ(tree.Text(desktop), shell.Name(shell.Desktop(), ShellName::Normal));
    EXPECT_TRUE(tree.Expanded(desktop));
    const HTREEITEM myComputer = tree.Next(nullptr, TVGN_CARET);
    EXPECT_EQ(tree.Text(myComputer), shell.Name(shell.MyComputer(), ShellName::InFolder));
    EXPECT_TRUE(tree.Expanded(myComputer));
    const HTREEITEM driveE = tree.ChildWithText(myComputer, "(E:)");
    EXPECT_NE(driveE, nullptr);
    if (!driveE) return true;
    SendMessageA(tree.window, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(driveE));
    SaveWindowPicture(window, picture);
    return true;
  }

  platform::Win32Platform files;
  platform::Win32ShellNamespace shell;
};

TEST_F(FolderChooserWin32Test, ShellNamespaceOfTheSystem) {
  std::vector<ShellItemPtr> items;
  ASSERT_TRUE(shell.ListSubFolders(shell.Desktop(), nullptr, items));
  const ShellItemPtr myComputer = shell.MyComputer();
  EXPECT_TRUE(std::any_of(items.begin(), items.end(), [&](const ShellItemPtr& i) { return shell.SameItem(i, myComputer); }));
  EXPECT_EQ(shell.Name(myComputer, ShellName::Parsing).compare(0, 3, "::{"), 0);
  EXPECT_FALSE(shell.Name(myComputer, ShellName::Normal).empty());
  EXPECT_NE(shell.SmallImages(), nullptr);
  EXPECT_GE(shell.IconIndex(myComputer, false), 0);

  ASSERT_TRUE(shell.ListSubFolders(myComputer, nullptr, items));
  std::vector<std::string> drives;
  for (const ShellItemPtr& drive : items) drives.push_back(shell.Name(drive, ShellName::Parsing));
  EXPECT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
  EXPECT_NE(std::find(drives.begin(), drives.end(), "E:\\"), drives.end());

  // A path, its chain of folders up to the desktop, and the folders' order.
  ScratchFolder scratch(files);
  const std::string root = scratch.Path().substr(0, scratch.Path().size() - 1);
  for (const char* name : {"b", "A", "Sub", "Sub\\Deep"}) files.CreateFolder(scratch.Path() + name);
  ShellItemPtr folder;
  ASSERT_TRUE(shell.ParseDisplayName(root, folder));
  EXPECT_EQ(text::UpperAscii(shell.Name(folder, ShellName::Parsing)), text::UpperAscii(root));
  EXPECT_EQ(text::UpperAscii(shell.FileSystemPath(folder)), text::UpperAscii(root));
  int depth = 0;
  ShellItemPtr up = folder;
  for (; shell.Parent(up); up = shell.Parent(up)) ++depth;
  EXPECT_TRUE(shell.SameItem(up, shell.Desktop()));
  EXPECT_GE(depth, 3);  // My Computer, the drive, the folders

  ASSERT_TRUE(shell.ListSubFolders(folder, nullptr, items));
  std::sort(items.begin(), items.end(), [&](const ShellItemPtr& a, const ShellItemPtr& b) {
    return shell.Compare(folder, a, b) < 0;
  });
  std::vector<std::string> names;
  for (const ShellItemPtr& item : items) names.push_back(shell.Name(item, ShellName::InFolder));
  EXPECT_EQ(names, (std::vector<std::string>{"A", "b", "Sub"}));
  EXPECT_TRUE(shell.Attributes(items[2]) & platform::saFolder);
  EXPECT_TRUE(shell.Attributes(items[2]) & platform::saCanRename);

  // Renaming through the shell.
  ShellItemPtr renamed;
  ASSERT_TRUE(shell.Rename(items[1], "c", nullptr, renamed));
  EXPECT_TRUE(platform::DirectoryExists(files, scratch.Path() + "c"));
  EXPECT_FALSE(platform::DirectoryExists(files, scratch.Path() + "b"));
  EXPECT_EQ(text::UpperAscii(shell.Name(renamed, ShellName::Parsing)), text::UpperAscii(scratch.Path() + "c"));
  EXPECT_FALSE(shell.Rename(renamed, "a:b", nullptr, renamed));
}

TEST_F(FolderChooserWin32Test, ChooserOpensOnMyComputerAndGivesTheChosenCdRomDrive) {
  dialogs::TSkinSelectDirectoryDialog chooser(files, shell);
  chooser.Title = "选择软件目录";
  ScriptedUser user(
      {[&] { return CheckChooserAndChooseDriveE(chooser.Title, "folder-chooser"); },
       [&] {
         TypeKey(VK_RETURN);  // the focus is in the tree: OK
         return true;
       }},
      {chooser.Title});
  EXPECT_TRUE(chooser.SelectFolder());
  EXPECT_EQ(user.Done(), 2u);
  EXPECT_EQ(chooser.Directory, "E:\\");
  EXPECT_EQ(chooser.DialogWidth, 280);
  EXPECT_EQ(chooser.DialogHeight, 280);
  EXPECT_TRUE(Backend.ErrorBoxes.empty());
}

TEST_F(FolderChooserWin32Test, EnterAnswersTheFocusedButton) {
  struct Case {
    const char* what;
    std::vector<WORD> keys;
    bool result;
  };
  const Case cases[] = {
      {"Enter in the tree", {VK_RETURN}, true},
      {"Enter on OK", {VK_TAB, VK_RETURN}, true},
      {"Enter on Cancel", {VK_TAB, VK_TAB, VK_RETURN}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dialogs::TSkinSelectDirectoryDialog chooser(files, shell);
    chooser.Title = "选择软件目录";
    ScriptedUser user({[&] {
                         if (!OwnWindow(chooser.Title)) return false;
                         for (WORD key : c.keys) TypeKey(key);
                         return true;
                       }},
                      {chooser.Title});
    EXPECT_EQ(chooser.SelectFolder(), c.result);
    EXPECT_EQ(user.Done(), 1u);
  }
}

TEST_F(FolderChooserWin32Test, FolderRenamedInPlaceThenEscapeKeepsTheStartFolder) {
  ScratchFolder scratch(files);
  files.CreateFolder(scratch.Path() + "Old");
  dialogs::TSkinSelectDirectoryDialog chooser(files, shell);
  chooser.Title = "选择软件目录";
  chooser.Directory = scratch.Path() + "Old";
  ShownTree tree{};
  ScriptedUser user(
      {[&] {
         const HWND window = OwnWindow(chooser.Title);
         if (!window) return false;
         tree.window = ChildOf(window, WC_TREEVIEWA);
         const HTREEITEM start = tree.Next(nullptr, TVGN_CARET);
         EXPECT_EQ(tree.Text(start), "Old");
         SendMessageA(tree.window, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(start));
         return true;
       },
       [&] {
         const auto edit = reinterpret_cast<HWND>(SendMessageA(tree.window, TVM_GETEDITCONTROL, 0, 0));
         if (!edit) return false;
         SetWindowTextA(edit, "新名字");
         TypeKey(VK_RETURN);  // ends the edit, not the chooser
         return true;
       },
       [&] {
         if (!platform::DirectoryExists(files, scratch.Path() + "新名字")) return false;
         EXPECT_EQ(tree.Text(tree.Next(nullptr, TVGN_CARET)), "新名字");
         EXPECT_TRUE(OwnWindow(chooser.Title));
         TypeKey(VK_ESCAPE);
         return true;
       }},
      {chooser.Title});
  EXPECT_FALSE(chooser.SelectFolder());
  EXPECT_EQ(user.Done(), 3u);
  EXPECT_FALSE(platform::DirectoryExists(files, scratch.Path() + "Old"));
  EXPECT_EQ(chooser.Directory, scratch.Path() + "Old");
  EXPECT_TRUE(Backend.ErrorBoxes.empty());
}

TEST_F(FolderChooserWin32Test, PromptProposesTheCdRomDriveAndBrowsesForIt) {
  Tfrm_ChooseDriver prompt(nullptr, files, shell);
  prompt.SetLabels({"CD2", "CD3"});
  HWND promptWindow = nullptr;
  ScriptedUser user(
      {BrowseFromThePrompt(promptWindow,
                           [](HWND window) {
                             EXPECT_EQ(WindowText(ChildOf(window, "Edit")), "E:\\");
                             SaveWindowPicture(window, "disc-prompt");
                           }),
       [&] { return CheckChooserAndChooseDriveE(kDriveChooserTitle, "disc-prompt-browse"); },
       [&] {
         ClickMiddle(ChildOf(OwnWindow(kDriveChooserTitle), "Button", "确定"));
         return true;
       },
       [&] {
         if (OwnWindow(kDriveChooserTitle)) return false;
         ClickMiddle(ChildOf(promptWindow, "Button", "确定"));
         return true;
       }},
      {kDriveChooserTitle, kPromptTitle});
  EXPECT_EQ(prompt.ShowModal(), ui::mrOk);
  EXPECT_EQ(user.Done(), 4u);
  EXPECT_EQ(prompt.SelectedPath, "E:\\");
  EXPECT_EQ(prompt.selDir.Directory, "E:\\");
}

TEST_F(FolderChooserWin32Test, ImagesAreListedAsFilesAndChosenFromThePromptsBrowse) {
  ScratchFolder scratch(files);
  const std::string root = scratch.Path().substr(0, scratch.Path().size() - 1);
  files.CreateFolder(scratch.Path() + "Sub");
  TCdSignFile descriptor;
  descriptor.Label = std::string("CD7");  // a label the disc in E: does not carry
  const std::string descriptorBytes = catalogue::SerializeCatalogue(descriptor);
  const std::string image =
      scratch.AddFile("CD7.iso", iso_test::Image().WithRoot({iso_test::File(u"CDFile.Dat", descriptorBytes)}));
  scratch.AddFile("other.ISO", "x");
  files.SetAttributes(scratch.AddFile("hidden.iso", "x"), platform::faHidden);
  scratch.AddFile("notes.txt", "x");

  // The shell lists the images, in any letter case, and no other file.
  ShellItemPtr folder;
  ASSERT_TRUE(shell.ParseDisplayName(root, folder));
  std::vector<ShellItemPtr> items;
  ASSERT_TRUE(shell.ListFiles(folder, nullptr, ".iso", items));
  std::vector<std::string> names;
  for (const ShellItemPtr& item : items) {
    names.push_back(text::ExtractFileName(shell.FileSystemPath(item)));
    EXPECT_FALSE(shell.Attributes(item) & platform::saFolder);
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"CD7.iso", "other.ISO"}));

  // Browse, starting in the scratch folder, picks the image; the prompt
  // then takes it by itself, read in place.
  media::ImagePlatform images(files);
  Tfrm_ChooseDriver prompt(nullptr, images, shell);
  prompt.SetLabels({"CD7"});
  prompt.selDir.Directory = root;
  HWND promptWindow = nullptr;
  ScriptedUser user(
      {BrowseFromThePrompt(promptWindow),
       [&] {
         const HWND window = OwnWindow(kDriveChooserTitle);
         if (!window) return false;
         const ShownTree tree{ChildOf(window, WC_TREEVIEWA)};
         const HTREEITEM start = tree.Next(nullptr, TVGN_CARET);
         EXPECT_TRUE(tree.Expanded(start));
         const HTREEITEM listed = tree.ChildWithText(start, "CD7");
         EXPECT_NE(listed, nullptr);
         EXPECT_EQ(tree.ChildWithText(start, "notes"), nullptr);
         EXPECT_EQ(tree.ChildWithText(start, "hidden"), nullptr);
         SendMessageA(tree.window, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(listed));
         ClickMiddle(ChildOf(window, "Button", "确定"));
         return true;
       }},
      {kDriveChooserTitle, kPromptTitle});
  EXPECT_EQ(prompt.ShowModal(), ui::mrOk);
  EXPECT_EQ(user.Done(), 2u);
  EXPECT_EQ(text::UpperAscii(prompt.selDir.Directory), text::UpperAscii(image));
  EXPECT_TRUE(prompt.selDir.DirectoryIsFile);
  EXPECT_EQ(text::UpperAscii(prompt.SelectedPath), text::UpperAscii(image + "\\"));
  EXPECT_TRUE(Backend.ErrorBoxes.empty());
}

}  // namespace
}  // namespace uitest
