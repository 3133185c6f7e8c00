// Compares the pack copy (PackCopy::CopyTree, with its status text, both
// progress bars on the wizard's shown progress page and its event handling)
// with a bare recursive copy of the same tree through the platform's plain
// copy call, in the same run. Two more contenders tell the costs apart: the
// bare copy through a temporary name that is then renamed (as CopyTree
// copies every file), and CopyTree on the same page without windows. While
// CopyTree copies on the shown page, a second thread sends the window a
// message every 20 ms and records the longest time the window took to
// answer one. Four more contenders split the shown page's own work: CopyTree
// on the shown page with the time of each part summed (status text, with its
// measuring; bars; event handling), and with one part left out at a time.
//
//   copy_benchmark [folder [runs]]
//
// folder (default, or when given as "": the temporary folder +
// "copy-benchmark\") receives two packs and their copies, everything removed
// at the end: 10 000 files of 4 KiB in ten sub-folders and 20 files of 8 MiB;
// then one file of 1 GiB. Each contender copies each pack runs times (5
// unless given), in turns.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "engine/PackCopy.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32ShellNamespace.h"
#include "tests/bench/PartTimingSink.h"
#include "text/AnsiText.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/win32/Win32Backend.h"
#include "wizard/ProgressPageSink.h"
#include <windows.h>

namespace {

constexpr int kSubFolders = 10;
constexpr int kSmallFilesPerFolder = 1000;
constexpr std::size_t kSmallFileSize = 4 * 1024;
constexpr int kLargeFiles = 20;
constexpr std::size_t kLargeFileSize = 8 * 1024 * 1024;
constexpr std::int64_t kHugeFileSize = std::int64_t{1} << 30;

std::string Numbered(const char* prefix, int number, const char* suffix) {
  char name[64];
  std::snprintf(name, sizeof name, "%s%04d%s", prefix, number, suffix);
  return name;
}

void MakePack(platform::Platform& system, const std::string& pack) {
  std::string small(kSmallFileSize, '\0'), large(kLargeFileSize, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 131 + i / 4096);
  for (std::size_t i = 0; i < small.size(); ++i) small[i] = static_cast<char>(i * 7);
  if (!platform::ForceDirectories(system, pack)) throw platform::Error("cannot create " + pack);
  for (int f = 0; f < kSubFolders; ++f) {
    const std::string folder = pack + Numbered("图块", f, "\\");
    system.CreateFolder(folder);
    for (int i = 0; i < kSmallFilesPerFolder; ++i)
      platform::WriteWholeFile(system, folder + Numbered("f", i, ".dwg"), small);
  }
  for (int i = 0; i < kLargeFiles; ++i) platform::WriteWholeFile(system, pack + Numbered("big", i, ".dat"), large);
}

// A pack of one file of kHugeFileSize bytes, written piece by piece.
void MakeHugePack(platform::Platform& system, const std::string& pack) {
  if (!platform::ForceDirectories(system, pack)) throw platform::Error("cannot create " + pack);
  std::string piece(16 * 1024 * 1024, '\0');
  for (std::size_t i = 0; i < piece.size(); ++i) piece[i] = static_cast<char>(i * 131 + i / 4096);
  const std::unique_ptr<platform::File> file = system.OpenWrite(pack + "大图.dwg");
  for (std::int64_t written = 0; written < kHugeFileSize; written += static_cast<std::int64_t>(piece.size())) {
    piece[0] = static_cast<char>(written >> 24);  // no two pieces alike
    if (!file->Write(piece.data(), piece.size())) throw platform::Error("cannot write " + pack);
  }
}

void RemoveTree(platform::Platform& system, const std::string& folder) {
  for (const platform::FindEntry& entry : system.ListFolder(folder + "*.*")) {
    if (entry.Name == "." || entry.Name == "..") continue;
    const std::string path = folder + entry.Name;
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (entry.Attributes & platform::faDirectory)
      RemoveTree(system, path + "\\");
    else
      ::DeleteFileA(path.c_str());
  }
  ::RemoveDirectoryA(folder.c_str());
}

// The bare copy: list, make folders, copy every file with the plain call;
// with throughTemporaryName, to a temporary name that is then renamed into
// place, as CopyTree copies to leave no partial file.
bool BareCopy(platform::Platform& system, const std::string& source, const std::string& target,
              bool throughTemporaryName) {
  system.CreateFolder(target);
  for (const platform::FindEntry& entry : system.ListFolder(source + "*.*")) {
    if (entry.Name == "." || entry.Name == "..") continue;
    const std::string from = source + entry.Name, to = target + entry.Name;
    if (entry.Attributes & platform::faDirectory) {
      if (!BareCopy(system, from + "\\", to + "\\", throughTemporaryName)) return false;
    } else if (!throughTemporaryName) {
      if (!system.CopyFileTo(from, to, false)) return false;
    } else if (!system.CopyFileTo(from, target + "~", false) || !system.RenameFile(target + "~", to)) {
      return false;
    }
  }
  return true;
}

// Sends the window a message every 20 ms from a thread of its own while it
// lives, and records the longest time the window took to answer one.
class Pinger {
 public:
  explicit Pinger(HWND window) : window_(window), thread_([this] { Run(); }) {}
  // The window's thread must handle messages until the last one is
  // answered, so it does so here.
  ~Pinger() {
    stopping_ = true;
    while (!stopped_) {
      ui::App().ProcessMessages();
      ::Sleep(1);
    }
    thread_.join();
  }
  Pinger(const Pinger&) = delete;
  Pinger& operator=(const Pinger&) = delete;

