// Drives Setup.exe's wizard as a user does: it finds the program's windows by
// their captions, reads their labels, clicks buttons at the centre of their
// screen rectangles and presses keys, all with SendInput. It only reads window
// state (texts, visibility, rectangles); every change comes from real input.
// A Windows console program, run under Wine in the prefix of Setup.exe.
//
// Usage: WizardDriver TALK_FOLDER STEP...
//
// Steps (WINDOW is a top-level caption, or "wizard" or "prompt"):
//   page=N               wait until page N of the wizard is shown
//   click=WINDOW:BUTTON  wait for the button shown and enabled, click it
//   label=WINDOW:TEXT    wait until the window shows a label reading TEXT
//   dialog=WINDOW:TEXT   wait for the window with a label containing TEXT
//   edit=WINDOW:TEXT     wait until the window's edit box reads TEXT
//   type=WINDOW:TEXT     click the window's edit box, clear it, type TEXT
//   key=NAME             press and release enter, space, home, end or down
//   tick-all             tick every standard of the specialty tree (keys)
//   copying              wait until the progress page names a file in copy
//   run-end              wait until the install run is over (Next enabled)
//   discs                answer disc prompts until the install run is over
//   errorbox             wait for the top-level error box, dismiss it
//   shot=NAME[:WINDOW]   ask for a screenshot NAME of the window (the wizard)
//   ask=WHAT             ask the script for WHAT, then run its answer
//   gone=WINDOW          wait until the window is closed
//   stays=WINDOW:MS      fail unless the window stays shown, unchanged, for MS ms
//   taken=MS             fail unless the disc prompt being answered closes
//                        (takes a disc) within MS ms
//
// The script and the driver talk through TALK_FOLDER: the driver writes its
// question into the file "request" and waits for the file "answer", which
// holds further steps, one a line (possibly none). Both files are UTF-8.
// Questions: "prompt LABELS" (a disc prompt asks for LABELS), "shot NAME
// WxH+X+Y" (the screen rectangle to take), and whatever an ask= step names. Every wait is bounded; a failed step ends
// the driver with status 1 and a list of the windows shown.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

const char* const kWizardCaption = "Tavrin素材安装程序";
const char* const kPromptCaption = "请插入光盘";
const char* const kErrorBoxCaption = "Setup";
// A label that only the given page of the wizard shows.
const char* const kPageMarkers[] = {
    "欢迎使用Tavrin素材库安装向导", "选择图集软件目录：", "请选择专业：",
    "请稍等，安装程序正在安装您选择的各个专业图库。", "单击“完成”退出安装程序。"};
// The disc prompt's fixed labels; its other label names the needed discs.
const char* const kPromptFixedLabels[] = {
    "请插入下列光盘以继续安装。", "如果这个磁盘中的文件不能在不同于下列显示的文件夹",
    "中找到，请输入正确的路径或单击\"浏览\"。", "路径："};

constexpr int kStepTimeoutMs = 60000;
constexpr int kPollMs = 20;

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string Convert(const std::string& text, UINT from, UINT to) {
  if (text.empty()) return text;
  std::wstring wide(MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0), L'\0');
  MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()));
  std::string out(
      WideCharToMultiByte(to, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr), '\0');
  WideCharToMultiByte(to, 0, wide.data(), static_cast<int>(wide.size()), out.data(), static_cast<int>(out.size()),
                      nullptr, nullptr);
  return out;
}
std::string ToUtf8(const std::string& ansi) { return Convert(ansi, CP_ACP, CP_UTF8); }
std::string FromUtf8(const std::string& utf8) { return Convert(utf8, CP_UTF8, CP_ACP); }

// Progress on stdout in UTF-8, whatever the console's code page.
void Say(const std::string& ansi) {
  const std::string line = ToUtf8(ansi) + "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

void Pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// WM_GETTEXT itself: GetWindowTextA gives only the caption stored with the
// window when the window belongs to another process, not an edit box's text.
std::string TextOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                           &length))
    return "";
  return std::string(text, std::min<std::size_t>(length, sizeof text - 1));
}

