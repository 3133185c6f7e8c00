// Compares the pack copy (TPackCopy::CopyTree, with its status text, both
// progress bars on the wizard's shown progress page and the event handling
// after every file) with a bare recursive copy of the same tree through the
// platform's plain copy call, in the same run. Two more contenders tell the
// costs apart: the bare copy through a temporary name that is then renamed
// (as CopyTree copies every file), and CopyTree on the same page without
// windows.
//
//   copy_benchmark [folder [runs]]
//
// folder (default, or when given as "": the temporary folder +
// "copy-benchmark\") receives the pack, 10 000 files of 4 KiB in ten
// sub-folders and 20 files of 8 MiB, and the copies; everything is removed
// at the end.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/PackCopy.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Win32ShellNamespace.h"
#include "text/AnsiText.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/win32/Win32Backend.h"
#include "wizard/ProgressPageSink.h"
// The system's headers after the toolkit's: <windows.h> defines the key names
// (VK_RETURN, ...) as macros, which the toolkit declares as constants.
#include "platform/win32/WinApi.h"

namespace {

constexpr int kSubFolders = 10;
constexpr int kSmallFilesPerFolder = 1000;
constexpr std::size_t kSmallFileSize = 4 * 1024;
constexpr int kLargeFiles = 20;
constexpr std::size_t kLargeFileSize = 8 * 1024 * 1024;

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
      if (!system.CopyFile(from, to, false)) return false;
    } else if (!system.CopyFile(from, target + "~", false) || !system.MoveFile(target + "~", to)) {
      return false;
    }
  }
  return true;
}

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

}  // namespace

int main(int argc, char** argv) {
  platform::Win32Platform system;
  const std::string given = argc > 1 ? argv[1] : "";
  const std::string root =
      given.empty() ? system.TempPath() + "copy-benchmark\\" : text::IncludeTrailingBackslash(given);
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  const std::string source = root + "disc\\MatterLib\\国标\\土建\\";
  const std::string target = root + "lib\\";

  ui::win32::Win32Backend backend;
  ui::HeadlessBackend headless;
  ui::App().SetBackend(&backend);
  platform::Win32ShellNamespace shell;
  TInstallerState state;
  Tfm_Install window(system, shell, "!");
  Tfrm_ChooseDriver prompt(&window, system, shell);
  wizard::ProgressPageSink page(window, prompt);
  window.ShowPage(Tfm_Install::pgProgress);
  window.Show();
  // The same page without windows, to tell the window's share from the
  // copy's own.
  Tfm_Install hiddenWindow(system, shell, "!");
  Tfrm_ChooseDriver hiddenPrompt(&hiddenWindow, system, shell);
  wizard::ProgressPageSink hiddenPage(hiddenWindow, hiddenPrompt);

  RemoveTree(system, root);
  std::printf("making the pack in %s ...\n", root.c_str());
  MakePack(system, source);
  const std::int64_t bytes = engine::DirectorySize(system, source);
  std::printf("pack: %d files, %lld bytes\n", kSubFolders * kSmallFilesPerFolder + kLargeFiles,
              static_cast<long long>(bytes));

  struct Contender {
    const char* name;
    std::function<bool()> run;
    std::vector<double> seconds;
  };
  const auto copyTreeOn = [&](wizard::ProgressPageSink& sink, ui::Backend& pageBackend) {
    return [&] {
      ui::App().SetBackend(&pageBackend);
      // The only pack of the run.
      engine::ProgressBars bars(sink);
      bars.StartPass(1);
      bars.StartFileProgress(bytes);
      const bool copied = engine::TPackCopy(state, system, sink, bars).CopyTree(source, target);
      ui::App().SetBackend(&backend);
      return copied;
    };
  };
  std::vector<Contender> contenders = {
      {"bare copy", [&] { return BareCopy(system, source, target, false); }, {}},
      {"bare copy and rename", [&] { return BareCopy(system, source, target, true); }, {}},
      {"CopyTree", copyTreeOn(page, backend), {}},
      {"CopyTree without window", copyTreeOn(hiddenPage, headless), {}},
  };

  // A first copy, so that every run reads the pack from the cache.
  Seconds(contenders[0].run);
  RemoveTree(system, target);

  for (int run = 1; run <= runs; ++run) {
    // Each run starts with another contender.
    for (std::size_t turn = 0; turn < contenders.size(); ++turn) {
      Contender& c = contenders[(turn + run - 1) % contenders.size()];
      c.seconds.push_back(Seconds(c.run));
      RemoveTree(system, target);
    }
    std::printf("run %d:", run);
    for (const Contender& c : contenders) std::printf(" %s %.3f s;", c.name, c.seconds.back());
    std::printf("\n");
  }
  const double bare = Median(contenders[0].seconds);
  std::printf("median of %d runs:\n", runs);
  for (const Contender& c : contenders) {
    const double median = Median(c.seconds);
    std::printf("  %-24s %8.3f s  %+7.1f %% against the bare copy\n", c.name, median, (median / bare - 1) * 100);
  }

  RemoveTree(system, root);
  // The progress page refuses to close.
  window.ShowPage(Tfm_Install::pgFinish);
  window.Close();
  ui::App().SetBackend(nullptr);
  return 0;
}