  double LongestMilliseconds() const { return longest_; }

 private:
  void Run() {
    using Clock = std::chrono::steady_clock;
    Clock::time_point next = Clock::now();
    while (!stopping_) {
      const Clock::time_point sent = Clock::now();
      DWORD_PTR result = 0;
      ::SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &result);
      longest_ = std::max(longest_.load(), std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
      next = std::max(next + std::chrono::milliseconds(20), Clock::now());
      std::this_thread::sleep_until(next);
    }
    stopped_ = true;
  }

  HWND window_;
  std::atomic<bool> stopping_{false}, stopped_{false};
  std::atomic<double> longest_{0};
  std::thread thread_;
};

double Seconds(const std::function<bool()>& run) {
  const auto start = std::chrono::steady_clock::now();
  if (!run()) throw platform::Error("a copy failed");
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Contender {
  const char* name;
  std::function<bool()> run;
  // Where the window answers messages during the copy (the shown page); the
  // longest answer over the runs goes to longestAnswer.
  HWND pinged = nullptr;
  std::vector<double> seconds;
  double longestAnswer = 0;
};

// Copies with every contender runs times, each run starting with another
// contender and every copy into an empty target; prints the runs and the
// medians against the first contender.
void RunInTurns(std::vector<Contender>& contenders, int runs, platform::Platform& system, const std::string& target) {
  for (int run = 1; run <= runs; ++run) {
    for (std::size_t turn = 0; turn < contenders.size(); ++turn) {
      Contender& c = contenders[(turn + run - 1) % contenders.size()];
      if (c.pinged) {
        Pinger pinger(c.pinged);
        c.seconds.push_back(Seconds(c.run));
        c.longestAnswer = std::max(c.longestAnswer, pinger.LongestMilliseconds());
      } else {
        c.seconds.push_back(Seconds(c.run));
      }
      RemoveTree(system, target);
    }
    std::printf("run %d:", run);
    for (const Contender& c : contenders) std::printf(" %s %.3f s;", c.name, c.seconds.back());
    std::printf("\n");
  }
  const double first = Median(contenders[0].seconds);
  std::printf("median of %d runs:\n", runs);
  for (const Contender& c : contenders) {
    const double median = Median(c.seconds);
    std::printf("  %-24s %8.3f s  %+7.1f %% against the %s\n", c.name, median, (median / first - 1) * 100,
                contenders[0].name);
  }
  for (const Contender& c : contenders)
    if (c.pinged) std::printf("  longest answer of the window during %s: %.1f ms\n", c.name, c.longestAnswer);
}

}  // namespace

int main(int argc, char** argv) {
  platform::Win32Platform system;
  const std::string given = argc > 1 ? argv[1] : "";
  const std::string root =
      given.empty() ? system.TempPath() + "copy-benchmark\\" : text::IncludeTrailingBackslash(given);
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const std::string source = root + "disc\\MatterLib\\国标\\土建\\";
  const std::string hugeSource = root + "disc\\MatterLib\\国标\\大图\\";
  const std::string target = root + "lib\\";

  bench::TimedTextExtent backend;
  ui::HeadlessBackend headless;
  ui::App().SetBackend(&backend);
  platform::Win32ShellNamespace shell;
  catalogue::InstallerState state;
  Tfm_Install window(system, shell, "!");
  Tfrm_ChooseDriver prompt(&window, system, shell);
  wizard::ProgressPageSink page(window, prompt);
  window.ShowPage(Tfm_Install::pgProgress);
  window.Show();
  const auto shownWindow = static_cast<HWND>(backend.NativeHandle(window));
  // The same page without windows, to tell the window's share from the
  // copy's own.
  Tfm_Install hiddenWindow(system, shell, "!");
  Tfrm_ChooseDriver hiddenPrompt(&hiddenWindow, system, shell);
  wizard::ProgressPageSink hiddenPage(hiddenWindow, hiddenPrompt);

  RemoveTree(system, root);
  std::printf("making the packs in %s ...\n", root.c_str());
  MakePack(system, source);
  MakeHugePack(system, hugeSource);
  const std::int64_t bytes = engine::DirectorySize(system, source);
  std::printf("pack: %d files, %lld bytes\n", kSubFolders * kSmallFilesPerFolder + kLargeFiles,
              static_cast<long long>(bytes));

  // The size count is left out of the time, as it is of the bare copies.
  const auto copyTreeOn = [&](const std::string& from, engine::InstallSink& sink, ui::Backend& pageBackend) {
    return [&, from, packBytes = engine::DirectorySize(system, from)] {
      ui::App().SetBackend(&pageBackend);
      // The only pack of the run.
      engine::ProgressBars bars(sink);
      bars.StartPass(1);
      bars.StartFileProgress(packBytes);
      const bool copied = engine::PackCopy(state, system, sink, bars).CopyTree(from, target);
      ui::App().SetBackend(&backend);
      return copied;
    };
  };
  std::vector<Contender> contenders = {
      {"bare copy", [&] { return BareCopy(system, source, target, false); }, nullptr, {}, 0},
      {"bare copy and rename", [&] { return BareCopy(system, source, target, true); }, nullptr, {}, 0},
      {"CopyTree", copyTreeOn(source, page, backend), shownWindow, {}, 0},
      {"CopyTree without window", copyTreeOn(source, hiddenPage, headless), nullptr, {}, 0},
  };
  // The shown page's work by part: each part's time summed over a copy, and
  // the copy with one part left out.
  bench::PartTimer timer, unused;
  bench::PartTimingSink timedPage(page, timer);
  std::vector<double> partSeconds[static_cast<int>(bench::PagePart::Count)], measuringSeconds;
  const auto copyTimedByPart = copyTreeOn(source, timedPage, backend);
  contenders.push_back({"CopyTree timed by part",
                        [&] {
                          timer.Reset();
                          backend.Reset();
                          const bool copied = copyTimedByPart();
                          for (int part = 0; part < static_cast<int>(bench::PagePart::Count); ++part)
                            partSeconds[part].push_back(timer.Seconds(static_cast<bench::PagePart>(part)));
                          measuringSeconds.push_back(backend.Seconds());
                          return copied;
                        },
                        nullptr, {}, 0});
  bench::PartTimingSink pageWithoutStatus(page, unused, bench::PagePart::StatusText);
  bench::PartTimingSink pageWithoutBars(page, unused, bench::PagePart::Bars);
  bench::PartTimingSink pageWithoutEvents(page, unused, bench::PagePart::EventHandling);
  contenders.push_back({"CopyTree without status", copyTreeOn(source, pageWithoutStatus, backend), nullptr, {}, 0});
  contenders.push_back({"CopyTree without bars", copyTreeOn(source, pageWithoutBars, backend), nullptr, {}, 0});
  contenders.push_back({"CopyTree without events", copyTreeOn(source, pageWithoutEvents, backend), nullptr, {}, 0});

  // A first copy, so that every run reads the pack from the cache.
  Seconds(contenders[0].run);
  RemoveTree(system, target);
  RunInTurns(contenders, runs, system, target);
  const int files = kSubFolders * kSmallFilesPerFolder + kLargeFiles;
  const auto printPart = [&](const char* name, const std::vector<double>& seconds) {
    const double median = Median(seconds);
    std::printf("  %-34s %7.3f s  %6.3f ms per file\n", name, median, median * 1000 / files);
  };
  std::printf("the shown page's work by part during CopyTree timed by part, median of %d runs:\n", runs);
  printPart("status text (with its measuring)", partSeconds[static_cast<int>(bench::PagePart::StatusText)]);
  printPart("  of it the text's measuring", measuringSeconds);
  printPart("bars", partSeconds[static_cast<int>(bench::PagePart::Bars)]);
  printPart("event handling", partSeconds[static_cast<int>(bench::PagePart::EventHandling)]);

  std::printf("one file of %lld bytes:\n", static_cast<long long>(kHugeFileSize));
  std::vector<Contender> hugeContenders = {
      {"bare copy and rename", [&] { return BareCopy(system, hugeSource, target, true); }, nullptr, {}, 0},
      {"CopyTree", copyTreeOn(hugeSource, page, backend), shownWindow, {}, 0},
  };
  Seconds(hugeContenders[0].run);
  RemoveTree(system, target);
  RunInTurns(hugeContenders, runs, system, target);

  RemoveTree(system, root);
  // The progress page refuses to close.
  window.ShowPage(Tfm_Install::pgFinish);
  window.Close();
  ui::App().SetBackend(nullptr);
  return 0;
}