std::string ClassOf(HWND window) {
  char name[128] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::string CaptionOf(const std::string& name) {
  if (name == "wizard") return kWizardCaption;
  if (name == "prompt") return kPromptCaption;
  return name;
}

// The shown top-level window with that caption, or null.
HWND FindShown(const std::string& name) {
  const std::string caption = CaptionOf(name);
  for (HWND window : TopWindows())
    if (IsWindowVisible(window) && TextOf(window) == caption) return window;
  return nullptr;
}

// The shown child of window of that class whose text passes the test.
HWND FindChild(HWND window, const char* className, const std::function<bool(const std::string&)>& matches) {
  if (!window) return nullptr;
  for (HWND child : ChildrenOf(window))
    if (IsWindowVisible(child) && ClassOf(child) == className && matches(TextOf(child))) return child;
  return nullptr;
}

HWND FindChildText(HWND window, const char* className, const std::string& text) {
  return FindChild(window, className, [&](const std::string& t) { return t == text; });
}

// Lists every shown window, for the diagnosis of a failed step.
void DumpWindows() {
  Say("windows shown:");
  for (HWND top : TopWindows()) {
    if (!IsWindowVisible(top)) continue;
    Say("  [" + ClassOf(top) + "] '" + TextOf(top) + "'" + (IsWindowEnabled(top) ? "" : " (disabled)"));
    for (HWND child : ChildrenOf(top))
      if (IsWindowVisible(child) && !TextOf(child).empty())
        Say("    [" + ClassOf(child) + "] '" + TextOf(child) + "'" + (IsWindowEnabled(child) ? "" : " (disabled)"));
  }
}

// Polls until found returns true; fails with what after the timeout.
void WaitUntil(const std::string& what, const std::function<bool()>& found, int timeoutMs = kStepTimeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!found()) {
    if (std::chrono::steady_clock::now() > end) throw Failure("timed out waiting for " + what);
    Pause(kPollMs);
  }
}

// ---------------------------------------------------------------- input

void SendKey(WORD key, bool up, DWORD flags = 0, WORD scan = 0) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = scan ? scan : static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags | (up ? KEYEVENTF_KEYUP : 0);
  SendInput(1, &input, sizeof input);
}

void PressKey(WORD key) {
  SendKey(key, false);
  Pause(30);
  SendKey(key, true);
  Pause(80);
}

void TypeText(const std::string& ansi) {
  const std::string utf8 = ToUtf8(ansi);
  std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  wide.pop_back();
  for (const wchar_t c : wide) {
    SendKey(0, false, KEYEVENTF_UNICODE, c);
    SendKey(0, true, KEYEVENTF_UNICODE, c);
    Pause(15);
  }
}

// Moves the mouse to a screen point and clicks there: every event carries the
// point, so that no pointer motion reported meanwhile moves the click.
void ClickAt(HWND window, POINT at) {
  SetForegroundWindow(GetAncestor(window, GA_ROOT));
  SetCursorPos(at.x, at.y);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input[3] = {};
  for (INPUT& one : input) {
    one.type = INPUT_MOUSE;
    one.mi.dx = at.x * 65535 / (width - 1);
    one.mi.dy = at.y * 65535 / (height - 1);
    one.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  }
  input[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
  input[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
  SendInput(3, input, sizeof(INPUT));
}

// Clicks the centre of window. Two clicks at one point in quick succession
// would make a double click (Cancel takes the place of Next, and has to be
// hit at once), so a second click there goes a few pixels to the right.
void Click(HWND window) {
  static POINT lastPoint{-1, -1};
  static DWORD lastTime = 0;
  RECT rect{};
  GetWindowRect(window, &rect);
  POINT at{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  if (std::abs(at.x - lastPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
      std::abs(at.y - lastPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) && GetTickCount() - lastTime < GetDoubleClickTime())
    at.x += 2 * GetSystemMetrics(SM_CXDOUBLECLK) + 2;
  ClickAt(window, at);
  lastPoint = at;
  lastTime = GetTickCount();
  Pause(100);
}

// ---------------------------------------------------------------- talk

class Talk {
 public:
  explicit Talk(std::string folder) : folder_(std::move(folder)) {}

  // Asks the script and returns its answer, one step a line.
  std::vector<std::string> Ask(const std::string& question) {
    const std::string request = folder_ + "\\request", answer = folder_ + "\\answer";
    {
      std::ofstream out(request + ".tmp", std::ios::binary | std::ios::trunc);
      out << ToUtf8(question);
    }
    if (!MoveFileExA((request + ".tmp").c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING))
      throw Failure("cannot write " + request);
    WaitUntil("the answer to '" + question + "'",
              [&] { return GetFileAttributesA(answer.c_str()) != INVALID_FILE_ATTRIBUTES; });
    std::ifstream in(answer, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    DeleteFileA(answer.c_str());
    std::vector<std::string> steps;
    std::string line;
    while (std::getline(text, line))
      if (!line.empty()) steps.push_back(FromUtf8(line));
    return steps;
  }

 private:
  std::string folder_;
};

// ---------------------------------------------------------------- steps

class Driver {
 public:
  explicit Driver(Talk& talk) : talk_(talk) {}

  void Run(const std::string& step) {
    Say("step: " + step + " (" + std::to_string(GetTickCount() - started_) + " ms)");
    const std::size_t equals = step.find('=');
    const std::string name = step.substr(0, equals);
    const std::string argument = equals == std::string::npos ? "" : step.substr(equals + 1);
    const std::size_t colon = argument.find(':');
    const std::string window = argument.substr(0, colon);
    const std::string text = colon == std::string::npos ? "" : argument.substr(colon + 1);

    if (name == "page") {
      WaitForPage(std::stoi(argument));
    } else if (name == "click") {
      ClickButton(window, text);
    } else if (name == "label") {
      WaitUntil("the label '" + text + "' in '" + window + "'",
                [&] { return FindChildText(FindShown(window), WC_STATICA, text) != nullptr; });
    } else if (name == "dialog") {
      WaitUntil("the window '" + window + "' saying '" + text + "'", [&] {
        return FindChild(FindShown(window), WC_STATICA,
                         [&](const std::string& t) { return t.find(text) != std::string::npos; }) != nullptr;
      });
    } else if (name == "edit") {
      const HWND edit = Edit(window);
      try {
        WaitUntil("the edit box", [&] { return TextOf(edit) == text; }, 5000);
      } catch (const Failure&) {
        throw Failure("the edit box of '" + window + "' reads '" + TextOf(edit) + "', not '" + text + "'");
      }
    } else if (name == "type") {
      TypeInto(Edit(window), text);
    } else if (name == "key") {
      PressKey(KeyCode(argument));
    } else if (name == "tick-all") {
      TickAll();
    } else if (name == "copying") {
      WaitUntil("a file in copy", [] {
        return FindChild(FindShown("wizard"), WC_STATICA,
                         [](const std::string& t) { return t.rfind("正在复制:", 0) == 0; }) != nullptr;
      });
    } else if (name == "run-end") {
      WaitForRunEnd();
    } else if (name == "discs") {
      AnswerDiscPrompts();
    } else if (name == "errorbox") {
      DismissErrorBox();
    } else if (name == "shot") {
      RunAll(talk_.Ask("shot " + window + " " + Geometry(colon == std::string::npos ? "wizard" : text)));
    } else if (name == "ask") {
      RunAll(talk_.Ask(argument));
    } else if (name == "gone") {
      WaitUntil("'" + window + "' to close", [&] { return FindShown(window) == nullptr; });
    } else if (name == "stays") {
      const HWND shown = FindShown(window);
      const std::vector<std::string> labels = LabelsOf(shown);
      const DWORD until = GetTickCount() + static_cast<DWORD>(std::stoul(text));
      while (GetTickCount() < until) {
        if (!shown || FindShown(window) != shown || LabelsOf(shown) != labels)
          throw Failure("'" + window + "' did not stay as it was for " + text + " ms");
        Pause(kPollMs);
      }
    } else if (name == "taken") {
      WaitUntil("the disc prompt to take the disc", [&] { return PromptClosed(); }, std::stoi(argument));
    } else {
      throw Failure("unknown step '" + step + "'");
    }
  }

  void RunAll(const std::vector<std::string>& steps) {
    for (const std::string& step : steps) Run(step);
  }

 private:
  static WORD KeyCode(const std::string& name) {
    if (name == "enter") return VK_RETURN;
    if (name == "space") return VK_SPACE;
    if (name == "home") return VK_HOME;
    if (name == "end") return VK_END;
    if (name == "down") return VK_DOWN;
    throw Failure("unknown key '" + name + "'");
  }

  // The window's screen rectangle as an X geometry.
  static std::string Geometry(const std::string& window) {
    const HWND shown = FindShown(window);
    if (!shown) throw Failure("no window '" + window + "' to take");
    RECT r{};
    GetWindowRect(shown, &r);
    return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" + std::to_string(r.left) +
           "+" + std::to_string(r.top);
  }

  static bool PageShown(int page) {
    return FindChildText(FindShown("wizard"), WC_STATICA, kPageMarkers[page]) != nullptr;
  }

  static void WaitForPage(int page) {
    if (page < 0 || page > 4) throw Failure("no page " + std::to_string(page));
    WaitUntil("page " + std::to_string(page), [&] { return PageShown(page); });
  }

  static HWND ShownEnabledButton(const std::string& window, const std::string& caption) {
    const HWND button = FindChildText(FindShown(window), WC_BUTTONA, caption);
    return button && IsWindowEnabled(button) ? button : nullptr;
  }

  static void ClickButton(const std::string& window, const std::string& caption) {
    HWND button = nullptr;
    WaitUntil("the button '" + caption + "' in '" + window + "'",
              [&] { return (button = ShownEnabledButton(window, caption)) != nullptr; });
    Click(button);
  }

  static HWND Edit(const std::string& window) {
    HWND edit = nullptr;
    WaitUntil("an edit box in '" + window + "'", [&] {
      return (edit = FindChild(FindShown(window), WC_EDITA, [](const std::string&) { return true; })) != nullptr;
    });
    return edit;
  }

  static void TypeInto(HWND edit, const std::string& text) {
    Click(edit);
    PressKey(VK_END);
    for (std::size_t i = TextOf(edit).size() + 1; i > 0; --i) PressKey(VK_BACK);
    TypeText(text);
    WaitUntil("the edit box to read '" + text + "'", [&] { return TextOf(edit) == text; }, 5000);
  }

  // The tree is focused by a click on its empty lower part; Right expands
  // the first and the last standard, then Home and Space tick the first
  // standard, End and Space the last specialty of the last one. The sets
  // here have two standards.
  static void TickAll() {
    HWND tree = nullptr;
    WaitUntil("the specialty tree", [&] { return (tree = FindChild(FindShown("wizard"), WC_TREEVIEWA,
                                                                   [](const std::string&) { return true; })) != nullptr; });
    RECT rect{};
    GetWindowRect(tree, &rect);
    ClickAt(tree, {rect.right - 20, rect.bottom - 12});
    Pause(150);
    for (const WORD key : {VK_HOME, VK_RIGHT, VK_END, VK_RIGHT, VK_HOME, VK_SPACE, VK_END, VK_SPACE}) PressKey(key);
    Pause(150);
  }

  static bool RunOverNow() {
    return PageShown(3) && ShownEnabledButton("wizard", "下一步") && !FindShown("prompt");
  }
  // Page 3 is shown a moment before Next is hidden for the run: the end
  // must hold for a while.
  static bool RunOver() {
    if (!RunOverNow()) return false;
    Pause(300);
    return RunOverNow();
  }

  static void WaitForRunEnd() { WaitUntil("the end of the install run", RunOver); }

  static std::vector<std::string> LabelsOf(HWND window) {
    std::vector<std::string> texts;
    if (window)
      for (HWND child : ChildrenOf(window))
        if (IsWindowVisible(child) && ClassOf(child) == WC_STATICA) texts.push_back(TextOf(child));
    return texts;
  }

  static std::string PromptLabels(HWND prompt) {
    for (HWND child : ChildrenOf(prompt)) {
      if (!IsWindowVisible(child) || ClassOf(child) != WC_STATICA) continue;
      const std::string text = TextOf(child);
      bool fixed = text.empty();
      for (const char* label : kPromptFixedLabels) fixed = fixed || text == label;
      if (!fixed) return text;
    }
    return "";
  }

  // Each prompt is put to the script, which inserts a disc and answers with
  // the steps that confirm it.
  void AnswerDiscPrompts() {
    for (;;) {
      HWND prompt = nullptr;
      WaitUntil("a disc prompt or the end of the install run",
                [&] { return (prompt = FindShown("prompt")) != nullptr || RunOver(); });
      if (!prompt) return;
      // The labels are set before the prompt is shown; read them once they
      // are painted.
      Pause(200);
      const std::string labels = PromptLabels(prompt);
      Say("disc prompt asks for " + labels + " (" + std::to_string(GetTickCount() - started_) + " ms)");
      answered_ = {prompt, labels, LabelsOf(FindShown("wizard"))};
      RunAll(talk_.Ask("prompt " + labels));
      WaitUntil("the disc prompt to close", [&] { return PromptClosed(); });
    }
  }

  // Whether the prompt being answered has closed. The next pass may be over,
  // and the prompt shown again, before a poll sees it hidden; the wizard's
  // status labels tell that it ran.
  bool PromptClosed() const {
    const HWND prompt = answered_.prompt;
    return !IsWindow(prompt) || !IsWindowVisible(prompt) || PromptLabels(prompt) != answered_.labels ||
           LabelsOf(FindShown("wizard")) != answered_.wizardLabels;
  }

  static void DismissErrorBox() {
    HWND box = nullptr;
    WaitUntil("the error box", [&] { return (box = FindShown(kErrorBoxCaption)) != nullptr; });
    Pause(200);
    std::string text;
    for (HWND child : ChildrenOf(box))
      if (ClassOf(child) == WC_STATICA && !TextOf(child).empty()) text = TextOf(child);
    Say("error box: " + text);
    const HWND button = FindChild(box, WC_BUTTONA, [](const std::string&) { return true; });
    if (!button) throw Failure("the error box has no button");
    Click(button);
    WaitUntil("the error box to close", [&] { return !IsWindow(box) || !IsWindowVisible(box); });
  }

  Talk& talk_;
  const DWORD started_ = GetTickCount();
  // The disc prompt being answered, as it was when it asked.
  struct {
    HWND prompt = nullptr;
    std::string labels;
    std::vector<std::string> wizardLabels;
  } answered_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: WizardDriver TALK_FOLDER STEP...\n");
    return 2;
  }
  // Rectangles and clicks in the screen's own pixels, as Setup.exe (which
  // is DPI aware) lays its windows out, whatever the screen's scale.
  SetProcessDPIAware();
  Talk talk(argv[1]);
  Driver driver(talk);
  try {
    for (int i = 2; i < argc; ++i) driver.Run(argv[i]);
  } catch (const std::exception& failure) {
    Say(std::string("FAIL: ") + failure.what());
    DumpWindows();
    return 1;
  }
  Say("driver: all steps done");
  return 0;
}
